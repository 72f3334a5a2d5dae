#include "TestDatabase.h"

#include "SetUpFailure.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Engine)

namespace {

// The server pg_virtualenv started, and its superuser.
struct PgServer {
    QString host;
    QString port;
    QString user;
    QString password;
};

// Read once; afterwards the environment points libpq nowhere. libpq falls back to PGHOST and
// PGPORT (or to its own defaults, which may be this very server) for whatever a connection
// string leaves out, so a program that dropped the host or port of its Data Source would still
// find the server. Here it finds nothing and its test fails.
const PgServer& pgServer() {
    static const PgServer server = [] {
        if (qEnvironmentVariableIsEmpty("PGUSER"))
            failSetUp(
                QStringLiteral("PostgreSQL tests need PGHOST, PGUSER and PGPASSWORD: run them "
                               "under pg_virtualenv, as the README's test command does"));
        const PgServer found{qEnvironmentVariable("PGHOST", QStringLiteral("localhost")),
                             qEnvironmentVariable("PGPORT", QStringLiteral("5432")),
                             qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD")};
        qputenv("PGHOST", "/nonexistent");
        qputenv("PGPORT", "1");
        for (const char* name : {"PGUSER", "PGPASSWORD", "PGDATABASE", "PGSERVICE"})
            qunsetenv(name);
        return found;
    }();
    return server;
}

QSqlDatabase pgConnection(const QString& name, const QString& database) {
    const PgServer& server = pgServer();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    db.setHostName(server.host);
    db.setPort(server.port.toInt());
    db.setUserName(server.user);
    db.setPassword(server.password);
    db.setDatabaseName(database);
    if (!db.open())
        failSetUp(QStringLiteral("cannot reach PostgreSQL: ") + db.lastError().text());
    return db;
}

void execOn(const QString& connectionName, const QString& sql) {
    QSqlQuery query(QSqlDatabase::database(connectionName));
    if (!query.exec(sql))
        failSetUp(QStringLiteral("%1\n-> %2").arg(sql, query.lastError().text()));
}

} // namespace

QString dataPath(const QString& file) {
    return QStringLiteral(ZELKARIN_SOURCE_DIR "/data/") + file;
}

// Named after the process, so that tests running side by side do not share it.
QString unreachableDatabaseFile() {
    return QDir::temp().filePath(
        QStringLiteral("zelkarin-no-such-database-%1.db").arg(QCoreApplication::applicationPid()));
}

QString unreachableDatabase() {
    return QStringLiteral("Provider=SQLite;Data Source=") + unreachableDatabaseFile();
}

QStringList sqlScript(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        failSetUp(QStringLiteral("cannot read ") + path);
    QStringList statements;
    QString statement;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString& line : lines) {
        if (line.trimmed().startsWith(QLatin1String("--")))
            continue;
        statement += line + u'\n';
        if (line.trimmed().endsWith(u';')) {
            statements << statement.trimmed();
            statement.clear();
        }
    }
    if (!statement.trimmed().isEmpty())
        statements << statement.trimmed();
    return statements;
}

void runSqlFile(const QString& connectionName, const QString& path) {
    for (const QString& statement : sqlScript(path))
        execOn(connectionName, statement);
}

