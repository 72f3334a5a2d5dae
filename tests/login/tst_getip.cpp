#include "GetIP.h"
#include "TestFixture.h"
#include "Workstation.h"

#include <QTest>

using GetIP::LocalHostName;
using GetIP::LocalIPAddress;

// The lookups on this machine as it is. CMakeLists.txt also runs them in a network namespace
// with only a loopback interface, and in one whose host name resolves nowhere.
class TestGetIP : public TestFixture {
    Q_OBJECT

private slots:
    void thisWorkstation();
    void unresolvedNameFailsOnlyTheAddress();
};

// The host name as the system gives it, and an address that names the workstation on its
// network whenever it has one; without a network, the loopback address that its name has.
void TestGetIP::thisWorkstation() {
    if (QHostInfo::fromName(QHostInfo::localHostName()).addresses().isEmpty())
        QSKIP("the host name of this machine does not resolve");
    QCOMPARE(LocalHostName(), QHostInfo::localHostName());
    const QString address = LocalIPAddress();
    QCOMPARE(messages.prompts(), QStringList());
    QVERIFY(!address.isEmpty());
    QCOMPARE(address, workstationAddress());
    QCOMPARE(QHostAddress(address).protocol(), QAbstractSocket::IPv4Protocol);
}

// The name itself is still known; only the address lookup fails, with its message.
void TestGetIP::unresolvedNameFailsOnlyTheAddress() {
    const QString name = QHostInfo::localHostName();
    if (!QHostInfo::fromName(name).addresses().isEmpty())
        QSKIP("the host name of this machine resolves");
    QCOMPARE(LocalHostName(), name);
    QCOMPARE(messages.prompts(), QStringList());
    QCOMPARE(LocalIPAddress(), "");
    QCOMPARE(
        messages.prompts(),
        QStringList{"Windows Sockets are not responding. Unable to successfully get Host Name."});
    QCOMPARE(messages.messages()[0].style, MsgStyle::OkOnly);
    QCOMPARE(messages.messages()[0].title, "zelkarin");
}

QTEST_GUILESS_MAIN(TestGetIP)
#include "tst_getip.moc"
