#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <chrono>
#include <optional>

// An office that this program started, detached: the process group of the started program,
// which holds oosplash and soffice.bin. Its state comes from /proc.
class OfficeProcess {
public:
    // Starts program with its streams on /dev/null, so that it holds none of the program's own
    // open; nullopt with the reason in error when it cannot be started.
    static std::optional<OfficeProcess> startDetached(const QString& program,
                                                      const QStringList& arguments, QString& error);

    qint64 group() const { return m_group; }
    // Whether a process of the group runs; a zombie, which no one may be left to reap, does not.
    bool running() const;
    bool waitForEnd(std::chrono::steady_clock::duration limit) const;
    // Asks the group to end, and kills it when it has not ended after a grace period (a stopped
    // process does not act on SIGTERM). Returns when the group has ended.
    void stop() const;

private:
    explicit OfficeProcess(qint64 group) : m_group(group) {}
    void signal(int signal) const;

    qint64 m_group = 0;
};
