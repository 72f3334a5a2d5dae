#include "FakeSockets.h"
#include "GetIP.h"
#include "TestFixture.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QTest>

using GetIP::LocalHostName;
using GetIP::LocalIPAddress;

class TestGetIP : public TestFixture {
    Q_OBJECT

private slots:
    void addressOfTheWorkstation_data();
    void addressOfTheWorkstation();
    void unresolvedNameFailsOnlyTheAddress();
    void hostNameFailureNamesTheErrorCode_data();
    void hostNameFailureNamesTheErrorCode();
    void unusableSocketLibraryFailsEachLookup_data();
    void unusableSocketLibraryFailsEachLookup();
    void cleanupFailureIsShownAndTheResultKept();
    void thisWorkstation();
};

void TestGetIP::addressOfTheWorkstation_data() {
    using Addresses = QList<QByteArray>;
    const auto ip = FakeSockets::ipv4;
    QTest::addColumn<Addresses>("entry");
    QTest::addColumn<Addresses>("interfaces");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first of several")
        << Addresses{ip(192, 168, 1, 20), ip(10, 0, 0, 5)} << Addresses{} << "192.168.1.20";
    QTest::newRow("bytes in order, no leading zeros")
        << Addresses{ip(0, 255, 7, 100)} << Addresses{} << "0.255.7.100";
    QTest::newRow("entry wins over the interfaces")
        << Addresses{ip(10, 0, 0, 5)} << Addresses{ip(172, 17, 0, 2)} << "10.0.0.5";
    QTest::newRow("loopback entry: first other interface address")
        << Addresses{ip(127, 0, 1, 1), ip(10, 0, 0, 5)}
        << Addresses{ip(127, 0, 0, 1), ip(172, 17, 0, 2), ip(10, 1, 1, 1)} << "172.17.0.2";
    QTest::newRow("loopback entry, no network")
        << Addresses{ip(127, 0, 0, 1)} << Addresses{ip(127, 0, 0, 1)} << "";
}

void TestGetIP::addressOfTheWorkstation() {
    QFETCH(QList<QByteArray>, entry);
    QFETCH(QList<QByteArray>, interfaces);
    QFETCH(QString, expected);
    FakeSockets sockets;
    sockets.hostAddresses = entry;
    sockets.interfaceAddresses = interfaces;
    QCOMPARE(LocalHostName(), "lab-pc-07");
    QCOMPARE(LocalIPAddress(), expected);
    QCOMPARE(sockets.resolved, QByteArrayList{"lab-pc-07"});
    QCOMPARE(messages.prompts(), QStringList());
    QCOMPARE(sockets.startups, 2);
    QCOMPARE(sockets.cleanups, 2);
}

void TestGetIP::unresolvedNameFailsOnlyTheAddress() {
    FakeSockets sockets;
    sockets.hostName = "  lab-pc-07 ";
    sockets.hostAddresses.clear();
    QCOMPARE(LocalHostName(), "  lab-pc-07 ");
    QCOMPARE(messages.prompts(), QStringList());
    QCOMPARE(LocalIPAddress(), "");
    QCOMPARE(sockets.resolved, QByteArrayList{"lab-pc-07"});
    QCOMPARE(
        messages.prompts(),
        QStringList{"Windows Sockets are not responding. Unable to successfully get Host Name."});
    QCOMPARE(messages.messages()[0].style, MsgStyle::OkOnly);
    QCOMPARE(messages.messages()[0].title, "zelkarin");
    QCOMPARE(sockets.cleanups, 2);
}

void TestGetIP::hostNameFailureNamesTheErrorCode_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("number");
    QTest::newRow("positive") << 10093 << "  10093";
    QTest::newRow("zero") << 0 << "  0";
    QTest::newRow("negative") << -5 << " -5";
}

void TestGetIP::hostNameFailureNamesTheErrorCode() {
    QFETCH(int, code);
    QFETCH(QString, number);
    FakeSockets sockets;
    sockets.hostNameFails = true;
    sockets.lastError = code;
    QCOMPARE(LocalHostName(), "");
    QCOMPARE(LocalIPAddress(), "");
    QCOMPARE(messages.prompts(),
             (QStringList{"Windows Sockets error" + number +
                              " has occurred.  Unable to successfully get Host Name.",
                          "Windows Sockets error" + number +
                              " has occurred. Unable to successfully get Host Name."}));
    QVERIFY(sockets.resolved.isEmpty());
    QCOMPARE(sockets.cleanups, 2);
}

void TestGetIP::unusableSocketLibraryFailsEachLookup_data() {
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("maxSockets");
    QTest::addColumn<QString>("message");
    QTest::newRow("does not start")
        << 10091 << 0x0101 << 1 << "The 32-bit Windows Socket is not responding.";
    QTest::newRow("no sockets") << 0 << 0x0101 << 0
                                << "This application requires a minimum of 1 supported sockets.";
    QTest::newRow("version 1.0")
        << 0 << 0x0001 << 1 << "Sockets version 1.0 is not supported by 32-bit Windows Sockets.";
    QTest::newRow("version 0.2")
        << 0 << 0x0200 << 1 << "Sockets version 0.2 is not supported by 32-bit Windows Sockets.";
}

void TestGetIP::unusableSocketLibraryFailsEachLookup() {
    QFETCH(int, result);
    QFETCH(int, version);
    QFETCH(int, maxSockets);
    QFETCH(QString, message);
    FakeSockets sockets;
    sockets.startup = {result, quint16(version), qint16(maxSockets)};
    QVERIFY(!GetIP::StartSockets());
    QCOMPARE(LocalHostName(), "");
    QCOMPARE(LocalIPAddress(), "");
    QCOMPARE(messages.prompts(), (QStringList{message, message, message}));
    QVERIFY(sockets.resolved.isEmpty());
    // A library that started but is unusable is not stopped again.
    QCOMPARE(sockets.cleanups, 0);
}

void TestGetIP::cleanupFailureIsShownAndTheResultKept() {
    FakeSockets sockets;
    sockets.cleanupResult = -1;
    QCOMPARE(LocalHostName(), "lab-pc-07");
    QCOMPARE(LocalIPAddress(), "10.0.0.5");
    QCOMPARE(messages.prompts(), (QStringList{"Socket error occurred in Cleanup.",
                                              "Socket error occurred in Cleanup."}));
}

// The lookups on this machine itself: the host name as the system gives it, and an address that
// names the workstation on its network whenever it has one.
void TestGetIP::thisWorkstation() {
    QCOMPARE(LocalHostName(), QHostInfo::localHostName());
    const QString address = LocalIPAddress();
    QCOMPARE(messages.prompts(), QStringList());
    bool networked = false;
    for (const QHostAddress& own : QNetworkInterface::allAddresses())
        networked |= own.protocol() == QAbstractSocket::IPv4Protocol && !own.isLoopback();
    QCOMPARE(address.isEmpty(), !networked);
    if (networked) {
        const QHostAddress parsed(address);
        QCOMPARE(parsed.protocol(), QAbstractSocket::IPv4Protocol);
        QVERIFY(!parsed.isLoopback());
        QCOMPARE(parsed.toString(), address);
    }
}

QTEST_GUILESS_MAIN(TestGetIP)
#include "tst_getip.moc"
