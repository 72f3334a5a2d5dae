#include "OfficeProcess.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <csignal>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto stopGrace = std::chrono::seconds(3);
constexpr auto killWait = std::chrono::seconds(20);

// The state and process group of a process, from the fields after its name in /proc/<pid>/stat.
std::optional<std::pair<char, qint64>> processStatus(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 3 || fields[0].isEmpty())
        return std::nullopt;
    return std::pair(fields[0].at(0), fields[2].toLongLong());
}

} // namespace

std::optional<OfficeProcess>
OfficeProcess::startDetached(const QString& program, const QStringList& arguments, QString& error) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    qint64 id = 0;
    if (!process.startDetached(&id)) {
        error = process.errorString();
        return std::nullopt;
    }
    // QProcess starts it in a session of its own, so the group is the office's alone. The
    // group's leader is QProcess's intermediate process, which ends at once.
    const auto status = processStatus(id);
    return OfficeProcess(status ? status->second : 0);
}

bool OfficeProcess::running() const {
    if (m_group <= 0 || ::kill(static_cast<pid_t>(-m_group), 0) != 0)
        return false;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool isProcess = false;
        const qint64 pid = entry.toLongLong(&isProcess);
        if (!isProcess)
            continue;
        const auto status = processStatus(pid);
        if (status && status->second == m_group && status->first != 'Z' && status->first != 'X')
            return true;
    }
    return false;
}

bool OfficeProcess::waitForEnd(Clock::duration limit) const {
    const auto deadline = Clock::now() + limit;
    while (running()) {
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

void OfficeProcess::stop() const {
    signal(SIGTERM);
    if (!waitForEnd(stopGrace)) {
        signal(SIGKILL);
        waitForEnd(killWait);
    }
}

void OfficeProcess::signal(int signal) const {
    if (m_group > 0)
        ::kill(static_cast<pid_t>(-m_group), signal);
}
