#include "Connections.h"
#include "PasswordTesting.h"
#include "ShowChangePassword.h"
#include "WindowTestFixture.h"
#include "frmChange.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>

namespace {

const QColor blue(0, 0, 255);
const QString invalid = QStringLiteral("INVALID");
const MsgStyle exclamation = MsgStyle::Exclamation;
const QString mismatch = QStringLiteral(
    "New password and verify password did not match with each other. Pls try again.");
const QString noAccount =
    QStringLiteral("Your account could not be found. Your password was not changed.");

bool sameImage(const QIcon& icon, const QString& artwork) {
    return icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied) ==
           QImage(dataPath(artwork)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class TestFrmChange : public WindowTestFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlsStandAsDesigned_data();
    void controlsStandAsDesigned();
    void fieldsButtonsAndTabOrder();
    void windowIsAFixedCentredModelessDialog();
    void enterMovesFocusWithoutPressingOk();
    void newPasswordFieldsTakeNineCharacters();
    void emptyFieldFocusesNewPassword();
    void databaseErrorKeepsWindowAndEntries();
    void okStoresPasswordAndUnloads();
    void mismatchSelectsNewPassword();
    void unknownAccountKeepsWindowAndEntries();
    void cancelAndFrameCloseUnload_data();
    void cancelAndFrameCloseUnload();
    void secondRequestBringsTheSameWindowForward();

private:
    void open(const QString& facultyId = QStringLiteral("12-345-67"));
    // The accounts on SQLite: the window's wiring is the same on every engine.
    const TestDatabase& useAccounts() {
        return insertAccounts(useDatabase(Engine::SQLite, TestDatabase::Content::SchemaOnly));
    }
    void unloadClosedWindows();
    template <typename T> T* control(const char* name) const {
        return m_window->findChild<T*>(QLatin1String(name));
    }
    QLineEdit* field(const char* name) const { return control<QLineEdit>(name); }
    QString focused() const {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    void fill(const QString& newPassword, const QString& verify);
    void clickOk() { QTest::mouseClick(control<QPushButton>("cmdOK"), Qt::LeftButton); }

    QPointer<frmChange> m_window;
};

void TestFrmChange::init() {
    WindowTestFixture::init();
    Connections::useConnectionString(unreachableDatabase());
}

void TestFrmChange::cleanup() {
    if (m_window)
        m_window->close();
    unloadClosedWindows();
    const bool unloaded = !m_window;
    WindowTestFixture::cleanup();
    QVERIFY2(unloaded, "closing the window does not unload it");
}

void TestFrmChange::open(const QString& facultyId) {
    m_window = showChangePassword(facultyId, "maria");
    QVERIFY(m_window);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestFrmChange::unloadClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestFrmChange::fill(const QString& newPassword, const QString& verify) {
    QTest::keyClicks(field("txtNewPassword"), newPassword);
    QTest::keyClicks(field("txtVerifyNewPassword"), verify);
}

void TestFrmChange::controlsStandAsDesigned_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("caption"); // bold blue text
    QTest::addColumn<QString>("toolTip");
    const QString fieldTip = "enter upto 9 chars long only";
    QTest::newRow("Label2") << "Label2" << QRect(36, 36, 119, 16) << "User ID Number:" << true
                            << QString();
    QTest::newRow("lblUsername") << "lblUsername" << QRect(164, 33, 188, 24) << "12-345-67" << false
                                 << QString();
    QTest::newRow("lblOldPass") << "lblOldPass" << QRect(34, 65, 105, 16) << "Old Password:" << true
                                << QString();
    QTest::newRow("txtOldPassword")
        << "txtOldPassword" << QRect(165, 61, 186, 24) << "maria" << false << QString();
    QTest::newRow("lblNewPass") << "lblNewPass" << QRect(35, 99, 154, 16)
                                << "Enter New Password:" << true << QString();
    QTest::newRow("txtNewPassword")
        << "txtNewPassword" << QRect(210, 93, 140, 24) << QString() << false << fieldTip;
    QTest::newRow("lblVerify") << "lblVerify" << QRect(34, 138, 173, 16)
                               << "Re-type new password:" << true << QString();
    QTest::newRow("txtVerifyNewPassword")
        << "txtVerifyNewPassword" << QRect(210, 135, 140, 24) << QString() << false << fieldTip;
    QTest::newRow("cmdOK") << "cmdOK" << QRect(125, 178, 109, 40) << "&Ok" << true << QString();
    QTest::newRow("cmdCancel") << "cmdCancel" << QRect(246, 177, 110, 40) << "&Cancel" << true
                               << "Click here if dont want to change your password.";
}

void TestFrmChange::controlsStandAsDesigned() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(bool, caption);
    QFETCH(QString, toolTip);
    open();
    auto* widget = m_window->findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(widget->property("text").toString(), text);
    QCOMPARE(widget->toolTip(), toolTip);
    QCOMPARE(widget->font().family(), "DejaVu Sans");
    QCOMPARE(widget->font().pointSizeF(), 9.75);
    QCOMPARE(widget->font().bold(), caption);
    QCOMPARE(widget->palette().color(widget->foregroundRole()) == blue, caption);
}

void TestFrmChange::fieldsButtonsAndTabOrder() {
    open();
    QCOMPARE(field("txtOldPassword")->maxLength(), 8);
    QVERIFY(field("txtOldPassword")->isReadOnly());
    for (const char* name : {"txtNewPassword", "txtVerifyNewPassword"}) {
        QCOMPARE(field(name)->maxLength(), 9);
        QVERIFY(!field(name)->isReadOnly());
    }
    for (const char* name : {"txtOldPassword", "txtNewPassword", "txtVerifyNewPassword"}) {
        QCOMPARE(field(name)->echoMode(), QLineEdit::Password);
        QCOMPARE(field(name)->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr,
                                                 field(name)),
                 '*');
        QCOMPARE(field(name)->palette().color(QPalette::Base), QColor(Qt::white));
    }
    auto* id = control<QLabel>("lblUsername");
    QVERIFY(id->autoFillBackground());
    QCOMPARE(id->backgroundRole(), QPalette::Window);

