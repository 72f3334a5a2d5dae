#pragma once

#include <optional>
#include <string>
#include <vector>

struct sqlite3;
typedef struct pg_conn PGconn;

// Every row of a result, each value copied out as text (nullopt for NULL), as the program's
// recordsets keep them.
using Rows = std::vector<std::vector<std::optional<std::string>>>;

// One connection through the sqlite3 C API. Throws std::runtime_error with SQLite's message.
class SqliteDatabase {
public:
    // Opens as QSQLITE does: read-write, creating nothing unless asked, 5 s busy timeout.
    explicit SqliteDatabase(const std::string& path, bool create = false);
    ~SqliteDatabase();

    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    sqlite3* handle() const { return m_db; }
    void exec(const std::string& sql) const;
    Rows query(const std::string& sql) const;
    [[noreturn]] void fail(const std::string& what) const;

private:
    sqlite3* m_db = nullptr;
};

// One connection through libpq to a database of the server that PGHOST, PGPORT, PGUSER and
// PGPASSWORD name (pg_virtualenv exports them), with the program's login timeout. Throws
// std::runtime_error with the server's message.
class PgConnection {
public:
    explicit PgConnection(const std::string& database);
    ~PgConnection();

    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    PGconn* handle() const { return m_conn; }
    void exec(const std::string& sql) const { query(sql); }
    Rows query(const std::string& sql) const;
    [[noreturn]] void fail(const std::string& what) const;

private:
    PGconn* m_conn;
};

// EXPLAIN QUERY PLAN drawn as the sqlite3 shell draws it.
std::string sqliteQueryPlan(const SqliteDatabase& db, const std::string& sql);

// EXPLAIN with the actual row counts but no timings, so that the text changes only when the
// plan or the data does.
std::string postgresQueryPlan(const PgConnection& db, const std::string& sql);
