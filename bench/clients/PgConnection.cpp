#include "PgConnection.h"

#include <libpq-fe.h>

#include <memory>
#include <stdexcept>

PgConnection::PgConnection(const std::string& database) {
    // libpq takes the server and the role from the environment.
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

void PgConnection::fail(const std::string& what) const {
    throw std::runtime_error(what + ": " + PQerrorMessage(m_conn));
}

Rows PgConnection::query(const std::string& sql) const {
    const std::unique_ptr<PGresult, decltype(&PQclear)> result(PQexec(m_conn, sql.c_str()),
                                                               PQclear);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        fail(sql);
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
