// The floor of a class list export: a running headless Calc loads the template as an untitled
// copy, and the class's whole student block goes in with one setFormulaArray. The office is
// reached through the Calc module's own session; with --cold it is started first, inside the
// time. The module's test entry points close the documents between samples and end the office.
//   zelkarin_bench_export_floor (--sqlite FILE | --postgresql DATABASE) [--seed N] [--samples N]
//       --template PATH --profile DIR --class (full|big) [--cold]
#include "BenchDatabase.h"
#include "CalcTestSupport.h"
#include "ClassListExport.h"
#include "OfficeSession.h"
#include "Probe.h"
#include "UnoText.h"

#include <QCoreApplication>
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

// The section's enrolled students as the export writes them, B to F: studentID, lastname,
// firstname, middleInitial, ecourse (TLOAD's columns 9 to 13).
Block students(const BenchOptions& options, const ClassKey& key) {
    const CollegeFacts facts = options.facts();
    const Rows rows = options.floor()()->run(
        classListStatement(facts.profid, facts.activePeriod, key.subject, key.schedule));
    Block block(sal_Int32(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        uno::Sequence<rtl::OUString> row(5);
        for (sal_Int32 c = 0; c < 5; ++c)
            row.getArray()[c] = toOUString(
                QString::fromStdString(rows[r][std::size_t(9 + c)].value_or("")).trimmed());
        block.getArray()[r] = row;
    }
    return block;
}

// An untitled copy of the template's sheet "Attendance", without a window, as the program's
// module loads it into a headless office, and the block in one call.
void fill(const OfficeSession& office, const rtl::OUString& url, const Block& block) {
    uno::Sequence<beans::PropertyValue> arguments(2);
    arguments.getArray()[0].Name = "AsTemplate";
    arguments.getArray()[0].Value <<= true;
    arguments.getArray()[1].Name = "Hidden";
    arguments.getArray()[1].Value <<= true;
    const uno::Reference<sheet::XSpreadsheetDocument> document(
        office.desktop()->loadComponentFromURL(url, "_blank", 0, arguments), uno::UNO_QUERY_THROW);
    const uno::Reference<table::XCellRange> sheet(document->getSheets()->getByName("Attendance"),
                                                  uno::UNO_QUERY_THROW);
    const uno::Reference<sheet::XCellRangeFormula> cells(
        sheet->getCellRangeByName(toOUString(QStringLiteral("B10:F%1").arg(9 + block.getLength()))),
        uno::UNO_QUERY_THROW);
    cells->setFormulaArray(block);
}

int run(const BenchOptions& options) {
    const CollegeFacts facts = options.facts();
    const Block block =
        students(options, options.value("--class") == QLatin1String("big") ? facts.bigClass
                                                                           : facts.fullClass);
    const rtl::OUString url =
        toOUString(QUrl::fromLocalFile(options.value("--template")).toString(QUrl::FullyEncoded));
    CalcOptions calc;
    calc.headless = true;
    calc.profileDirectory = options.value("--profile");

    if (options.rest.contains(QStringLiteral("--cold"))) {
        const double start = nowMs();
        fill(*OfficeSession::obtain(calc), url, block);
        reportToParent("ms", nowMs() - start);
    } else {
        const std::shared_ptr<OfficeSession> office = OfficeSession::obtain(calc);
        fill(*office, url, block); // the first load reads the filter's code
        zelkarin_calc_close_documents();
        for (int i = 1; i <= options.samples; ++i) {
            const double start = nowMs();
            fill(*office, url, block);
            reportToParent(("ms_" + std::to_string(i)).c_str(), nowMs() - start);
            zelkarin_calc_close_documents();
        }
    }
    zelkarin_calc_shutdown();
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    try {
        const BenchOptions options = BenchOptions::parse(argc, argv, {QStringLiteral("--cold")});
        QCoreApplication app(argc, argv);
        return run(options);
    } catch (const uno::Exception& error) {
        std::fprintf(stderr, "zelkarin_bench_export_floor: %s\n",
                     qPrintable(toQString(error.Message)));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelkarin_bench_export_floor: %s\n", error.what());
    }
    return 1;
}
