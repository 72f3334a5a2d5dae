#pragma once

#include <QByteArray>
#include <QList>

#include <functional>

namespace GetIP {

// The socket library's answer to its start-up.
struct SocketStartup {
    int result = 0;           // 0 when the library started
    quint16 version = 0x0101; // granted version: major in the low byte, minor in the high byte
    qint16 maxSockets = 1;
};

// The platform calls of the module, replaceable so that tests can make each of them fail.
// Addresses are raw bytes in network order.
struct SocketCalls {
    std::function<SocketStartup()> startup;
    std::function<int()> cleanup; // 0 when the library stopped cleanly
    std::function<int(char* name, int length)> gethostname;
    std::function<int()> lastError;
    // The IPv4 addresses of a host name in the order of its host entry; none when it does not
    // resolve.
    std::function<QList<QByteArray>(const QByteArray& name)> hostAddresses;
    // The IPv4 addresses of the machine's interfaces that are up, in the system's order.
    std::function<QList<QByteArray>()> interfaceAddresses;
};

// The calls of this platform. POSIX sockets need no start-up or cleanup: both report success.
SocketCalls systemSocketCalls();

// Replaces the calls that the module makes; returns the previous ones.
SocketCalls setSocketCalls(SocketCalls calls);

} // namespace GetIP
