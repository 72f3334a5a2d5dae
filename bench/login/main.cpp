// OK pressed -> main window filled, through the real windows offscreen, beside the same
// statements on the same number of connections through the engine's own client library; also
// until the window has painted, and the program's statements without the main window. Every
// sample is a new process, as every login is the first of its program run; the floor's links
// the engine's client library, the program's (zelkarin_bench_program) does not.
//   zelkarin_bench_login (--sqlite FILE | --postgresql DATABASE) [--seed N] [--samples N]
#include "BenchDatabase.h"
#include "Children.h"
#include "Probe.h"
#include "Report.h"

#include <QCoreApplication>

#include <cstdio>
#include <exception>

namespace {

int floorChild(const BenchOptions& options) {
    const CollegeFacts facts = options.facts();
    const double start = nowMs();
    const std::size_t rows =
        loginFloor(options.floor(), facts.profid, facts.password, QStringLiteral("127.0.0.1"));
    reportToParent("filled_ms", nowMs() - start);
    reportToParent("rows", double(rows));
    return 0;
}

QMap<QString, double> sample(const BenchOptions& options, const QString& kind) {
    if (kind == QLatin1String("floor"))
        return runChild(QCoreApplication::applicationFilePath(),
                        QStringList{QStringLiteral("--child")} + options.arguments());
    const CollegeFacts facts = options.facts();
    return runChild(siblingProgram(QStringLiteral("zelkarin_bench_program")),
                    {kind, options.connectionString(), facts.profid, facts.password});
}

int measure(const BenchOptions& options) {
    Figure filled("OK pressed -> main window filled", options.engineName());
    Figure painted("OK pressed -> main window painted", options.engineName());
    Figure statements("OK pressed, statements only (no main window)", options.engineName());
    const QStringList kinds = {QStringLiteral("floor"), QStringLiteral("statements"),
                               QStringLiteral("press")};
    for (const QString& kind : kinds)
        sample(options, kind); // caches warm, as on a workstation that has run before
    for (int i = 0; i < options.samples; ++i) {
        QMap<QString, QMap<QString, double>> figures;
        for (const QString& kind : kinds)
            figures[kind] = sample(options, kind);
        const double rows = figures[QStringLiteral("floor")][QStringLiteral("rows")];
        for (const auto& figure : figures)
            if (figure.value(QStringLiteral("rows")) != rows)
                throw std::runtime_error("the program and the floor list different sections");
        const double floor = figures[QStringLiteral("floor")][QStringLiteral("filled_ms")];
        for (Figure* figure : {&filled, &painted, &statements})
            figure->floor.add(floor);
        const QMap<QString, double>& program = figures[QStringLiteral("press")];
        filled.program.add(program.value(QStringLiteral("filled_ms")));
        painted.program.add(program.value(QStringLiteral("painted_ms")));
        statements.program.add(figures[QStringLiteral("statements")][QStringLiteral("filled_ms")]);
    }
    const bool withinRatio = filled.program.figure() <= 1.3 * filled.floor.figure();
    if (options.engine == BenchOptions::Engine::SQLite) {
        filled.target = "<= 1.3x floor; < 100 ms";
        filled.met = verdict(withinRatio) + "; " + verdict(filled.program.figure() < 100);
    } else {
        filled.target = "<= 1.3x floor";
        filled.met = verdict(withinRatio);
    }
    for (const Figure* figure : {&filled, &painted, &statements})
        printFigure(*figure);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    try {
        const BenchOptions options = BenchOptions::parse(argc, argv, {QStringLiteral("--child")});
        if (options.rest.contains(QStringLiteral("--child")))
            return floorChild(options);
        QCoreApplication app(argc, argv);
        return measure(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelkarin_bench_login: %s\n", error.what());
        return 1;
    }
}
