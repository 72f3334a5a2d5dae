// The benchmarks at college scale, and the generator of the college they run on:
//   zelkarin_bench generate (--sqlite FILE | --postgresql DATABASE) [--seed N]
//   zelkarin_bench (login | period) (--sqlite FILE | --postgresql DATABASE) [--seed N]
//                  [--samples N]
//   zelkarin_bench startup [--samples N]
//   zelkarin_bench plans (--sqlite FILE | --postgresql DATABASE) [--seed N] --out DIR
#include "Benchmarks.h"
#include "LoadCollege.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <exception>

int main(int argc, char* argv[]) {
    try {
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        const BenchOptions options(arguments);
        const QString command = options.command();
        // These make their own QApplication, as the program does.
        if (command == QLatin1String("login-floor"))
            return loginFloorChild(options, argv[0]);
        if (command == QLatin1String("period")) {
            measurePeriodSwitch(options, argv[0]);
            return 0;
        }
        QCoreApplication app(argc, argv);
        if (command == QLatin1String("generate")) {
            QElapsedTimer took;
            took.start();
            loadCollege(options.engine(), options.target(), CollegeShape{}, options.seed());
            std::fprintf(stderr, "%s %s: seed %llu, %.1f s\n", options.engineName(),
                         qPrintable(options.target()),
                         static_cast<unsigned long long>(options.seed()), took.elapsed() / 1e3);
        } else if (command == QLatin1String("login")) {
            measureLogin(options);
        } else if (command == QLatin1String("startup")) {
            measureStartUp(options);
        } else if (command == QLatin1String("plans")) {
            explainGroupedStatements(options);
        } else {
            throw std::runtime_error("no command " + command.toStdString());
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelkarin_bench: %s\n", error.what());
        return 1;
    }
}
