// The class list export of a 60-student and of the 500-student class into a running headless
// Calc, from the "Yes" of the confirmation to the last cell, through the real main window
// offscreen; and of the 60-student class with no office running yet. Floor: a running headless
// Calc loads the template as an untitled copy, and the class's whole student block goes in
// with one setFormulaArray, through the Calc module's own office session; cold, the office is
// started first, inside the time. Each sample set is a child process of its own (program or
// floor), whose test entry points of the module close the documents between samples and end
// the office.
//   zelkarin_bench_export measure (--sqlite FILE | --postgresql DATABASE) [--seed N]
//       [--samples N] --profile DIR
//   zelkarin_bench_export (program | floor) ... --class (full | big) [--cold]
#include "BenchOptions.h"
#include "CalcTestModule.h"
#include "Children.h"
#include "ClassListExport.h"
#include "Connections.h"
#include "LoginWindowDriver.h"
#include "MainWindowDriver.h"
#include "MessageRecorder.h"
#include "OfficeSession.h"
#include "Probe.h"
#include "Report.h"
#include "SpreadsheetLoader.h"
#include "UnoText.h"
#include "frmMain.h"

#include <QPushButton>
#include <QUrl>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/sheet/XCellRangeFormula.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/table/XCellRange.hpp>

#include <cstdio>
#include <exception>

using namespace css;

namespace {

using Block = uno::Sequence<uno::Sequence<rtl::OUString>>;

CalcOptions headlessOffice(const BenchOptions& options) {
    CalcOptions office;
    office.headless = true;
    office.profileDirectory = options.value(QStringLiteral("profile"));
    return office;
}

ClassKey exportedClass(const BenchOptions& options) {
    return options.value(QStringLiteral("class")) == QLatin1String("big")
               ? options.facts().bigClass
               : options.facts().fullClass;
}

// Samples of `once`: one cold one, or one to start the office and then the timed ones, the
// documents closed after each.
void sampleExports(const BenchOptions& options, const std::function<double()>& once,
                   void (*closeDocuments)()) {
    if (options.isSet(QStringLiteral("cold"))) {
        reportToParent("ms", once());
        return;
    }
    once();
    closeDocuments();
    for (int i = 1; i <= options.samples(); ++i) {
        reportToParent(("ms_" + std::to_string(i)).c_str(), once());
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
    sampleExports(
        options,
        [&] {
            double yes = 0;
            messages.setOnNextMessage([&yes] { yes = nowMs(); });
            QTest::mouseClick(create, Qt::LeftButton);
            return nowMs() - yes;
        },
        module.closeDocuments);
    module.shutdown();
    const QString confirmation =
        QStringLiteral("Are you sure you want to create a class list of: %1 in Excel?")
            .arg(key.subject);
    if (messages.prompts().removeAll(confirmation) != messages.messages().size())
        throw std::runtime_error("the program said: " +
                                 messages.prompts().join(u'/').toStdString());
    Connections::releaseAll();
}

// The floor: the section's enrolled students as the export writes them, B to F (TLOAD's
// columns 9 to 13: studentID, lastname, firstname, middleInitial, ecourse), into an untitled
// copy of the template's sheet "Attendance" without a window, as the module loads it.
void floorChild(const BenchOptions& options) {
    const CollegeFacts facts = options.facts();
    const ClassKey key = exportedClass(options);
    const Rows rows = options.floor()()(
        classListStatement(facts.profid, facts.activePeriod, key.subject, key.schedule));
    Block block(sal_Int32(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        block.getArray()[r].realloc(5);
        for (sal_Int32 c = 0; c < 5; ++c)
            block.getArray()[r].getArray()[c] = toOUString(
                QString::fromStdString(rows[r][std::size_t(9 + c)].value_or("")).trimmed());
    }
    uno::Sequence<beans::PropertyValue> arguments(2);
    arguments.getArray()[0].Name = "AsTemplate";
    arguments.getArray()[0].Value <<= true;
    arguments.getArray()[1].Name = "Hidden";
    arguments.getArray()[1].Value <<= true;
    const rtl::OUString url =
        toOUString(QUrl::fromLocalFile(Connections::templatePath()).toString(QUrl::FullyEncoded));
    std::shared_ptr<OfficeSession> office;
    sampleExports(
        options,
        [&] {
            const double start = nowMs();
            if (!office) // the first load also reads the filter's code
                office = OfficeSession::obtain(headlessOffice(options));
            const uno::Reference<sheet::XSpreadsheetDocument> document(
                office->desktop()->loadComponentFromURL(url, "_blank", 0, arguments),
                uno::UNO_QUERY_THROW);
            const uno::Reference<table::XCellRange> sheet(
                document->getSheets()->getByName("Attendance"), uno::UNO_QUERY_THROW);
            const uno::Reference<sheet::XCellRangeFormula> cells(
                sheet->getCellRangeByName(
                    toOUString(QStringLiteral("B10:F%1").arg(9 + block.getLength()))),
                uno::UNO_QUERY_THROW);
            cells->setFormulaArray(block);
            return nowMs() - start;
        },
        zelkarin_calc_close_documents);
    zelkarin_calc_shutdown();
}

void measure(const BenchOptions& options) {
    const auto run = [&options](const char* child, const char* size, bool cold) {
        QStringList arguments = QStringList(QLatin1String(child))
                                << options.arguments() << QStringLiteral("--class")
                                << QLatin1String(size) << QStringLiteral("--profile")
                                << options.value(QStringLiteral("profile"));
        if (cold)
            arguments << QStringLiteral("--cold");
        return runChild(QCoreApplication::applicationFilePath(), arguments).values();
    };
    const auto sample = [&run](Figure& figure, const char* size, bool cold) {
        for (double ms : run("floor", size, cold))
            figure.floor.add(ms);
        for (double ms : run("program", size, cold))
            figure.program.add(ms);
    };
    run("floor", "full", true); // the first start of an office makes its profile
    Figure full("Export, 60 students, Calc running", options.engineName());
    Figure big("Export, 500 students, Calc running", options.engineName());
    Figure cold("Export, 60 students, Calc not running", options.engineName());
    sample(full, "full", false);
    sample(big, "big", false);
    for (int i = 0; i < std::max(3, options.samples() / 2); ++i)
        sample(cold, "full", true);
    full.target = "<= 2x floor";
    full.met = verdict(full.program.figure() <= 2 * full.floor.figure());
    for (const Figure* figure : {&full, &big, &cold})
        printFigure(*figure);
}

} // namespace

int main(int argc, char* argv[]) {
    try {
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        const BenchOptions options(arguments);
        if (options.command() == QLatin1String("program")) {
            NameOnlyApplication application(argv[0]);
            programChild(options);
        } else {
            QCoreApplication app(argc, argv);
            if (options.command() == QLatin1String("floor"))
                floorChild(options);
            else
                measure(options);
        }
        return 0;
    } catch (const uno::Exception& error) {
        std::fprintf(stderr, "zelkarin_bench_export: %s\n", qPrintable(toQString(error.Message)));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelkarin_bench_export: %s\n", error.what());
    }
    return 1;
}
