#pragma once

#include <QString>

#include <stdexcept>

// A test's set-up that cannot go on (no server, a script that does not run): the test fails with
// what went wrong.
[[noreturn]] inline void failSetUp(const QString& what) {
    throw std::runtime_error(what.toStdString());
}
