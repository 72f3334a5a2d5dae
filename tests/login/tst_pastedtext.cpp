#include "LoginTestFixture.h"
#include "LoginWindowDriver.h"
#include "ShowChangePassword.h"
#include "frmChange.h"
#include "frmMain.h"

#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QMimeData>

namespace {

const QString withNul = QStringLiteral("12") + QChar(u'\0') + QStringLiteral("345");

// Brings `withNul` into a field in the three ways text comes from outside: Ctrl+V and the
// context menu's Paste (both reach an editable combo box rather than its field), and a drop.
// Returns the field's text after each, emptying it in between.
QStringList insertFromOutside(QWidget* target, QLineEdit* field) {
    QStringList texts;
    target->setFocus();
    QGuiApplication::clipboard()->setText(withNul);
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    texts << field->displayText();
    field->clear();

    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, {2, 2},
                                target->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(target, &menuEvent);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    for (QAction* action : menu->actions())
        if (action->text().startsWith("&Paste"))
            action->trigger();
    menu->close();
    texts << field->displayText();
    field->clear();

    QMimeData data;
    data.setText(withNul);
    // A drop goes to the widget that took the drag as it entered.
    QDragEnterEvent enter({2, 2}, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(field, &enter);
    QDropEvent drop({2, 2}, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(field, &drop);
    texts << field->displayText();
    return texts;
}

} // namespace

// Text from outside ends at its first NUL, as in a native text box; the Faculty ID takes 0-9.
class TestPastedText : public LoginTestFixture {
    Q_OBJECT

private slots:
    void textEndsAtTheFirstNul();
    void facultyIdTakesOnlyAsciiDigits();
};

void TestPastedText::textEndsAtTheFirstNul() {
    LoginWindowDriver login;
    QVERIFY(QTest::qWaitForWindowActive(login.window));
    QCOMPARE(insertFromOutside(login.id, login.id), QStringList(3, "12-___-__"));
    QCOMPARE(insertFromOutside(login.password, login.password), QStringList(3, "**"));

    frmMain main;
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    auto* periods = main.findChild<QComboBox*>("cboPeriod");
    QCOMPARE(insertFromOutside(periods, periods->lineEdit()), QStringList(3, "12"));

    QWidget* change = showChangePassword("12-345-67", "maria");
    QVERIFY(QTest::qWaitForWindowActive(change));
    for (auto* field : {change->findChild<QLineEdit*>("txtNewPassword"),
                        change->findChild<QLineEdit*>("txtVerifyNewPassword")}) {
        insertFromOutside(field, field);
        QCOMPARE(field->text(), "12");
    }
    delete change;
}

void TestPastedText::facultyIdTakesOnlyAsciiDigits() {
    LoginWindowDriver login;
    // Arabic-Indic and fullwidth three are digits of other scripts.
    for (const QChar typed : {u'1', u'\u0663', u'\uFF13', u'2'})
        QTest::sendKeyEvent(QTest::Click, login.id, Qt::Key_unknown, typed, Qt::NoModifier);
    QCOMPARE(login.id->displayText(), "12-___-__");
    login.id->clear();
    QGuiApplication::clipboard()->setText(u"\u0661\u0662-345-67"_qs);
    login.id->paste();
    QCOMPARE(login.id->displayText(), "__-___-__");
}

QTEST_MAIN(TestPastedText)
#include "tst_pastedtext.moc"
