#include "BareWindow.h"

#include "Probe.h"

#include <QApplication>
#include <QWidget>

int runBareWindow(char* program, const std::function<void()>& then) {
    NameOnlyApplication application(program);
    QWidget window;
    window.resize(398, 229); // the login window's 5970 x 3435 twips
    whenFirstPainted([&then] {
        reportToParent("shown_ms", nowMs());
        reportToParent("rss_mb", residentMb());
        then();
        QCoreApplication::exit(0);
    });
    window.show();
    return QApplication::exec();
}
