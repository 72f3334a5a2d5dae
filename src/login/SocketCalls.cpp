#include "SocketCalls.h"

#include <cerrno>

#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace GetIP {

namespace {

QByteArray addressBytes(const sockaddr* address) {
    const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(address);
    return QByteArray(reinterpret_cast<const char*>(&ipv4->sin_addr), sizeof ipv4->sin_addr);
}

QList<QByteArray> resolve(const QByteArray& name) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM; // one entry per address, not one per socket type
    addrinfo* found = nullptr;
    QList<QByteArray> addresses;
    if (getaddrinfo(name.constData(), nullptr, &hints, &found) != 0)
        return addresses;
    for (const addrinfo* entry = found; entry; entry = entry->ai_next)
        addresses.append(addressBytes(entry->ai_addr));
    freeaddrinfo(found);
    return addresses;
}

QList<QByteArray> interfaces() {
    ifaddrs* list = nullptr;
    QList<QByteArray> addresses;
    if (getifaddrs(&list) != 0)
        return addresses;
    for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        if (entry->ifa_addr && entry->ifa_addr->sa_family == AF_INET && (entry->ifa_flags & IFF_UP))
            addresses.append(addressBytes(entry->ifa_addr));
    }
    freeifaddrs(list);
    return addresses;
}

} // namespace

SocketCalls systemSocketCalls() {
    return {
        .startup = [] { return SocketStartup{}; },
        .cleanup = [] { return 0; },
        .gethostname = [](char* name, int length) { return ::gethostname(name, size_t(length)); },
        .lastError = [] { return errno; },
        .hostAddresses = resolve,
        .interfaceAddresses = interfaces,
    };
}

} // namespace GetIP
