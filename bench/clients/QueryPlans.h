#pragma once

#include <string>

class PgConnection;
class SqliteDatabase;

// EXPLAIN QUERY PLAN drawn as the sqlite3 shell draws it.
std::string sqliteQueryPlan(const SqliteDatabase& db, const std::string& sql);

// EXPLAIN with the actual row counts but no timings, so that the text changes only when the
// plan or the data does.
std::string postgresQueryPlan(const PgConnection& db, const std::string& sql);
