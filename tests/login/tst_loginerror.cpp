#include "LoginTestFixture.h"
#include "LoginWindowDriver.h"
#include "TestDatabase.h"

// A password that the engine cannot take (a pasted NUL cuts SQLite's and libpq's statement text
// short) fails the login, and what the member then reads holds neither the password nor the
// credential statement.
class TestLoginError : public LoginTestFixture {
    Q_OBJECT

private slots:
    void initTestCase_data() { addEngineRows(); }
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void rejectedPasswordIsNotShown();
};

void TestLoginError::rejectedPasswordIsNotShown() {
    const TestDatabase& db = useDatabase();
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

QTEST_MAIN(TestLoginError)
#include "tst_loginerror.moc"
