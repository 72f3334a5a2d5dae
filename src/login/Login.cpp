#include "Login.h"

frmLogin* showLoginWindow() {
    return nullptr;
}
