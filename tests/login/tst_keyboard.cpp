#include "Connections.h"
#include "LoginWindowDriver.h"
#include "MessageRecorder.h"
#include "ShowChangePassword.h"
#include "frmChange.h"
#include "frmMain.h"

#include <QDir>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace {

// Runs the program's event loop around an action; true when the action ended the program.
bool endsTheProgram(const std::function<void()>& action) {
    QTimer::singleShot(0, qApp, [action] {
        action();
        // Still running: stop the loop here so that the test fails instead of hanging.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(1); });
    });
    return QApplication::exec() == 0;
}

QString focused() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

// Moves the focus on with Tab until it reaches the named control.
void tabTo(const QString& name) {
    for (int i = 0; i < 6 && focused() != name; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(focused(), name);
}

void pressEnter() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

QWidget* openWindow(const QString& name) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == name && widget->isVisible())
            return widget;
    return nullptr;
}

} // namespace

// Enter presses the button that has the focus; in a field it keeps its own meaning.
class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void loginFieldsIgnoreEnterItsButtonsTakeIt();
    void enterPressesTheFocusedMainWindowButton();
    void changePasswordEnterMovesOnThenPresses();
};

void TestKeyboard::initTestCase() {
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestKeyboard::init() {
    // No handler may reach the database: every access would fail.
    Connections::useConnectionString(
        QStringLiteral("Provider=SQLite;Data Source=") +
        QDir::temp().filePath(QStringLiteral("zelkarin-keyboard-no-such-database.db")));
}

void TestKeyboard::cleanup() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == u"frmChange")
            widget->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestKeyboard::loginFieldsIgnoreEnterItsButtonsTakeIt() {
    MessageRecorder messages;
    LoginWindowDriver login;
    QVERIFY(QTest::qWaitForWindowActive(login.window));
    QCOMPARE(focused(), "txtusername");
    QVERIFY(!endsTheProgram(pressEnter));
    tabTo("txtPassword");
    QVERIFY(!endsTheProgram(pressEnter));
    QVERIFY(messages.messages().isEmpty());

    tabTo("cmdOK");
    pressEnter();
    QCOMPARE(messages.prompts(), QStringList{"Please enter username"});
    tabTo("cmdCancel");
    QVERIFY(endsTheProgram(pressEnter));
}

void TestKeyboard::enterPressesTheFocusedMainWindowButton() {
    MessageRecorder messages;
    frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    // Tab order from the list: Close, change password, class list.
    tabTo("cmdchange");
    pressEnter();
    QWidget* change = openWindow("frmChange");
    QVERIFY(change);
    change->close();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    tabTo("cmdCreate");
    pressEnter();
    QCOMPARE(messages.prompts(), QStringList{"Select first the subject on the list"});
    tabTo("cmdClose");
    QVERIFY(endsTheProgram(pressEnter));
}

void TestKeyboard::changePasswordEnterMovesOnThenPresses() {
    MessageRecorder messages;
    QPointer<frmChange> window = showChangePassword("12-345-67", "maria");
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(focused(), "txtOldPassword");
    pressEnter();
    QCOMPARE(focused(), "txtNewPassword");
    pressEnter();
    QCOMPARE(focused(), "txtVerifyNewPassword");
    pressEnter();
    QCOMPARE(focused(), "cmdOK");
    QVERIFY(messages.messages().isEmpty());

    // The second Enter presses OK, which finds the new password empty.
    pressEnter();
    QCOMPARE(messages.prompts(), QStringList{"One of your field is empty."});
    QCOMPARE(focused(), "txtNewPassword");

    tabTo("cmdCancel");
    pressEnter();
    QVERIFY(window->isHidden());
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
