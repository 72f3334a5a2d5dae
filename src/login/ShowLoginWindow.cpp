#include "ShowLoginWindow.h"

#include "ShowCentred.h"
#include "frmLogin.h"

#include <QPointer>

frmLogin* showLoginWindow() {
    static QPointer<frmLogin> window;
    if (!window)
        window = new frmLogin;
    showCentred(window);
    return window;
}
