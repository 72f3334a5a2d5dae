#pragma once

#include "Rows.h"

#include <string>

typedef struct pg_conn PGconn;

// Where the benchmarks' PostgreSQL server is: the PGHOST, PGPORT, PGUSER and PGPASSWORD that
// pg_virtualenv exports.
struct PgServer {
    std::string host;
    std::string port;
    std::string user;
    std::string password;

    static PgServer fromEnvironment();
    // The parameters the program's QPSQL connection passes, login timeout included.
    std::string conninfo(const std::string& database) const;
};

// One connection through libpq. Throws std::runtime_error with the server's message.
class PgConnection {
public:
    explicit PgConnection(const std::string& conninfo);
    ~PgConnection();

    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    PGconn* handle() const { return m_conn; }
    void exec(const std::string& sql) const;
    Rows query(const std::string& sql) const;
    [[noreturn]] void fail(const std::string& what) const;

private:
    PGconn* m_conn;
};
