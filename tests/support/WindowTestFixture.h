#pragma once

#include "TestFixture.h"

#include <functional>

// The fixture of tests that open windows: each test also ends with every window deleted and
// no wait cursor left over the program.
class WindowTestFixture : public TestFixture {
    Q_OBJECT

protected slots:
    void cleanup();

protected:
    // Runs `action` with the program's event loop, as the program does; true when the action
    // ended the program.
    static bool endsTheProgram(const std::function<void()>& action);
};
