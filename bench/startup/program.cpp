// The program's start and end as src/app/main.cpp makes them, reporting when the login window
// has painted; then, given a database, a login through the windows.
//   zelkarin_bench_startup_program [CONNECTION-STRING FACULTY-ID PASSWORD]
#include "Connections.h"
#include "MessageBoxPresenter.h"
#include "Probe.h"
#include "ProgramDriver.h"
#include "ProgramEnd.h"
#include "ShowLoginWindow.h"

#include <QApplication>

#include <cstdio>
#include <exception>

namespace {

void logInAndMeasure(const QStringList& login) {
    InstantAnswers answers;
    Connections::useConnectionString(login.at(0));
    enterCredentials(login.at(1), login.at(2));
    press("frmLogin", "cmdOK");
    letWindowsPaint();
    if (teachingLoadRows() == 0)
        throw std::runtime_error("the main window lists no section");
    answers.requireOnly();
    reportToParent("rss_login_mb", residentMb());
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList login;
    for (int i = 1; i < argc; ++i)
        login << QString::fromLocal8Bit(argv[i]);
    // From here on what the program's main does, with the probe added.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    installMessageBoxPresenter();
    whenFirstPainted([&login] {
        reportToParent("shown_ms", nowMs());
        reportToParent("rss_mb", residentMb());
        try {
            if (login.size() == 3)
                logInAndMeasure(login);
            QCoreApplication::exit(0);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "zelkarin_bench_startup_program: %s\n", error.what());
            QCoreApplication::exit(1);
        }
    });
    showLoginWindow();
    const int status = QApplication::exec();
    releaseWindowsAndConnections();
    return status;
}
