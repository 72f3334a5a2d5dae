#pragma once

#include <functional>

// Runs one event handler. A failure it does not handle itself is shown in a message box with
// its number and description; the handler is abandoned and the program goes on. Returns true
// when the handler ran to its end.
bool runGuarded(const std::function<void()>& handler);

// A window's handler as the slot to connect a signal to: it runs guarded.
template <typename Window> auto guarded(Window* window, void (Window::*handler)()) {
    return [window, handler] { runGuarded([window, handler] { (window->*handler)(); }); };
}
