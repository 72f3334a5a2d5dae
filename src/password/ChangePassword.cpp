#include "ChangePassword.h"

frmChange* showChangePassword(const QString&, const QString&) {
    return nullptr;
}
