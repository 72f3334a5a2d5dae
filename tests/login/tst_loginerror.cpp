#include "LoginTestFixture.h"
#include "LoginWindowDriver.h"
#include "TestDatabase.h"

#include <QRegularExpression>

// A password that the engine cannot take (a pasted NUL cuts SQLite's and libpq's statement text
// short) fails the login, and what the member then reads holds neither the password nor the
// credential statement.
class TestLoginError : public LoginTestFixture {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void rejectedPasswordIsNotShown_data() { addEngineRows(); }
    void rejectedPasswordIsNotShown();
    // SQLite has no login to refuse.
    void wrongDatabasePasswordNamesTheLogin_data();
    void wrongDatabasePasswordNamesTheLogin();
};

void TestLoginError::rejectedPasswordIsNotShown() {
    QFETCH(Engine, engine);
    const TestDatabase& db = useDatabase(engine);
    LoginWindowDriver login;
    QTest::keyClicks(login.id, "1234567");
    login.password->setText(QStringLiteral("Zq9") + QChar(0) + QStringLiteral("secret"));
    QTest::mouseClick(login.ok, Qt::LeftButton);

    QCOMPARE(messages.messages().size(), 1);
    const QString shown = messages.prompts().first();
    for (const char* part : {"Zq9", "secret", "12-345-67", "SELECT", "Prof_login"})
        QVERIFY2(!shown.contains(part, Qt::CaseInsensitive), qPrintable(shown));
    QVERIFY(login.window->isVisible());
    QVERIFY(!mainWindow());
    QVERIFY(db.rows("SELECT * FROM tbllog").isEmpty());
}

// The server refuses the program's own login: the administrator reads which login, and the
// member reads no password.
void TestLoginError::wrongDatabasePasswordNamesTheLogin_data() {
    QTest::addColumn<Engine>("engine");
    for (Engine engine : postgresqlEngines)
        QTest::newRow(engineRowName(engine)) << engine;
}

void TestLoginError::wrongDatabasePasswordNamesTheLogin() {
    QFETCH(Engine, engine);
    const TestDatabase& db = useDatabase(engine);
    const QString wrong = QStringLiteral("Wr0ng' \"Qx");
    Connections::useConnectionString(db.connectionString().replace(
        QRegularExpression(QStringLiteral("(Password|PWD)=[^;]*$")), "\\1=" + wrong));
    LoginWindowDriver login;
    login.logIn("3456789", "ana");

    QCOMPARE(messages.messages().size(), 1);
    const QString shown = messages.prompts().first();
    QVERIFY2(shown.contains("password authentication failed for user \"" + db.programRole() + "\""),
             qPrintable(shown));
    QVERIFY2(!shown.contains("Wr0n") && !shown.contains("' \"Qx"), qPrintable(shown));
    QVERIFY(login.window->isVisible());
    QVERIFY(!mainWindow());
}

QTEST_MAIN(TestLoginError)
#include "tst_loginerror.moc"
