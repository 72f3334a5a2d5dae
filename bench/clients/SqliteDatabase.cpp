#include "SqliteDatabase.h"

#include <sqlite3.h>

#include <stdexcept>

SqliteDatabase::SqliteDatabase(const std::string& path, bool create) {
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK)
        fail("cannot open " + path);
    sqlite3_busy_timeout(m_db, 5000);
}

SqliteDatabase::~SqliteDatabase() {
    sqlite3_close_v2(m_db);
}

void SqliteDatabase::fail(const std::string& what) const {
    throw std::runtime_error(what + ": " + sqlite3_errmsg(m_db));
}

void SqliteDatabase::exec(const std::string& sql) const {
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(sql);
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
