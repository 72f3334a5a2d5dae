// Start of the program to the login window shown, and its resident memory then, beside a bare
// Qt Widgets window as the floor. Every sample is a new process, timed from its start.
//   zelkarin_bench_startup [--samples N]
#include "Children.h"
#include "Probe.h"
#include "Report.h"

#include <QCoreApplication>

#include <cstdio>
#include <exception>

namespace {

// Runs a child and returns what it reported, with shown_ms turned into time since its start.
QMap<QString, double> started(const QString& program) {
    const double start = nowMs();
    QMap<QString, double> figures = runChild(siblingProgram(program), {});
    figures[QStringLiteral("shown_ms")] -= start;
    return figures;
}

int measure(int samples) {
    const QString floorProgram = QStringLiteral("zelkarin_bench_startup_floor");
    const QString program = QStringLiteral("zelkarin_bench_startup_program");
    Figure startUp("Start -> login window shown", "-");
    Figure memory("Resident memory, login window shown", "-", "MB");
    started(floorProgram);
    started(program);
    for (int i = 0; i < samples; ++i) {
        const auto floor = started(floorProgram);
        const auto zelkarin = started(program);
        startUp.floor.add(floor.value(QStringLiteral("shown_ms")));
        startUp.program.add(zelkarin.value(QStringLiteral("shown_ms")));
        memory.floor.add(floor.value(QStringLiteral("rss_mb")));
        memory.program.add(zelkarin.value(QStringLiteral("rss_mb")));
    }
    startUp.target = "< 300 ms";
    startUp.met = verdict(startUp.program.figure() < 300);
    memory.target = "< 60 MB";
    memory.met = verdict(memory.program.figure() < 60);
    printFigure(startUp);
    printFigure(memory);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype option = arguments.indexOf(QStringLiteral("--samples"));
    const int samples =
        option > 0 && option + 1 < arguments.size() ? arguments.at(option + 1).toInt() : 11;
    try {
        return measure(samples < 1 ? 1 : samples);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelkarin_bench_startup: %s\n", error.what());
        return 1;
    }
}
