// Resident memory after a login through the windows, beside the bare window plus the same
// login through the engine's own client library. Every sample is a new process.
//   zelkarin_bench_memory (--sqlite FILE | --postgresql DATABASE) [--seed N] [--samples N]
#include "BenchDatabase.h"
#include "Children.h"
#include "Report.h"

#include <QCoreApplication>

#include <cstdio>
#include <exception>

namespace {

int measure(const BenchOptions& options) {
    const CollegeFacts facts = options.facts();
    const QStringList login = {options.connectionString(), QString::fromStdString(facts.profid),
                               QString::fromStdString(facts.password)};
    Figure memory("Resident memory after a login", options.engineName(), "MB");
    for (int i = 0; i < options.samples; ++i) {
        const auto floor =
            runChild(siblingProgram(QStringLiteral("zelkarin_bench_startup_floor_login")),
                     options.arguments());
        const auto program =
            runChild(siblingProgram(QStringLiteral("zelkarin_bench_startup_program")), login);
        memory.floor.add(floor.value(QStringLiteral("rss_login_mb")));
        memory.program.add(program.value(QStringLiteral("rss_login_mb")));
    }
    memory.target = "< 60 MB";
    memory.met = verdict(memory.program.figure() < 60);
    printFigure(memory);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    try {
        const BenchOptions options = BenchOptions::parse(argc, argv);
        QCoreApplication app(argc, argv);
        return measure(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelkarin_bench_memory: %s\n", error.what());
        return 1;
    }
}
