#include "Connections.h"
#include "LoginTestFixture.h"
#include "LoginWindowDriver.h"
#include "frmMain.h"

#include <QDir>
#include <QTimer>

namespace {

void pressEnter() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

// Presses Enter with the program's event loop running; true when that ended the program.
bool enterEndsTheProgram() {
    QTimer::singleShot(0, qApp, [] {
        pressEnter();
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(1); });
    });
    return QApplication::exec() == 0;
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
    Connections::useConnectionString( // unreachable: no handler may get that far
        "Provider=SQLite;Data Source=" + QDir::temp().filePath("zelkarin-no-such-database.db"));
    LoginWindowDriver login;
    focus(login.window, "txtPassword");
    QVERIFY(!enterEndsTheProgram());
    focus(login.window, "cmdOK");
    pressEnter();
    focus(login.window, "cmdCancel");
    QVERIFY(enterEndsTheProgram());

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
    QVERIFY(enterEndsTheProgram());
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
