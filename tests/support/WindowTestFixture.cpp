#include "WindowTestFixture.h"

#include "ProgramEnd.h"

#include <QGuiApplication>
#include <QTest>

void WindowTestFixture::cleanup() {
    // The program's own end: it holds the windows weakly, as one may delete others it owns.
    releaseWindowsAndConnections();
    TestFixture::cleanup();
    const bool waitCursorLeft = QGuiApplication::overrideCursor();
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    QVERIFY2(!waitCursorLeft, "the test left an override cursor over the program");
}
