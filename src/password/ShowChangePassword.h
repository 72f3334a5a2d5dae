#pragma once

#include <QString>

class frmChange;

// Shows the single change-password window without a mode, creating and loading it when none
// is open; an open one is only brought to the front.
frmChange* showChangePassword(const QString& facultyId, const QString& userPassword);
