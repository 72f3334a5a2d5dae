#include "Connections.h"
#include "Login.h"
#include "MessageBoxes.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

int main(int, char* argv[]) {
    // The program takes no command line: Qt sees only the program's name.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    installMessageBoxes();
    showLoginWindow();
    const int status = QApplication::exec();

    // The windows and connections live until the end; release them while Qt is still up.
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        windows.append(window);
    for (const QPointer<QWidget>& window : windows)
        delete window.data();
    Connections::releaseAll();
    return status;
}
