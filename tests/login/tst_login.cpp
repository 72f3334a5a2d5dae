#include "Connections.h"
#include "GetIP.h"
#include "LoginTestFixture.h"
#include "LoginWindowDriver.h"
#include "TestDatabase.h"

#include <QHostInfo>

namespace {

const QString auditQuery = QStringLiteral("SELECT userid, oras, araw, IP, name FROM tbllog");

} // namespace

class TestLogin : public LoginTestFixture {
    Q_OBJECT

private slots:
    void initTestCase();

    void successfulLoginIsAudited_data();
    void successfulLoginIsAudited();
    void wrongPasswordFailsUntilCorrected();
    void partlyTypedIdIsSentWithItsPrompts();
    void loginHidesOnlyAfterTheMainWindowStarted();
    void failedMainWindowKeepsTheLoginAndItsAuditRow();
    // Only on the workstations that CMakeLists.txt makes up in namespaces, one for each row.
    void workstationInTheAuditRow_data();
    void workstationInTheAuditRow();

private:
    void verifyLoggedIn(const LoginWindowDriver& login);
    void verifyAuditRow(const QString& userId, const QString& name);
};

void TestLogin::initTestCase() {
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestLogin::verifyLoggedIn(const LoginWindowDriver& login) {
    QVERIFY(!login.window->isVisible());
    const QWidget* main = mainWindow();
    QVERIFY(main && main->isVisible());
    QVERIFY(!QGuiApplication::overrideCursor());
}

// The one audit row, dated with the time of the login in the test's US formats, with the
// address that the login noted (workstationInTheAuditRow checks that against literals).
void TestLogin::verifyAuditRow(const QString& userId, const QString& name) {
    const QDateTime before = QDateTime::currentDateTime().addSecs(-60);
    const QList<QStringList> rows = db().rows(auditQuery);
    QCOMPARE(rows.size(), 1);
    const QStringList& row = rows.first();
    QCOMPARE(row[0], userId);
    QCOMPARE(row.mid(3), (QStringList{GetIP::HostIP, name}));
    // A zone after the time or a two-digit year would not read back as the time of the login,
    // nor would the time of another zone than the workstation's (the tests run far from UTC).
    const QDateTime logged =
        QLocale(QStringLiteral("en_US"))
            .toDateTime(row[2] + u' ' + row[1], QStringLiteral("M/d/yyyy h:mm:ss AP"));
    QVERIFY2(logged >= before && logged <= QDateTime::currentDateTime(),
             qPrintable(row[1] + u' ' + row[2]));
}

void TestLogin::successfulLoginIsAudited_data() {
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QString>("idDigits");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("dept");
    QTest::addColumn<QString>("logName");
    for (Engine engine : allEngines) {
        const char* name = engineRowName(engine);
        QTest::addRow("%s: Santos", name) << engine << "1234567"
                                          << "maria"
                                          << "Santos, Maria Luisa"
                                          << "College of Computer Studies"
                                          << "Santos  Maria Luisa";
        QTest::addRow("%s: comma in the last name", name) << engine << "2345678"
                                                          << "juan"
                                                          << "Cruz, Jr., Juan"
                                                          << "College of Engineering"
                                                          << "Cruz  Jr.  Juan";
        QTest::addRow("%s: no college", name) << engine << "3456789"
                                              << "ana"
                                              << "Reyes, Ana"
                                              << ""
                                              << "Reyes  Ana";
    }
}

void TestLogin::successfulLoginIsAudited() {
    QFETCH(QString, idDigits);
    QFETCH(QString, password);
    QFETCH(QString, userName);
    QFETCH(QString, dept);
    QFETCH(QString, logName);
    QFETCH(Engine, engine);
    useDatabase(engine);
    LoginWindowDriver login;
    login.logIn(idDigits, password);
    QCOMPARE(messages.prompts(), QStringList());
    verifyLoggedIn(login);
    const QString id = login.id->displayText();
    QCOMPARE(Connections::UserID, id);
    QCOMPARE(Connections::UserName, userName);
    QCOMPARE(Connections::UserDept, dept);
    QCOMPARE(Connections::UserPassword, password);
    verifyAuditRow(id, logName);
}

void TestLogin::wrongPasswordFailsUntilCorrected() {
    useDatabase(Engine::SQLite);
    LoginWindowDriver login;
    Qt::CursorShape cursorWhileChecking = Qt::ArrowCursor;
    messages.setOnNextMessage([&] {
        if (const QCursor* cursor = QGuiApplication::overrideCursor())
            cursorWhileChecking = cursor->shape();
    });
    login.logIn("1234567", "marie");
    QCOMPARE(messages.prompts(), QStringList{"Login Failed"});
    QCOMPARE(cursorWhileChecking, Qt::WaitCursor);
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(login.window->isVisible());
    QCOMPARE(login.id->displayText(), "12-345-67");
    QCOMPARE(login.password->text(), "marie");
    QVERIFY(db().rows(auditQuery).isEmpty());
    QVERIFY(Connections::UserID.isEmpty());
    QVERIFY(GetIP::HostIP.isEmpty());
    QVERIFY(GetIP::HostName.isEmpty());

    messages.clear();
    login.password->clear();
    login.logIn("", "maria");
    QCOMPARE(messages.prompts(), QStringList());
    verifyLoggedIn(login);
    verifyAuditRow("12-345-67", "Santos  Maria Luisa");
}

void TestLogin::partlyTypedIdIsSentWithItsPrompts() {
    useDatabase(Engine::SQLite);
    LoginWindowDriver login;
    login.logIn("123", "maria");
    QCOMPARE(messages.prompts(), QStringList{"Login Failed"});

    messages.clear();
    db().exec("INSERT INTO Prof_login (profid, password, lastname, firstname, dept) VALUES "
              "('12-3__-__', 'maria', 'Tan', 'Lea', 'College of Nursing')");
    QTest::mouseClick(login.ok, Qt::LeftButton);
    // The main window's own word on an account that teaches nothing.
    QCOMPARE(messages.prompts(), QStringList{"No Teaching Load Avaible"});
    verifyLoggedIn(login);
    QCOMPARE(Connections::UserID, "12-3__-__");
    verifyAuditRow("12-3__-__", "Tan  Lea");
}

void TestLogin::loginHidesOnlyAfterTheMainWindowStarted() {
    useDatabase(Engine::SQLite);
    LoginWindowDriver login;
    bool loginVisibleBehind = false;
    messages.setOnNextMessage([&] { loginVisibleBehind = login.window->isVisible(); });
    login.logIn("4567890", "paolo");
    QCOMPARE(messages.prompts(), QStringList{"No Teaching Load Avaible"});
    QVERIFY(loginVisibleBehind);
    verifyLoggedIn(login);
}

void TestLogin::failedMainWindowKeepsTheLoginAndItsAuditRow() {
    useDatabase(Engine::SQLite).exec("DROP TABLE PERIOD");
    LoginWindowDriver login;
    login.logIn("1234567", "maria");
    QCOMPARE(messages.messages().size(), 1);
    QVERIFY(messages.prompts().first().startsWith("Run-time error '"));
    QVERIFY(login.window->isVisible());
    QVERIFY(!mainWindow());
    QVERIFY(!QGuiApplication::overrideCursor());
    verifyAuditRow("12-345-67", "Santos  Maria Luisa");
}

void TestLogin::workstationInTheAuditRow_data() {
    QTest::addColumn<QString>("hostName");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QStringList>("prompts");
    // Its hosts file maps its name to a loopback address; the interface's address names it.
    QTest::newRow("network") << "zelkarin-lab"
                             << "192.0.2.5" << QStringList();
    // The address lookup fails with its message; the login goes on with an empty address.
    QTest::newRow("unresolved")
        << "zelkarin-nowhere.invalid" << QString()
        << QStringList{"Windows Sockets are not responding. Unable to successfully get Host Name."};
}

void TestLogin::workstationInTheAuditRow() {
    QFETCH(QString, hostName);
    QFETCH(QString, address);
    QFETCH(QStringList, prompts);
    // Runs only in the namespaces made up for its rows; the plain run leaves it out.
    QCOMPARE(QHostInfo::localHostName(), hostName);
    useDatabase(Engine::SQLite);
    LoginWindowDriver login;
    login.logIn("1234567", "maria");
    QCOMPARE(messages.prompts(), prompts);
    verifyLoggedIn(login);
    QCOMPARE(GetIP::HostName, hostName);
    QCOMPARE(GetIP::HostIP, address);
    QCOMPARE(db().rows("SELECT userid, IP FROM tbllog"),
             (QList<QStringList>{{"12-345-67", address}}));
}

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
