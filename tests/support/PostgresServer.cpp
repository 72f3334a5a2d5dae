#include "PostgresServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>

#include <pwd.h>
#include <unistd.h>

#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString& what) {
    throw std::runtime_error(what.toStdString());
}

// The newest installed server's programs (Debian keeps them per major version).
QString serverBinaries() {
    const QDir versions(QStringLiteral("/usr/lib/postgresql"));
    for (const QString& version :
         versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed)) {
        const QString bin = versions.filePath(version + QStringLiteral("/bin"));
        if (QFile::exists(bin + QStringLiteral("/initdb")))
            return bin;
    }
    fail(QStringLiteral("no PostgreSQL server is installed under /usr/lib/postgresql"));
}

int freeLoopbackPort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost))
        fail(QStringLiteral("no free port on 127.0.0.1"));
    return probe.serverPort();
}

const passwd* serverAccount() {
    const passwd* account = getpwnam("postgres");
    if (!account)
        fail(QStringLiteral("running as root needs the user \"postgres\" for the test server"));
    return account;
}

} // namespace

PostgresServer::PostgresServer() : m_port(freeLoopbackPort()) {
    if (!m_folder.isValid())
        fail(QStringLiteral("no temporary folder for the test server"));
    if (geteuid() == 0) {
        const passwd* account = serverAccount();
        if (chown(QFile::encodeName(m_folder.path()).constData(), account->pw_uid,
                  account->pw_gid) != 0)
            fail(QStringLiteral("cannot hand the test server's folder to \"postgres\""));
    }
    m_data = m_folder.filePath(QStringLiteral("data"));
    run(QStringLiteral("initdb"),
        {QStringLiteral("--pgdata=") + m_data, QStringLiteral("--username=") + user(),
         QStringLiteral("--auth=trust"), QStringLiteral("--encoding=UTF8"),
         QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync")});
    QFile settings(m_data + QStringLiteral("/postgresql.conf"));
    if (!settings.open(QIODevice::Append))
        fail(QStringLiteral("cannot write ") + settings.fileName());
    settings.write(QStringLiteral("port = %1\nlisten_addresses = '127.0.0.1'\n"
                                  "unix_socket_directories = '%2'\nfsync = off\n")
                       .arg(m_port)
                       .arg(m_folder.path())
                       .toUtf8());
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
    run(QStringLiteral("pg_ctl"),
        {QStringLiteral("start"), QStringLiteral("--wait"), QStringLiteral("--pgdata=") + m_data,
         QStringLiteral("--log=") + m_folder.filePath(QStringLiteral("server.log"))});
    m_running = true;
}

void PostgresServer::stop() {
    if (!m_running)
        return;
    run(QStringLiteral("pg_ctl"),
        {QStringLiteral("stop"), QStringLiteral("--wait"), QStringLiteral("--mode=immediate"),
         QStringLiteral("--pgdata=") + m_data});
    m_running = false;
}

void PostgresServer::run(const QString& program, const QStringList& arguments) {
    const QString path = serverBinaries() + u'/' + program;
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
        fail(QStringLiteral("%1 failed:\n%2")
                 .arg(program, QString::fromLocal8Bit(process.readAll())));
}
