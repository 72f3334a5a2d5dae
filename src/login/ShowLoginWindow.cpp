#include "ShowLoginWindow.h"

#include "frmLogin.h"

#include <QPointer>
#include <QScreen>

frmLogin* showLoginWindow() {
    static QPointer<frmLogin> window;
    if (!window)
        window = new frmLogin;
    window->show();
    // Centred with its frame, which is known once the window is shown.
    const QRect frame = window->frameGeometry();
    window->move(window->screen()->availableGeometry().center() -
                 (frame.center() - frame.topLeft()));
    return window;
}
