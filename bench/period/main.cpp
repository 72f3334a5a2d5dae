// A period picked in the main window's combo box (all-rows form) for a member with a full load,
// through the real windows offscreen, beside the same statement on a new connection through
// the engine's own client library. Both alternate between two earlier periods.
//   zelkarin_bench_period (--sqlite FILE | --postgresql DATABASE) [--seed N] [--samples N]
#include "BenchDatabase.h"
#include "Connections.h"
#include "Probe.h"
#include "ProgramDriver.h"
#include "Report.h"

#include <QApplication>

#include <cstdio>
#include <exception>

namespace {

int measure(const BenchOptions& options, char* program) {
    NameOnlyApplication application(program);
    InstantAnswers answers;
    Connections::useConnectionString(options.connectionString());
    const CollegeFacts facts = options.facts();
    logInThroughWindows(QString::fromStdString(facts.profid),
                        QString::fromStdString(facts.password));

    Figure filled("Period switch (all rows) -> list filled", options.engineName());
    Figure painted("Period switch (all rows) -> list painted", options.engineName());
    PeriodSwitchFloor floor(options.floor());
    const int warmUp = 2;
    for (int i = 0; i < warmUp + options.samples; ++i) {
        const std::string& period = facts.switchPeriods[std::size_t(i % 2)];
        double start = nowMs();
        const std::size_t floorRows = floor.choose(facts.profid, period);
        const double floorMs = nowMs() - start;
        start = nowMs();
        choosePeriod(QString::fromStdString(period));
        const double filledMs = nowMs() - start;
        letWindowsPaint();
        const double paintedMs = nowMs() - start;
        if (std::size_t(teachingLoadRows()) != floorRows)
            throw std::runtime_error("the program and the floor list different sections");
        if (i >= warmUp) {
            filled.floor.add(floorMs);
            painted.floor.add(floorMs);
            filled.program.add(filledMs);
            painted.program.add(paintedMs);
        }
    }
    answers.requireOnly();
    Connections::releaseAll();
    filled.target = "<= 1.3x floor";
    filled.met = verdict(filled.program.figure() <= 1.3 * filled.floor.figure());
    printFigure(filled);
    printFigure(painted);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    try {
        return measure(BenchOptions::parse(argc, argv), argv[0]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelkarin_bench_period: %s\n", error.what());
        return 1;
    }
}
