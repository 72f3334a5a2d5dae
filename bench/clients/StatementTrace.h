#pragma once

#include <string>
#include <vector>

// Watches every SQLite connection that the process opens while it lives, the program's through
// QSQLITE and the floors' alike, through SQLite's own hooks. One at a time.
class StatementTrace {
public:
    StatementTrace();
    ~StatementTrace();

    StatementTrace(const StatementTrace&) = delete;
    StatementTrace& operator=(const StatementTrace&) = delete;

    // What happened since the last call: "open connection N" for each new connection and
    // "connection N: <statement>" for each statement run, connections numbered from 1 again.
    // The audit row's time, date and address are masked: they differ between any two logins.
    std::vector<std::string> take();
};
