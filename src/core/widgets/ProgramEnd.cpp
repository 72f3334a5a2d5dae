#include "ProgramEnd.h"

#include "Connections.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

void releaseWindowsAndConnections() {
    // Deleting a window may delete others that it owns: hold them all weakly.
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        windows.append(window);
    for (const QPointer<QWidget>& window : windows)
        delete window.data();
    Connections::releaseAll();
}
