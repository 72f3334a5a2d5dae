#include "Connections.h"
#include "GetIP.h"
#include "LoginTestFixture.h"
#include "LoginWindowDriver.h"
#include "MemberLogin.h"
#include "TestDatabase.h"
#include "Workstation.h"

#include <memory>

namespace {

const QString auditQuery = QStringLiteral("SELECT userid, oras, araw, IP, name FROM tbllog");

} // namespace

class TestLogin : public LoginTestFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void statementTexts();
    void successfulLoginIsAudited_data();
    void successfulLoginIsAudited();
    void wrongPasswordFailsUntilCorrected_data() { addEngineRows(); }
    void wrongPasswordFailsUntilCorrected();
    void partlyTypedIdIsSentWithItsPrompts_data() { addEngineRows(); }
    void partlyTypedIdIsSentWithItsPrompts();
    void quotesAreOnlyText_data() { addEngineRows(); }
    void quotesAreOnlyText();
    void unresolvedHostNameDoesNotStopTheLogin_data();
    void unresolvedHostNameDoesNotStopTheLogin();
    void loginHidesOnlyAfterTheMainWindowStarted_data() { addEngineRows(); }
    void loginHidesOnlyAfterTheMainWindowStarted();
    void failedMainWindowKeepsTheLoginAndItsAuditRow_data() { addEngineRows(); }
    void failedMainWindowKeepsTheLoginAndItsAuditRow();

private:
    void useDatabase();
    void verifyLoggedIn(const LoginWindowDriver& login);
    void verifyAuditRow(const QString& userId, const QString& address, const QString& name);

    std::unique_ptr<TestDatabase> m_db;
};

