#include "LoginWindowDriver.h"
#include "ShowChangePassword.h"
#include "frmChange.h"
#include "frmMain.h"

#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QMimeData>
#include <QPointer>

#include <functional>

namespace {

const QString withNul = QStringLiteral("12") + QChar(u'\0') + QStringLiteral("345");

// The three ways text comes in from outside: Ctrl+V, the context menu's Paste, a drop.
using Insert = std::function<void(QWidget* target, QLineEdit* field)>;

void pasteKey(QWidget* target, QLineEdit*) {
    QGuiApplication::clipboard()->setText(withNul);
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
}

void pasteFromMenu(QWidget* target, QLineEdit*) {
    QGuiApplication::clipboard()->setText(withNul);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                            target->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(target, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    for (QAction* action : menu->actions())
        if (action->text().startsWith("&Paste"))
            action->trigger();
    menu->close();
}

void drop(QWidget*, QLineEdit* field) {
    QMimeData data;
    data.setText(withNul);
    // A drop reaches the field that took the drag on entering.
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(field, &enter);
    QDropEvent event(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(field, &event);
}

void addInsertRows(const QString& window) {
    QTest::addColumn<Insert>("insert");
    QTest::newRow(qPrintable(window + " Ctrl+V")) << Insert(pasteKey);
    QTest::newRow(qPrintable(window + " menu")) << Insert(pasteFromMenu);
    QTest::newRow(qPrintable(window + " drop")) << Insert(drop);
}

} // namespace

Q_DECLARE_METATYPE(Insert)

// Text from outside ends at its first NUL, as in a native text box; the Faculty ID takes 0-9.
class TestPastedText : public QObject {
    Q_OBJECT

private slots:
    void loginFields_data();
    void loginFields();
    void periodBox_data();
    void periodBox();
    void newPasswordFields_data();
    void newPasswordFields();
    void facultyIdTakesOnlyAsciiDigits();
    void cleanup();
};

void TestPastedText::cleanup() {
    if (QWidget* menu = QApplication::activePopupWidget())
        menu->close();
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == u"frmChange")
            widget->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestPastedText::loginFields_data() {
    addInsertRows("login");
}

void TestPastedText::loginFields() {
    QFETCH(Insert, insert);
    LoginWindowDriver login;
    QVERIFY(QTest::qWaitForWindowActive(login.window));
    login.id->setFocus();
    insert(login.id, login.id);
    QCOMPARE(login.id->displayText(), "12-___-__");
    login.password->setFocus();
    insert(login.password, login.password);
    QCOMPARE(login.password->text(), "12");
}

void TestPastedText::periodBox_data() {
    addInsertRows("main");
}

void TestPastedText::periodBox() {
    QFETCH(Insert, insert);
    frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* periods = window.findChild<QComboBox*>("cboPeriod");
    periods->setFocus();
    // Keys and the context menu reach the combo box; a drop reaches its edit field.
    insert(periods, periods->lineEdit());
    QCOMPARE(periods->currentText(), "12");
}

void TestPastedText::newPasswordFields_data() {
    addInsertRows("change password");
}

void TestPastedText::newPasswordFields() {
    QFETCH(Insert, insert);
    QPointer<frmChange> window = showChangePassword("12-345-67", "maria");
    QVERIFY(QTest::qWaitForWindowActive(window));
    for (const char* name : {"txtNewPassword", "txtVerifyNewPassword"}) {
        auto* field = window->findChild<QLineEdit*>(name);
        field->setFocus();
        insert(field, field);
        QCOMPARE(field->text(), "12");
    }
}

void TestPastedText::facultyIdTakesOnlyAsciiDigits() {
    LoginWindowDriver login;
    // Arabic-Indic three and fullwidth three are digits of other scripts.
    for (const QString& typed :
         {QString("1"), QString(QChar(0x0663)), QString(QChar(0xFF13)), QString("2"), QString("a")})
        QTest::sendKeyEvent(QTest::Click, login.id, Qt::Key_unknown, typed, Qt::NoModifier);
    QCOMPARE(login.id->displayText(), "12-___-__");
    login.id->clear();
    QGuiApplication::clipboard()->setText(QString(QChar(0x0661)) + QChar(0x0662) + "-345-67");
    login.id->paste();
    QCOMPARE(login.id->displayText(), "__-___-__");
    QGuiApplication::clipboard()->setText("12-345-67");
    login.id->paste();
    QCOMPARE(login.id->displayText(), "12-345-67");
}

QTEST_MAIN(TestPastedText)
#include "tst_pastedtext.moc"
