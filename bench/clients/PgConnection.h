#pragma once

#include "Rows.h"

#include <string>

typedef struct pg_conn PGconn;

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
