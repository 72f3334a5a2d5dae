#include "GetIP.h"

#include "MsgBox.h"

#include <QStringList>

#include <array>
#include <optional>
#include <utility>

namespace GetIP {

namespace {

constexpr int minSockets = 1;
constexpr int hostNameLength = 256;

SocketCalls& calls() {
    static SocketCalls current = systemSocketCalls();
    return current;
}

// A number as the runtime's signed format writes it: a blank stands for the plus sign.
QString signedNumber(int value) {
    return value < 0 ? QString::number(value) : u' ' + QString::number(value);
}

// Starts the socket library and reads the host name; nothing after a failure, whose message
// ends in the caller's own wording. The library is left started only on success.
std::optional<QByteArray> startedHostName(const QString& failureTail) {
    if (!StartSockets())
        return std::nullopt;
    std::array<char, hostNameLength> buffer{};
    if (calls().gethostname(buffer.data(), hostNameLength) == -1) {
        MsgBox(QStringLiteral("Windows Sockets error ") + signedNumber(calls().lastError()) +
               failureTail);
        StopSockets();
        return std::nullopt;
    }
    return QByteArray(buffer.data(), qsizetype(qstrnlen(buffer.data(), hostNameLength)));
}

bool isLoopback(const QByteArray& address) {
    return address.size() == 4 && quint8(address[0]) == 127;
}

// The host entry of a workstation commonly maps its name to a loopback address, which would
// name no workstation in the audit row: the first other address of its interfaces does.
QByteArray workstationAddress(const QByteArray& first) {
    if (!isLoopback(first))
        return first;
    for (const QByteArray& address : calls().interfaceAddresses()) {
        if (!isLoopback(address))
            return address;
    }
    return {};
}

QString dottedDecimal(const QByteArray& address) {
    QStringList bytes;
    for (const char byte : address)
        bytes << QString::number(quint8(byte));
    return bytes.join(u'.');
}

} // namespace

SocketCalls setSocketCalls(SocketCalls replacement) {
    return std::exchange(calls(), std::move(replacement));
}

bool StartSockets() {
    const SocketStartup started = calls().startup();
    if (started.result != 0) {
        MsgBox(QStringLiteral("The 32-bit Windows Socket is not responding."));
        return false;
    }
    if (started.maxSockets < minSockets) {
        MsgBox(QStringLiteral("This application requires a minimum of ") +
               QString::number(minSockets) + QStringLiteral(" supported sockets."));
        return false;
    }
    const int major = started.version & 0xff;
    const int minor = started.version >> 8;
    if (major == 0 || (major == 1 && minor == 0)) {
        MsgBox(QStringLiteral("Sockets version ") + QString::number(major) + u'.' +
               QString::number(minor) +
               QStringLiteral(" is not supported by 32-bit Windows Sockets."));
        return false;
    }
    return true;
}

void StopSockets() {
    if (calls().cleanup() != 0)
        MsgBox(QStringLiteral("Socket error occurred in Cleanup."));
}

QString LocalHostName() {
    const std::optional<QByteArray> name =
        startedHostName(QStringLiteral(" has occurred.  Unable to successfully get Host Name."));
    if (!name)
        return {};
    StopSockets();
    return QString::fromLocal8Bit(*name);
}

QString LocalIPAddress() {
    const std::optional<QByteArray> name =
        startedHostName(QStringLiteral(" has occurred. Unable to successfully get Host Name."));
    if (!name)
        return {};
    const QList<QByteArray> addresses = calls().hostAddresses(name->trimmed());
    if (addresses.isEmpty()) {
        MsgBox(QStringLiteral("Windows Sockets are not responding. ") +
               QStringLiteral("Unable to successfully get Host Name."));
        StopSockets();
        return {};
    }
    const QString text = dottedDecimal(workstationAddress(addresses.first()));
    StopSockets();
    return text;
}

} // namespace GetIP
