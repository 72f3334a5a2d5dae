#include "Connections.h"
#include "LoginTestFixture.h"
#include "LoginWindowDriver.h"
#include "TestDatabase.h"
#include "frmMain.h"

namespace {

void pressEnter() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

QString focused() {
    return QApplication::focusWidget()->objectName();
}

void focus(QWidget* window, const char* name) {
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    window->findChild<QWidget*>(name)->setFocus(Qt::TabFocusReason);
}

} // namespace

// Enter presses the button that has the focus; in a field it keeps the meaning it has there.
class TestKeyboard : public LoginTestFixture {
    Q_OBJECT

private slots:
    void enterPressesTheFocusedButton();
};

void TestKeyboard::enterPressesTheFocusedButton() {
    QApplication::setQuitOnLastWindowClosed(false);
    Connections::useConnectionString(unreachableDatabase()); // no handler may get that far
    LoginWindowDriver login;
    focus(login.window, "txtPassword");
    QVERIFY(!endsTheProgram(pressEnter));
    focus(login.window, "cmdOK");
    pressEnter();
    focus(login.window, "cmdCancel");
    QVERIFY(endsTheProgram(pressEnter));

    frmMain main;
    main.show();
    focus(&main, "cmdCreate");
    pressEnter();
    focus(&main, "cmdchange");
    pressEnter();
    QTRY_VERIFY(QApplication::activeWindow()->objectName() == u"frmChange");
    QWidget* change = QApplication::activeWindow();
    // Enter in a field moves the focus on, from the re-typed password to OK, which a second
    // Enter presses.
    for (const char* next : {"txtNewPassword", "txtVerifyNewPassword", "cmdOK"}) {
        pressEnter();
        QCOMPARE(focused(), next);
    }
    QCOMPARE(messages.prompts(),
             QStringList({"Please enter username", "Select first the subject on the list"}));
    pressEnter();
    QCOMPARE(messages.prompts().last(), "One of your field is empty.");
    focus(change, "cmdCancel");
    pressEnter();
    QVERIFY(change->isHidden());
    focus(&main, "cmdClose");
    QVERIFY(endsTheProgram(pressEnter));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
