#include "PgConnection.h"

#include <libpq-fe.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace {

std::string environment(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

// A conninfo value in single quotes, with quotes and backslashes escaped.
std::string quoted(const std::string& value) {
    std::string result = "'";
    for (char c : value) {
        if (c == '\'' || c == '\\')
            result += '\\';
        result += c;
    }
    return result + '\'';
}

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

} // namespace

PgServer PgServer::fromEnvironment() {
    if (!std::getenv("PGUSER"))
        throw std::runtime_error("PostgreSQL needs PGHOST, PGPORT, PGUSER and PGPASSWORD: run "
                                 "under pg_virtualenv, as scripts/run-benchmarks does");
    return {environment("PGHOST", "localhost"), environment("PGPORT", "5432"),
            environment("PGUSER", ""), environment("PGPASSWORD", "")};
}

std::string PgServer::conninfo(const std::string& database) const {
    return "host=" + quoted(host) + " port=" + quoted(port) + " dbname=" + quoted(database) +
           " user=" + quoted(user) + " password=" + quoted(password) + " connect_timeout=5";
}

PgConnection::PgConnection(const std::string& conninfo) : m_conn(PQconnectdb(conninfo.c_str())) {
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

void PgConnection::exec(const std::string& sql) const {
    const Result result(PQexec(m_conn, sql.c_str()), PQclear);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        fail(sql);
}

Rows PgConnection::query(const std::string& sql) const {
    const Result result(PQexec(m_conn, sql.c_str()), PQclear);
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
