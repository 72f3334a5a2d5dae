#include "GradingSheet.h"

#include "ClassListConversions.h"
#include "Connections.h"
#include "Spreadsheet.h"

#include <optional>

namespace {

struct CellField {
    const char* cell; // a column letter alone for the student rows
    const char* field;
};

// In the order they are written.
constexpr CellField headingCells[] = {{"D5", "subject"},
                                      {"I5", "subjectname"},
                                      {"I6", "periodcode"},
                                      {"AE6", "units"},
                                      {"Y5", "schedule"}};
constexpr CellField studentColumns[] = {{"B", "studentID"},
                                        {"C", "lastname"},
                                        {"D", "firstname"},
                                        {"E", "middleInitial"},
                                        {"F", "ecourse"}};
constexpr int firstStudentRow = 10;

// NULL stays NULL: the cell is emptied rather than the export failing.
std::optional<QString> trimmedField(const Recordset& row, const char* name) {
    const Field field = row.field(QLatin1String(name));
    if (field.isNull())
        return std::nullopt;
    return trimSpaces(field.textOrEmpty());
}

void writeHeading(Spreadsheet& sheet, const Recordset& firstRow, const QString& memberName) {
    sheet.select(QStringLiteral("C3"));
    sheet.setCell(QStringLiteral("C3"), trimSpaces(memberName));
    for (const CellField& heading : headingCells)
        sheet.setCell(QLatin1String(heading.cell), trimmedField(firstRow, heading.field));
}

// The student data of that row is overwritten: the mark tells the member the list goes on.
void writeMoreStudentsMark(Spreadsheet& sheet, int row) {
    sheet.setCell(cellReference("B", row), QStringLiteral("*"));
    for (const char* column : {"C", "D", "E", "F"})
        sheet.setCell(cellReference(column, row), QString());
}

void writeStudents(Spreadsheet& sheet, Recordset& students, qint16 enrolled) {
    int row = firstStudentRow;
    int counter = 1;
    while (!students.eof()) {
        for (const CellField& column : studentColumns)
            sheet.setCell(cellReference(column.cell, row), trimmedField(students, column.field));
        sheet.select(cellReference("B", row));
        ++row;
        ++counter;
        if (counter > enrolled + 1) {
            writeMoreStudentsMark(sheet, row - 1);
            return;
        }
        students.moveNext();
    }
}

} // namespace

void fillGradingSheet(Spreadsheet& sheet, Recordset& students, const QString& memberName,
                      qint16 enrolled) {
    const QString studentBlock = QStringLiteral("B10:F69");
    sheet.openTemplate(Connections::templatePath());
    sheet.activateSheet(QStringLiteral("Attendance"));
    // Visible before the first change, so the member sees the sheet fill.
    sheet.show();
    sheet.select(studentBlock);
    sheet.clearContents(studentBlock);
    writeHeading(sheet, students, memberName);
    writeStudents(sheet, students, enrolled);
}
