#pragma once

#include "College.h"

#include <cstdint>
#include <string>

// Each makes the college database anew with the development schema of data/ and its indexes.

// A new SQLite file at path, replacing any file there.
void loadSqliteCollege(const std::string& path, const CollegeShape& shape, std::uint64_t seed);

// A new database on the server, replacing one of the same name; analysed afterwards, as
// autovacuum would do some time later, so that every run plans on the same statistics.
void loadPostgresCollege(const std::string& database, const CollegeShape& shape,
                         std::uint64_t seed);
