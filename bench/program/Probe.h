#pragma once

#include <QApplication>

#include <functional>

// The QApplication of a measured process: like the program's main, it hands Qt only the
// program's name.
class NameOnlyApplication {
public:
    explicit NameOnlyApplication(char* programName)
        : m_argv{programName, nullptr}, m_application(m_argc, m_argv) {}

private:
    int m_argc = 1;
    char* m_argv[2];
    QApplication m_application;
};

// Runs `shown` once, right after the first window of the process has painted itself for the
// first time: the moment a member sees the window.
void whenFirstPainted(std::function<void()> shown);

double residentMb(); // VmRSS of /proc/self/status, in MB
double nowMs();      // on the machine's monotonic clock, the same in every process
// Prints name=number for the parent process, which reads it with runChild.
void reportToParent(const char* name, double value);

// The floor of the program's start: an empty window of the login window's size. Reports
// shown_ms and rss_mb when it has painted, runs `then` and returns.
void runBareWindow(const std::function<void()>& then);
