#pragma once

#include <string>
#include <vector>

// The statements of one of data/'s SQL files: each ends with ";" at the end of a line, and
// comments are whole "--" lines.
std::vector<std::string> sqlScriptStatements(const std::string& path);

// Indexes are built after the bulk load: far faster than keeping them up to date row by row.
bool createsIndex(const std::string& statement);
