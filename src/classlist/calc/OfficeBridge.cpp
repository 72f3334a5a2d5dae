#include "OfficeBridge.h"

#include "LocalContext.h"
#include "SigpipeBlocked.h"
#include "UnoText.h"

#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/XEventListener.hpp>
#include <cppuhelper/implbase1.hxx>

using namespace css;
using rtl::OUString;

namespace {

class BridgeListener : public cppu::WeakImplHelper1<lang::XEventListener> {
public:
    explicit BridgeListener(std::shared_ptr<std::atomic_bool> lost) : m_lost(std::move(lost)) {}
    void SAL_CALL disposing(const lang::EventObject&) override { *m_lost = true; }

private:
    std::shared_ptr<std::atomic_bool> m_lost;
};

} // namespace

uno::Reference<connection::XConnection> OfficeBridge::connect(const QString& pipe) {
    try {
        return connection::Connector::create(localContext())
            ->connect(OUString("pipe,name=") + toOUString(pipe));
    } catch (const connection::NoConnectException&) {
        return {};
    }
}

OfficeBridge::OfficeBridge(uno::Reference<connection::XConnection> connection)
    : m_connection(std::move(connection)),
      m_watchdog(std::make_unique<Watchdog>([this] { dispose(); })) {}

OfficeBridge::~OfficeBridge() {
    m_watchdog.reset();
    dispose();
}

void OfficeBridge::open(Clock::time_point deadline) {
    const Watchdog::Armed armed(*m_watchdog, deadline);
    uno::Reference<bridge::XBridge> bridge;
    {
        const SigpipeBlocked sigpipeBlocked;
        bridge = bridge::BridgeFactory::create(localContext())
                     ->createBridge(OUString(), OUString("urp"), m_connection, nullptr);
    }
    {
        std::lock_guard lock(m_bridgeMutex);
        m_bridge.set(bridge, uno::UNO_QUERY_THROW);
    }
    m_opened = true;
    m_bridge->addEventListener(new BridgeListener(m_lost));
    m_context.set(bridge->getInstance(OUString("StarOffice.ComponentContext")),
                  uno::UNO_QUERY_THROW);
    m_desktop = frame::Desktop::create(m_context);
}

// Disposing the bridge closes its connection too; before there is a bridge, closing the
// connection ends the wait.
void OfficeBridge::dispose() {
    std::lock_guard lock(m_bridgeMutex);
    try {
        if (m_bridge.is())
            m_bridge->dispose();
        else
            m_connection->close();
    } catch (const uno::Exception&) {
    }
}
