// Checks that the floors measure what the program does: the same statement texts, in the same
// order, on as many connections, for a login and a period choice.
//   zelkarin_bench_check --sqlite FILE [--seed N]
#include "BenchDatabase.h"
#include "Connections.h"
#include "Probe.h"
#include "ProgramDriver.h"
#include "StatementTrace.h"

#include <QApplication>

#include <cstdio>
#include <exception>

namespace {

int check(const BenchOptions& options, char* program) {
    const CollegeFacts facts = options.facts();
    const std::string otherPeriod = facts.switchPeriods[0];
    StatementTrace trace;

    loginFloor(options.floor(), facts.profid, facts.password, "127.0.0.1");
    PeriodSwitchFloor(options.floor()).choose(facts.profid, otherPeriod);
    const std::vector<std::string> floor = trace.take();

    NameOnlyApplication application(program);
    InstantAnswers answers;
    Connections::useConnectionString(options.connectionString());
    logInThroughWindows(QString::fromStdString(facts.profid),
                        QString::fromStdString(facts.password));
    choosePeriod(QString::fromStdString(otherPeriod));
    answers.requireOnly();
    Connections::releaseAll();
    const std::vector<std::string> zelkarin = trace.take();

    for (const std::string& event : zelkarin)
        std::printf("  %s\n", event.c_str());
    if (floor != zelkarin) {
        std::printf("The floors differ from the program; they do:\n");
        for (const std::string& event : floor)
            std::printf("  %s\n", event.c_str());
        return 1;
    }
    std::printf("The floors send these statements of the program, in its order and on as many "
                "connections.\n");
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    try {
        const BenchOptions options = BenchOptions::parse(argc, argv);
        if (options.engine != BenchOptions::Engine::SQLite)
            throw std::runtime_error("the check watches SQLite connections: give --sqlite FILE");
        return check(options, argv[0]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelkarin_bench_check: %s\n", error.what());
        return 1;
    }
}
