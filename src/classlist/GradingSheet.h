#pragma once

#include <QString>
#include <QtGlobal>

class Recordset;
class Spreadsheet;

// Opens the grading-sheet template in the started spreadsheet and fills its sheet "Attendance":
// the member's name and the section heading from the first student row, then one row per
// student from row 10 on. At most `enrolled` students are listed; when there are more, the row
// after the last one listed gets "*" instead. Leaves `students` at its end or at the first
// student left out, and the workbook open and unsaved.
void fillGradingSheet(Spreadsheet& sheet, Recordset& students, const QString& memberName,
                      qint16 enrolled);
