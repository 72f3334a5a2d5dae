#pragma once

#include "WindowTestFixture.h"

// The fixture of the login tests: the workstation's host name and address that a login notes
// are reset too.
class LoginTestFixture : public WindowTestFixture {
    Q_OBJECT

protected slots:
    void init();
    void cleanup();
};
