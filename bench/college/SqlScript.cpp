#include "SqlScript.h"

#include <fstream>
#include <stdexcept>

namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

} // namespace

std::vector<std::string> sqlScriptStatements(const std::string& path) {
    std::ifstream file(path);
    if (!file)
        throw std::runtime_error("cannot read " + path);
    std::vector<std::string> statements;
    std::string statement;
    std::string line;
    while (std::getline(file, line)) {
        const std::string text = trimmed(line);
        if (text.starts_with("--"))
            continue;
        statement += line + '\n';
        if (text.ends_with(';')) {
            statements.push_back(trimmed(statement));
            statement.clear();
        }
    }
    if (!trimmed(statement).empty())
        statements.push_back(trimmed(statement));
    return statements;
}

bool createsIndex(const std::string& statement) {
    return statement.starts_with("CREATE INDEX") || statement.starts_with("CREATE UNIQUE INDEX");
}
