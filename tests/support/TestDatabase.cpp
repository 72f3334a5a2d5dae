#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

Q_DECLARE_METATYPE(Engine)

namespace {

[[noreturn]] void fail(const QString& what) {
    throw std::runtime_error(what.toStdString());
}

QString pgHost() {
    return qEnvironmentVariable("PGHOST", QStringLiteral("localhost"));
}

QString pgPort() {
    return qEnvironmentVariable("PGPORT", QStringLiteral("5432"));
}

QSqlDatabase pgConnection(const QString& name, const QString& database) {
    if (qEnvironmentVariableIsEmpty("PGUSER"))
        fail(QStringLiteral("PostgreSQL tests need PGHOST, PGUSER and PGPASSWORD: run them under "
                            "pg_virtualenv, as the README's test command does"));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    db.setHostName(pgHost());
    db.setPort(pgPort().toInt());
    db.setUserName(qEnvironmentVariable("PGUSER"));
    db.setPassword(qEnvironmentVariable("PGPASSWORD"));
    db.setDatabaseName(database);
    if (!db.open())
        fail(QStringLiteral("cannot reach PostgreSQL: ") + db.lastError().text());
    return db;
}

void execOn(const QString& connectionName, const QString& sql) {
    QSqlQuery query(QSqlDatabase::database(connectionName));
    if (!query.exec(sql))
        fail(QStringLiteral("%1\n-> %2").arg(sql, query.lastError().text()));
}

} // namespace

QString dataPath(const QString& file) {
    return QStringLiteral(ZELKARIN_SOURCE_DIR "/data/") + file;
}

void runSqlFile(const QString& connectionName, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read ") + path);
    QString statement;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString& line : lines) {
        if (line.trimmed().startsWith(QLatin1String("--")))
            continue;
        statement += line + u'\n';
        if (line.trimmed().endsWith(u';')) {
            execOn(connectionName, statement.trimmed());
            statement.clear();
        }
    }
    if (!statement.trimmed().isEmpty())
        execOn(connectionName, statement.trimmed());
}

TestDatabase::TestDatabase(Engine engine, Content content) : m_engine(engine) {
    m_name = QStringLiteral("zk_test_%1").arg(QRandomGenerator::global()->generate64(), 0, 16);
    m_adminConnection = m_name + QStringLiteral("_admin");
    QString schema;
    if (engine == Engine::SQLite) {
        QTemporaryDir dir;
        dir.setAutoRemove(false);
        m_sqliteDir = dir.path();
        const QString file = m_sqliteDir + QStringLiteral("/test.db");
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_adminConnection);
        db.setDatabaseName(file);
        if (!db.open())
            fail(db.lastError().text());
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
        const QString user = qEnvironmentVariable("PGUSER");
        const QString password = qEnvironmentVariable("PGPASSWORD");
        if (engine == Engine::PostgreSQL)
            m_connectionString = QStringLiteral("Provider=PostgreSQL;Data Source=%1:%2;Initial "
                                                "Catalog=%3;User ID=%4;Password=%5")
                                     .arg(pgHost(), pgPort(), m_name, user, password);
        else
            m_connectionString = QStringLiteral("Provider=MSDASQL;DRIVER={PostgreSQL Unicode};"
                                                "SERVER=%1;PORT=%2;DATABASE=%3;UID=%4;PWD=%5")
                                     .arg(pgHost(), pgPort(), m_name, user, password);
        schema = QStringLiteral("schema-postgresql.sql");
    }
    runSqlFile(m_adminConnection, dataPath(schema));
    if (content == Content::DemoData)
        runSqlFile(m_adminConnection, dataPath(QStringLiteral("demo-data.sql")));
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
    } catch (const std::exception& error) {
        qWarning() << error.what();
    }
    QSqlDatabase::removeDatabase(maintenance);
}

void TestDatabase::exec(const QString& sql) const {
    execOn(m_adminConnection, sql);
}

QList<QStringList> TestDatabase::rows(const QString& sql) const {
    QSqlQuery query(QSqlDatabase::database(m_adminConnection));
    if (!query.exec(sql))
        fail(QStringLiteral("%1\n-> %2").arg(sql, query.lastError().text()));
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
        fail(QStringLiteral("no value from ") + sql);
    return result.first().first();
}

void addEngineRows() {
    QTest::addColumn<Engine>("engine");
    QTest::newRow("sqlite") << Engine::SQLite;
    QTest::newRow("postgresql") << Engine::PostgreSQL;
    QTest::newRow("odbc-postgresql") << Engine::PostgreSQLOdbc;
}
