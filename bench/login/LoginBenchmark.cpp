// OK pressed -> main window filled and painted, the statements alone, and the memory then,
// beside the same statements on as many connections through the engine's own client library,
// after the bare window of the start-up floor. Every sample is a new process, as every login is
// the first of its program run; the floor's (login-floor) links the engine's client library,
// the program's (zelkarin_bench_program) does not.
#include "Benchmarks.h"
#include "Children.h"
#include "Probe.h"
#include "Report.h"

void loginFloorChild(const BenchOptions& options) {
    runBareWindow([&options] {
        const CollegeFacts facts = options.facts();
        const double start = nowMs();
        const std::size_t rows =
            loginFloor(options.floor(), facts.profid, facts.password, QStringLiteral("127.0.0.1"));
        reportToParent("filled_ms", nowMs() - start);
        reportToParent("rows", double(rows));
        reportToParent("rss_login_mb", residentMb());
    });
}

void measureLogin(const BenchOptions& options) {
    const CollegeFacts facts = options.facts();
    const auto sample = [&](const QString& kind) {
        if (kind == QLatin1String("floor"))
            return runChild(QCoreApplication::applicationFilePath(),
                            QStringList{QStringLiteral("login-floor")} + options.arguments());
        return runChild(benchProgram(QStringLiteral("zelkarin_bench_program")),
                        {kind, options.connectionString(), facts.profid, facts.password});
    };
    Figure filled("OK pressed -> main window filled", options.engineName());
    Figure painted("OK pressed -> main window painted", options.engineName());
    Figure statements("OK pressed, statements only (no main window)", options.engineName());
    Figure memory("Resident memory after a login", options.engineName(), "MB");
    const QStringList kinds = {QStringLiteral("floor"), QStringLiteral("statements"),
                               QStringLiteral("press")};
    for (const QString& kind : kinds)
        sample(kind); // caches warm, as on a workstation that has run before
    for (int i = 0; i < options.samples(); ++i) {
        QMap<QString, QMap<QString, double>> figures;
        for (const QString& kind : kinds)
            figures[kind] = sample(kind);
        const QMap<QString, double>& floor = figures[QStringLiteral("floor")];
        const QMap<QString, double>& program = figures[QStringLiteral("press")];
        for (const auto& figure : figures)
            if (figure.value(QStringLiteral("rows")) != floor.value(QStringLiteral("rows")))
                throw std::runtime_error("the program and the floor list different sections");
        for (Figure* figure : {&filled, &painted, &statements})
            figure->floor.add(floor.value(QStringLiteral("filled_ms")));
        filled.program.add(program.value(QStringLiteral("filled_ms")));
        painted.program.add(program.value(QStringLiteral("painted_ms")));
        statements.program.add(figures[QStringLiteral("statements")][QStringLiteral("filled_ms")]);
        memory.floor.add(floor.value(QStringLiteral("rss_login_mb")));
        memory.program.add(program.value(QStringLiteral("rss_login_mb")));
    }
    const bool withinRatio = filled.program.figure() <= 1.3 * filled.floor.figure();
    filled.target = "<= 1.3x floor";
    filled.met = verdict(withinRatio);
    if (options.engine() == Engine::SQLite) {
        filled.target += "; < 100 ms";
        filled.met += "; " + verdict(filled.program.figure() < 100);
    }
    memory.target = "< 60 MB";
    memory.met = verdict(memory.program.figure() < 60);
    for (const Figure* figure : {&filled, &painted, &statements, &memory})
        printFigure(*figure);
}
