#include "EngineClients.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <stdexcept>

SqliteDatabase::SqliteDatabase(const std::string& path) : m_db(nullptr, sqlite3_close_v2) {
    sqlite3* db = nullptr;
    const int opened = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    m_db.reset(db);
    if (opened != SQLITE_OK)
        throw std::runtime_error("cannot open " + path + ": " + sqlite3_errmsg(db));
    sqlite3_busy_timeout(db, 5000);
}

Rows SqliteDatabase::query(const std::string& sql) const {
    const auto fail = [&] { return std::runtime_error(sql + ": " + sqlite3_errmsg(m_db.get())); };
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db.get(), sql.c_str(), int(sql.size()), &statement, nullptr))
        throw fail();
    Rows rows;
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        auto& row = rows.emplace_back(std::size_t(sqlite3_column_count(statement)));
        for (std::size_t i = 0; i < row.size(); ++i)
            if (const auto* text = sqlite3_column_text(statement, int(i)))
                row[i].emplace(reinterpret_cast<const char*>(text),
                               std::size_t(sqlite3_column_bytes(statement, int(i))));
    }
    sqlite3_finalize(statement);
    if (step != SQLITE_DONE)
        throw fail();
    return rows;
}

PgConnection::PgConnection(const std::string& database) : m_conn(nullptr, PQfinish) {
    const char* keywords[] = {"dbname", "connect_timeout", nullptr};
    const char* values[] = {database.c_str(), "5", nullptr};
    m_conn.reset(PQconnectdbParams(keywords, values, 0));
    if (PQstatus(m_conn.get()) != CONNECTION_OK)
        throw std::runtime_error(std::string("cannot connect to PostgreSQL: ") +
                                 PQerrorMessage(m_conn.get()));
}

Rows PgConnection::query(const std::string& sql) const {
    const std::unique_ptr<PGresult, void (*)(PGresult*)> result(PQexec(m_conn.get(), sql.c_str()),
                                                                PQclear);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw std::runtime_error(sql + ": " + PQerrorMessage(m_conn.get()));
    Rows rows(std::size_t(PQntuples(result.get())),
              Rows::value_type(std::size_t(PQnfields(result.get()))));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            if (!PQgetisnull(result.get(), int(r), int(c)))
                rows[r][c].emplace(PQgetvalue(result.get(), int(r), int(c)),
                                   std::size_t(PQgetlength(result.get(), int(r), int(c))));
    return rows;
}
