#include "StatementTrace.h"

#include <sqlite3.h>

#include <map>
#include <stdexcept>
#include <string>

namespace {

std::vector<std::string> events;
std::map<sqlite3*, int> connectionNumbers;

// The audit row's time, date and address: everything between the user ID and the name.
std::string maskAuditValues(std::string text) {
    const std::string values = "VALUES('";
    const std::size_t start = text.find(values);
    if (start == std::string::npos)
        return text;
    const std::size_t afterUser = text.find("','", start + values.size());
    const std::size_t beforeName = text.find("', '", afterUser);
    if (afterUser == std::string::npos || beforeName == std::string::npos)
        return text;
    return text.replace(afterUser, beforeName - afterUser, "','?','?','?");
}

int traced(unsigned, void*, void* statement, void* text) {
    const int number = connectionNumbers[sqlite3_db_handle(static_cast<sqlite3_stmt*>(statement))];
    events.push_back("connection " + std::to_string(number) + ": " +
                     maskAuditValues(static_cast<const char*>(text)));
    return 0;
}

int watch(sqlite3* db, const char**, const sqlite3_api_routines*) {
    const int number = int(connectionNumbers.size()) + 1;
    connectionNumbers[db] = number;
    events.push_back("open connection " + std::to_string(number));
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, traced, nullptr);
    return SQLITE_OK;
}

auto entryPoint() {
    return reinterpret_cast<void (*)()>(watch);
}

} // namespace

StatementTrace::StatementTrace() {
    if (sqlite3_auto_extension(entryPoint()) != SQLITE_OK)
        throw std::runtime_error("cannot watch SQLite connections");
}

StatementTrace::~StatementTrace() {
    sqlite3_cancel_auto_extension(entryPoint());
    take();
}

std::vector<std::string> StatementTrace::take() {
    std::vector<std::string> taken;
    taken.swap(events);
    connectionNumbers.clear();
    return taken;
}
