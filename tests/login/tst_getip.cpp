#include "GetIP.h"
#include "TestFixture.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QTest>

using GetIP::LocalHostName;
using GetIP::LocalIPAddress;

// The lookups on this machine as it is. CMakeLists.txt also runs them on workstations made up in
// namespaces: of known names and addresses, and one whose host name resolves nowhere.
class TestGetIP : public TestFixture {
    Q_OBJECT

private slots:
    void thisWorkstation();
    // Only in the namespaces that CMakeLists.txt makes for each row.
    void knownWorkstation_data();
    void knownWorkstation();
};

// The host name as the system gives it and an IPv4 address; a name that resolves nowhere fails
// only the address lookup, with its message. Which address is the workstation's is checked on
// the workstations of known names and addresses.
void TestGetIP::thisWorkstation() {
    const QString name = QHostInfo::localHostName();
    QCOMPARE(LocalHostName(), name);
    QCOMPARE(messages.prompts(), QStringList());
    const QString address = LocalIPAddress();
    if (QHostInfo::fromName(name).addresses().isEmpty()) {
        QCOMPARE(address, "");
        QCOMPARE(messages.messages(),
                 (QList<MessageRecorder::Message>{
                     {"Windows Sockets are not responding. Unable to successfully get Host Name.",
                      MsgStyle::OkOnly, "zelkarin"}}));
        return;
    }
    QCOMPARE(messages.prompts(), QStringList());
    QCOMPARE(QHostAddress(address).protocol(), QAbstractSocket::IPv4Protocol);
}

void TestGetIP::knownWorkstation_data() {
    QTest::addColumn<QString>("address");
    // Its hosts file maps its name to a loopback address; the interface's address names it.
    QTest::newRow("network") << "192.0.2.5";
    // Without another interface, the loopback address of its name is its own.
    QTest::newRow("loopback-only") << "127.0.1.1";
}

void TestGetIP::knownWorkstation() {
    QFETCH(QString, address);
    QCOMPARE(LocalHostName(), "zelkarin-lab");
    QCOMPARE(LocalIPAddress(), address);
    QCOMPARE(messages.prompts(), QStringList());
}

QTEST_GUILESS_MAIN(TestGetIP)
#include "tst_getip.moc"
