#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTest>

// The database engines the program is tested on.
enum class Engine { SQLite, PostgreSQL, PostgreSQLOdbc };
inline constexpr Engine allEngines[] = {Engine::SQLite, Engine::PostgreSQL, Engine::PostgreSQLOdbc};
inline constexpr Engine postgresqlEngines[] = {Engine::PostgreSQL, Engine::PostgreSQLOdbc};

// A fresh database with the development schema and, unless told otherwise, the demo data;
// dropped again at the end. PostgreSQL databases are made on the server named by PGHOST,
// PGPORT, PGUSER and PGPASSWORD (the test command runs under pg_virtualenv), and the program
// logs in to them as a role of their own with the rights of data/roles/postgresql.sql. The
// test's own statements run as the superuser.
class TestDatabase {
public:
    enum class Content { DemoData, SchemaOnly };

    explicit TestDatabase(Engine engine, Content content = Content::DemoData);
    ~TestDatabase();

    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // The connection string the program is pointed at: on PostgreSQL, the program's role at
    // the server's host and port, which the environment no longer names.
    QString connectionString() const { return m_connectionString; }
    Engine engine() const { return m_engine; }

    // PostgreSQL: the program's role, and data/roles/postgresql.sql run for it (again) as psql
    // runs it; throws when the script stops with an error.
    QString programRole() const { return m_role; }
    void runRoleScript() const;

    // Statements of the test itself, on a connection of its own.
    void exec(const QString& sql) const;
    // Every row of a query, each value as text; NULL reads "<NULL>".
    QList<QStringList> rows(const QString& sql) const;
    QString scalar(const QString& sql) const;

private:
    Engine m_engine;
    QString m_name;
    QString m_sqliteDir;
    QString m_connectionString;
    QString m_adminConnection;
    QString m_role;
    QString m_rolePassword;
};

// An engine as data rows name it: "sqlite", "postgresql", "odbc-postgresql".
const char* engineRowName(Engine engine);
// Adds one data row per engine to a data-driven test, with an `engine` column.
void addEngineRows();
// Adds one data row per engine and case, named "engine/case", with an `engine` column and a
// column of the cases' values named valueColumn.
template <typename Value>
void addEngineCaseRows(const char* valueColumn, const QList<std::pair<const char*, Value>>& cases) {
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<Value>(valueColumn);
    for (Engine engine : allEngines)
        for (const auto& [caseName, value] : cases)
            QTest::addRow("%s/%s", engineRowName(engine), caseName) << engine << value;
}

// The statements of an SQL file: each ends with ";" at the end of a line, and comments are whole
// "--" lines. Throws std::runtime_error when the file cannot be read.
QStringList sqlScript(const QString& path);
// Runs the statements of an SQL file.
void runSqlFile(const QString& connectionName, const QString& path);

// The project's data folder.
QString dataPath(const QString& file);

// A SQLite file that does not exist, and the connection string that points the program at it:
// every OpenConnection on it fails, and none may create the file.
QString unreachableDatabaseFile();
QString unreachableDatabase();
