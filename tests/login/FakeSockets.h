#pragma once

#include "GetIP.h"

// A workstation made up for the host lookups, installed while it lives; each field can be set
// to make one platform call fail.
struct FakeSockets {
    GetIP::SocketStartup startup;
    int cleanupResult = 0;
    QByteArray hostName = "lab-pc-07";
    bool hostNameFails = false;
    int lastError = 0;
    QList<QByteArray> hostAddresses = {ipv4(10, 0, 0, 5)};
    QList<QByteArray> interfaceAddresses;

    // What the module asked for.
    int startups = 0;
    int cleanups = 0;
    QByteArrayList resolved;

    static QByteArray ipv4(quint8 a, quint8 b, quint8 c, quint8 d) {
        const char bytes[] = {char(a), char(b), char(c), char(d)};
        return QByteArray(bytes, sizeof bytes);
    }

    FakeSockets() {
        m_previous = GetIP::setSocketCalls({
            .startup =
                [this] {
                    ++startups;
                    return startup;
                },
            .cleanup =
                [this] {
                    ++cleanups;
                    return cleanupResult;
                },
            .gethostname =
                [this](char* name, int length) {
                    if (hostNameFails)
                        return -1;
                    qstrncpy(name, hostName.constData(), size_t(length));
                    return 0;
                },
            .lastError = [this] { return lastError; },
            .hostAddresses =
                [this](const QByteArray& name) {
                    resolved << name;
                    return hostAddresses;
                },
            .interfaceAddresses = [this] { return interfaceAddresses; },
        });
    }
    ~FakeSockets() { GetIP::setSocketCalls(std::move(m_previous)); }

    FakeSockets(const FakeSockets&) = delete;
    FakeSockets& operator=(const FakeSockets&) = delete;

private:
    GetIP::SocketCalls m_previous;
};
