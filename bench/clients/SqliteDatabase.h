#pragma once

#include "Rows.h"

#include <string>

struct sqlite3;

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
