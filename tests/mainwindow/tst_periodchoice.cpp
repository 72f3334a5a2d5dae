#include "Connections.h"
#include "MainWindowDriver.h"
#include "ShowMainWindow.h"
#include "TestDatabase.h"
#include "WindowTestFixture.h"
#include "frmMain.h"

#include <QApplication>
#include <QLineEdit>

using namespace MainWindowDriver;

namespace {

const QString first = QStringLiteral("2025-2026 1st Semester");
const QString second = QStringLiteral("2025-2026 2nd Semester");
const QString summer = QStringLiteral("2025-2026 Summer");
const QString latest = QStringLiteral("2026-2027 1st Semester");

// Counts of the all-rows form: every row of the section, whatever its status.
QStringList subjectsWithCounts(const QTreeWidget* tree) {
    QStringList rows;
    for (int row = 0; row < tree->topLevelItemCount(); ++row)
        rows << tree->topLevelItem(row)->text(0) + " " + tree->topLevelItem(row)->text(5);
    rows.sort();
    return rows;
}

} // namespace

// The period box changes its entry by the keyboard and the wheel only while it has the focus.
class TestPeriodChoice : public WindowTestFixture {
    Q_OBJECT

private slots:
    void startUpSelectsTheActiveEntry();
    void arrowKeysStartFromTheActivePeriod();
    void wheelWithoutTheFocusChangesNothing();
    void wheelWithTheFocusChoosesAPeriod();

private:
    // The demo database with an entry in the middle of the list, 2025-2026 2nd Semester, as the
    // active period; Santos logged in; the main window open and active, with the focus where
    // the start-up puts it (the list).
    frmMain* openMainWindow();
};

frmMain* TestPeriodChoice::openMainWindow() {
    useDatabase(Engine::SQLite)
        .exec("UPDATE PERIOD SET status = CASE WHEN sy_sem = '2025-2026 2nd Semester' THEN "
              "'ACTIVE' ELSE 'INACTIVE' END");
    Connections::UserID = QStringLiteral("12-345-67");
    Connections::UserName = QStringLiteral("Santos, Maria Luisa");
    frmMain* window = showMainWindow();
    if (!QTest::qWaitForWindowActive(window))
        qFatal("the main window never became active");
    return window;
}

void TestPeriodChoice::startUpSelectsTheActiveEntry() {
    const QComboBox* combo = periods(openMainWindow());
    QCOMPARE(entries(combo), QStringList({first, second, summer, latest}));
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(combo->currentText(), second);
    QVERIFY(messages.messages().isEmpty());
}

void TestPeriodChoice::arrowKeysStartFromTheActivePeriod() {
    frmMain* window = openMainWindow();
    QComboBox* combo = periods(window);
    QCOMPARE(listedSubjects(list(window)), QStringList{"IT 105"});
    combo->setFocus(Qt::TabFocusReason);

    pressKey(Qt::Key_Down);
    QCOMPARE(combo->currentText(), summer);
    QCOMPARE(messages.prompts(), QStringList{"No Teaching Load Avaible"});
    QCOMPARE(list(window)->topLevelItemCount(), 0);

    messages.clear();
    pressKey(Qt::Key_Up);
    QCOMPARE(combo->currentText(), second);
    QCOMPARE(subjectsWithCounts(list(window)), QStringList{"IT 105 5"});
    pressKey(Qt::Key_Up);
    QCOMPARE(combo->currentText(), first);
    QCOMPARE(subjectsWithCounts(list(window)), QStringList{"IT 101 4"});
    QVERIFY(messages.messages().isEmpty());
    QCOMPARE(window->classListRequest().period, first);
}

void TestPeriodChoice::wheelWithoutTheFocusChangesNothing() {
    frmMain* window = openMainWindow();
    QComboBox* combo = periods(window);
    QTreeWidget* tree = list(window);
    QVERIFY(tree->hasFocus());
    const std::shared_ptr<DatabaseConnection> lastConnection = Connections::cn;

    // Over the edit field and over the arrow, in both directions.
    const QPoint overText = combo->lineEdit()->geometry().center();
    const QPoint overArrow(combo->width() - 4, combo->height() / 2);
    for (const QPoint at : {overText, overArrow}) {
        for (const int notches : {-1, 1, -3}) {
            turnWheel(combo, at, notches);
            QCOMPARE(combo->currentIndex(), 1);
            QCOMPARE(combo->currentText(), second);
        }
    }
    QVERIFY(tree->hasFocus());
    QVERIFY2(Connections::cn == lastConnection, "a statement ran");
    QVERIFY(messages.messages().isEmpty());
    QCOMPARE(subjectsWithCounts(tree), QStringList{"IT 105 4"});
    QCOMPARE(window->classListRequest().period, second);
}

void TestPeriodChoice::wheelWithTheFocusChoosesAPeriod() {
    frmMain* window = openMainWindow();
    QComboBox* combo = periods(window);
    combo->setFocus(Qt::MouseFocusReason);
    const QPoint overText = combo->lineEdit()->geometry().center();

    // Towards the member: the next period.
    turnWheel(combo, overText, -1);
    QCOMPARE(combo->currentText(), summer);
    QCOMPARE(messages.prompts(), QStringList{"No Teaching Load Avaible"});
    QCOMPARE(list(window)->topLevelItemCount(), 0);

    messages.clear();
    turnWheel(combo, overText, 1);
    QCOMPARE(combo->currentText(), second);
    QCOMPARE(subjectsWithCounts(list(window)), QStringList{"IT 105 5"});
    QVERIFY(messages.messages().isEmpty());
}

QTEST_MAIN(TestPeriodChoice)
#include "tst_periodchoice.moc"
