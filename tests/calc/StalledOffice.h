#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <thread>

// An office that stops answering, for the tests of what the program does about it.

// The fields after the name in /proc/<pid>/stat: state, parent, group...
inline QList<QByteArray> processStatus(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2).split(' ');
}

inline bool isLive(const QList<QByteArray>& status) {
    return status.size() > 2 && status[0] != "Z" && status[0] != "X";
}

// Whether a process of the group runs: its leader, QProcess's intermediate process, has ended.
inline bool groupRunning(qint64 group) {
    const QStringList entries = QDir("/proc").entryList(QDir::Dirs);
    return std::any_of(entries.begin(), entries.end(), [group](const QString& entry) {
        const QList<QByteArray> status = processStatus(entry.toLongLong());
        return isLive(status) && status[2].toLongLong() == group;
    });
}

// Stops a process group, as an office with a dialog open takes no calls, until resume() or the
// end of the object, and at the latest after failsafe: a call that waits for the office for good
// then returns late, and the test fails instead of hanging with the office stopped.
class Stalled {
public:
    Stalled(qint64 group, std::chrono::milliseconds failsafe) : m_group(group) {
        ::kill(static_cast<pid_t>(-m_group), SIGSTOP);
        m_failsafe = std::thread([this, failsafe] {
            std::unique_lock lock(m_mutex);
            m_wake.wait_for(lock, failsafe, [this] { return m_resumed; });
            ::kill(static_cast<pid_t>(-m_group), SIGCONT);
        });
    }
    ~Stalled() { resume(); }
    void resume() {
        {
            std::lock_guard lock(m_mutex);
            m_resumed = true;
        }
        m_wake.notify_all();
        if (m_failsafe.joinable())
            m_failsafe.join();
    }

private:
    qint64 m_group;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_resumed = false;
    std::thread m_failsafe;
};
