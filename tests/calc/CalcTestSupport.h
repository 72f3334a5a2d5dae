#pragma once

#include <QString>
#include <QtGlobal>

class Spreadsheet;

// Entry points that the test build of the Calc module adds to the program's own (the program's
// module has the factory only). Each may throw zelkarin::Error.

struct CalcViewState {
    QString documentUrl; // empty for an untitled workbook
    QString activeSheet;
    QString selection; // absolute, with the sheet: "$Attendance.$B$10:$F$69"
};

struct CalcCellFormat {
    qint32 backColor = -1; // 0xRRGGBB, -1 for none
    QString numberFormat;  // the format code, "General" for the default
};

extern "C" {
void zelkarin_calc_view_state(const Spreadsheet* sheet, CalcViewState* state);
void zelkarin_calc_cell_format(const Spreadsheet* sheet, const QString* cell,
                               CalcCellFormat* format);
// The cell of the sheet's target sheet as one would type it in en-US to get it back: a formula
// with its leading "=", a number in en-US notation without its format ("1234.5"), text as it
// is, but with a leading apostrophe when the text reads as a number or formula ("'01234",
// "'=1+2"); empty text for an empty cell.
void zelkarin_calc_cell_content(const Spreadsheet* sheet, const QString* cell, QString* content);
// The process group of the office that the module started last, 0 when there is none or the
// started process handed its work to an office already running.
qint64 zelkarin_calc_office_process();
// Closes every document of that office without saving.
void zelkarin_calc_close_documents();
// Closes every document, ends the office and waits for its process to end.
void zelkarin_calc_shutdown();
}
