#pragma once

#include <functional>

// The floor of the program's start: Qt Widgets showing one empty window of the login window's
// size. Reports shown_ms and rss_mb when it has painted, runs `then` and ends.
int runBareWindow(char* program, const std::function<void()>& then);
