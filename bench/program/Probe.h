#pragma once

#include <QApplication>

#include <functional>

// A measured process's QApplication, handed only the program's name as the program's main does.
class NameOnlyApplication {
public:
    explicit NameOnlyApplication(char* programName)
        : m_argv{programName, nullptr}, m_application(m_argc, m_argv) {}

private:
    int m_argc = 1;
    char* m_argv[2];
    QApplication m_application;
};

// Runs shown once the process's first window has painted: the moment a member sees it.
void whenFirstPainted(std::function<void()> shown);

double residentMb(); // VmRSS of /proc/self/status, in MB
double nowMs();      // on the machine's monotonic clock, the same in every process
// Prints name=number for the parent process, which reads it with runChild.
void reportToParent(const char* name, double value);

// The start-up floor: an empty window of the login window's size, which reports shown_ms and
// rss_mb when it has painted and then runs `then`.
void runBareWindow(const std::function<void()>& then);
