// The start of the program to the login window shown, and the press of OK to the main window,
// beside their floors; every sample is a new process, as every login is the first of its
// program run, and each kind of process runs once first so that the caches are warm, as on a
// workstation that has run before. The program's side runs in zelkarin_bench_program, which
// links what the program links and no database client library. The start-up floor is a bare
// Qt Widgets window (zelkarin_bench_bare); the login's is that window, then the same
// statements on as many connections through the engine's own client library (login-floor).
#include "Benchmarks.h"
#include "Probe.h"

namespace {

using Reports = QMap<QString, double>;

// One round of samples, a child of each kind, each child's report by its kind.
QMap<QString, Reports> round(const QMap<QString, std::function<Reports()>>& kinds) {
    QMap<QString, Reports> reports;
    for (auto kind = kinds.begin(); kind != kinds.end(); ++kind)
        reports[kind.key()] = kind.value()();
    return reports;
}

} // namespace

void measureStartUp(const BenchOptions& options) {
    // shown_ms as the time since the child's start.
    const auto started = [](const QString& program, const QStringList& arguments) {
        return [=] {
            const double start = nowMs();
            Reports reports = runChild(benchProgram(program), arguments);
            reports[QStringLiteral("shown_ms")] -= start;
            return reports;
        };
    };
    const QMap<QString, std::function<Reports()>> kinds = {
        {QStringLiteral("floor"), started(QStringLiteral("zelkarin_bench_bare"), {})},
        {QStringLiteral("program"),
         started(QStringLiteral("zelkarin_bench_program"), {QStringLiteral("start")})}};
    Figure startUp{"Start -> login window shown", "-", "ms", 0, 300};
    Figure memory{"Resident memory, login window shown", "-", "MB", 0, 60};
    round(kinds);
    for (int i = 0; i < options.samples(); ++i) {
        const QMap<QString, Reports> reports = round(kinds);
        for (auto [figure, name] :
             {std::pair{&startUp, "shown_ms"}, std::pair{&memory, "rss_mb"}}) {
            figure->floor.push_back(reports[QStringLiteral("floor")][QLatin1String(name)]);
            figure->program.push_back(reports[QStringLiteral("program")][QLatin1String(name)]);
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
    const auto program = [&](const char* mode) {
        return [&, mode] {
            return runChild(
                benchProgram(QStringLiteral("zelkarin_bench_program")),
                {QLatin1String(mode), options.connectionString(), facts.profid, facts.password});
        };
    };
    const QMap<QString, std::function<Reports()>> kinds = {
        {QStringLiteral("floor"),
         [&] {
             return runChild(QCoreApplication::applicationFilePath(),
                             QStringList{QStringLiteral("login-floor")} + options.arguments());
         }},
        {QStringLiteral("statements"), program("statements")},
        {QStringLiteral("press"), program("press")}};
    const std::string engine = options.engineName();
    Figure filled{"OK pressed -> main window filled", engine, "ms", 1.3,
                  options.engine() == Engine::SQLite ? 100.0 : 0};
    Figure painted{"OK pressed -> main window painted", engine};
    Figure statements{"OK pressed, statements only (no main window)", engine};
    Figure memory{"Resident memory after a login", engine, "MB", 0, 60};
    round(kinds);
    for (int i = 0; i < options.samples(); ++i) {
        QMap<QString, Reports> reports = round(kinds);
        const Reports& floor = reports[QStringLiteral("floor")];
        for (const Reports& report : reports)
            if (report[QStringLiteral("rows")] != floor[QStringLiteral("rows")])
                throw std::runtime_error("the program and the floor list different sections");
        for (Figure* figure : {&filled, &painted, &statements})
            figure->floor.push_back(floor[QStringLiteral("filled_ms")]);
        filled.program.push_back(reports[QStringLiteral("press")][QStringLiteral("filled_ms")]);
        painted.program.push_back(reports[QStringLiteral("press")][QStringLiteral("painted_ms")]);
        statements.program.push_back(
            reports[QStringLiteral("statements")][QStringLiteral("filled_ms")]);
        memory.floor.push_back(floor[QStringLiteral("rss_login_mb")]);
        memory.program.push_back(reports[QStringLiteral("press")][QStringLiteral("rss_login_mb")]);
    }
    for (const Figure* figure : {&filled, &painted, &statements, &memory})
        printFigure(*figure);
}
