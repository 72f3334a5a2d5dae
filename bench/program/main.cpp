// The program's side of the login and start-up benchmarks, started as src/app/main.cpp does and
// linked as the program is, so that the engine's driver loads at the first statement:
//   zelkarin_bench_program (start | (press | statements) CONNECTION-STRING FACULTY-ID PASSWORD)
#include "Connections.h"
#include "LoginWindowDriver.h"
#include "MainWindowDriver.h"
#include "MemberLogin.h"
#include "MessageBoxPresenter.h"
#include "MessageRecorder.h"
#include "Probe.h"
#include "ProgramEnd.h"
#include "TeachingLoad.h"

#include <QComboBox>
#include <QTreeWidget>

#include <cstdio>
#include <exception>

namespace {

void pressOk(LoginWindowDriver& login, const QStringList& arguments) {
    login.type(QString(arguments.at(2)).remove(u'-'), arguments.at(3));
    const double start = nowMs();
    QTest::mouseClick(login.ok, Qt::LeftButton);
    reportToParent("filled_ms", nowMs() - start);
    QCoreApplication::processEvents();
    reportToParent("painted_ms", nowMs() - start);
    reportToParent("rss_login_mb", residentMb());
    QWidget* main = mainWindow();
    if (!main || !main->isVisible())
        throw std::runtime_error("the main window is not shown");
    reportToParent("rows", MainWindowDriver::list(main)->topLevelItemCount());
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

// A message box shown means that the figure measured something else, and fails the process.
int runMode(const QStringList& arguments, const std::function<void()>& work) {
    try {
        MessageRecorder messages;
        Connections::useConnectionString(arguments.at(1));
        work();
        if (!messages.messages().isEmpty())
            throw std::runtime_error("the program said: " +
                                     messages.prompts().join(QStringLiteral(" / ")).toStdString());
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelkarin_bench_program: %s\n", error.what());
        return 1;
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString mode = arguments.value(0);
    if (arguments.size() != (mode == QLatin1String("start") ? 1 : 4) ||
        !QStringList{"start", "press", "statements"}.contains(mode))
        return 2;
    // From here on what the program's main does, with the probe added.
    NameOnlyApplication app(argv[0]);
    installMessageBoxPresenter();
    int status = 0;
    if (mode == QLatin1String("statements")) {
        status = runMode(arguments, [&arguments] { runStatements(arguments); });
    } else {
        LoginWindowDriver login; // shows the login window, as the program's main does
        whenFirstPainted([&] {
            reportToParent("shown_ms", nowMs());
            reportToParent("rss_mb", residentMb());
            if (mode == QLatin1String("press"))
                status = runMode(arguments, [&] { pressOk(login, arguments); });
            QCoreApplication::exit(status);
        });
        QApplication::exec();
    }
    releaseWindowsAndConnections();
    return status;
}
