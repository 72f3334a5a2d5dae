#include "Connections.h"
#include "LoginTestFixture.h"
#include "LoginWindowDriver.h"
#include "TestDatabase.h"

#include <QFile>
#include <QFontInfo>
#include <QScreen>
#include <QSignalSpy>

namespace {

QRect twips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

} // namespace

class TestLoginWindow : public LoginTestFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void windowAsDesigned();
    void controlsAsDesigned();
    void accessKeysPressTheirButtons();
    void idFieldKeepsItsPromptCharacters();
    void emptyFieldsAreRefusedBeforeTheDatabase_data();
    void emptyFieldsAreRefusedBeforeTheDatabase();
    void cancelAndCloseEndTheProgramUntouched_data();
    void cancelAndCloseEndTheProgramUntouched();
};

void TestLoginWindow::initTestCase() {
    // The window itself must end the program, not the last window closing.
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestLoginWindow::init() {
    LoginTestFixture::init();
    Connections::useConnectionString(unreachableDatabase());
}

void TestLoginWindow::windowAsDesigned() {
    LoginWindowDriver login;
    frmLogin* window = login.window;
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), "ZELKARIN");
    QCOMPARE(window->windowType(), Qt::Dialog);
    QCOMPARE(window->windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
             Qt::WindowCloseButtonHint);
    QCOMPARE(window->size(), twips(0, 0, 5970, 3435).size());
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(window->frameGeometry().center(), window->screen()->availableGeometry().center());
    const QList<QSize> iconSizes = window->windowIcon().availableSizes();
    QVERIFY(iconSizes.contains(QSize(32, 32)));
    QVERIFY(iconSizes.contains(QSize(16, 16)));

    // The captions are part of the background picture, drawn from the top left corner.
    const QImage picture(QStringLiteral(":/login/login-background.jpg"));
    QCOMPARE(picture.size(), QSize(400, 300));
    const QImage drawn = window->grab().toImage();
    for (const QPoint at : {QPoint(5, 5), QPoint(60, 20), QPoint(60, 110), QPoint(60, 80)})
        QCOMPARE(drawn.pixelColor(at), picture.pixelColor(at));
}

void TestLoginWindow::controlsAsDesigned() {
    LoginWindowDriver login;
    QCOMPARE(login.id->geometry(), twips(2100, 1395, 2055, 540));
    QCOMPARE(login.password->geometry(), twips(2100, 1995, 2055, 540));
    QCOMPARE(login.ok->geometry(), twips(1845, 2700, 1200, 465));
    QCOMPARE(login.cancel->geometry(), twips(3165, 2700, 1200, 465));

    QCOMPARE(login.window->focusWidget(), login.id);
    QCOMPARE(login.id->nextInFocusChain(), login.password);
    QCOMPARE(login.password->nextInFocusChain(), login.ok);
    QCOMPARE(login.ok->nextInFocusChain(), login.cancel);

    QCOMPARE(login.id->toolTip(), "Enter your Faculty ID number.");
    QCOMPARE(login.password->toolTip(), "Enter your password.");

    const QColor desktop(0, 78, 152);
    for (QLineEdit* field : {login.id, login.password}) {
        QCOMPARE(QFontInfo(field->font()).family(), "Liberation Sans");
        QCOMPARE(field->font().pointSize(), 18);
        QCOMPARE(field->palette().color(QPalette::Text), desktop);
    }
    QCOMPARE(login.password->palette().color(QPalette::Base), QColor(Qt::white));
    for (QPushButton* button : {login.ok, login.cancel}) {
        QCOMPARE(QFontInfo(button->font()).family(), "DejaVu Sans");
        QCOMPARE(button->font().pointSizeF(), 8.25);
        QVERIFY(button->font().bold());
        QCOMPARE(button->palette().color(QPalette::Button), QColor(236, 233, 216));
        QCOMPARE(button->palette().color(QPalette::ButtonText), QColor(Qt::black));
    }

    QTest::keyClicks(login.password, "pass word");
    QCOMPARE(login.password->displayText(), "*********");
    QCOMPARE(login.password->text(), "pass word");
}