void TestLogin::initTestCase() {
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestLogin::cleanup() {
    LoginTestFixture::cleanup();
    m_db.reset();
}

void TestLogin::useDatabase() {
    QFETCH(Engine, engine);
    m_db = std::make_unique<TestDatabase>(engine);
    Connections::useConnectionString(m_db->connectionString());
}

void TestLogin::verifyLoggedIn(const LoginWindowDriver& login) {
    QVERIFY(!login.window->isVisible());
    const QWidget* main = mainWindow();
    QVERIFY(main && main->isVisible());
    QVERIFY(!QGuiApplication::overrideCursor());
}

// The one audit row, dated with the time of the login in the test's US formats.
void TestLogin::verifyAuditRow(const QString& userId, const QString& address, const QString& name) {
    const QDateTime before = QDateTime::currentDateTime().addSecs(-60);
    const QList<QStringList> rows = m_db->rows(auditQuery);
    QCOMPARE(rows.size(), 1);
    const QStringList& row = rows.first();
    QCOMPARE(row[0], userId);
    QCOMPARE(row.mid(3), (QStringList{address, name}));
    // A zone after the time or a two-digit year would not read back as the time of the login,
    // nor would the time of another zone than the workstation's (the tests run far from UTC).
    const QDateTime logged =
        QLocale(QStringLiteral("en_US"))
            .toDateTime(row[2] + u' ' + row[1], QStringLiteral("M/d/yyyy h:mm:ss AP"));
    QVERIFY2(logged >= before && logged <= QDateTime::currentDateTime(),
             qPrintable(row[1] + u' ' + row[2]));
}

void TestLogin::statementTexts() {
    QCOMPARE(credentialCheck("12-345-67", "maria").text(),
             "SELECT * from Prof_login where profid='12-345-67' and password='maria'");
    QCOMPARE(auditInsert({"12-345-67", "2:05:09 PM", "3/4/2009", "10.0.0.5", "Alpha Beta  Gamma"})
                 .text(),
             "INSERT INTO tbllog (userid,oras,araw,IP,name) VALUES('12-345-67','2:05:09 PM',"
             "'3/4/2009','10.0.0.5', 'Alpha Beta  Gamma')");
    QCOMPARE(logName("Alpha Beta, Gamma"), "Alpha Beta  Gamma");
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
    useDatabase();
    LoginWindowDriver login;
    login.logIn(idDigits, password);
    QCOMPARE(messages.prompts(), QStringList());
    verifyLoggedIn(login);
    const QString id = login.id->displayText();
    QCOMPARE(Connections::UserID, id);
    QCOMPARE(Connections::UserName, userName);
    QCOMPARE(Connections::UserDept, dept);
    QCOMPARE(Connections::UserPassword, password);
    QCOMPARE(GetIP::HostName, QHostInfo::localHostName());
    QCOMPARE(GetIP::HostIP, workstationAddress());
    verifyAuditRow(id, workstationAddress(), logName);
}

void TestLogin::wrongPasswordFailsUntilCorrected() {
    useDatabase();
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
    QVERIFY(m_db->rows(auditQuery).isEmpty());
    QVERIFY(Connections::UserID.isEmpty());
    QVERIFY(GetIP::HostIP.isEmpty());
    QVERIFY(GetIP::HostName.isEmpty());

    messages.clear();
    login.password->clear();
    login.logIn("", "maria");
    QCOMPARE(messages.prompts(), QStringList());
    verifyLoggedIn(login);
    verifyAuditRow("12-345-67", workstationAddress(), "Santos  Maria Luisa");
}

void TestLogin::partlyTypedIdIsSentWithItsPrompts() {
    useDatabase();
    LoginWindowDriver login;
    login.logIn("123", "maria");
    QCOMPARE(messages.prompts(), QStringList{"Login Failed"});

    messages.clear();
    m_db->exec("INSERT INTO Prof_login (profid, password, lastname, firstname, dept) VALUES "
               "('12-3__-__', 'maria', 'Tan', 'Lea', 'College of Nursing')");
    QTest::mouseClick(login.ok, Qt::LeftButton);
    // The main window's own word on an account that teaches nothing.
    QCOMPARE(messages.prompts(), QStringList{"No Teaching Load Avaible"});
    verifyLoggedIn(login);
    QCOMPARE(Connections::UserID, "12-3__-__");
    verifyAuditRow("12-3__-__", workstationAddress(), "Tan  Lea");
}

void TestLogin::quotesAreOnlyText() {
    useDatabase();
    const QString accounts = m_db->scalar("SELECT count(*) FROM Prof_login");
    LoginWindowDriver login;
    login.logIn("1234567", "' or '1'='1");
    // The ID field takes digits only; the check itself must hold for any text.
    QVERIFY(!logIn("12-345-67' or ''='", "x' or ''='"));
    QCOMPARE(messages.prompts(), (QStringList{"Login Failed", "Login Failed"}));
    QVERIFY(m_db->rows(auditQuery).isEmpty());
    QCOMPARE(m_db->scalar("SELECT count(*) FROM Prof_login"), accounts);

    messages.clear();
    m_db->exec("UPDATE Prof_login SET password = 'o''clock', lastname = 'O''Brien' "
               "WHERE profid = '12-345-67'");
    login.password->clear();
    login.logIn("", "o'clock");
    QCOMPARE(messages.prompts(), QStringList());
    verifyLoggedIn(login);
    QCOMPARE(Connections::UserPassword, "o'clock");
    verifyAuditRow("12-345-67", workstationAddress(), "O'Brien  Maria Luisa");
}

void TestLogin::unresolvedHostNameDoesNotStopTheLogin_data() {
    QTest::addColumn<Engine>("engine");
    QTest::newRow("sqlite") << Engine::SQLite;
}

// CMakeLists.txt also runs this in a network namespace whose host name resolves nowhere: the
// address lookup then fails with its message and the login goes on with an empty address.
void TestLogin::unresolvedHostNameDoesNotStopTheLogin() {
    const QString name = QHostInfo::localHostName();
    const bool resolves = !QHostInfo::fromName(name).addresses().isEmpty();
    useDatabase();
    LoginWindowDriver login;
    login.logIn("1234567", "maria");
    QCOMPARE(messages.prompts(),
             resolves ? QStringList()
                      : QStringList{"Windows Sockets are not responding. Unable to successfully "
                                    "get Host Name."});
    verifyLoggedIn(login);
    QCOMPARE(GetIP::HostName, name);
    QCOMPARE(GetIP::HostIP, resolves ? workstationAddress() : QString());
    QCOMPARE(Connections::UserID, "12-345-67");
    verifyAuditRow("12-345-67", GetIP::HostIP, "Santos  Maria Luisa");
}

void TestLogin::loginHidesOnlyAfterTheMainWindowStarted() {
    useDatabase();
    LoginWindowDriver login;
    bool loginVisibleBehind = false;
    messages.setOnNextMessage([&] { loginVisibleBehind = login.window->isVisible(); });
    login.logIn("4567890", "paolo");
    QCOMPARE(messages.prompts(), QStringList{"No Teaching Load Avaible"});
    QVERIFY(loginVisibleBehind);
    verifyLoggedIn(login);
}

void TestLogin::failedMainWindowKeepsTheLoginAndItsAuditRow() {
    useDatabase();
    m_db->exec("DROP TABLE PERIOD");
    LoginWindowDriver login;
    login.logIn("1234567", "maria");
    QCOMPARE(messages.messages().size(), 1);
    QVERIFY(messages.prompts().first().startsWith("Run-time error '"));
    QVERIFY(login.window->isVisible());
    QVERIFY(!mainWindow());
    QVERIFY(!QGuiApplication::overrideCursor());
    verifyAuditRow("12-345-67", workstationAddress(), "Santos  Maria Luisa");
}

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
