#pragma once

#include "Spreadsheet.h"
#include "Statement.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// What the main window hands the export when its button is clicked.
struct ClassListRequest {
    QString subjectLabel;                   // caption of lblsubcode
    std::optional<QStringList> selectedRow; // cells of the selected row: text, sub-items 1 to 6
    QString period;                         // text of cboPeriod
    QString memberName;                     // caption of txtName
    QString facultyId;                      // UserID
};

// Starts the spreadsheet application; throws zelkarin::Error when it cannot.
using SpreadsheetStarter = std::function<std::unique_ptr<Spreadsheet>()>;

// The spreadsheet application of the desktop: LibreOffice Calc.
std::unique_ptr<Spreadsheet> startDesktopSpreadsheet();

// The cmdCreate click: confirmation, the section's enrolled students, the filled workbook.
// Failures of the database or the spreadsheet leave as zelkarin::Error for the handler's guard;
// an enrolled count that is not a 16-bit number fails before the spreadsheet is started.
void createClassList(const ClassListRequest& request,
                     const SpreadsheetStarter& start = startDesktopSpreadsheet);

// The enrolled students of one section of the member, by last name.
Statement classListStatement(const QString& facultyId, const QString& period,
                             const QString& subjectCode, const QString& schedule);
