#pragma once

#include <QString>

#include <chrono>

// How the LibreOffice Calc module reaches the office. The program uses the defaults; tests run
// a headless office on a throwaway profile.
struct CalcOptions {
    // No window at all: for tests and machines without a screen.
    bool headless = false;
    // Directory of the office's user profile; empty means the member's own profile.
    QString profileDirectory;
    // The soffice program to start; empty means the one the module was built against.
    QString program;
    // Longest wait from starting the office until it answers over the connection.
    std::chrono::milliseconds startTimeout{60000};
    // Longest wait for the answer to one call into the running office. An office with a dialog
    // open takes no calls; after this the connection is dropped and the export fails with a
    // message, the office and its workbooks left as they are. Normal calls take well under a
    // second, a cold template load included.
    std::chrono::milliseconds callTimeout{20000};
};
