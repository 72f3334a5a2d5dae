#include "Connections.h"
#include "LoginTestFixture.h"
#include "LoginWindowDriver.h"
#include "ShowChangePassword.h"
#include "TestDatabase.h"
#include "frmChange.h"
#include "frmMain.h"

#include <QAccessible>
#include <QLabel>
#include <QMetaEnum>
#include <QTreeWidget>

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

// A value label as a screen reader reads it: name, value, description, and the captions that
// label it.
QStringList readValue(QWidget* window, const char* label) {
    QAccessibleInterface* node =
        QAccessible::queryAccessibleInterface(window->findChild<QLabel*>(label));
    QStringList captions;
    for (const auto& [caption, relation] : node->relations(QAccessible::Label))
        captions << caption->text(QAccessible::Name);
    return {node->text(QAccessible::Name), node->text(QAccessible::Value),
            node->text(QAccessible::Description), captions.join(u'|')};
}

} // namespace

// Every control of the three windows carries a role and a name for screen readers.
class TestAccessibility : public LoginTestFixture {
    Q_OBJECT

private slots:
    void everyControlIsNamed();
    void valuesReadWhatTheyShow();
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

// A value that shows nothing reads as nothing, not as its caption, and is still announced with
// its caption.
void TestAccessibility::valuesReadWhatTheyShow() {
    TestDatabase db(Engine::SQLite);
    db.exec("INSERT INTO TLOAD (professorid, periodcode, subject, subjectname, units, schedule, "
            "room, ssection, enrollstatus, studentID, lastname, firstname) VALUES ('34-567-89', "
            "'2026-2027 1st Semester', '', 'Filipino Elective', '3', 'F 8:00-9:00 AM', 'RM-4', "
            "'NSTP-D', 'Enrolled', '2026-00999', 'Cruz', 'Bea')");
    Connections::useConnectionString(db.connectionString());
    LoginWindowDriver login;
    login.logIn("3456789", "ana"); // a member without a college
    QWidget* main = mainWindow();
    QVERIFY(main);
    auto* list = main->findChild<QTreeWidget*>("lstSubjects");
    const QList<QTreeWidgetItem*> uncoded = list->findItems("", Qt::MatchExactly);
    QCOMPARE(uncoded.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(uncoded.first()).center());

    QCOMPARE(readValue(main, "txtDept"), QStringList({"", "", "", "College:"}));
    QCOMPARE(readValue(main, "lblsubcode"), QStringList({"", "", "", "Subject:"}));
    QCOMPARE(readValue(main, "txtName"), QStringList({"Reyes, Ana", "", "", "Name:"}));
    QCOMPARE(readValue(main, "lblDesc"),
             QStringList({"Filipino Elective", "", "", "Description :"}));

    QWidget* change = showChangePassword("", "ana");
    QCOMPARE(readValue(change, "lblUsername"), QStringList({"", "", "", "User ID Number:"}));
    delete change;
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
