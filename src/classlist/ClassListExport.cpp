#include "ClassListExport.h"

#include "BusyCursor.h"
#include "ClassListConversions.h"
#include "Connections.h"
#include "GradingSheet.h"
#include "MsgBox.h"
#include "SpreadsheetLoader.h"

std::unique_ptr<Spreadsheet> startDesktopSpreadsheet() {
    // On the member's screen, with the member's own profile.
    return startSpreadsheet(CalcOptions{});
}

Statement classListStatement(const QString& facultyId, const QString& period,
                             const QString& subjectCode, const QString& schedule) {
    Statement statement("SELECT * FROM TLOAD where professorid='");
    statement.value(facultyId)
        .sql("' and periodcode='")
        .value(period)
        .sql("' and subject='")
        .value(subjectCode)
        .sql("' and schedule='")
        .value(schedule)
        .sql("' and enrollstatus='Enrolled' ORDER BY LASTNAME ");
    return statement;
}

void createClassList(const ClassListRequest& request, const SpreadsheetStarter& start) {
    // A label naming a subject while the list has no selected row (the period changed since)
    // gets the same answer as no subject at all.
    if (request.subjectLabel.isEmpty() || request.subjectLabel == u"-" || !request.selectedRow) {
        MsgBox(QStringLiteral("Select first the subject on the list"), MsgStyle::OkOnly,
               QStringLiteral("SUBJECT"));
        return;
    }
    const QString subjectCode = trimSpaces(request.selectedRow->value(0));
    const QString schedule = trimSpaces(request.selectedRow->value(3));
    const QString enrolledText = trimSpaces(request.selectedRow->value(5));

    const BusyCursor busy;
    if (MsgBox(QStringLiteral("Are you sure you want to create a class list of: ") + subjectCode +
                   QStringLiteral(" in Excel?"),
               MsgStyle::YesNoQuestion, QStringLiteral("Class List")) != MsgAnswer::Yes)
        return;

    Connections::OpenConnection();
    Connections::rs = Connections::Execute(
        classListStatement(request.facultyId, request.period, subjectCode, schedule));
    if (Connections::rs.bof() || Connections::rs.eof()) {
        MsgBox(QStringLiteral("Record not found! Please try again."));
        return;
    }
    // Converted before the spreadsheet starts, so a bad count changes nothing there.
    const qint16 enrolled = enrolledCount(enrolledText);
    const std::unique_ptr<Spreadsheet> sheet = start();
    fillGradingSheet(*sheet, Connections::rs, request.memberName, enrolled);
}