TestDatabase::TestDatabase(Engine engine, Content content) : m_engine(engine) {
    m_name = QStringLiteral("zk_test_%1").arg(QRandomGenerator::global()->generate64(), 0, 16);
    m_adminConnection = m_name + QStringLiteral("_admin");
    m_role = m_name + QStringLiteral("_app");
    m_rolePassword = QString::number(QRandomGenerator::global()->generate64(), 16);
    QString schema;
    if (engine == Engine::SQLite) {
        QTemporaryDir dir;
        dir.setAutoRemove(false);
        m_sqliteDir = dir.path();
        const QString file = m_sqliteDir + QStringLiteral("/test.db");
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_adminConnection);
        db.setDatabaseName(file);
        if (!db.open())
            failSetUp(db.lastError().text());
        m_connectionString = QStringLiteral("Provider=SQLite;Data Source=") + file;
        schema = QStringLiteral("schema-sqlite.sql");
    } else {
        {
            const QString maintenance = m_name + QStringLiteral("_create");
            pgConnection(maintenance, QStringLiteral("postgres"));
            execOn(maintenance, QStringLiteral("CREATE DATABASE ") + m_name);
            QSqlDatabase::removeDatabase(maintenance);
        }
        pgConnection(m_adminConnection, m_name);
        const PgServer& server = pgServer();
        if (engine == Engine::PostgreSQL)
            m_connectionString = QStringLiteral("Provider=PostgreSQL;Data Source=%1:%2;Initial "
                                                "Catalog=%3;User ID=%4;Password=%5")
                                     .arg(server.host, server.port, m_name, m_role, m_rolePassword);
        else
            m_connectionString = QStringLiteral("Provider=MSDASQL;DRIVER={PostgreSQL Unicode};"
                                                "SERVER=%1;PORT=%2;DATABASE=%3;UID=%4;PWD=%5")
                                     .arg(server.host, server.port, m_name, m_role, m_rolePassword);
        schema = QStringLiteral("schema-postgresql.sql");
    }
    runSqlFile(m_adminConnection, dataPath(schema));
    if (content == Content::DemoData)
        runSqlFile(m_adminConnection, dataPath(QStringLiteral("demo-data.sql")));
    if (engine != Engine::SQLite)
        runRoleScript();
}

TestDatabase::~TestDatabase() {
    QSqlDatabase::removeDatabase(m_adminConnection);
    if (m_engine == Engine::SQLite) {
        QDir(m_sqliteDir).removeRecursively();
        return;
    }
    const QString maintenance = m_name + QStringLiteral("_drop");
    try {
        pgConnection(maintenance, QStringLiteral("postgres"));
        execOn(maintenance, QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
        execOn(maintenance, QStringLiteral("DROP ROLE IF EXISTS %1").arg(m_role));
    } catch (const std::exception& error) {
        qWarning() << error.what();
    }
    QSqlDatabase::removeDatabase(maintenance);
}

void TestDatabase::runRoleScript() const {
    const PgServer& server = pgServer();
    QProcess psql;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PGPASSWORD"), server.password);
    psql.setProcessEnvironment(environment);
    psql.start(QStringLiteral("psql"),
               {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-h"), server.host,
                QStringLiteral("-p"), server.port, QStringLiteral("-U"), server.user,
                QStringLiteral("-d"), m_name, QStringLiteral("-v"),
                QStringLiteral("role=") + m_role, QStringLiteral("-v"),
                QStringLiteral("password=") + m_rolePassword, QStringLiteral("-f"),
                dataPath(QStringLiteral("roles/postgresql.sql"))});
    if (!psql.waitForFinished(60000) || psql.exitStatus() != QProcess::NormalExit ||
        psql.exitCode() != 0)
        failSetUp(QStringLiteral("psql could not run data/roles/postgresql.sql: ") +
                  psql.errorString() + u'\n' + QString::fromLocal8Bit(psql.readAllStandardError()));
}

void TestDatabase::exec(const QString& sql) const {
    execOn(m_adminConnection, sql);
}

QList<QStringList> TestDatabase::rows(const QString& sql) const {
    QSqlQuery query(QSqlDatabase::database(m_adminConnection));
    if (!query.exec(sql))
        failSetUp(QStringLiteral("%1\n-> %2").arg(sql, query.lastError().text()));
    QList<QStringList> result;
    while (query.next()) {
        QStringList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << (query.isNull(i) ? QStringLiteral("<NULL>") : query.value(i).toString());
        result << row;
    }
    return result;
}

QString TestDatabase::scalar(const QString& sql) const {
    const QList<QStringList> result = rows(sql);
    if (result.isEmpty() || result.first().isEmpty())
        failSetUp(QStringLiteral("no value from ") + sql);
    return result.first().first();
}

const char* engineRowName(Engine engine) {
    switch (engine) {
    case Engine::SQLite:
        return "sqlite";
    case Engine::PostgreSQL:
        return "postgresql";
    case Engine::PostgreSQLOdbc:
        break;
    }
    return "odbc-postgresql";
}

void addEngineRows() {
    QTest::addColumn<Engine>("engine");
    for (Engine engine : allEngines)
        QTest::newRow(engineRowName(engine)) << engine;
}
