#include "GetIP.h"

#include "MsgBox.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>

namespace GetIP {

namespace {

bool isIPv4(const QHostAddress& address) {
    return address.protocol() == QAbstractSocket::IPv4Protocol;
}

// The host entry of a workstation commonly maps its name to a loopback address, which names
// no workstation in the audit row: the first other address of its interfaces that are up does.
// Without a network the loopback address is still the workstation's own.
QHostAddress workstationAddress(const QHostAddress& first) {
    if (!first.isLoopback())
        return first;
    for (const QNetworkInterface& link : QNetworkInterface::allInterfaces()) {
        if (!link.flags().testFlag(QNetworkInterface::IsUp))
            continue;
        for (const QNetworkAddressEntry& entry : link.addressEntries())
            if (isIPv4(entry.ip()) && !entry.ip().isLoopback())
                return entry.ip();
    }
    return first;
}

} // namespace

QString LocalHostName() {
    return QHostInfo::localHostName();
}

QString LocalIPAddress() {
    const QHostInfo entry = QHostInfo::fromName(LocalHostName().trimmed());
    for (const QHostAddress& address : entry.addresses())
        if (isIPv4(address))
            return workstationAddress(address).toString();
    MsgBox(QStringLiteral("Windows Sockets are not responding. ") +
           QStringLiteral("Unable to successfully get Host Name."));
    return {};
}

} // namespace GetIP
