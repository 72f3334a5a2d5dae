#include "ShowMainWindow.h"

#include "frmMain.h"

#include <QPointer>

frmMain* showMainWindow() {
    static QPointer<frmMain> window;
    if (!window) {
        // A start-up that throws takes its half-made window with it.
        auto created = std::make_unique<frmMain>();
        created->startUp();
        window = created.release();
    }
    window->showMaximized();
    return window;
}
