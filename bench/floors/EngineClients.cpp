#include "EngineClients.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <memory>
#include <stdexcept>

SqliteDatabase::SqliteDatabase(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        fail("cannot open " + path);
    sqlite3_busy_timeout(m_db, 5000);
}

SqliteDatabase::~SqliteDatabase() {
    sqlite3_close_v2(m_db);
}

void SqliteDatabase::fail(const std::string& what) const {
    throw std::runtime_error(what + ": " + sqlite3_errmsg(m_db));
}

Rows SqliteDatabase::query(const std::string& sql) const {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
        fail(sql);
    Rows rows;
    const int columns = sqlite3_column_count(statement);
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        auto& row = rows.emplace_back(std::size_t(columns));
        for (int i = 0; i < columns; ++i)
            if (const auto* text = sqlite3_column_text(statement, i))
                row[std::size_t(i)].emplace(reinterpret_cast<const char*>(text),
                                            std::size_t(sqlite3_column_bytes(statement, i)));
    }
    sqlite3_finalize(statement);
    if (step != SQLITE_DONE)
        fail(sql);
    return rows;
}

std::string SqliteDatabase::plan(const std::string& sql) const {
    std::string plan;
    for (const auto& row : query("EXPLAIN QUERY PLAN " + sql))
        plan += *row[3] + '\n'; // id, parent, notused, detail
    return plan;
}

PgConnection::PgConnection(const std::string& database) {
    const char* keywords[] = {"dbname", "connect_timeout", nullptr};
    const char* values[] = {database.c_str(), "5", nullptr};
    m_conn = PQconnectdbParams(keywords, values, 0);
    if (PQstatus(m_conn) != CONNECTION_OK) {
        const std::string message = PQerrorMessage(m_conn);
        PQfinish(m_conn);
        throw std::runtime_error("cannot connect to PostgreSQL: " + message);
    }
}

PgConnection::~PgConnection() {
    PQfinish(m_conn);
}

Rows PgConnection::query(const std::string& sql) const {
    const std::unique_ptr<PGresult, decltype(&PQclear)> result(PQexec(m_conn, sql.c_str()),
                                                               PQclear);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw std::runtime_error(sql + ": " + PQerrorMessage(m_conn));
    Rows rows(std::size_t(PQntuples(result.get())));
    const int columns = PQnfields(result.get());
    for (int r = 0; r < int(rows.size()); ++r) {
        auto& row = rows[std::size_t(r)];
        row.resize(std::size_t(columns));
        for (int c = 0; c < columns; ++c)
            if (!PQgetisnull(result.get(), r, c))
                row[std::size_t(c)].emplace(PQgetvalue(result.get(), r, c),
                                            std::size_t(PQgetlength(result.get(), r, c)));
    }
    return rows;
}

std::string PgConnection::plan(const std::string& sql) const {
    std::string plan;
    for (const auto& row : query("EXPLAIN (ANALYZE, COSTS OFF, TIMING OFF, SUMMARY OFF) " + sql))
        plan += *row[0] + '\n';
    return plan;
}
