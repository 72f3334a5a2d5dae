// Start of the program to the login window shown, and its resident memory then, beside a bare
// Qt Widgets window as the floor; given a database, the resident memory after a login through
// the windows instead, beside the bare window plus the same login through the engine's own
// client library. Every sample is a new process, timed from its start.
//   zelkarin_bench_startup [--samples N]
//   zelkarin_bench_startup (--sqlite FILE | --postgresql DATABASE) [--seed N] [--samples N]
#include "BenchDatabase.h"
#include "Children.h"
#include "Probe.h"
#include "Report.h"

#include <QCoreApplication>

#include <cstdio>
#include <exception>

namespace {

// Runs a child and returns what it reported, with shown_ms turned into time since its start.
QMap<QString, double> started(const QString& program, const QStringList& arguments) {
    const double start = nowMs();
    QMap<QString, double> figures = runChild(siblingProgram(program), arguments);
    figures[QStringLiteral("shown_ms")] -= start;
    return figures;
}

void add(Figure& figure, const QMap<QString, double>& floor, const QMap<QString, double>& program,
         const char* name) {
    figure.floor.add(floor.value(QLatin1String(name)));
    figure.program.add(program.value(QLatin1String(name)));
}

void measureStart(int samples) {
    const QString floor = QStringLiteral("zelkarin_bench_startup_floor");
    const QString program = QStringLiteral("zelkarin_bench_program");
    const QStringList start = {QStringLiteral("start")};
    Figure startUp("Start -> login window shown", "-");
    Figure memory("Resident memory, login window shown", "-", "MB");
    started(floor, {});
    started(program, start);
    for (int i = 0; i < samples; ++i) {
        const auto bare = started(floor, {});
        const auto zelkarin = started(program, start);
        add(startUp, bare, zelkarin, "shown_ms");
        add(memory, bare, zelkarin, "rss_mb");
    }
    startUp.target = "< 300 ms";
    startUp.met = verdict(startUp.program.figure() < 300);
    memory.target = "< 60 MB";
    memory.met = verdict(memory.program.figure() < 60);
    printFigure(startUp);
    printFigure(memory);
}

void measureLogin(const BenchOptions& options) {
    const CollegeFacts facts = options.facts();
    const QStringList login = {QStringLiteral("start"), options.connectionString(), facts.profid,
                               facts.password};
    Figure memory("Resident memory after a login", options.engineName(), "MB");
    for (int i = 0; i < options.samples; ++i)
        add(memory,
            runChild(siblingProgram(QStringLiteral("zelkarin_bench_startup_floor_login")),
                     options.arguments()),
            runChild(siblingProgram(QStringLiteral("zelkarin_bench_program")), login),
            "rss_login_mb");
    memory.target = "< 60 MB";
    memory.met = verdict(memory.program.figure() < 60);
    printFigure(memory);
}

} // namespace

int main(int argc, char* argv[]) {
    try {
        QCoreApplication app(argc, argv);
        const QStringList arguments = QCoreApplication::arguments();
        if (arguments.contains(QStringLiteral("--sqlite")) ||
            arguments.contains(QStringLiteral("--postgresql"))) {
            measureLogin(BenchOptions::parse(argc, argv));
        } else {
            const qsizetype at = arguments.indexOf(QStringLiteral("--samples"));
            measureStart(at > 0 ? std::max(1, arguments.value(at + 1).toInt()) : 11);
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelkarin_bench_startup: %s\n", error.what());
        return 1;
    }
}
