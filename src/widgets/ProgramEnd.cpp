#include "ProgramEnd.h"

#include "Connections.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

void endProgram() {
    QCoreApplication::exit(0);
}

void releaseWindowsAndConnections() {
    // Deleting a window may delete others that it owns: hold them all weakly.
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        windows.append(window);
    for (const QPointer<QWidget>& window : windows)
        delete window.data();
    Connections::releaseAll();
}
