#pragma once

#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

struct sqlite3;
typedef struct pg_conn PGconn;

// A result's rows, each value copied out as text (nullopt for NULL), as recordsets keep them.
using Rows = std::vector<std::vector<std::optional<std::string>>>;

// One connection through the sqlite3 C API, opened as QSQLITE opens it: read-write, creating
// nothing, 5 s busy timeout. Throws std::runtime_error with SQLite's message.
class SqliteDatabase {
public:
    explicit SqliteDatabase(const std::string& path);
    Rows query(const std::string& sql) const;

private:
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> m_db;
};

// One connection through libpq to a database of the server that PGHOST, PGPORT, PGUSER and
// PGPASSWORD name, with the program's login timeout. Throws std::runtime_error.
class PgConnection {
public:
    explicit PgConnection(const std::string& database);
    Rows query(const std::string& sql) const;

private:
    std::unique_ptr<PGconn, void (*)(PGconn*)> m_conn;
};

// A statement's plan, a line for each step: SQLite's EXPLAIN QUERY PLAN, or PostgreSQL's EXPLAIN
// ANALYZE with the actual row counts but no timings.
template <typename Database> std::string queryPlan(const Database& db, const std::string& sql) {
    std::string plan;
    for (const auto& row :
         db.query((std::is_same_v<Database, SqliteDatabase>
                       ? "EXPLAIN QUERY PLAN "
                       : "EXPLAIN (ANALYZE, COSTS OFF, TIMING OFF, SUMMARY OFF) ") +
                  sql))
        plan += *row.back() + '\n';
    return plan;
}
