// OK pressed -> main window filled, through the real windows offscreen, beside the same
// statements on the same number of connections through the engine's own client library; also
// until the window has painted, the program's statements without the main window, and a
// prototype of the program with its driver and the main window's picture loaded beforehand.
// Every sample is a new process, as every login is the first of its program run; the floor's
// links the engine's client library, the program's (zelkarin_bench_login_program) does not.
//   zelkarin_bench_login (--sqlite FILE | --postgresql DATABASE) [--seed N] [--samples N]
#include "BenchDatabase.h"
#include "Children.h"
#include "Probe.h"
#include "Report.h"

#include <QCoreApplication>

#include <cstdio>
#include <exception>
#include <string_view>

namespace {

const CollegeFacts& facts(const BenchOptions& options) {
    static const CollegeFacts facts = options.facts();
    return facts;
}

int floorChild(const BenchOptions& options) {
    const double start = nowMs();
    const std::size_t rows =
        loginFloor(options.floor(), facts(options).profid, facts(options).password, "127.0.0.1");
    reportToParent("filled_ms", nowMs() - start);
    reportToParent("rows", double(rows));
    return 0;
}

QMap<QString, double> sample(const BenchOptions& options, const char* kind) {
    if (kind == std::string_view("floor"))
        return runChild(QCoreApplication::applicationFilePath(),
                        QStringList{QStringLiteral("--child"), QLatin1String(kind)} +
                            options.arguments());
    const bool sqlite = options.engine == BenchOptions::Engine::SQLite;
    return runChild(siblingProgram(QStringLiteral("zelkarin_bench_login_program")),
                    {QLatin1String(kind), options.connectionString(),
                     QString::fromStdString(facts(options).profid),
                     QString::fromStdString(facts(options).password),
                     sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL")});
}

int measure(const BenchOptions& options) {
    Figure filled("OK pressed -> main window filled", options.engineName());
    Figure painted("OK pressed -> main window painted", options.engineName());
    Figure statements("OK pressed, statements only (no main window)", options.engineName());
    Figure preloaded("OK pressed -> main window filled, driver and background preloaded "
                     "(prototype)",
                     options.engineName());
    Samples background, driver; // the two parts of the prototype's preload
    const char* const kinds[] = {"floor", "statements", "program", "preloaded"};
    for (const char* kind : kinds)
        sample(options, kind); // caches warm, as on a workstation that has run before
    for (int i = 0; i < options.samples; ++i) {
        QMap<QString, QMap<QString, double>> figures;
        for (const char* kind : kinds)
            figures[QLatin1String(kind)] = sample(options, kind);
        const double rows = figures[QStringLiteral("floor")][QStringLiteral("rows")];
        for (const auto& figure : figures)
            if (figure.value(QStringLiteral("rows")) != rows)
                throw std::runtime_error("the program and the floor list different sections");
        const double floor = figures[QStringLiteral("floor")][QStringLiteral("filled_ms")];
        const QMap<QString, double>& program = figures[QStringLiteral("program")];
        for (Figure* figure : {&filled, &painted, &statements, &preloaded})
            figure->floor.add(floor);
        filled.program.add(program.value(QStringLiteral("filled_ms")));
        painted.program.add(program.value(QStringLiteral("painted_ms")));
        statements.program.add(figures[QStringLiteral("statements")][QStringLiteral("filled_ms")]);
        const QMap<QString, double>& preload = figures[QStringLiteral("preloaded")];
        preloaded.program.add(preload.value(QStringLiteral("filled_ms")));
        background.add(preload.value(QStringLiteral("background_ms")));
        driver.add(preload.value(QStringLiteral("driver_ms")));
    }
    for (Figure* figure : {&filled, &preloaded}) {
        const bool withinRatio = figure->program.figure() <= 1.3 * figure->floor.figure();
        if (options.engine == BenchOptions::Engine::SQLite) {
            figure->target = "<= 1.3x floor; < 100 ms";
            figure->met = verdict(withinRatio) + "; " + verdict(figure->program.figure() < 100);
        } else {
            figure->target = "<= 1.3x floor";
            figure->met = verdict(withinRatio);
        }
    }
    for (const Figure* figure : {&filled, &painted, &statements, &preloaded})
        printFigure(*figure);
    std::fprintf(stderr, "%s preload while the member types: background %s, driver %s\n",
                 options.engineName(), background.describe("ms").c_str(),
                 driver.describe("ms").c_str());
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    try {
        const BenchOptions options = BenchOptions::parse(argc, argv);
        if (options.rest.startsWith(QStringLiteral("--child")))
            return floorChild(options);
        QCoreApplication app(argc, argv);
        return measure(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelkarin_bench_login: %s\n", error.what());
        return 1;
    }
}
