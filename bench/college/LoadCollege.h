#pragma once

#include "College.h"
#include "TestDatabase.h"

// Makes the college database anew, replacing one of the same name, with the development schema
// of data/, through the engine's own shell: a SQLite file through sqlite3's .import, a database
// of the server that PGHOST, PGPORT, PGUSER and PGPASSWORD name through psql's \copy. The index
// is built after the load, far faster than keeping it up to date row by row. PostgreSQL's is
// analysed afterwards, as autovacuum would do some time later, so that every run plans on the
// same statistics.
void loadCollege(Engine engine, const QString& target, const CollegeShape& shape,
                 std::uint64_t seed);