    auto* ok = control<QPushButton>("cmdOK");
    auto* cancel = control<QPushButton>("cmdCancel");
    QVERIFY(sameImage(ok->icon(), "artwork/key-32.png"));
    QVERIFY(sameImage(cancel->icon(), "artwork/cancel-32.png"));
    for (QPushButton* button : {ok, cancel}) {
        QCOMPARE(button->iconSize(), QSize(32, 32));
        QCOMPARE(button->palette().color(QPalette::Button), QColor(212, 208, 200));
    }

    // Labels take no focus; the window opens on the first field of the tab order.
    QStringList order{focused()};
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << focused();
    }
    QCOMPARE(order, (QStringList{"txtOldPassword", "txtNewPassword", "txtVerifyNewPassword",
                                 "cmdCancel", "cmdOK", "txtOldPassword"}));
}

void TestFrmChange::windowIsAFixedCentredModelessDialog() {
    open();
    QCOMPARE(m_window->objectName(), "frmChange");
    QCOMPARE(m_window->windowTitle(), "Change Password");
    QCOMPARE(m_window->size(), QSize(418, 253));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    const Qt::WindowFlags flags = m_window->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!m_window->parentWidget());
    QCOMPARE(m_window->windowModality(), Qt::NonModal);
    QVERIFY(m_window->testAttribute(Qt::WA_DeleteOnClose));
    const QPoint offCentre =
        m_window->geometry().center() - m_window->screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 2, qPrintable(QString::number(offCentre.x())));
}

