#pragma once

#include "Watchdog.h"

#include <QString>

#include <com/sun/star/connection/XConnection.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>

// The URP bridge to an office over its pipe, and the office's desktop. UNO has no time limit of
// its own: a call into an office that stopped answering (a dialog open, a stalled process) waits
// for as long as the office does. Here a watchdog disposes the bridge when a call has not
// returned by its deadline, which makes the waiting call fail with DisposedException at once;
// the office itself is left as it is.
class OfficeBridge {
public:
    using Clock = Watchdog::Clock;

    // The connection to the office accepting on pipe; empty when nothing accepts there.
    static css::uno::Reference<css::connection::XConnection> connect(const QString& pipe);

    explicit OfficeBridge(css::uno::Reference<css::connection::XConnection> connection);
    // Disposes the bridge; the office goes on with its documents.
    ~OfficeBridge();
    OfficeBridge(const OfficeBridge&) = delete;
    OfficeBridge& operator=(const OfficeBridge&) = delete;

    // Makes the bridge and reaches the office's context and desktop, all before deadline.
    // Throws css::uno::Exception; expired() tells whether the deadline cut it off.
    void open(Clock::time_point deadline);
    // Bounds the calls into the office for its own life.
    Watchdog::Armed limit(std::chrono::milliseconds limit) {
        return Watchdog::Armed(*m_watchdog, Clock::now() + limit);
    }
    // True once a deadline has passed and the bridge was disposed for it.
    bool expired() const { return m_watchdog->expired(); }
    // False before open() and once the bridge has gone down, for whatever reason; at once when
    // a deadline passed, before the bridge has told its listeners.
    bool connected() const { return m_opened && !*m_lost && !expired(); }

    const css::uno::Reference<css::uno::XComponentContext>& context() const { return m_context; }
    const css::uno::Reference<css::frame::XDesktop2>& desktop() const { return m_desktop; }

private:
    void dispose();

    css::uno::Reference<css::connection::XConnection> m_connection;
    std::mutex m_bridgeMutex; // the watchdog's thread disposes the bridge
    css::uno::Reference<css::lang::XComponent> m_bridge;
    std::shared_ptr<std::atomic_bool> m_lost = std::make_shared<std::atomic_bool>(false);
    bool m_opened = false;
    css::uno::Reference<css::uno::XComponentContext> m_context;
    css::uno::Reference<css::frame::XDesktop2> m_desktop;
    std::unique_ptr<Watchdog> m_watchdog;
};
