#include "WindowTestFixture.h"

#include "ProgramEnd.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

void WindowTestFixture::cleanup() {
    // The program's own end: it holds the windows weakly, as one may delete others it owns.
    releaseWindowsAndConnections();
    TestFixture::cleanup();
    const bool waitCursorLeft = QGuiApplication::overrideCursor();
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    QVERIFY2(!waitCursorLeft, "the test left an override cursor over the program");
}

bool WindowTestFixture::endsTheProgram(const std::function<void()>& action) {
    QTimer::singleShot(0, qApp, [action] {
        action();
        // Still running: stop the loop here so that the test fails instead of hanging.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(1); });
    });
    return QApplication::exec() == 0;
}

#include "moc_WindowTestFixture.cpp"
