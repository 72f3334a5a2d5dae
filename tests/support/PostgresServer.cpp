#include "PostgresServer.h"

#include "SetUpFailure.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>

#include <pwd.h>
#include <unistd.h>

namespace {

// One of the newest installed server's programs (Debian keeps them per major version).
QString serverProgram(const QString& program) {
    const QDir versions(QStringLiteral("/usr/lib/postgresql"));
    for (const QString& version :
         versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed)) {
        const QString bin = versions.filePath(version + QStringLiteral("/bin"));
        if (QFile::exists(bin + QStringLiteral("/initdb")))
            return bin + u'/' + program;
    }
    failSetUp(QStringLiteral("no PostgreSQL server is installed under /usr/lib/postgresql"));
}

int freeLoopbackPort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost))
        failSetUp(QStringLiteral("no free port on 127.0.0.1"));
    return probe.serverPort();
}

const passwd* serverAccount() {
    const passwd* account = getpwnam("postgres");
    if (!account)
        failSetUp(
            QStringLiteral("running as root needs the user \"postgres\" for the test server"));
    return account;
}

} // namespace

PostgresServer::PostgresServer(Tls tls) : m_port(freeLoopbackPort()) {
    if (!m_folder.isValid())
        failSetUp(QStringLiteral("no temporary folder for the test server"));
    if (geteuid() == 0) {
        const passwd* account = serverAccount();
        if (chown(QFile::encodeName(m_folder.path()).constData(), account->pw_uid,
                  account->pw_gid) != 0)
            failSetUp(QStringLiteral("cannot hand the test server's folder to \"postgres\""));
    }
    m_data = m_folder.filePath(QStringLiteral("data"));
    run(serverProgram(QStringLiteral("initdb")),
        {QStringLiteral("--pgdata=") + m_data, QStringLiteral("--username=") + user(),
         QStringLiteral("--auth=trust"), QStringLiteral("--encoding=UTF8"),
         QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync")});
    QFile settings(m_data + QStringLiteral("/postgresql.conf"));
    if (!settings.open(QIODevice::Append))
        failSetUp(QStringLiteral("cannot write ") + settings.fileName());
    settings.write(QStringLiteral("port = %1\nlisten_addresses = '127.0.0.1'\n"
                                  "unix_socket_directories = '%2'\nfsync = off\n")
                       .arg(m_port)
                       .arg(m_folder.path())
                       .toUtf8());
    if (tls == Tls::On) {
        // server.crt and server.key in the data folder are the server's defaults.
        run(QStringLiteral("openssl"),
            {QStringLiteral("req"), QStringLiteral("-new"), QStringLiteral("-x509"),
             QStringLiteral("-nodes"), QStringLiteral("-days"), QStringLiteral("1"),
             QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-keyout"),
             m_data + QStringLiteral("/server.key"), QStringLiteral("-out"),
             m_data + QStringLiteral("/server.crt")});
        settings.write("ssl = on\n");
    }
    settings.close();
    start();
}

PostgresServer::~PostgresServer() {
    try {
        stop();
    } catch (const std::exception& error) {
        qWarning() << error.what();
    }
}

void PostgresServer::start() {
    if (m_running)
        return;
    run(serverProgram(QStringLiteral("pg_ctl")),
        {QStringLiteral("start"), QStringLiteral("--wait"), QStringLiteral("--pgdata=") + m_data,
         QStringLiteral("--log=") + m_folder.filePath(QStringLiteral("server.log"))});
    m_running = true;
}

void PostgresServer::stop() {
    if (!m_running)
        return;
    run(serverProgram(QStringLiteral("pg_ctl")),
        {QStringLiteral("stop"), QStringLiteral("--wait"), QStringLiteral("--mode=immediate"),
         QStringLiteral("--pgdata=") + m_data});
    m_running = false;
}

void PostgresServer::run(const QString& path, const QStringList& arguments) {
    QProcess process;
    // The server speaks C.UTF-8 whatever locale the tests run in, and no PG* variable of the
    // suite's own server reaches pg_ctl.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : environment.keys())
        if (name.startsWith(QLatin1String("PG")) || name.startsWith(QLatin1String("LC_")))
            environment.remove(name);
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_folder.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (geteuid() == 0)
        process.start(QStringLiteral("runuser"),
                      QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                  QStringLiteral("--"), path} +
                          arguments);
    else
        process.start(path, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        failSetUp(
            QStringLiteral("%1 failed:\n%2").arg(path, QString::fromLocal8Bit(process.readAll())));
}
