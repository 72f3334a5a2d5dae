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
    void initTestCase_data() { addEngineRows(); }

    void offeredPeriodsInResultOrderKeepingTheText();
    void noOfferedPeriodLeavesTheListAlone();
    void firstActivePeriodDeliveredDecidesTheStartUpLoad();

    void bothFormsCountTheirOwnRows();
    void nullCellsAreEmpty();
};

void TestTeachingLoad::offeredPeriodsInResultOrderKeepingTheText() {
    const TestDatabase& db = useDatabase();
    db.exec("INSERT INTO PERIOD (sy_sem, status, tanong) VALUES ('', 'INACTIVE', 'YES')");
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
    db.exec("INSERT INTO PERIOD (sy_sem, status, tanong) VALUES (NULL, 'INACTIVE', 'YES')");
    const auto error = errorOf([&] { peryod(&empty); });
    QVERIFY(error);
    QCOMPARE(error->number(), zelkarin::Error::InvalidUseOfNull);
}

void TestTeachingLoad::noOfferedPeriodLeavesTheListAlone() {
    const TestDatabase& db = useDatabase();
    db.exec("UPDATE PERIOD SET tanong='NO'");
    QComboBox combo;
    combo.setEditable(true);
    combo.addItems({"kept 1", "kept 2"});
    combo.setEditText("kept text");
    peryod(&combo);
    QCOMPARE(entries(combo), QStringList({"kept 1", "kept 2"}));
    QCOMPARE(combo.currentText(), "kept text");
}

void TestTeachingLoad::firstActivePeriodDeliveredDecidesTheStartUpLoad() {
    const TestDatabase& db = useDatabase();
    // Delivered after the demo's active period, and before it in any sorted order.
    db.exec("INSERT INTO PERIOD (sy_sem, status, tanong) VALUES ('2000-2001 1st Semester', "
            "'ACTIVE', 'YES')");
    QComboBox periods;
    periods.setEditable(true);
    QTreeWidget list;
    list.setColumnCount(7);
    loadActivePeriod(santos, &periods, &list);
    QCOMPARE(periods.currentText(), activePeriod);
    QCOMPARE(entries(periods).size(), 5);
    QStringList subjects;
    for (const QStringList& row : cells(list))
        subjects << row.first();
    subjects.sort();
    QCOMPARE(subjects, QStringList({"GE 104", "IT 101", "IT 102"}));
    QVERIFY(messages.messages().isEmpty());
}

void TestTeachingLoad::bothFormsCountTheirOwnRows() {
    const TestDatabase& db = useDatabase();
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
    for (const QStringList& row : db.rows(santosActiveLoad))
        delivered << row.at(6);
    QStringList shown;
    for (const QStringList& row : cells(list))
        shown << row.first();
    QCOMPARE(shown, delivered);
    QVERIFY(messages.messages().isEmpty());
}

void TestTeachingLoad::nullCellsAreEmpty() {
    const TestDatabase& db = useDatabase(TestDatabase::Content::SchemaOnly);
    db.exec("INSERT INTO TLOAD (professorid, periodcode, subject, subjectname, units, schedule, "
            "room, ssection, enrollstatus) VALUES ('11-111-11', 'P', NULL, NULL, NULL, NULL, "
            "NULL, NULL, 'Enrolled')");
    QTreeWidget list;
    list.setColumnCount(7);
    LoadTeachingLoad(LoadForm::EnrolledOnly, "11-111-11", "P", &list);
    // count(subject) skips the NULL subject.
    QCOMPARE(cells(list), QList<QStringList>({{"", "", "", "", "", "0", ""}}));
}

QTEST_MAIN(TestTeachingLoad)
#include "tst_teachingload.moc"
