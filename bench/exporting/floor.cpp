// The floor of a class list export: a running headless Calc loads the template as an untitled
// copy, and the class's whole student block goes in with one setFormulaArray. With --cold the
// office is started first, inside the time. With --batched, what an export that wrote the block
// in one call would send: the floor plus the emptied block and the six heading cells; with
// --cell-by-cell, the same with a call of its own for every student cell.
//   zelkarin_bench_export_floor (--sqlite FILE | --postgresql DATABASE) [--seed N] [--samples N]
//       --template PATH --profile DIR --class (full|big) [--cold] [--batched | --cell-by-cell]
#include "BenchDatabase.h"
#include "Office.h"
#include "Probe.h"
#include "ProgramStatements.h"

#include <QCoreApplication>
#include <QUrl>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/XCellRangeFormula.hpp>
#include <com/sun/star/sheet/XSheetOperation.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/uno/Exception.hpp>

#include <cstdio>
#include <exception>
#include <vector>

using namespace css;

namespace {

rtl::OUString toOUString(const std::string& text) {
    return rtl::OUString(text.data(), sal_Int32(text.size()), RTL_TEXTENCODING_UTF8);
}

std::string trimmed(const std::optional<std::string>& value) {
    if (!value)
        return {};
    const auto first = value->find_first_not_of(' ');
    return first == std::string::npos
               ? std::string()
               : value->substr(first, value->find_last_not_of(' ') - first + 1);
}

using Block = uno::Sequence<uno::Sequence<rtl::OUString>>;

// What the export writes for a class: the heading cells and the student block.
struct ClassList {
    std::vector<std::pair<rtl::OUString, rtl::OUString>> heading; // cell, value
    Block students; // B to F: studentID, lastname, firstname, middleInitial, ecourse
};

ClassList classList(const BenchOptions& options, const ClassKey& key) {
    const CollegeFacts facts = options.facts();
    const Rows rows = options.floor()()->run(
        classListStatement(facts.profid, facts.activePeriod, key.subject, key.schedule));
    // TLOAD's columns: periodcode 1, subject 2, subjectname 3, units 4, schedule 5, then the
    // student's from 9 on.
    const auto& first = rows.front();
    ClassList list{{{"C3", toOUString(facts.displayName)},
                    {"D5", toOUString(trimmed(first[2]))},
                    {"I5", toOUString(trimmed(first[3]))},
                    {"I6", toOUString(trimmed(first[1]))},
                    {"AE6", toOUString(trimmed(first[4]))},
                    {"Y5", toOUString(trimmed(first[5]))}},
                   Block(sal_Int32(rows.size()))};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        uno::Sequence<rtl::OUString> row(5);
        for (sal_Int32 c = 0; c < 5; ++c)
            row.getArray()[c] = toOUString(trimmed(rows[r][std::size_t(9 + c)]));
        list.students.getArray()[r] = row;
    }
    return list;
}

// An untitled copy of the template's sheet "Attendance", without a window, as the program's
// module loads it into a headless office.
uno::Reference<table::XCellRange> openTemplate(const Office& office, const rtl::OUString& url) {
    uno::Sequence<beans::PropertyValue> arguments(2);
    arguments.getArray()[0].Name = "AsTemplate";
    arguments.getArray()[0].Value <<= true;
    arguments.getArray()[1].Name = "Hidden";
    arguments.getArray()[1].Value <<= true;
    const uno::Reference<sheet::XSpreadsheetDocument> document(
        office.desktop()->loadComponentFromURL(url, "_blank", 0, arguments), uno::UNO_QUERY_THROW);
    return {document->getSheets()->getByName("Attendance"), uno::UNO_QUERY_THROW};
}

void writeStudents(const uno::Reference<table::XCellRange>& sheet, const Block& students) {
    const std::string range = "B10:F" + std::to_string(9 + students.getLength());
    const uno::Reference<sheet::XCellRangeFormula> cells(
        sheet->getCellRangeByName(toOUString(range)), uno::UNO_QUERY_THROW);
    cells->setFormulaArray(students);
}

// The floor: the template and the block in one call.
void fill(const Office& office, const rtl::OUString& url, const ClassList& list) {
    writeStudents(openTemplate(office, url), list.students);
}

// An export that wrote the block in one call would add these: the emptied block and the
// heading cells one by one.
uno::Reference<table::XCellRange> openWithHeading(const Office& office, const rtl::OUString& url,
                                                  const ClassList& list) {
    const uno::Reference<table::XCellRange> sheet = openTemplate(office, url);
    const uno::Reference<sheet::XSheetOperation> block(sheet->getCellRangeByName("B10:F69"),
                                                       uno::UNO_QUERY_THROW);
    block->clearContents(sheet::CellFlags::VALUE | sheet::CellFlags::DATETIME |
                         sheet::CellFlags::STRING | sheet::CellFlags::FORMULA);
    for (const auto& [cell, value] : list.heading)
        uno::Reference<table::XCell>(sheet->getCellRangeByName(cell), uno::UNO_QUERY_THROW)
            ->setFormula(value);
    return sheet;
}

void fillBatched(const Office& office, const rtl::OUString& url, const ClassList& list) {
    writeStudents(openWithHeading(office, url, list), list.students);
}

// The least that setting every student cell by a call of its own costs: the cell fetched by
// position, which hands back the cell itself, and one setFormula.
void fillCellByCell(const Office& office, const rtl::OUString& url, const ClassList& list) {
    const uno::Reference<table::XCellRange> sheet = openWithHeading(office, url, list);
    const int firstRow = 9, columnB = 1;
    for (sal_Int32 r = 0; r < list.students.getLength(); ++r)
        for (sal_Int32 c = 0; c < 5; ++c)
            sheet->getCellByPosition(columnB + c, firstRow + r)->setFormula(list.students[r][c]);
}

int run(const BenchOptions& options) {
    const CollegeFacts facts = options.facts();
    const ClassKey& key =
        options.value("--class") == QLatin1String("big") ? facts.bigClass : facts.fullClass;
    const ClassList list = classList(options, key);
    const auto write = options.rest.contains(QStringLiteral("--batched"))        ? fillBatched
                       : options.rest.contains(QStringLiteral("--cell-by-cell")) ? fillCellByCell
                                                                                 : fill;
    const rtl::OUString templateUrl = toOUString(QUrl::fromLocalFile(options.value("--template"))
                                                     .toString(QUrl::FullyEncoded)
                                                     .toStdString());
    const QString profile = options.value("--profile");

    if (options.rest.contains(QStringLiteral("--cold"))) {
        const double start = nowMs();
        const Office office(profile);
        write(office, templateUrl, list);
        reportToParent("ms", nowMs() - start);
        return 0;
    }
    const Office office(profile);
    write(office, templateUrl, list); // the first load reads the filter's code
    office.closeDocuments();
    for (int i = 1; i <= options.samples; ++i) {
        const double start = nowMs();
        write(office, templateUrl, list);
        reportToParent(("ms_" + std::to_string(i)).c_str(), nowMs() - start);
        office.closeDocuments();
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    try {
        const BenchOptions options =
            BenchOptions::parse(argc, argv,
                                {QStringLiteral("--cold"), QStringLiteral("--batched"),
                                 QStringLiteral("--cell-by-cell")});
        QCoreApplication app(argc, argv);
        return run(options);
    } catch (const uno::Exception& error) {
        std::fprintf(stderr, "zelkarin_bench_export_floor: %s\n",
                     rtl::OUStringToOString(error.Message, RTL_TEXTENCODING_UTF8).getStr());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelkarin_bench_export_floor: %s\n", error.what());
    }
    return 1;
}
