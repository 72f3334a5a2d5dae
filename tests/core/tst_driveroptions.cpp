#include "Connections.h"
#include "DatabaseDriver.h"
#include "Error.h"
#include "ErrorOf.h"
#include "PostgresServer.h"
#include "TestFixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

// What the connection string's options make of the database drivers: the SQL Server
// provider's defaults of 15 s to log in and 30 s for a statement, the same 15 s for a
// PostgreSQL login, and encryption required or turned down.
class TestDriverOptions : public TestFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void odbcDriverReceivesTheOptions_data();
    void odbcDriverReceivesTheOptions();
    void silentServerFailsAfterTheLoginTimeout_data();
    void silentServerFailsAfterTheLoginTimeout();
    void sqlServerEncryptionReachesTheWire_data();
    void sqlServerEncryptionReachesTheWire();
    void postgresqlSslModeReachesTheDriver_data();
    void postgresqlSslModeReachesTheDriver();

private:
    QTemporaryDir m_odbcConfig;
    std::unique_ptr<PostgresServer> m_tlsServer;
    std::unique_ptr<PostgresServer> m_plainServer;
};

namespace {

const QString collegeLogin =
    QStringLiteral("Provider=SQLOLEDB.1;Password=vexaKORM51;Persist Security Info=True;User "
                   "ID=TV;Initial Catalog=Tevrin;Data Source=127.0.0.1,%1");

// A port on which nobody listens any more.
quint16 closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

QString traceFile(const QTemporaryDir& dir) {
    return dir.filePath("odbc-trace.log");
}

// The ENCRYPTION option of the PRELOGIN packet that opens a TDS login, as FreeTDS sends it to
// a listener on 127.0.0.1 that answers nothing; -1 when none came. The listener reads on a
// thread of its own, since the driver holds the test's thread while it connects.
int preloginEncryption(const QString& connectionString) {
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        listen(listener, 1) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        close(listener);
        return -1;
    }
    int encryption = -1;
    std::thread reader([&] {
        pollfd waiting{listener, POLLIN, 0};
        if (poll(&waiting, 1, 20'000) != 1)
            return;
        const int client = accept(listener, nullptr, nullptr);
        unsigned char packet[512] = {};
        pollfd reading{client, POLLIN, 0};
        const ssize_t length =
            poll(&reading, 1, 20'000) == 1 ? recv(client, packet, sizeof packet, 0) : 0;
        // Header of 8 bytes, then option tokens: type, offset and length (big-endian, from the
        // payload's start), up to 0xff. Type 1 is ENCRYPTION.
        for (ssize_t token = 8; packet[0] == 0x12 && token + 4 < length && packet[token] != 0xff;
             token += 5) {
            const int offset = 8 + (packet[token + 1] << 8 | packet[token + 2]);
            if (packet[token] == 1 && offset < length)
                encryption = packet[offset];
        }
        close(client);
    });
    Connections::useConnectionString(connectionString.arg(ntohs(address.sin_port)));
    errorOf([] { Connections::OpenConnection(); });
    reader.join();
    close(listener);
    return encryption;
}

} // namespace

// The driver manager traces each call it hands on to the driver; its configuration is read
// from ODBCSYSINI before the first ODBC connection of the process.
void TestDriverOptions::initTestCase() {
    QVERIFY(m_odbcConfig.isValid());
    QFile system("/etc/odbcinst.ini");
    QVERIFY(system.open(QIODevice::ReadOnly));
    QFile config(m_odbcConfig.filePath("odbcinst.ini"));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("[ODBC]\nTrace=Yes\nTraceFile=" + traceFile(m_odbcConfig).toUtf8() + "\n\n" +
                 system.readAll());
    config.close();
    qputenv("ODBCSYSINI", QFile::encodeName(m_odbcConfig.path()));
    m_tlsServer = std::make_unique<PostgresServer>(PostgresServer::Tls::On);
    m_plainServer = std::make_unique<PostgresServer>();
}

void TestDriverOptions::cleanup() {
    TestFixture::cleanup();
    QSqlDatabase::removeDatabase(QStringLiteral("encryption"));
}

void TestDriverOptions::odbcDriverReceivesTheOptions_data() {
    QTest::addColumn<QString>("connectionString");
    QTest::addColumn<QString>("connectionTextPart");
    // The driver manager's trace cuts a connection text after 127 characters: short values
    // keep the part checked whole.
    QTest::newRow("SQL Server")
        << QStringLiteral("Provider=SQLOLEDB.1;Password=x;User ID=T;Initial Catalog=T;Data "
                          "Source=127.0.0.1,%1")
               .arg(closedPort())
        << ";Timeout=30";
    QTest::newRow("SQL Server, encrypted")
        << QStringLiteral("Provider=SQLOLEDB.1;Password=x;User ID=T;Initial Catalog=T;Data "
                          "Source=127.0.0.1,%1;Encrypt=yes")
               .arg(closedPort())
        << ";Encryption=require;";
    // Other ODBC drivers get the connection text as it stands, and the login timeout.
    QTest::newRow("ODBC") << QStringLiteral("Provider=MSDASQL;DRIVER={FreeTDS};SERVER=127.0.0.1;"
                                            "PORT=%1;TDS_Version=7.4;UID=TV;PWD=x")
                                 .arg(closedPort())
                          << ";PWD=*";
}

void TestDriverOptions::odbcDriverReceivesTheOptions() {
    QFETCH(QString, connectionString);
    QFETCH(QString, connectionTextPart);
    QFile::remove(traceFile(m_odbcConfig));
    Connections::useConnectionString(connectionString);
    const auto error = errorOf([] { Connections::OpenConnection(); });
    QVERIFY(error);
    QCOMPARE(error->number(), zelkarin::Error::ProviderError);
    // The FreeTDS driver itself answered: it is installed and was loaded.
    QVERIFY2(error->description().contains("FreeTDS"), qPrintable(error->description()));
    QVERIFY2(!error->description().contains("Can't open lib"), qPrintable(error->description()));

    QFile trace(traceFile(m_odbcConfig));
    QVERIFY2(trace.open(QIODevice::ReadOnly), "no ODBC trace written");
    const QString calls = QString::fromUtf8(trace.readAll());
    // unixODBC writes the value in hexadecimal: 0xf is 15 seconds.
    const QRegularExpression loginTimeout(
        "Attribute = SQL_ATTR_LOGIN_TIMEOUT\\s+Value = (0x[0-9a-f]+)");
    const QRegularExpressionMatch set = loginTimeout.match(calls);
    QVERIFY2(set.hasMatch(), qPrintable(calls));
    QCOMPARE(set.captured(1), "0xf");
    QVERIFY2(!loginTimeout.match(calls, set.capturedEnd()).hasMatch(), qPrintable(calls));
    const QRegularExpression driverConnect("SQLDriverConnectW?\\.c\\]\\[\\d+\\]\\s+Entry:[^\\[]*"
                                           "Str In = \\[([^\\n]*)\\]\\[length");
    const QRegularExpressionMatch connect = driverConnect.match(calls);
    QVERIFY2(connect.hasMatch(), qPrintable(calls));
    QVERIFY2(connect.captured(1).contains(connectionTextPart), qPrintable(connect.captured(1)));
    qInfo().noquote() << "login timeout attribute" << set.captured(1) << "connection text"
                      << connect.captured(1);
}

void TestDriverOptions::silentServerFailsAfterTheLoginTimeout_data() {
    QTest::addColumn<QString>("connectionString");
    QTest::addColumn<QString>("expected");
    QTest::newRow("SQL Server") << collegeLogin << "Timeout expired";
    QTest::newRow("PostgreSQL") << QStringLiteral("Provider=PostgreSQL;Data Source=127.0.0.1:%1;"
                                                  "Initial Catalog=Tevrin;User ID=TV;Password=x")
                                << "timeout expired";
}

// The kernel completes the handshake of a listening socket; nobody ever answers on it. Only
// the login timeout ends the wait, neither sooner nor at the statement timeout.
void TestDriverOptions::silentServerFailsAfterTheLoginTimeout() {
    QFETCH(QString, connectionString);
    QFETCH(QString, expected);
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    Connections::useConnectionString(connectionString.arg(silent.serverPort()));
    QElapsedTimer clock;
    clock.start();
    const auto error = errorOf([] { Connections::OpenConnection(); });
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(error, "the connection opened");
    const QString failure = error->description();
    qInfo().noquote() << "failed after" << elapsed << "ms:" << failure;
    QVERIFY2(failure.contains(expected), qPrintable(failure));
    QVERIFY2(elapsed >= 14'500 && elapsed < 25'000, qPrintable(QString::number(elapsed)));
}

void TestDriverOptions::sqlServerEncryptionReachesTheWire_data() {
    QTest::addColumn<QString>("encrypt");
    QTest::addColumn<int>("option");
    // The protocol's values: 0 encryption available, 1 required, 2 not supported.
    QTest::newRow("not given") << "" << 0;
    QTest::newRow("yes") << ";Encrypt=yes" << 1;
    QTest::newRow("no") << ";Encrypt=no" << 2;
}

// FreeTDS takes the setting in: its first packet asks the server for it.
void TestDriverOptions::sqlServerEncryptionReachesTheWire() {
    QFETCH(QString, encrypt);
    QFETCH(int, option);
    QCOMPARE(preloginEncryption(collegeLogin + encrypt), option);
}

void TestDriverOptions::postgresqlSslModeReachesTheDriver_data() {
    QTest::addColumn<bool>("tls");
    QTest::addColumn<QString>("connectionString");
    // "1" for an encrypted session, "0" for a plain one, or the error's text.
    QTest::addColumn<QString>("outcome");
    const QString qpsql = QStringLiteral("Provider=PostgreSQL;Data Source=127.0.0.1:%1;Initial "
                                         "Catalog=postgres;User ID=zelkarin;Password=x");
    // psqlODBC reads its own keyword from the connection text that MSDASQL hands on.
    const QString odbc = QStringLiteral("Provider=MSDASQL;DRIVER={PostgreSQL Unicode};"
                                        "SERVER=127.0.0.1;PORT=%1;DATABASE=postgres;"
                                        "UID=zelkarin;PWD=x");
    QTest::newRow("require") << true << qpsql + ";sslmode=require"
                             << "1";
    QTest::newRow("disable") << true << qpsql + ";SSLMode=Disable"
                             << "0";
    QTest::newRow("require, server without TLS") << false << qpsql + ";sslmode=require"
                                                 << "server does not support SSL";
    QTest::newRow("invalid") << true << qpsql + ";sslmode=required"
                             << "Invalid value \"required\" for sslmode in the connection "
                                "string: use disable, allow, prefer, require, verify-ca, "
                                "verify-full.";
    QTest::newRow("odbc require") << true << odbc + ";SSLmode=require"
                                  << "1";
    QTest::newRow("odbc disable") << true << odbc + ";SSLmode=disable"
                                  << "0";
    QTest::newRow("odbc require, server without TLS") << false << odbc + ";SSLmode=require"
                                                      << "server does not support SSL";
}

// Without sslmode libpq prefers TLS: a dropped sslmode=disable shows as an encrypted session,
// a dropped sslmode=require as a plain one on the server without TLS.
void TestDriverOptions::postgresqlSslModeReachesTheDriver() {
    QFETCH(bool, tls);
    QFETCH(QString, connectionString);
    QFETCH(QString, outcome);
    const int port = (tls ? m_tlsServer : m_plainServer)->port();
    QString encrypted;
    const auto error = errorOf([&] {
        QSqlQuery query(openDatabase(connectionString.arg(port), QStringLiteral("encryption")));
        if (query.exec("SELECT ssl::int FROM pg_stat_ssl WHERE pid = pg_backend_pid()") &&
            query.next())
            encrypted = query.value(0).toString();
    });
    if (error)
        QVERIFY2(error->description().contains(outcome), qPrintable(error->description()));
    else
        QCOMPARE(encrypted, outcome);
}

QTEST_GUILESS_MAIN(TestDriverOptions)
#include "tst_driveroptions.moc"
