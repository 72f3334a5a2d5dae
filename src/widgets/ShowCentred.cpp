#include "ShowCentred.h"

#include <QScreen>
#include <QWidget>

void showCentred(QWidget* window) {
    window->show();
    const QRect frame = window->frameGeometry();
    window->move(window->screen()->availableGeometry().center() -
                 (frame.center() - frame.topLeft()));
}