void TestFrmChange::enterMovesFocusWithoutPressingOk() {
    open();
    QCOMPARE(focused(), "txtOldPassword");
    QTest::keyClick(field("txtOldPassword"), Qt::Key_Return);
    QCOMPARE(focused(), "txtNewPassword");
    QTest::keyClicks(field("txtNewPassword"), "abc");
    QTest::keyClick(field("txtNewPassword"), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(focused(), "txtVerifyNewPassword");
    QTest::keyClicks(field("txtVerifyNewPassword"), "abc");
    QTest::keyClick(field("txtVerifyNewPassword"), Qt::Key_Return);
    QCOMPARE(focused(), "cmdOK");
    QVERIFY(messages.messages().isEmpty());
    QVERIFY(m_window->isVisible());
    QCOMPARE(field("txtNewPassword")->text(), "abc");
    QCOMPARE(field("txtVerifyNewPassword")->text(), "abc");
}

void TestFrmChange::newPasswordFieldsTakeNineCharacters() {
    open();
    fill("123456789", "abcdefghi");
    QTest::keyClick(field("txtNewPassword"), Qt::Key_0);
    QTest::keyClick(field("txtVerifyNewPassword"), Qt::Key_J);
    QCOMPARE(field("txtNewPassword")->text(), "123456789");
    QCOMPARE(field("txtVerifyNewPassword")->text(), "abcdefghi");
}

void TestFrmChange::emptyFieldFocusesNewPassword() {
    open();
    fill("abc", "");
    clickOk();
    QCOMPARE(messages.prompts(), QStringList{"One of your field is empty."});
    QCOMPARE(focused(), "txtNewPassword");
    QVERIFY(m_window->isVisible());
    QCOMPARE(field("txtNewPassword")->text(), "abc");
}

void TestFrmChange::databaseErrorKeepsWindowAndEntries() {
    open();
    fill("abc", "abd");
    clickOk();
    QCOMPARE(messages.messages().size(), 1);
    QVERIFY2(messages.messages()[0].prompt.startsWith("Run-time error '-2147467259':\n\n"),
             qPrintable(messages.messages()[0].prompt));
    QCOMPARE(messages.messages()[0].style, MsgStyle::Critical);
    unloadClosedWindows();
    QVERIFY(m_window && m_window->isVisible());
    QCOMPARE(field("txtNewPassword")->text(), "abc");
    QCOMPARE(field("txtVerifyNewPassword")->text(), "abd");
    QCOMPARE(field("txtOldPassword")->text(), "maria");
}

void TestFrmChange::okStoresPasswordAndUnloads() {
    const TestDatabase& db = useAccounts();
    open();
    fill("n3w", "n3w");
    bool shownOverWindow = false;
    messages.setOnNextMessage([&] { shownOverWindow = m_window && m_window->isVisible(); });
    clickOk();
    QCOMPARE(messages.prompts(), QStringList{"Your password has been changed."});
    QVERIFY(shownOverWindow);
    QCOMPARE(db.scalar("SELECT password FROM Prof_login WHERE profid='12-345-67'"), "n3w");
    unloadClosedWindows();
    QVERIFY(!m_window);

    // A new window: the login password again, empty new fields.
    open();
    QCOMPARE(field("txtOldPassword")->text(), "maria");
    QCOMPARE(field("txtNewPassword")->text(), QString());
    QCOMPARE(field("txtVerifyNewPassword")->text(), QString());
    QCOMPARE(control<QLabel>("lblUsername")->text(), "12-345-67");
}

void TestFrmChange::mismatchSelectsNewPassword() {
    const TestDatabase& db = useAccounts();
    const QList<QStringList> before = accounts(db);
    open();
    fill("Secret", "secret");
    clickOk();
    QCOMPARE(messages.messages(),
             (QList<MessageRecorder::Message>{{mismatch, exclamation, invalid}}));
    QCOMPARE(accounts(db), before);
    QCOMPARE(focused(), "txtNewPassword");
    QCOMPARE(field("txtNewPassword")->selectedText(), "Secret");
    QCOMPARE(field("txtVerifyNewPassword")->text(), "secret");
    // The next typing replaces the whole entry.
    QTest::keyClicks(field("txtNewPassword"), "x");
    QCOMPARE(field("txtNewPassword")->text(), "x");
}

void TestFrmChange::unknownAccountKeepsWindowAndEntries() {
    const TestDatabase& db = useAccounts();
    const QList<QStringList> before = accounts(db);
    open("99-999-99");
    fill("same", "same");
    clickOk();
    QCOMPARE(messages.messages(),
             (QList<MessageRecorder::Message>{{noAccount, exclamation, invalid}}));
    QCOMPARE(accounts(db), before);
    unloadClosedWindows();
    QVERIFY(m_window && m_window->isVisible());
    QCOMPARE(field("txtNewPassword")->text(), "same");
    QCOMPARE(field("txtVerifyNewPassword")->text(), "same");
}

void TestFrmChange::cancelAndFrameCloseUnload_data() {
    QTest::addColumn<bool>("cancel");
    QTest::newRow("cmdCancel") << true;
    QTest::newRow("title bar") << false;
}

void TestFrmChange::cancelAndFrameCloseUnload() {
    QFETCH(bool, cancel);
    open();
    fill("abc", "abc");
    if (cancel)
        QTest::mouseClick(control<QPushButton>("cmdCancel"), Qt::LeftButton);
    else
        m_window->close();
    QVERIFY(m_window->isHidden());
    QVERIFY(messages.messages().isEmpty());

    // Asked again before the closed window is gone: a new window, which outlives the old one.
    const QPointer<frmChange> closed = m_window;
    open();
    unloadClosedWindows();
    QVERIFY(!closed);
    QVERIFY(m_window && m_window->isVisible());
    QCOMPARE(field("txtOldPassword")->text(), "maria");
    QCOMPARE(field("txtNewPassword")->text(), QString());
    QCOMPARE(field("txtVerifyNewPassword")->text(), QString());
}

void TestFrmChange::secondRequestBringsTheSameWindowForward() {
    open();
    fill("abc", "");
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));

    QCOMPARE(showChangePassword("99-999-99", "other"), m_window.data());
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QCOMPARE(control<QLabel>("lblUsername")->text(), "12-345-67");
    QCOMPARE(field("txtOldPassword")->text(), "maria");
    QCOMPARE(field("txtNewPassword")->text(), "abc");
}

QTEST_MAIN(TestFrmChange)
#include "tst_frmchange.moc"
