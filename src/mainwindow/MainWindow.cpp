#include "MainWindow.h"

frmMain* showMainWindow() {
    return nullptr;
}
