#pragma once

#include "CalcOptions.h"

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <atomic>
#include <memory>

// An office that this process started, and the bridge to it. The office outlives the process:
// the member goes on with the filled workbook after the program has ended.
class OfficeSession {
public:
    // The office of an earlier call when it was started with the same options and still answers,
    // otherwise a newly started one. Throws zelkarin::Error.
    static std::shared_ptr<OfficeSession> obtain(const CalcOptions& options);
    static std::shared_ptr<OfficeSession> current();
    // Closes every document of the current office, ends the office and waits for its process.
    static void shutdownCurrent();

    OfficeSession(const OfficeSession&) = delete;
    OfficeSession& operator=(const OfficeSession&) = delete;
    ~OfficeSession();

    const CalcOptions& options() const { return m_options; }
    const css::uno::Reference<css::uno::XComponentContext>& context() const { return m_context; }
    const css::uno::Reference<css::frame::XDesktop2>& desktop() const { return m_desktop; }
    // The process group of the started office; 0 once it had ended at the connection, having
    // handed its work to an office already running on the same profile.
    qint64 processGroup() const { return m_processGroup; }
    // False once the bridge has gone down, for instance because the office was killed.
    bool connected() const { return !*m_lost; }
    void closeDocuments();
    // Closes the bridge; the office goes on with its documents.
    void disconnect();

private:
    OfficeSession() = default;
    void start();
    bool answers() const;

    CalcOptions m_options;
    qint64 m_processId = 0;
    qint64 m_processGroup = 0;
    std::shared_ptr<std::atomic_bool> m_lost = std::make_shared<std::atomic_bool>(false);
    css::uno::Reference<css::lang::XComponent> m_bridge;
    css::uno::Reference<css::uno::XComponentContext> m_context;
    css::uno::Reference<css::frame::XDesktop2> m_desktop;
};
