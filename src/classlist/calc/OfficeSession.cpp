#include "OfficeSession.h"

#include "LocalContext.h"
#include "OfficeErrors.h"
#include "UnoText.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QUrl>

#include <thread>

using namespace css;
using Clock = Watchdog::Clock;

namespace {

constexpr auto pollInterval = std::chrono::milliseconds(100);
// When the started process ends at once, it may have handed its arguments to an office that was
// already running on the same profile; that office then opens the pipe shortly afterwards.
constexpr auto handOverGrace = std::chrono::seconds(3);

bool sameOffice(const CalcOptions& a, const CalcOptions& b) {
    return a.headless == b.headless && a.profileDirectory == b.profileDirectory &&
           a.program == b.program;
}

} // namespace

std::shared_ptr<OfficeSession>& OfficeSession::last() {
    // Never destroyed, and its bridge is not closed at exit either: the bridge's threads would
    // then run their shutdown while the UNO libraries tear down their state. Left alone, they
    // sleep until the process is gone, and the office goes on with its documents.
    static auto* session = new std::shared_ptr<OfficeSession>;
    return *session;
}

std::shared_ptr<OfficeSession> OfficeSession::obtain(const CalcOptions& options) {
    std::shared_ptr<OfficeSession>& session = last();
    if (session && sameOffice(session->m_options, options)) {
        // The same office, with this call's limits.
        session->m_options = options;
        if (session->answers())
            return session;
        // The bridge was dropped: the office may answer again over a new one, with the
        // member's earlier workbooks still open in it.
        if (std::shared_ptr<OfficeSession> again = session->reconnected())
            return session = again;
    }
    // An office that is gone, or one for other options, is left to itself.
    session.reset();
    std::shared_ptr<OfficeSession> started(new OfficeSession(options));
    started->start();
    session = started;
    return session;
}

zelkarin::Error OfficeSession::lost(const uno::Exception& e) const {
    return m_bridge->expired() ? notAnswering(m_options.callTimeout) : connectionLost(e);
}

bool OfficeSession::answers() {
    if (!connected())
        return false;
    try {
        const Watchdog::Armed limit = limitCalls();
        desktop()->getCurrentFrame();
        return true;
    } catch (const uno::Exception&) {
        if (m_bridge->expired())
            throw notAnswering(m_options.callTimeout);
        return false;
    }
}

// Null when the office no longer accepts on its pipe (it has ended), or fails on the new bridge
// after the last one went down by itself.
std::shared_ptr<OfficeSession> OfficeSession::reconnected() const {
    std::shared_ptr<OfficeSession> session(new OfficeSession(m_options));
    session->m_pipe = m_pipe;
    session->m_process = m_process;
    try {
        const uno::Reference<connection::XConnection> connection = OfficeBridge::connect(m_pipe);
        if (!connection.is())
            return nullptr;
        session->m_bridge = std::make_unique<OfficeBridge>(connection);
        session->m_bridge->open(Clock::now() + m_options.callTimeout);
    } catch (const uno::Exception&) {
        if (session->m_bridge && session->m_bridge->expired())
            throw notAnswering(m_options.callTimeout);
        // LibreOffice 7.4 drops every new bridge at once after a call was cut off; a new start
        // on the same profile would hand its work to that office and fail the same way. Once
        // that office has ended, a new one starts.
        if (m_bridge->expired() && (!m_process || m_process->running()))
            throw refusedAfterCutOff();
        return nullptr;
    }
    return session;
}

void OfficeSession::start() {
    const auto deadline = Clock::now() + m_options.startTimeout;
    try {
        localContext();
    } catch (const uno::Exception& e) {
        throw startFailure(describe(e, QStringLiteral("its runtime does not start.")));
    }

    const QString program =
        m_options.program.isEmpty() ? QStringLiteral(ZELKARIN_SOFFICE) : m_options.program;
    if (!QFileInfo(program).isExecutable())
        throw startFailure(QStringLiteral("%1 was not found or cannot be run.").arg(program));

    m_pipe = QStringLiteral("zelkarin-%1-%2")
                 .arg(QCoreApplication::applicationPid())
                 .arg(QRandomGenerator::global()->generate64(), 16, 16, QChar('0'));
    QStringList arguments{QStringLiteral("--accept=pipe,name=%1;urp;").arg(m_pipe),
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

    // Detached, so that the office stays with the member after the program ends.
    QString error;
    m_process = OfficeProcess::startDetached(program, arguments, error);
    if (!m_process)
        throw startFailure(error);
    try {
        connectStarted(deadline);
    } catch (const zelkarin::Error&) {
        // An office that never got ready holds nothing of the member's; left running, it would
        // be in the way of the next start on the same profile.
        if (m_process)
            m_process->stop();
        throw;
    }
}

void OfficeSession::connectStarted(Clock::time_point deadline) {
    try {
        uno::Reference<connection::XConnection> connection;
        std::optional<Clock::time_point> ended;
        while (!(connection = OfficeBridge::connect(m_pipe)).is()) {
            const auto now = Clock::now();
            if (now >= deadline)
                throw noAnswerAtStart(m_options.startTimeout);
            if (!ended && !m_process->running())
                ended = now;
            if (ended && now - *ended >= handOverGrace)
                throw startFailure(
                    QStringLiteral("the office ended before it accepted a connection."));
            std::this_thread::sleep_for(pollInterval);
        }
        m_bridge = std::make_unique<OfficeBridge>(connection);
        m_bridge->open(deadline);
    } catch (const uno::Exception& e) {
        if (m_bridge && m_bridge->expired())
            throw noAnswerAtStart(m_options.startTimeout);
        throw startFailure(describe(e, QStringLiteral("the connection failed.")));
    }
    if (m_bridge->expired())
        throw noAnswerAtStart(m_options.startTimeout);
    if (!m_process->running())
        m_process.reset();
}
