// The class list export of a 60-student and of the 500-student class into a running headless
// Calc, from the "Yes" of the confirmation to the last cell, through the real main window
// offscreen; and of the 60-student class with no office running yet. Floor: the template load
// and one setFormulaArray of the same student block (zelkarin_bench_export_floor).
//   zelkarin_bench_export (--sqlite FILE | --postgresql DATABASE) [--seed N] [--samples N]
//       --profile DIR
#include "BenchDatabase.h"
#include "CalcTestModule.h"
#include "Children.h"
#include "Connections.h"
#include "LoginWindowDriver.h"
#include "MainWindowDriver.h"
#include "MessageRecorder.h"
#include "Probe.h"
#include "Report.h"
#include "SpreadsheetLoader.h"
#include "frmMain.h"

#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace {

// Exports of one class through the main window, with the test build of the Calc module, whose
// entry points close the documents between samples and end the office: --cold for one export
// that starts the office, otherwise one export to start it and then the timed ones.
int programChild(const BenchOptions& options, char* program) {
    NameOnlyApplication application(program);
    CalcTestModule module;
    const QString moduleError = module.load(QStringLiteral(ZELKARIN_BENCH_CALC_DIR));
    if (!moduleError.isEmpty())
        throw std::runtime_error(moduleError.toStdString());
    MessageRecorder messages;
    Connections::useConnectionString(options.connectionString());
    const CollegeFacts facts = options.facts();
    LoginWindowDriver login;
    login.logIn(QString(facts.profid).remove(u'-'), facts.password);
    auto* main = qobject_cast<frmMain*>(mainWindow());
    if (!main)
        throw std::runtime_error("the login failed");
    QCoreApplication::processEvents();

    CalcOptions office;
    office.headless = true;
    office.profileDirectory = options.value("--profile");
    main->setSpreadsheetStarter(
        [office] { return startSpreadsheet(office, {QStringLiteral(ZELKARIN_BENCH_CALC_DIR)}); });
    const ClassKey& key =
        options.value("--class") == QLatin1String("big") ? facts.bigClass : facts.fullClass;
    MainWindowDriver::clickSubject(MainWindowDriver::list(main), key.subject);
    auto* create = main->findChild<QPushButton*>(QStringLiteral("cmdCreate"));
    const auto exportOnce = [&] {
        double yes = 0;
        messages.setOnNextMessage([&yes] { yes = nowMs(); });
        QTest::mouseClick(create, Qt::LeftButton);
        return nowMs() - yes;
    };

    if (options.rest.contains(QStringLiteral("--cold"))) {
        reportToParent("ms", exportOnce());
    } else {
        exportOnce();
        module.closeDocuments();
        for (int i = 1; i <= options.samples; ++i) {
            reportToParent(("ms_" + std::to_string(i)).c_str(), exportOnce());
            module.closeDocuments();
        }
    }
    module.shutdown();
    const QString confirmation =
        QStringLiteral("Are you sure you want to create a class list of: %1 in Excel?")
            .arg(key.subject);
    if (messages.prompts().removeAll(confirmation) != messages.messages().size())
        throw std::runtime_error("the program said: " +
                                 messages.prompts().join(u'/').toStdString());
    Connections::releaseAll();
    return 0;
}

QStringList childArguments(const BenchOptions& options, const char* kind, bool cold) {
    QStringList arguments = options.arguments()
                            << QStringLiteral("--samples") << QString::number(options.samples)
                            << QStringLiteral("--class") << QLatin1String(kind)
                            << QStringLiteral("--profile") << options.value("--profile");
    if (cold)
        arguments << QStringLiteral("--cold");
    return arguments;
}

void addAll(Samples& samples, const QMap<QString, double>& figures) {
    for (auto it = figures.begin(); it != figures.end(); ++it)
        if (it.key().startsWith(QLatin1String("ms")))
            samples.add(it.value());
}

// One figure's samples: the floor's, then the program's.
void sample(Figure& figure, const BenchOptions& options, const char* kind, bool cold) {
    const QStringList arguments = childArguments(options, kind, cold);
    addAll(figure.floor, runChild(siblingProgram(QStringLiteral("zelkarin_bench_export_floor")),
                                  QStringList(arguments) << QStringLiteral("--template")
                                                         << Connections::templatePath()));
    addAll(figure.program, runChild(QCoreApplication::applicationFilePath(),
                                    QStringList(arguments) << QStringLiteral("--child")));
}

int measure(const BenchOptions& options) {
    Figure full("Export, 60 students, Calc running", options.engineName());
    Figure big("Export, 500 students, Calc running", options.engineName());
    Figure cold("Export, 60 students, Calc not running", options.engineName());
    // The first start of an office makes its profile.
    runChild(siblingProgram(QStringLiteral("zelkarin_bench_export_floor")),
             childArguments(options, "full", true)
                 << QStringLiteral("--template") << Connections::templatePath());
    sample(full, options, "full", false);
    sample(big, options, "big", false);
    for (int i = 0; i < std::max(3, options.samples / 2); ++i)
        sample(cold, options, "full", true);
    full.target = "<= 2x floor";
    full.met = verdict(full.program.figure() <= 2 * full.floor.figure());
    for (const Figure* figure : {&full, &big, &cold})
        printFigure(*figure);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    try {
        const BenchOptions options =
            BenchOptions::parse(argc, argv, {QStringLiteral("--cold"), QStringLiteral("--child")});
        if (options.rest.contains(QStringLiteral("--child")))
            return programChild(options, argv[0]);
        QCoreApplication app(argc, argv);
        return measure(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelkarin_bench_export: %s\n", error.what());
        return 1;
    }
}
