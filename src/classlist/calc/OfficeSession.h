#pragma once

#include "CalcOptions.h"
#include "Error.h"
#include "OfficeBridge.h"
#include "OfficeProcess.h"

#include <memory>
#include <optional>

// The office that this process works with, and the bridge to it. The office outlives the
// process: the member goes on with the filled workbooks after the program has ended.
class OfficeSession {
public:
    // The office of an earlier call when it was started with the same options and still answers
    // (over a new bridge when the last one was dropped), otherwise a newly started one. Throws
    // zelkarin::Error; an office that accepts calls but does not answer them is left running.
    static std::shared_ptr<OfficeSession> obtain(const CalcOptions& options);
    // The session of the last call that obtained one; null before the first and after a start
    // that failed.
    static std::shared_ptr<OfficeSession> current() { return last(); }

    OfficeSession(const OfficeSession&) = delete;
    OfficeSession& operator=(const OfficeSession&) = delete;

    const CalcOptions& options() const { return m_options; }
    const css::uno::Reference<css::uno::XComponentContext>& context() const {
        return m_bridge->context();
    }
    const css::uno::Reference<css::frame::XDesktop2>& desktop() const {
        return m_bridge->desktop();
    }
    // Bounds the calls into the office for its own life, by the options' call limit.
    Watchdog::Armed limitCalls() { return m_bridge->limit(m_options.callTimeout); }
    // The error for a call that failed because the bridge went down: the office did not answer
    // in time, or the connection was lost.
    zelkarin::Error lost(const css::uno::Exception& e) const;
    // False once the bridge has gone down, for instance because the office was killed.
    bool connected() const { return m_bridge->connected(); }
    // The office that this session started, while it runs; none when the started process
    // handed its work to an office that was already running on the same profile.
    const std::optional<OfficeProcess>& process() const { return m_process; }

private:
    explicit OfficeSession(const CalcOptions& options) : m_options(options) {}
    // The session of the last call, kept until the program ends.
    static std::shared_ptr<OfficeSession>& last();
    void start();
    void connectStarted(Watchdog::Clock::time_point deadline);
    std::shared_ptr<OfficeSession> reconnected() const;
    bool answers();

    CalcOptions m_options;
    QString m_pipe;
    std::optional<OfficeProcess> m_process;
    std::unique_ptr<OfficeBridge> m_bridge;
};
