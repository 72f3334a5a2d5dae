#include "TeachingLoad.h"

#include "BusyCursor.h"
#include "Connections.h"
#include "MsgBox.h"

#include <QComboBox>
#include <QTreeWidget>

namespace {

// Each statement runs on a connection of its own, under the wait cursor.
Recordset run(const Statement& statement) {
    BusyCursor busy;
    Connections::OpenConnection();
    return Connections::Execute(statement);
}

} // namespace

Statement offeredPeriodsStatement() {
    return Statement("SELECT * from PERIOD where tanong='YES'");
}

void peryod(QComboBox* periods) {
    Recordset& rs = Connections::rsPeriods;
    rs = run(offeredPeriodsStatement());
    if (rs.bof() || rs.eof())
        return;
    QStringList entries;
    for (; !rs.eof(); rs.moveNext())
        entries << rs.field(QStringLiteral("sy_sem")).text();
    // Filling an empty combo box selects its first entry; the text is the caller's business.
    const QString text = periods->currentText();
    periods->clear();
    periods->addItems(entries);
    periods->setCurrentIndex(-1);
    periods->setEditText(text);
}

Statement teachingLoadStatement(LoadForm form, const QString& facultyId, const QString& period) {
    // clang-format off
    if (form == LoadForm::EnrolledOnly)
        return Statement("SELECT schedule,ssection,room,units,subjectname,periodcode,subject,enrollstatus,professorid,subject,count(subject)as NoOfE FROM TLOAD Group by periodcode,subject,professorid,subjectname,ssection,schedule,room,units,enrollstatus HAVING professorid='")
            .value(facultyId).sql("' and periodcode='").value(period).sql("' and enrollstatus='Enrolled'");
    return Statement("SELECT schedule,ssection,room,units,subjectname,periodcode,subject,professorid,subject,count(subject)as NoOfE FROM TLOAD Group by periodcode,subject,professorid,subjectname,ssection,schedule,room,units HAVING professorid='")
        .value(facultyId).sql("' and periodcode='").value(period).sql("'");
    // clang-format on
}

void LoadTeachingLoad(LoadForm form, const QString& facultyId, const QString& period,
                      QTreeWidget* list) {
    Recordset& rs = Connections::rs;
    rs = run(teachingLoadStatement(form, facultyId, period));
    list->clear();
    if (rs.bof() || rs.eof()) {
        MsgBox(QStringLiteral("No Teaching Load Avaible"));
        return;
    }
    // The row's text, then sub-items 1 to 6.
    static const QStringList columns = {QStringLiteral("subject"), QStringLiteral("subjectname"),
                                        QStringLiteral("units"),   QStringLiteral("schedule"),
                                        QStringLiteral("room"),    QStringLiteral("NoOfE"),
                                        QStringLiteral("ssection")};
    QList<QTreeWidgetItem*> rows;
    for (; !rs.eof(); rs.moveNext()) {
        QStringList cells;
        for (const QString& column : columns)
            cells << rs.field(column).textOrEmpty();
        rows << new QTreeWidgetItem(cells);
    }
    list->addTopLevelItems(rows);
}

Statement activePeriodStatement() {
    return Statement("SELECT * from PERIOD where status='ACTIVE'");
}

void loadActivePeriod(const QString& facultyId, QComboBox* periods, QTreeWidget* list) {
    Recordset& active = Connections::rsActive;
    active = run(activePeriodStatement());
    if (active.bof() || active.eof()) {
        periods->setEditText(QString());
        peryod(periods);
        MsgBox(QStringLiteral("No Active Period"));
        return;
    }
    peryod(periods);
    // Set by the program, so the combo box's choice handler does not run: the enrolled-only
    // load below is the start-up's own. An offered period becomes the current entry, so that
    // the arrow keys and the open list start from it; any other is the edit field's text.
    const QString activePeriod = active.field(QStringLiteral("sy_sem")).text();
    const int entry = periods->findText(activePeriod);
    if (entry >= 0)
        periods->setCurrentIndex(entry);
    else
        periods->setEditText(activePeriod);
    LoadTeachingLoad(LoadForm::EnrolledOnly, facultyId, periods->currentText(), list);
}
