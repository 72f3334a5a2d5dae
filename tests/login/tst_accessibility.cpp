#include "LoginTestFixture.h"
#include "LoginWindowDriver.h"
#include "ShowChangePassword.h"
#include "frmChange.h"
#include "frmMain.h"

#include <QAccessible>
#include <QLabel>
#include <QMetaEnum>

namespace {

// The window and each control as a screen reader reads them from the accessibility tree:
// role, name, the description after "/" and the caption that labels the control after "|".
QStringList read(QWidget* window) {
    const auto describe = [](QAccessibleInterface* node) {
        const auto labels = node->relations(QAccessible::Label);
        QString text = QMetaEnum::fromType<QAccessible::Role>().valueToKey(node->role()) +
                       QString(" ") + node->text(QAccessible::Name);
        if (!node->text(QAccessible::Description).isEmpty())
            text += " / " + node->text(QAccessible::Description);
        if (!labels.isEmpty())
            text += " | " + labels.first().first->text(QAccessible::Name);
        return text;
    };
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
    QStringList nodes = {describe(root)};
    for (int i = 0; i < root->childCount(); ++i)
        nodes << describe(root->child(i));
    return nodes;
}

} // namespace

// Every control of the three windows carries a role and a name for screen readers.
class TestAccessibility : public LoginTestFixture {
    Q_OBJECT

private slots:
    void everyControlIsNamed();
};

void TestAccessibility::everyControlIsNamed() {
    LoginWindowDriver login;
    QCOMPARE(read(login.window),
             QStringList(
                 {"Dialog ZELKARIN", "EditableText Username / Enter your Faculty ID number.",
                  "EditableText Password / Enter your password.", "Button OK", "Button CANCEL"}));

    frmMain main;
    main.findChild<QLabel*>("txtID")->setText("12-345-67");
    QCOMPARE(read(&main), QStringList({"Window Zelkarin",
                                       "StaticText PERIOD :",
                                       "ComboBox Period | PERIOD :",
                                       "StaticText Faculty ID No.:",
                                       "StaticText 12-345-67 | Faculty ID No.:",
                                       "StaticText Name:",
                                       "StaticText Name: | Name:",
                                       "StaticText College:",
                                       "StaticText College: | College:",
                                       "StaticText Subject:",
                                       "StaticText - | Subject:",
                                       "StaticText Description :",
                                       "StaticText - | Description :",
                                       "StaticText Schedule:",
                                       "StaticText - | Schedule:",
                                       "StaticText Room:",
                                       "StaticText - | Room:",
                                       "StaticText Section:",
                                       "StaticText - | Section:",
                                       "Tree Teaching Load",
                                       "Button CREATE CLASS LIST IN EXCEL",
                                       "Button CHANGE PASSWORD",
                                       "Button CLOSE"}));

    const QString tip = " / enter upto 9 chars long only";
    QWidget* change = showChangePassword("12-345-67", "maria");
    QCOMPARE(
        read(change),
        QStringList(
            {"Dialog Change Password", "StaticText User ID Number:",
             "StaticText 12-345-67 | User ID Number:", "StaticText Old Password:",
             "EditableText Old Password | Old Password:", "StaticText Enter New Password:",
             "EditableText Enter New Password" + tip + " | Enter New Password:",
             "StaticText Re-type new password:",
             "EditableText Re-type new password" + tip + " | Re-type new password:", "Button Ok",
             "Button Cancel / Click here if dont want to change your password."}));
    delete change;
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
