#include "Floors.h"

#include "PgConnection.h"
#include "ProgramStatements.h"
#include "SqliteDatabase.h"

#include <ctime>
#include <stdexcept>

namespace {

class SqliteFloorConnection : public FloorConnection {
public:
    explicit SqliteFloorConnection(const std::string& path) : m_db(path) {}
    Rows run(const std::string& sql) override { return m_db.query(sql); }

private:
    SqliteDatabase m_db;
};

class PostgresFloorConnection : public FloorConnection {
public:
    explicit PostgresFloorConnection(const std::string& conninfo) : m_db(conninfo) {}
    Rows run(const std::string& sql) override { return m_db.query(sql); }

private:
    PgConnection m_db;
};

std::string now(const char* format) {
    char text[32];
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    std::strftime(text, sizeof text, format, &local);
    return text;
}

const std::string& value(const Rows& rows, std::size_t column) {
    if (rows.empty() || !rows.front()[column])
        throw std::runtime_error("the floor found no row where the program needs one");
    return *rows.front()[column];
}

} // namespace

FloorConnector sqliteConnector(const std::string& path) {
    return [path] { return std::make_unique<SqliteFloorConnection>(path); };
}

FloorConnector postgresConnector(const std::string& conninfo) {
    return [conninfo] { return std::make_unique<PostgresFloorConnection>(conninfo); };
}

std::size_t loginFloor(const FloorConnector& connect, const std::string& facultyId,
                       const std::string& password, const std::string& address) {
    auto credentials = connect(); // held by the account result until the load replaces it
    const Rows account = credentials->run(credentialStatement(facultyId, password));
    // Prof_login's columns: profid, password, lastname, firstname, dept.
    const std::string userId = value(account, 0);
    const std::string logName = value(account, 2) + "  " + value(account, 3);

    auto audit = connect();
    audit->run(auditStatement({userId, now("%-I:%M:%S %p"), now("%-m/%-d/%y"), address, logName}));

    auto active = connect();
    const Rows activePeriod = active->run(activePeriodStatement);
    auto offered = connect();
    offered->run(offeredPeriodsStatement);

    auto load = connect();
    const Rows sections = load->run(enrolledLoadStatement(userId, value(activePeriod, 0)));
    credentials.reset();
    return sections.size();
}

std::size_t PeriodSwitchFloor::choose(const std::string& facultyId, const std::string& period) {
    auto connection = m_connect();
    const Rows sections = connection->run(allRowsLoadStatement(facultyId, period));
    m_held = std::move(connection);
    return sections.size();
}
