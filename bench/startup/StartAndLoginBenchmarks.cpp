// Start-up and login beside their floors (BENCHMARKS.md tells how): every sample a new process,
// as every login is its program run's first, after a round that warms the caches.
#include "Benchmarks.h"
#include "Probe.h"

namespace {

double at(const QMap<QString, double>& reports, const char* name) {
    return reports.value(QLatin1String(name));
}

} // namespace

void measureStartUp(const BenchOptions& options) {
    Figure startUp{"Start -> login window shown", "-", "ms", 0, 300};
    Figure memory{"Resident memory, login window shown", "-", "MB", 0, 60};
    for (int i = -1; i < options.samples(); ++i)
        for (auto [samples, program, arguments] :
             {std::tuple{&Figure::floor, "zelkarin_bench_bare", QStringList()},
              std::tuple{&Figure::program, "zelkarin_bench_program", QStringList{"start"}}}) {
            const double start = nowMs();
            const QMap<QString, double> reports = runChild(QLatin1String(program), arguments);
            if (i >= 0) {
                (startUp.*samples).push_back(at(reports, "shown_ms") - start);
                (memory.*samples).push_back(at(reports, "rss_mb"));
            }
        }
    printFigure(startUp);
    printFigure(memory);
}

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
    const QString program = QStringLiteral("zelkarin_bench_program");
    const QStringList login = {options.connectionString(), facts.profid, facts.password};
    const std::string engine = options.engineName();
    Figure filled{"OK pressed -> main window filled", engine, "ms", 1.3,
                  options.engine() == Engine::SQLite ? 100.0 : 0};
    Figure painted{"OK pressed -> main window painted", engine};
    Figure statements{"OK pressed, statements only (no main window)", engine};
    Figure memory{"Resident memory after a login", engine, "MB", 0, 60};
    for (int i = -1; i < options.samples(); ++i) {
        const auto floor =
            runChild(QStringLiteral("zelkarin_bench"),
                     QStringList{QStringLiteral("login-floor")} + options.arguments());
        const auto alone = runChild(program, QStringList{QStringLiteral("statements")} + login);
        const auto press = runChild(program, QStringList{QStringLiteral("press")} + login);
        if (at(alone, "rows") != at(floor, "rows") || at(press, "rows") != at(floor, "rows"))
            throw std::runtime_error("the program and the floor list different sections");
        if (i < 0)
            continue;
        for (Figure* figure : {&filled, &painted, &statements})
            figure->floor.push_back(at(floor, "filled_ms"));
        filled.program.push_back(at(press, "filled_ms"));
        painted.program.push_back(at(press, "painted_ms"));
        statements.program.push_back(at(alone, "filled_ms"));
        memory.floor.push_back(at(floor, "rss_login_mb"));
        memory.program.push_back(at(press, "rss_login_mb"));
    }
    for (const Figure* figure : {&filled, &painted, &statements, &memory})
        printFigure(*figure);
}
