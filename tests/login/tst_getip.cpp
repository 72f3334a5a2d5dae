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
};

// The host name as the system gives it, and an address that names the workstation on its
// network whenever it has one; without a network, the loopback address that its name has. A name
// that resolves nowhere fails only the address lookup, with its message.
void TestGetIP::thisWorkstation() {
    const QString name = QHostInfo::localHostName();
    QCOMPARE(LocalHostName(), name);
    QCOMPARE(messages.prompts(), QStringList());
    const QString address = LocalIPAddress();
    if (QHostInfo::fromName(name).addresses().isEmpty()) {
        QCOMPARE(address, "");
        QCOMPARE(messages.prompts(),
                 QStringList{
                     "Windows Sockets are not responding. Unable to successfully get Host Name."});
        QCOMPARE(messages.messages()[0].style, MsgStyle::OkOnly);
        QCOMPARE(messages.messages()[0].title, "zelkarin");
        return;
    }
    QCOMPARE(messages.prompts(), QStringList());
    QVERIFY(!address.isEmpty());
    QCOMPARE(address, workstationAddress());
    QCOMPARE(QHostAddress(address).protocol(), QAbstractSocket::IPv4Protocol);
}

QTEST_GUILESS_MAIN(TestGetIP)
#include "tst_getip.moc"
