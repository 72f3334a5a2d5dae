#pragma once

#include "TestFixture.h"

// The fixture of tests that open windows: each test also ends with every window deleted and
// no wait cursor left over the program.
class WindowTestFixture : public TestFixture {
    Q_OBJECT

protected slots:
    void cleanup();
};
