// The class list export through the main window into a headless Calc, beside the module's own
// template load and the student block in one setFormulaArray (BENCHMARKS.md tells how). Each set
// of samples is a child process, whose module's test entry points close the documents.
//   zelkarin_bench_export (measure | program | floor) (--sqlite FILE | --postgresql DATABASE)
//       [--seed N] [--samples N] --profile DIR [--big] [--cold]
#include "BenchProgram.h"
#include "CalcSpreadsheet.h"
#include "CalcTestModule.h"
#include "ClassListExport.h"
#include "Connections.h"
#include "LoginWindowDriver.h"
#include "MainWindowDriver.h"
#include "MessageRecorder.h"
#include "Probe.h"
#include "SpreadsheetLoader.h"
#include "UnoText.h"
#include "frmMain.h"

#include <QPushButton>

#include <com/sun/star/sheet/XCellRangeFormula.hpp>

using namespace css;

namespace {

CalcOptions headlessOffice(const BenchOptions& options) {
    CalcOptions office;
    office.headless = true;
    office.profileDirectory = options.value(QStringLiteral("profile"));
    return office;
}

ClassKey exportedClass(const BenchOptions& options) {
    return options.isSet(QStringLiteral("big")) ? options.facts().bigClass
                                                : options.facts().fullClass;
}

// Reports one export, or after one to start the office the timed ones, closing the documents.
void sampleExports(const BenchOptions& options, const std::function<double()>& once,
                   void (*closeDocuments)()) {
    const bool cold = options.isSet(QStringLiteral("cold"));
    for (int i = cold ? 1 : 0; i <= (cold ? 1 : options.samples()); ++i) {
        const double ms = once();
        if (i > 0)
            reportToParent(("ms_" + std::to_string(i)).c_str(), ms);
        closeDocuments();
    }
}

// Exports through the main window, with the test build of the Calc module.
void programChild(const BenchOptions& options) {
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
    main->setSpreadsheetStarter([office = headlessOffice(options)] {
        return startSpreadsheet(office, {QStringLiteral(ZELKARIN_BENCH_CALC_DIR)});
    });
    const ClassKey key = exportedClass(options);
    MainWindowDriver::clickSubject(MainWindowDriver::list(main), key.subject);
    auto* create = main->findChild<QPushButton*>(QStringLiteral("cmdCreate"));
    const auto exportOnce = [&] {
        double yes = 0;
        messages.setOnNextMessage([&yes] { yes = nowMs(); });
        QTest::mouseClick(create, Qt::LeftButton);
        return nowMs() - yes;
    };
    sampleExports(options, exportOnce, module.closeDocuments);
    module.shutdown();
    const QString confirmation =
        QStringLiteral("Are you sure you want to create a class list of: %1 in Excel?")
            .arg(key.subject);
    if (messages.prompts() != QStringList(messages.messages().size(), confirmation))
        throw std::runtime_error("the program said: " +
                                 messages.prompts().join(u'/').toStdString());
    Connections::releaseAll();
}

// The section's enrolled students as the export writes them to B:F (TLOAD's columns 9 to 13:
// studentID, lastname, firstname, middleInitial, ecourse) on the template's sheet "Attendance".
void floorChild(const BenchOptions& options) {
    const CollegeFacts facts = options.facts();
    const ClassKey key = exportedClass(options);
    const Rows rows = options.floor()()(
        classListStatement(facts.profid, facts.activePeriod, key.subject, key.schedule));
    uno::Sequence<uno::Sequence<rtl::OUString>> block(sal_Int32(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        block.getArray()[r].realloc(5);
        for (sal_Int32 c = 0; c < 5; ++c)
            block.getArray()[r].getArray()[c] = toOUString(
                QString::fromStdString(rows[r][std::size_t(9 + c)].value_or("")).trimmed());
    }
    const QString cells = QStringLiteral("B10:F%1").arg(9 + rows.size());
    std::shared_ptr<OfficeSession> office;
    const auto exportOnce = [&] {
        const double start = nowMs();
        if (!office)
            office = OfficeSession::obtain(headlessOffice(options));
        CalcSpreadsheet workbook(office);
        workbook.openTemplate(Connections::templatePath());
        workbook.automate([&] {
            const uno::Reference<table::XCellRange> attendance(
                workbook.document()->getSheets()->getByName("Attendance"), uno::UNO_QUERY_THROW);
            uno::Reference<sheet::XCellRangeFormula>(
                attendance->getCellRangeByName(toOUString(cells)), uno::UNO_QUERY_THROW)
                ->setFormulaArray(block);
        });
        return nowMs() - start;
    };
    sampleExports(options, exportOnce, zelkarin_calc_close_documents);
    zelkarin_calc_shutdown();
}

void measure(const BenchOptions& options) {
    // A child with the class and the office given as flags: --big, --cold.
    const auto run = [&options](const char* child, const QStringList& flags) {
        return runChild(QStringLiteral("zelkarin_bench_export"),
                        QStringList(QLatin1String(child)) + options.arguments() + flags)
            .values();
    };
    const auto sample = [&run](Figure& figure, const QStringList& flags) {
        for (double ms : run("floor", flags))
            figure.floor.push_back(ms);
        for (double ms : run("program", flags))
            figure.program.push_back(ms);
    };
    Figure full{"Export, 60 students, Calc running", options.engineName(), "ms", 2};
    Figure big{"Export, 500 students, Calc running", options.engineName()};
    Figure cold{"Export, 60 students, Calc not running", options.engineName()};
    const QStringList coldStart = {QStringLiteral("--cold")};
    run("floor", coldStart); // the first start of an office makes its profile
    sample(full, {});
    sample(big, {QStringLiteral("--big")});
    for (int i = 0; i < std::max(3, options.samples() / 2); ++i)
        sample(cold, coldStart);
    for (const Figure* figure : {&full, &big, &cold})
        printFigure(*figure);
}

} // namespace

int main(int argc, char* argv[]) {
    return runBenchCommand(argc, argv,
                           {{QStringLiteral("measure"), measure},
                            {QStringLiteral("program"), programChild},
                            {QStringLiteral("floor"), floorChild}});
}
