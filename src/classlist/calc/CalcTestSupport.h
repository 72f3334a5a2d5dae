#pragma once

#include <QString>
#include <QtGlobal>

class Spreadsheet;

// Entry points of the Calc module for its tests; the program itself uses the factory only.
// Each may throw zelkarin::Error.

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
// The process group of the office that the module started last, 0 when there is none.
qint64 zelkarin_calc_office_process();
// Closes every document of that office without saving.
void zelkarin_calc_close_documents();
// Closes every document, ends the office and waits for its process to end.
void zelkarin_calc_shutdown();
}
