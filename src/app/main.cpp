#include "MessageBoxPresenter.h"
#include "ProgramEnd.h"
#include "ShowLoginWindow.h"

#include <QApplication>

int main(int, char* argv[]) {
    // The program takes no command line: Qt sees only the program's name.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    installMessageBoxPresenter();
    showLoginWindow();
    const int status = QApplication::exec();
    releaseWindowsAndConnections();
    return status;
}