void TestLoginWindow::accessKeysPressTheirButtons() {
    LoginWindowDriver login;
    login.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(login.window));
    QSignalSpy okPressed(login.ok, &QPushButton::pressed);
    QSignalSpy cancelPressed(login.cancel, &QPushButton::pressed);
    QTest::keyClick(login.window, Qt::Key_O, Qt::AltModifier);
    QCOMPARE(okPressed.count(), 1);
    QCOMPARE(cancelPressed.count(), 0);
    QTest::keyClick(login.window, Qt::Key_C, Qt::AltModifier);
    QCOMPARE(cancelPressed.count(), 1);
}

void TestLoginWindow::idFieldKeepsItsPromptCharacters() {
    LoginWindowDriver login;
    QCOMPARE(login.id->displayText(), "__-___-__");
    QTest::keyClicks(login.id, "12a-3");
    QCOMPARE(login.id->displayText(), "12-3__-__");
    QTest::keyClicks(login.id, "45678");
    QCOMPARE(login.id->displayText(), "12-345-67");
}

void TestLoginWindow::emptyFieldsAreRefusedBeforeTheDatabase_data() {
    QTest::addColumn<QString>("idDigits");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    QTest::addColumn<MsgStyle>("style");
    QTest::newRow("both empty") << ""
                                << ""
                                << "Please enter username" << MsgStyle::OkOnly;
    QTest::newRow("password only") << ""
                                   << "maria"
                                   << "Please enter username" << MsgStyle::OkOnly;
    QTest::newRow("no password") << "1234567"
                                 << ""
                                 << "Please enter password" << MsgStyle::OkOnly;
    QTest::newRow("partly typed ID, no password") << "12"
                                                  << ""
                                                  << "Please enter password" << MsgStyle::OkOnly;
    // Blanks are a password: the check goes on to the database, whose failure shows here.
    QTest::newRow("password of blanks") << "1234567"
                                        << "   "
                                        << "Run-time error '-2147467259':" << MsgStyle::Critical;
}

void TestLoginWindow::emptyFieldsAreRefusedBeforeTheDatabase() {
    QFETCH(QString, idDigits);
    QFETCH(QString, password);
    QFETCH(QString, message);
    QFETCH(MsgStyle, style);
    LoginWindowDriver login;
    login.logIn(idDigits, password);
    QCOMPARE(messages.messages().size(), 1);
    QVERIFY2(messages.messages()[0].prompt.startsWith(message),
             qPrintable(messages.messages()[0].prompt));
    QCOMPARE(messages.messages()[0].style, style);
    QCOMPARE(messages.messages()[0].title, "zelkarin");
    QVERIFY(!QFile::exists(unreachableDatabaseFile()));
    QVERIFY(login.window->isVisible());
    QCOMPARE(login.password->text(), password);
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(Connections::UserID.isEmpty());
}

void TestLoginWindow::cancelAndCloseEndTheProgramUntouched_data() {
    QTest::addColumn<bool>("cancel");
    QTest::newRow("Cancel") << true;
    QTest::newRow("title-bar close") << false;
}

void TestLoginWindow::cancelAndCloseEndTheProgramUntouched() {
    QFETCH(bool, cancel);
    LoginWindowDriver login;
    QTest::keyClicks(login.id, "1234567");
    QTest::keyClicks(login.password, "maria");
    QVERIFY(endsTheProgram([&] {
        if (cancel)
            QTest::mouseClick(login.cancel, Qt::LeftButton);
        else
            login.window->close();
    }));
    QCOMPARE(messages.prompts(), QStringList());
    QVERIFY(!QFile::exists(unreachableDatabaseFile()));
    QVERIFY(!Connections::cn);
}

QTEST_MAIN(TestLoginWindow)
#include "tst_loginwindow.moc"
