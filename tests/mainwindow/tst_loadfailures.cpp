#include "Connections.h"
#include "Error.h"
#include "MainWindowDriver.h"
#include "PostgresServer.h"
#include "ShowMainWindow.h"
#include "TestDatabase.h"
#include "WindowTestFixture.h"
#include "frmMain.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

using namespace MainWindowDriver;

namespace {

enum class Fault { ServerStopped, DatabaseLocked };
// How the member changes the period.
enum class Change { Pick, UpKey, Wheel };

const QString activePeriod = QStringLiteral("2026-2027 1st Semester");
const QStringList activeSubjects = {"GE 104", "IT 101", "IT 102"};

} // namespace

// The database fails while the member changes the period: the box must go on naming the
// period whose rows the list shows, because the export and the next change start from it.
class TestLoadFailures : public WindowTestFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void failedLoadLeavesTheBoxOnTheListedPeriod_data();
    void failedLoadLeavesTheBoxOnTheListedPeriod();

private:
    void inject(Fault fault);
    void remove(Fault fault);

    std::unique_ptr<PostgresServer> m_server;
};

void TestLoadFailures::initTestCase() {
    m_server = std::make_unique<PostgresServer>();
    // The PostgreSQL test databases are made on this server, which the test may stop.
    qputenv("PGHOST", "127.0.0.1");
    qputenv("PGPORT", QByteArray::number(m_server->port()));
    qputenv("PGUSER", PostgresServer::user().toUtf8());
    qputenv("PGPASSWORD", "not needed: the server trusts its user");
}

void TestLoadFailures::cleanup() {
    m_server->start(); // the fixture drops the test database on it
    WindowTestFixture::cleanup();
}

void TestLoadFailures::inject(Fault fault) {
    if (fault == Fault::ServerStopped)
        m_server->stop();
    else
        db().exec("BEGIN EXCLUSIVE"); // a second connection: the program's reads wait, then fail
}

void TestLoadFailures::remove(Fault fault) {
    if (fault == Fault::ServerStopped)
        m_server->start();
    else
        db().exec("ROLLBACK");
}

void TestLoadFailures::failedLoadLeavesTheBoxOnTheListedPeriod_data() {
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("failure");
    // Whether the box offers the active period as an entry, or shows it as text only.
    QTest::addColumn<bool>("offered");
    const QString refused = QStringLiteral("Connection refused");
    QTest::newRow("postgresql stopped, pick")
        << Engine::PostgreSQL << Fault::ServerStopped << Change::Pick << refused << true;
    QTest::newRow("postgresql stopped, up key")
        << Engine::PostgreSQL << Fault::ServerStopped << Change::UpKey << refused << true;
    QTest::newRow("postgresql stopped, wheel")
        << Engine::PostgreSQL << Fault::ServerStopped << Change::Wheel << refused << true;
    QTest::newRow("odbc-postgresql stopped, pick")
        << Engine::PostgreSQLOdbc << Fault::ServerStopped << Change::Pick << refused << true;
    const QString locked = QStringLiteral("database is locked");
    QTest::newRow("sqlite locked, pick")
        << Engine::SQLite << Fault::DatabaseLocked << Change::Pick << locked << true;
    QTest::newRow("sqlite locked, up key")
        << Engine::SQLite << Fault::DatabaseLocked << Change::UpKey << locked << true;
    QTest::newRow("sqlite locked, pick, active period not offered")
        << Engine::SQLite << Fault::DatabaseLocked << Change::Pick << locked << false;
}

void TestLoadFailures::failedLoadLeavesTheBoxOnTheListedPeriod() {
    QFETCH(Engine, engine);
    QFETCH(Fault, fault);
    QFETCH(Change, change);
    QFETCH(QString, failure);
    QFETCH(bool, offered);
    useDatabase(engine);
    if (!offered)
        db().exec("UPDATE PERIOD SET tanong='NO' WHERE sy_sem='2026-2027 1st Semester'");
    Connections::UserID = QStringLiteral("12-345-67");
    Connections::UserName = QStringLiteral("Santos, Maria Luisa");
    // The class of IT 101 in the active period; the member's IT 101 of 2025-2026 has others.
    QStringList activeClass;
    for (const QStringList& row :
         db().rows("SELECT periodcode, studentID FROM TLOAD WHERE professorid='12-345-67' AND "
                   "subject='IT 101' AND periodcode='2026-2027 1st Semester' AND "
                   "enrollstatus='Enrolled'"))
        activeClass << row.join(u' ');
    activeClass.sort();
    QCOMPARE(activeClass.size(), 11);

    frmMain* window = showMainWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QComboBox* combo = periods(window);
    QTreeWidget* tree = list(window);
    const int activeEntry = entries(combo).indexOf(activePeriod);
    QVERIFY(offered ? activeEntry > 0 : activeEntry == -1);
    clickSubject(tree, "IT 101");

    inject(fault);
    QString boxDuringMessage;
    messages.setOnNextMessage([&] { boxDuringMessage = combo->currentText(); });
    switch (change) {
    case Change::Pick:
        pick(combo, QStringLiteral("2025-2026 1st Semester"));
        break;
    case Change::UpKey:
        combo->setFocus(Qt::TabFocusReason);
        pressKey(Qt::Key_Up);
        break;
    case Change::Wheel:
        combo->setFocus(Qt::MouseFocusReason);
        turnWheel(combo, combo->lineEdit()->geometry().center(), 1);
        break;
    }
    QCOMPARE(messages.messages().size(), 1);
    const QString shown = messages.messages()[0].prompt;
    QVERIFY2(shown.startsWith("Run-time error '-2147467259':\n\n") && shown.contains(failure),
             qPrintable(shown));
    // Back before the failure is shown, entry and text alike.
    QCOMPARE(boxDuringMessage, activePeriod);
    QCOMPARE(combo->currentText(), activePeriod);
    QCOMPARE(combo->currentIndex(), activeEntry);
    QCOMPARE(listedSubjects(tree), activeSubjects);
    QCOMPARE(tree->selectedItems().size(), 1);
    QCOMPARE(tree->selectedItems().first()->text(0), "IT 101");

    // With the database back, the export takes the class of the section the member sees.
    remove(fault);
    messages.clear();
    QStringList exported;
    window->setSpreadsheetStarter([&]() -> std::unique_ptr<Spreadsheet> {
        for (Recordset rows = Connections::rs; !rows.eof(); rows.moveNext())
            exported << rows.field("periodcode").text() + u' ' + rows.field("studentID").text();
        throw zelkarin::Error(zelkarin::Error::AutomationError, "no spreadsheet here");
    });
    QTest::mouseClick(window->findChild<QPushButton*>("cmdCreate"), Qt::LeftButton);
    exported.sort();
    QCOMPARE(exported, activeClass);
    if (!offered)
        return; // no entry for the arrow keys to go on from

    // The arrow keys go on from the listed period's entry.
    messages.clear();
    combo->setFocus(Qt::TabFocusReason);
    pressKey(Qt::Key_Up);
    QCOMPARE(combo->currentText(), entries(combo).at(activeEntry - 1));
    QCOMPARE(combo->currentIndex(), activeEntry - 1);
}

QTEST_MAIN(TestLoadFailures)
#include "tst_loadfailures.moc"
