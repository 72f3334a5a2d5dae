#include "Connections.h"
#include "Error.h"
#include "ErrorOf.h"
#include "TeachingLoad.h"
#include "TestDatabase.h"
#include "TestFixture.h"

#include <QComboBox>
#include <QTest>
#include <QTreeWidget>

namespace {

const QString santos = QStringLiteral("12-345-67");
const QString activePeriod = QStringLiteral("2026-2027 1st Semester");
const QString santosActiveLoad = QStringLiteral(
    "SELECT schedule,ssection,room,units,subjectname,periodcode,subject,professorid,subject,"
    "count(subject)as NoOfE FROM TLOAD Group by periodcode,subject,professorid,subjectname,"
    "ssection,schedule,room,units HAVING professorid='12-345-67' and "
    "periodcode='2026-2027 1st Semester'");

QList<QStringList> cells(const QTreeWidget& list) {
    QList<QStringList> rows;
    for (int row = 0; row < list.topLevelItemCount(); ++row) {
        QStringList rowCells;
        for (int column = 0; column < 7; ++column)
            rowCells << list.topLevelItem(row)->text(column);
        rows << rowCells;
    }
    return rows;
}

QList<QStringList> sorted(QList<QStringList> rows) {
    std::sort(rows.begin(), rows.end());
    return rows;
}

QStringList entries(const QComboBox& combo) {
    QStringList result;
    for (int i = 0; i < combo.count(); ++i)
        result << combo.itemText(i);
    return result;
}

} // namespace

class TestTeachingLoad : public TestFixture {
    Q_OBJECT

private slots:
    void statementTextsAreTheFixedOnes();

    void offeredPeriodsInResultOrderKeepingTheText_data() { addEngineRows(); }
    void offeredPeriodsInResultOrderKeepingTheText();
    void noOfferedPeriodLeavesTheListAlone_data() { addEngineRows(); }
    void noOfferedPeriodLeavesTheListAlone();

    void bothFormsCountTheirOwnRows_data() { addEngineRows(); }
    void bothFormsCountTheirOwnRows();
    void nullCellsAreEmpty_data() { addEngineRows(); }
    void nullCellsAreEmpty();
    void quotedValuesSelectOnlyTheirOwnRows_data() { addEngineRows(); }
    void quotedValuesSelectOnlyTheirOwnRows();

private:
    std::unique_ptr<TestDatabase>
    open(TestDatabase::Content content = TestDatabase::Content::DemoData);
};

std::unique_ptr<TestDatabase> TestTeachingLoad::open(TestDatabase::Content content) {
    QFETCH(Engine, engine);
    auto db = std::make_unique<TestDatabase>(engine, content);
    Connections::useConnectionString(db->connectionString());
    return db;
}

void TestTeachingLoad::statementTextsAreTheFixedOnes() {
    QCOMPARE(offeredPeriodsStatement().text(), "SELECT * from PERIOD where tanong='YES'");
    QCOMPARE(activePeriodStatement().text(), "SELECT * from PERIOD where status='ACTIVE'");
    QCOMPARE(teachingLoadStatement(LoadForm::EnrolledOnly, santos, activePeriod).text(),
             "SELECT schedule,ssection,room,units,subjectname,periodcode,subject,enrollstatus,"
             "professorid,subject,count(subject)as NoOfE FROM TLOAD Group by periodcode,subject,"
             "professorid,subjectname,ssection,schedule,room,units,enrollstatus HAVING "
             "professorid='12-345-67' and periodcode='2026-2027 1st Semester' and "
             "enrollstatus='Enrolled'");
    QCOMPARE(teachingLoadStatement(LoadForm::AllRows, santos, activePeriod).text(),
             santosActiveLoad);
    QVERIFY(teachingLoadStatement(LoadForm::AllRows, "1'1", "Rector's")
                .text()
                .endsWith("HAVING professorid='1''1' and periodcode='Rector''s'"));
}

void TestTeachingLoad::offeredPeriodsInResultOrderKeepingTheText() {
    const auto db = open();
    db->exec("INSERT INTO PERIOD (sy_sem, status, tanong) VALUES ('', 'INACTIVE', 'YES')");
    // In the order of insertion, the one just made last.
    const QStringList expected = {"2025-2026 1st Semester", "2025-2026 2nd Semester",
                                  "2025-2026 Summer", "2026-2027 1st Semester", ""};

    QComboBox combo;
    combo.setEditable(true);
    combo.addItem("stale entry");
    combo.setEditText("typed text");
    peryod(&combo);
    QCOMPARE(entries(combo), expected);
    QCOMPARE(combo.currentText(), "typed text");

    QComboBox empty;
    empty.setEditable(true);
    peryod(&empty);
    QCOMPARE(entries(empty), expected);
    QCOMPARE(empty.currentText(), QString());

    // A NULL period name cannot become an entry's text.
    db->exec("INSERT INTO PERIOD (sy_sem, status, tanong) VALUES (NULL, 'INACTIVE', 'YES')");
    const auto error = errorOf([&] { peryod(&empty); });
    QVERIFY(error);
    QCOMPARE(error->number(), zelkarin::Error::InvalidUseOfNull);
}

