#pragma once

#include <QString>

#include <chrono>

class Spreadsheet;

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

// The runtime's "ActiveX component can't create object": the spreadsheet application is missing
// or does not start.
inline constexpr long cannotCreateObjectError = 429;

// The factory that the module exports under calcFactorySymbol. It connects to the office that an
// earlier call of this process started, when that one still answers, and starts a new one
// otherwise. The caller owns the result. Throws zelkarin::Error.
using CalcFactory = Spreadsheet* (*)(const CalcOptions* options);
inline constexpr char calcFactorySymbol[] = "zelkarin_create_calc";
