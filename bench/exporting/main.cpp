// The class list export of a 60-student and of the 500-student class into a running headless
// Calc, from the "Yes" of the confirmation to the last cell, through the real main window
// offscreen; and of the 60-student class with no office running yet. Floor: the template load
// and one setFormulaArray of the same student block (zelkarin_bench_export_floor). Beside them,
// what an export that wrote the student block in one call would take.
//   zelkarin_bench_export (--sqlite FILE | --postgresql DATABASE) [--seed N] [--samples N]
//       --profile DIR
#include "BenchDatabase.h"
#include "CalcOptions.h"
#include "Children.h"
#include "Connections.h"
#include "Probe.h"
#include "ProgramDriver.h"
#include "Report.h"
#include "SpreadsheetLoader.h"
#include "frmMain.h"

#include <QApplication>
#include <QLibrary>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace {

// What the Calc module offers its tests, used here between samples only.
void callModule(const char* function) {
    QLibrary module(QStringLiteral(ZELKARIN_BENCH_CALC_DIR "/zelkarin_calc.so"));
    const auto call = reinterpret_cast<void (*)()>(module.resolve(function));
    if (!call)
        throw std::runtime_error("the Calc module has no " + std::string(function));
    call();
}

// Exports of one class through the main window: --cold for one export that starts the office,
// otherwise one export to start it and then the timed ones.
int programChild(const BenchOptions& options, char* program) {
    NameOnlyApplication application(program);
    InstantAnswers answers;
    Connections::useConnectionString(options.connectionString());
    const CollegeFacts facts = options.facts();
    logInThroughWindows(QString::fromStdString(facts.profid),
                        QString::fromStdString(facts.password));

    CalcOptions office;
    office.headless = true;
    office.profileDirectory = options.value("--profile");
    qobject_cast<frmMain*>(topLevelWindow("frmMain"))->setSpreadsheetStarter([office] {
        return startSpreadsheet(office, {QStringLiteral(ZELKARIN_BENCH_CALC_DIR)});
    });
    const ClassKey& key =
        options.value("--class") == QLatin1String("big") ? facts.bigClass : facts.fullClass;
    clickSection(QString::fromStdString(key.subject), QString::fromStdString(key.schedule));
    double yes = 0;
    answers.setOnYes([&yes] { yes = nowMs(); });
    const auto exportOnce = [&] {
        press("frmMain", "cmdCreate");
        return nowMs() - yes;
    };

    const bool cold = options.rest.contains(QStringLiteral("--cold"));
    if (cold) {
        reportToParent("ms", exportOnce());
    } else {
        exportOnce();
        callModule("zelkarin_calc_close_documents");
        for (int i = 1; i <= options.samples; ++i) {
            reportToParent(("ms_" + std::to_string(i)).c_str(), exportOnce());
            callModule("zelkarin_calc_close_documents");
        }
    }
    callModule("zelkarin_calc_shutdown");
    const QString confirmation = QStringLiteral("Are you sure you want to create a class list "
                                                "of: %1 in Excel?")
                                     .arg(QString::fromStdString(key.subject));
    answers.requireOnly({confirmation});
    Connections::releaseAll();
    return 0;
}

struct Run {
    const BenchOptions& options;
    QString profile;

    QMap<QString, double> program(const char* kind, bool cold) const {
        QStringList arguments = common(kind, cold);
        arguments.prepend(QStringLiteral("program"));
        arguments.prepend(QStringLiteral("--child"));
        return runChild(QCoreApplication::applicationFilePath(), arguments);
    }

    // variant: --batched or --cell-by-cell for the prototypes of other exports.
    QMap<QString, double> floor(const char* kind, bool cold, const char* variant = nullptr) const {
        QStringList arguments = common(kind, cold)
                                << QStringLiteral("--template") << Connections::templatePath();
        if (variant)
            arguments << QLatin1String(variant);
        return runChild(siblingProgram(QStringLiteral("zelkarin_bench_export_floor")), arguments);
    }

private:
    QStringList common(const char* kind, bool cold) const {
        QStringList arguments = options.arguments()
                                << QStringLiteral("--samples") << QString::number(options.samples)
                                << QStringLiteral("--class") << QLatin1String(kind)
                                << QStringLiteral("--profile") << profile;
        if (cold)
            arguments << QStringLiteral("--cold");
        return arguments;
    }
};

void addAll(Samples& samples, const QMap<QString, double>& figures) {
    for (auto it = figures.begin(); it != figures.end(); ++it)
        if (it.key().startsWith(QLatin1String("ms")))
            samples.add(it.value());
}

int measure(const BenchOptions& options) {
    const Run run{options, options.value("--profile")};
    run.floor("full", true); // the first start of an office makes its profile

    Figure full("Export, 60 students, Calc running", options.engineName());
    Figure batched("Export, 60 students, block in one call (prototype)", options.engineName());
    Figure big("Export, 500 students, Calc running", options.engineName());
    Figure bigBatched("Export, 500 students, block in one call (prototype)", options.engineName());
    Figure cellByCell("Export, 60 students, fewest calls per cell (prototype)",
                      options.engineName());
    Figure cold("Export, 60 students, Calc not running", options.engineName());
    for (auto [figure, kind] : {std::pair{&full, "full"}, std::pair{&big, "big"}}) {
        addAll(figure->floor, run.floor(kind, false));
        addAll(figure->program, run.program(kind, false));
    }
    batched.floor = cellByCell.floor = full.floor;
    bigBatched.floor = big.floor;
    addAll(batched.program, run.floor("full", false, "--batched"));
    addAll(cellByCell.program, run.floor("full", false, "--cell-by-cell"));
    addAll(bigBatched.program, run.floor("big", false, "--batched"));
    const int coldSamples = std::max(3, options.samples / 2);
    for (int i = 0; i < coldSamples; ++i) {
        addAll(cold.floor, run.floor("full", true));
        addAll(cold.program, run.program("full", true));
    }
    for (Figure* figure : {&full, &batched, &cellByCell}) {
        figure->target = "<= 2x floor";
        figure->met = verdict(figure->program.figure() <= 2 * figure->floor.figure());
    }
    for (const Figure* figure : {&full, &cellByCell, &batched, &big, &bigBatched, &cold})
        printFigure(*figure);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    try {
        const BenchOptions options = BenchOptions::parse(argc, argv, {QStringLiteral("--cold")});
        if (options.rest.startsWith(QStringLiteral("--child")))
            return programChild(options, argv[0]);
        QCoreApplication app(argc, argv);
        return measure(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelkarin_bench_export: %s\n", error.what());
        return 1;
    }
}
