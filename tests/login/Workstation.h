#pragma once

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QString>

// The address by which Qt knows this machine: the first IPv4 address of an interface that is
// up, loopback aside; without a network, the first IPv4 address that the host name resolves to;
// empty when the host name does not resolve.
inline QString workstationAddress() {
    for (const QNetworkInterface& link : QNetworkInterface::allInterfaces()) {
        if (!link.flags().testFlag(QNetworkInterface::IsUp))
            continue;
        for (const QNetworkAddressEntry& entry : link.addressEntries())
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol && !entry.ip().isLoopback())
                return entry.ip().toString();
    }
    for (const QHostAddress& address : QHostInfo::fromName(QHostInfo::localHostName()).addresses())
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address.toString();
    return {};
}
