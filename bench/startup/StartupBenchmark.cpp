// Start of the program to the login window shown, and its resident memory then, beside a bare
// Qt Widgets window as the floor (zelkarin_bench_bare). Every sample is a new process, timed
// from its start.
#include "Benchmarks.h"
#include "Children.h"
#include "Probe.h"
#include "Report.h"

namespace {

// Runs a child and returns what it reported, with shown_ms turned into time since its start.
QMap<QString, double> started(const QString& program, const QStringList& arguments) {
    const double start = nowMs();
    QMap<QString, double> figures = runChild(benchProgram(program), arguments);
    figures[QStringLiteral("shown_ms")] -= start;
    return figures;
}

} // namespace

void measureStartUp(const BenchOptions& options) {
    const QString floor = QStringLiteral("zelkarin_bench_bare");
    const QString program = QStringLiteral("zelkarin_bench_program");
    const QStringList start = {QStringLiteral("start")};
    Figure startUp("Start -> login window shown", "-");
    Figure memory("Resident memory, login window shown", "-", "MB");
    started(floor, {});
    started(program, start);
    for (int i = 0; i < options.samples(); ++i) {
        const auto bare = started(floor, {});
        const auto zelkarin = started(program, start);
        for (auto [figure, name] :
             {std::pair{&startUp, "shown_ms"}, std::pair{&memory, "rss_mb"}}) {
            figure->floor.add(bare.value(QLatin1String(name)));
            figure->program.add(zelkarin.value(QLatin1String(name)));
        }
    }
    startUp.target = "< 300 ms";
    startUp.met = verdict(startUp.program.figure() < 300);
    memory.target = "< 60 MB";
    memory.met = verdict(memory.program.figure() < 60);
    printFigure(startUp);
    printFigure(memory);
}
