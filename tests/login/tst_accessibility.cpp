#include "Connections.h"
#include "LoginWindowDriver.h"
#include "ShowChangePassword.h"
#include "frmChange.h"
#include "frmMain.h"

#include <QAccessible>
#include <QLabel>
#include <QPointer>

namespace {

// One control as a screen reader presents it: role, name, description and the caption that
// labels it.
struct Reading {
    QAccessible::Role role;
    QString name;
    QString description;
    QString label;

    bool operator==(const Reading&) const = default;
};

QString labelOf(QAccessibleInterface* control) {
    const auto labels = control->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

// Walks the window's accessibility tree the way a screen reader does, keyed by object name.
QMap<QString, Reading> readWindow(QWidget* window, Reading* windowReading) {
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
    *windowReading = {root->role(), root->text(QAccessible::Name), {}, {}};
    QMap<QString, Reading> controls;
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface* child = root->child(i);
        controls.insert(child->object()->objectName(),
                        {child->role(), child->text(QAccessible::Name),
                         child->text(QAccessible::Description), labelOf(child)});
    }
    return controls;
}

void compareReadings(const QMap<QString, Reading>& actual, const QMap<QString, Reading>& expected) {
    QCOMPARE(actual.keys(), expected.keys());
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        const Reading& got = actual.value(it.key());
        QVERIFY2(got == it.value(),
                 qPrintable(QStringLiteral("%1: role %2, name \"%3\", description \"%4\", "
                                           "label \"%5\"")
                                .arg(it.key())
                                .arg(got.role)
                                .arg(got.name, got.description, got.label)));
    }
}

} // namespace

// Every control of the three windows carries a role and a name for screen readers.
class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void loginWindow();
    void mainWindow();
    void changePasswordWindow();
};

void TestAccessibility::loginWindow() {
    LoginWindowDriver login;
    Reading window;
    const auto controls = readWindow(login.window, &window);
    QCOMPARE(window, (Reading{QAccessible::Dialog, "ZELKARIN", {}, {}}));
    using A = QAccessible;
    compareReadings(
        controls,
        {
            {"txtusername", {A::EditableText, "Username", "Enter your Faculty ID number.", {}}},
            {"txtPassword", {A::EditableText, "Password", "Enter your password.", {}}},
            {"cmdOK", {A::Button, "OK", {}, {}}},
            {"cmdCancel", {A::Button, "CANCEL", {}, {}}},
        });
}

void TestAccessibility::mainWindow() {
    Connections::UserID = "12-345-67";
    Connections::UserName = "Santos, Maria Luisa";
    Connections::UserDept = "College of Computer Studies";
    frmMain main;
    for (auto [name, text] : {std::pair{"txtID", "12-345-67"},
                              {"txtName", "Santos, Maria Luisa"},
                              {"txtDept", "College of Computer Studies"}})
        main.findChild<QLabel*>(name)->setText(text);
    main.show();
    Reading window;
    const auto controls = readWindow(&main, &window);
    QCOMPARE(window, (Reading{QAccessible::Window, "Zelkarin", {}, {}}));
    using A = QAccessible;
    const auto caption = [](const char* text) { return Reading{A::StaticText, text, {}, {}}; };
    compareReadings(controls,
                    {
                        {"lblperiod", caption("PERIOD :")},
                        {"cboPeriod", {A::ComboBox, "Period", {}, "PERIOD :"}},
                        {"Label1", caption("Faculty ID No.:")},
                        {"txtID", {A::StaticText, "12-345-67", {}, "Faculty ID No.:"}},
                        {"Label8", caption("Name:")},
                        {"txtName", {A::StaticText, "Santos, Maria Luisa", {}, "Name:"}},
                        {"Label9", caption("College:")},
                        {"txtDept", {A::StaticText, "College of Computer Studies", {}, "College:"}},
                        {"Label2", caption("Subject:")},
                        {"lblsubcode", {A::StaticText, "-", {}, "Subject:"}},
                        {"Label6", caption("Description :")},
                        {"lblDesc", {A::StaticText, "-", {}, "Description :"}},
                        {"Label3", caption("Schedule:")},
                        {"lblsched", {A::StaticText, "-", {}, "Schedule:"}},
                        {"Label4", caption("Room:")},
                        {"lblroom", {A::StaticText, "-", {}, "Room:"}},
                        {"Label7", caption("Section:")},
                        {"lblsection", {A::StaticText, "-", {}, "Section:"}},
                        {"lstSubjects", {A::Tree, "Teaching Load", {}, {}}},
                        {"cmdCreate", {A::Button, "CREATE CLASS LIST IN EXCEL", {}, {}}},
                        {"cmdchange", {A::Button, "CHANGE PASSWORD", {}, {}}},
                        {"cmdClose", {A::Button, "CLOSE", {}, {}}},
                    });
}

void TestAccessibility::changePasswordWindow() {
    QPointer<frmChange> change = showChangePassword("12-345-67", "maria");
    Reading window;
    const auto controls = readWindow(change, &window);
    QCOMPARE(window, (Reading{QAccessible::Dialog, "Change Password", {}, {}}));
    using A = QAccessible;
    const auto caption = [](const char* text) { return Reading{A::StaticText, text, {}, {}}; };
    const QString fieldTip = "enter upto 9 chars long only";
    compareReadings(
        controls,
        {
            {"Label2", caption("User ID Number:")},
            {"lblUsername", {A::StaticText, "12-345-67", {}, "User ID Number:"}},
            {"lblOldPass", caption("Old Password:")},
            {"txtOldPassword", {A::EditableText, "Old Password", {}, "Old Password:"}},
            {"lblNewPass", caption("Enter New Password:")},
            {"txtNewPassword",
             {A::EditableText, "Enter New Password", fieldTip, "Enter New Password:"}},
            {"lblVerify", caption("Re-type new password:")},
            {"txtVerifyNewPassword",
             {A::EditableText, "Re-type new password", fieldTip, "Re-type new password:"}},
            {"cmdOK", {A::Button, "Ok", {}, {}}},
            {"cmdCancel",
             {A::Button, "Cancel", "Click here if dont want to change your password.", {}}},
        });
    change->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
