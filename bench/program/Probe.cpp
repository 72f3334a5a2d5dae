#include "Probe.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

class FirstPaint : public QObject {
public:
    explicit FirstPaint(std::function<void()> shown) : m_shown(std::move(shown)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            qApp->removeEventFilter(this);
            // The rest of the window paints in the same pass; run once it is on the screen.
            QTimer::singleShot(0, qApp, [shown = m_shown] { shown(); });
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_shown;
};

} // namespace

void whenFirstPainted(std::function<void()> shown) {
    qApp->installEventFilter(new FirstPaint(std::move(shown)));
}

double residentMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("VmRSS:"))
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

double nowMs() {
    // steady_clock is CLOCK_MONOTONIC on Linux: comparable between a parent and its child.
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void reportToParent(const char* name, double value) {
    std::printf("%s=%.6f\n", name, value);
    std::fflush(stdout);
}

void runBareWindow(const std::function<void()>& then) {
    QWidget window;
    window.resize(398, 229); // the login window's 5970 x 3435 twips
    whenFirstPainted([&then] {
        reportToParent("shown_ms", nowMs());
        reportToParent("rss_mb", residentMb());
        then();
        QCoreApplication::exit(0);
    });
    window.show();
    QApplication::exec();
}
