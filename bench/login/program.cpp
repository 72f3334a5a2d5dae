// The program's side of zelkarin_bench_login, in a process that links what the program links
// and no database client library of its own: the engine's driver loads at the first statement,
// as in the program.
//   zelkarin_bench_login_program (program | preloaded | statements) CONNECTION-STRING
//       FACULTY-ID PASSWORD DRIVER
// program: the login window as the program shows it, then the press of OK, until the main window
// is filled and until it has painted; preloaded: the same after preloadWhileTheMemberTypes;
// statements: the program's own login and start-up code on controls that are never shown.
#include "Connections.h"
#include "MemberLogin.h"
#include "Probe.h"
#include "ProgramDriver.h"
#include "ShowLoginWindow.h"
#include "TeachingLoad.h"

#include <QComboBox>
#include <QPixmap>
#include <QSqlDatabase>
#include <QTreeWidget>

#include <cstdio>
#include <exception>

// What the program could do once the login window has painted, while the member types: load
// the database driver with its client library, and decode the main window's background, which
// QPixmap keeps in its cache for the window's own load of the same file. Reports how long each
// takes. Outside a namespace: Q_INIT_RESOURCE declares the resource's function where it is used.
static void preloadWhileTheMemberTypes(const QString& driver) {
    Q_INIT_RESOURCE(mainwindow);
    double start = nowMs();
    QPixmap(QStringLiteral(":/mainwindow/main-background.jpg"));
    reportToParent("background_ms", nowMs() - start);
    start = nowMs();
    QSqlDatabase::addDatabase(driver, QStringLiteral("preload"));
    QSqlDatabase::removeDatabase(QStringLiteral("preload"));
    reportToParent("driver_ms", nowMs() - start);
}

namespace {

void pressOk(const QStringList& arguments, bool preloaded) {
    showLoginWindow();
    letWindowsPaint();
    if (preloaded)
        preloadWhileTheMemberTypes(arguments.at(4));
    enterCredentials(arguments.at(2), arguments.at(3));
    const double start = nowMs();
    press("frmLogin", "cmdOK");
    reportToParent("filled_ms", nowMs() - start);
    letWindowsPaint();
    reportToParent("painted_ms", nowMs() - start);
    reportToParent("rows", teachingLoadRows());
}

void runStatements(const QStringList& arguments) {
    QComboBox periods;
    periods.setEditable(true);
    QTreeWidget list;
    const double start = nowMs();
    if (!logIn(arguments.at(2), arguments.at(3)))
        throw std::runtime_error("the login failed");
    loadActivePeriod(Connections::UserID, &periods, &list);
    reportToParent("filled_ms", nowMs() - start);
    reportToParent("rows", list.topLevelItemCount());
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (arguments.size() != 5) {
        std::fprintf(stderr, "usage: zelkarin_bench_login_program (program | preloaded | "
                             "statements) CONNECTION-STRING FACULTY-ID PASSWORD DRIVER\n");
        return 2;
    }
    try {
        NameOnlyApplication application(argv[0]);
        InstantAnswers answers;
        Connections::useConnectionString(arguments.at(1));
        if (arguments.at(0) == QLatin1String("statements"))
            runStatements(arguments);
        else
            pressOk(arguments, arguments.at(0) == QLatin1String("preloaded"));
        answers.requireOnly();
        Connections::releaseAll();
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelkarin_bench_login_program: %s\n", error.what());
        return 1;
    }
}
