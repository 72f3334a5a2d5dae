#include "ShowChangePassword.h"

#include "ShowCentred.h"
#include "frmChange.h"

#include <QPointer>

frmChange* showChangePassword(const QString& facultyId, const QString& userPassword) {
    static QPointer<frmChange> window;
    // A closed window is only waiting for its deletion: the next request loads a new one.
    if (!window || window->isHidden()) {
        window = new frmChange(facultyId, userPassword);
        showCentred(window);
    } else {
        window->raise();
        window->activateWindow();
    }
    return window;
}