void TestTeachingLoad::noOfferedPeriodLeavesTheListAlone() {
    const auto db = open();
    db->exec("UPDATE PERIOD SET tanong='NO'");
    QComboBox combo;
    combo.setEditable(true);
    combo.addItems({"kept 1", "kept 2"});
    combo.setEditText("kept text");
    peryod(&combo);
    QCOMPARE(entries(combo), QStringList({"kept 1", "kept 2"}));
    QCOMPARE(combo.currentText(), "kept text");
}

void TestTeachingLoad::bothFormsCountTheirOwnRows() {
    const auto db = open();
    QTreeWidget list;
    list.setColumnCount(7);

    LoadTeachingLoad(LoadForm::EnrolledOnly, santos, activePeriod, &list);
    const QList<QStringList> enrolled = {{"GE 104", "Mathematics in the Modern World", "3",
                                          "TTh 2:30-4:00 PM", "RM-305", "6", "BSIT 1-A"},
                                         {"IT 101", "Introduction to Computing", "3",
                                          "MWF 8:00-9:00 AM", "CL-101", "11", "BSIT 1-A"},
                                         {"IT 102", "Computer Programming 1", "3",
                                          "TTh 10:00-11:30 AM", "CL-102", "65", "BSIT 1-B"}};
    QCOMPARE(sorted(cells(list)), enrolled);

    LoadTeachingLoad(LoadForm::AllRows, santos, activePeriod, &list);
    const QList<QStringList> all = {
        {"GE 104", "Mathematics in the Modern World", "3", "TTh 2:30-4:00 PM", "RM-305", "7",
         "BSIT 1-A"},
        {"IT 101", "Introduction to Computing", "3", "MWF 8:00-9:00 AM", "CL-101", "13",
         "BSIT 1-A"},
        {"IT 102", "Computer Programming 1", "3", "TTh 10:00-11:30 AM", "CL-102", "68", "BSIT 1-B"},
        {"IT 213", "Data Structures and Algorithms", "3", "MW 1:00-2:30 PM", "CL-201", "4",
         "BSIT 2-A"}};
    QCOMPARE(sorted(cells(list)), all);

    // Rows keep the order in which the database delivers the groups.
    QStringList delivered;
    for (const QStringList& row : db->rows(santosActiveLoad))
        delivered << row.at(6);
    QStringList shown;
    for (const QStringList& row : cells(list))
        shown << row.first();
    QCOMPARE(shown, delivered);
    QVERIFY(messages.messages().isEmpty());
}

void TestTeachingLoad::nullCellsAreEmpty() {
    const auto db = open(TestDatabase::Content::SchemaOnly);
    db->exec("INSERT INTO TLOAD (professorid, periodcode, subject, subjectname, units, schedule, "
             "room, ssection, enrollstatus) VALUES ('11-111-11', 'P', NULL, NULL, NULL, NULL, "
             "NULL, NULL, 'Enrolled')");
    QTreeWidget list;
    list.setColumnCount(7);
    LoadTeachingLoad(LoadForm::EnrolledOnly, "11-111-11", "P", &list);
    // count(subject) skips the NULL subject.
    QCOMPARE(cells(list), QList<QStringList>({{"", "", "", "", "", "0", ""}}));
}

void TestTeachingLoad::quotedValuesSelectOnlyTheirOwnRows() {
    const auto db = open();
    db->exec("INSERT INTO TLOAD (professorid, periodcode, subject, subjectname, units, schedule, "
             "room, ssection, enrollstatus) VALUES ('12-345-67', 'Rector''s Term', 'THY 1', "
             "'O''Neil''s Theory', '2', 'Sat', 'R''1', 'A', 'Enrolled')");
    QTreeWidget list;
    list.setColumnCount(7);
    LoadTeachingLoad(LoadForm::EnrolledOnly, santos, "Rector's Term", &list);
    QCOMPARE(cells(list),
             QList<QStringList>({{"THY 1", "O'Neil's Theory", "2", "Sat", "R'1", "1", "A"}}));

    // A value that tries to widen the condition finds nothing instead of everyone's load.
    LoadTeachingLoad(LoadForm::AllRows, santos, "x' or professorid<>'", &list);
    QCOMPARE(list.topLevelItemCount(), 0);
    QCOMPARE(messages.prompts(), QStringList{"No Teaching Load Avaible"});
}

QTEST_MAIN(TestTeachingLoad)
#include "tst_teachingload.moc"
