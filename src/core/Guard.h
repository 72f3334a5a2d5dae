#pragma once

#include <functional>

// Runs one event handler. A failure it does not handle itself is shown in a message box with
// its number and description; the handler is abandoned and the program goes on. Returns true
// when the handler ran to its end.
bool runGuarded(const std::function<void()>& handler);
