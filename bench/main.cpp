//   zelkarin_bench (generate | login | period | plans | startup) [--sqlite FILE | --postgresql
//       DATABASE] [--seed N] [--samples N]
#include "Benchmarks.h"

#include <QElapsedTimer>

int main(int argc, char* argv[]) {
    const auto generate = [](const BenchOptions& options) {
        QElapsedTimer took;
        took.start();
        loadCollege(options.engine(), options.target(), CollegeShape{}, options.seed());
        std::fprintf(stderr, "%s %s: seed %llu, %.1f s\n", options.engineName(),
                     qPrintable(options.target()), static_cast<unsigned long long>(options.seed()),
                     double(took.elapsed()) / 1000);
    };
    return runBenchCommand(argc, argv,
                           {{QStringLiteral("generate"), generate},
                            {QStringLiteral("login"), measureLogin},
                            {QStringLiteral("login-floor"), loginFloorChild},
                            {QStringLiteral("period"), measurePeriodSwitch},
                            {QStringLiteral("startup"), measureStartUp},
                            {QStringLiteral("plans"), explainGroupedStatements}});
}
