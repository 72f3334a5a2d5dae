#include "OfficeSession.h"

#include "Error.h"
#include "UnoText.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QUrl>

#include <pthread.h>

#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/connection/XConnection.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/XEventListener.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/implbase1.hxx>
#include <rtl/bootstrap.hxx>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

using namespace css;
using rtl::OUString;
using Clock = std::chrono::steady_clock;

namespace {

constexpr auto pollInterval = std::chrono::milliseconds(100);
// When the started process ends at once, it may have handed its arguments to an office that was
// already running on the same profile; that office then opens the pipe shortly afterwards.
constexpr auto handOverGrace = std::chrono::seconds(3);
constexpr auto shutdownWait = std::chrono::seconds(20);

std::shared_ptr<OfficeSession>& currentSession() {
    // Never destroyed, and its bridge is not closed at exit either: the bridge's threads would
    // then run their shutdown while the UNO libraries tear down their state. Left alone, they
    // sleep until the process is gone, and the office goes on with its documents.
    static auto* session = new std::shared_ptr<OfficeSession>;
    return *session;
}

uno::Reference<uno::XComponentContext> localContext() {
    static auto* context = new uno::Reference<uno::XComponentContext>;
    if (!context->is()) {
        // Without this the local context cannot find the office's type and service registries.
        rtl::Bootstrap::set(
            OUString("URE_BOOTSTRAP"),
            OUString("vnd.sun.star.pathname:" ZELKARIN_OFFICE_PROGRAM_DIR "/fundamentalrc"));
        *context = cppu::defaultBootstrap_InitialComponentContext();
    }
    return *context;
}

zelkarin::Error startFailure(const QString& reason) {
    return zelkarin::Error(cannotCreateObjectError,
                           QStringLiteral("LibreOffice Calc could not be started: ") + reason);
}

zelkarin::Error noAnswer(std::chrono::milliseconds timeout) {
    return startFailure(
        QStringLiteral("it did not answer within %1 seconds.").arg(timeout.count() / 1000.0));
}

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

// A zombie that no one reaps has ended all the same.
bool processRunning(qint64 pid) {
    const auto status = processStatus(pid);
    return status && status->first != 'Z' && status->first != 'X';
}

// The group holds soffice.bin as well as the process that was started.
void stopProcessGroup(qint64 group, int signal) {
    if (group > 0)
        ::kill(static_cast<pid_t>(-group), signal);
}

bool waitForProcessEnd(qint64 pid, Clock::duration limit) {
    const auto deadline = Clock::now() + limit;
    while (processRunning(pid)) {
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// osl writes to the pipe without MSG_NOSIGNAL, so a write that races the office's death would
// raise SIGPIPE and end the program. The bridge's threads start with the mask of the thread that
// creates the bridge, and keep SIGPIPE blocked for their lives.
class SigpipeBlocked {
public:
    SigpipeBlocked() {
        sigemptyset(&m_pipe);
        sigaddset(&m_pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &m_pipe, &m_previous);
    }
    ~SigpipeBlocked() {
        // A SIGPIPE of this thread's own writes during the creation is dropped, not delivered.
        const timespec now{};
        while (sigtimedwait(&m_pipe, nullptr, &now) > 0) {
        }
        pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
    }
    SigpipeBlocked(const SigpipeBlocked&) = delete;
    SigpipeBlocked& operator=(const SigpipeBlocked&) = delete;

private:
    sigset_t m_pipe;
    sigset_t m_previous;
};

class BridgeListener : public cppu::WeakImplHelper1<lang::XEventListener> {
public:
    explicit BridgeListener(std::shared_ptr<std::atomic_bool> lost) : m_lost(std::move(lost)) {}
    void SAL_CALL disposing(const lang::EventObject&) override { *m_lost = true; }

private:
    std::shared_ptr<std::atomic_bool> m_lost;
};

// A call into an office that accepted the connection but never answers would block for good;
// closing the connection makes it fail instead.
class Watchdog {
public:
    Watchdog(Clock::time_point deadline, std::function<void()> onExpiry)
        : m_thread([this, deadline, onExpiry = std::move(onExpiry)] {
              std::unique_lock lock(m_mutex);
              if (!m_wake.wait_until(lock, deadline, [this] { return m_done; })) {
                  m_expired = true;
                  onExpiry();
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    bool expired() {
        std::lock_guard lock(m_mutex);
        return m_expired;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    bool m_expired = false;
    std::thread m_thread;
};

bool sameOffice(const CalcOptions& a, const CalcOptions& b) {
    return a.headless == b.headless && a.profileDirectory == b.profileDirectory &&
           a.program == b.program;
}

} // namespace

std::shared_ptr<OfficeSession> OfficeSession::obtain(const CalcOptions& options) {
    std::shared_ptr<OfficeSession>& session = currentSession();
    if (session && sameOffice(session->m_options, options) && session->answers())
        return session;
    // An office that no longer answers, or one for other options, is left to itself.
    session.reset();
    std::shared_ptr<OfficeSession> started(new OfficeSession);
    started->m_options = options;
    started->start();
    session = started;
    return session;
}

std::shared_ptr<OfficeSession> OfficeSession::current() {
    return currentSession();
}

void OfficeSession::shutdownCurrent() {
    std::shared_ptr<OfficeSession> session = std::move(currentSession());
    if (!session)
        return;
    if (session->connected()) {
        try {
            session->closeDocuments();
            session->m_desktop->terminate();
        } catch (const uno::Exception&) {
            // The bridge goes down while the office quits; a stuck office is killed below.
        }
    }
    const qint64 pid = session->m_processId;
    const qint64 group = session->m_processGroup;
    session.reset();
    if (!waitForProcessEnd(pid, shutdownWait)) {
        stopProcessGroup(group, SIGKILL);
        waitForProcessEnd(pid, shutdownWait);
    }
}

OfficeSession::~OfficeSession() {
    disconnect();
}

void OfficeSession::disconnect() {
    if (!m_bridge.is())
        return;
    try {
        m_bridge->dispose();
    } catch (const uno::Exception&) {
    }
    m_bridge.clear();
}

void OfficeSession::closeDocuments() {
    uno::Reference<container::XEnumeration> documents =
        m_desktop->getComponents()->createEnumeration();
    while (documents->hasMoreElements()) {
        uno::Reference<util::XCloseable> document(documents->nextElement(), uno::UNO_QUERY);
        if (document.is())
            document->close(true);
    }
}

bool OfficeSession::answers() const {
    if (*m_lost)
        return false;
    try {
        m_desktop->getCurrentFrame();
        return true;
    } catch (const uno::Exception&) {
        return false;
    }
}

void OfficeSession::start() {
    const auto deadline = Clock::now() + m_options.startTimeout;
    uno::Reference<uno::XComponentContext> local;
    try {
        local = localContext();
    } catch (const uno::Exception& e) {
        throw startFailure(e.Message.isEmpty() ? QStringLiteral("its runtime does not start.")
                                               : toQString(e.Message));
    }

    const QString program =
        m_options.program.isEmpty() ? QStringLiteral(ZELKARIN_SOFFICE) : m_options.program;
    if (!QFileInfo(program).isExecutable())
        throw startFailure(QStringLiteral("%1 was not found or cannot be run.").arg(program));

    const QString pipe = QStringLiteral("zelkarin-%1-%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(QRandomGenerator::global()->generate64(), 16, 16, QChar('0'));
    QStringList arguments{QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipe),
                          QStringLiteral("--norestore"), QStringLiteral("--nologo"),
                          QStringLiteral("--nodefault")};
    if (m_options.headless)
        arguments << QStringLiteral("--headless");
    if (!m_options.profileDirectory.isEmpty()) {
        const QUrl profile =
            QUrl::fromLocalFile(QFileInfo(m_options.profileDirectory).absoluteFilePath());
        arguments << QStringLiteral("-env:UserInstallation=") +
                         profile.toString(QUrl::FullyEncoded);
    }

    // Detached, so that the office stays with the member after the program ends; its output
    // must not hold the program's own streams open.
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    if (!process.startDetached(&m_processId))
        throw startFailure(process.errorString());
    // QProcess starts it in a session of its own, so the group is the office's alone.
    if (const auto status = processStatus(m_processId))
        m_processGroup = status->second;

    uno::Reference<connection::XConnection> connection;
    try {
        const uno::Reference<connection::XConnector> connector =
            connection::Connector::create(local);
        const OUString description = OUString("pipe,name=") + toOUString(pipe);
        std::optional<Clock::time_point> ended;
        for (;;) {
            try {
                connection = connector->connect(description);
                break;
            } catch (const connection::NoConnectException&) {
            }
            const auto now = Clock::now();
            if (now >= deadline) {
                stopProcessGroup(m_processGroup, SIGTERM);
                throw noAnswer(m_options.startTimeout);
            }
            if (!ended && !processRunning(m_processId))
                ended = now;
            if (ended && now - *ended >= handOverGrace)
                throw startFailure(
                    QStringLiteral("the office ended before it accepted a connection."));
            std::this_thread::sleep_for(pollInterval);
        }

        const qint64 group = m_processGroup;
        Watchdog watchdog(deadline, [connection, group] {
            try {
                connection->close();
            } catch (const uno::Exception&) {
            }
            stopProcessGroup(group, SIGTERM);
        });
        try {
            uno::Reference<bridge::XBridge> bridge;
            {
                SigpipeBlocked sigpipeBlocked;
                bridge = bridge::BridgeFactory::create(local)->createBridge(
                    OUString(), OUString("urp"), connection, nullptr);
            }
            m_bridge.set(bridge, uno::UNO_QUERY_THROW);
            m_bridge->addEventListener(new BridgeListener(m_lost));
            m_context.set(bridge->getInstance(OUString("StarOffice.ComponentContext")),
                          uno::UNO_QUERY_THROW);
            m_desktop = frame::Desktop::create(m_context);
        } catch (const uno::Exception&) {
            if (watchdog.expired())
                throw noAnswer(m_options.startTimeout);
            throw;
        }
        if (watchdog.expired())
            throw noAnswer(m_options.startTimeout);
        if (!processRunning(m_processId))
            m_processGroup = 0;
    } catch (const uno::Exception& e) {
        throw startFailure(e.Message.isEmpty() ? QStringLiteral("the connection failed.")
                                               : toQString(e.Message));
    }
}
