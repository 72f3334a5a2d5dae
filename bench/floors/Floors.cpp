#include "Floors.h"

#include "EngineClients.h"
#include "MemberLogin.h"
#include "TeachingLoad.h"

#include <ctime>
#include <stdexcept>

namespace {

template <typename Database> class EngineConnection : public FloorConnection {
public:
    explicit EngineConnection(const std::string& target) : m_db(target) {}
    Rows run(const Statement& statement) override {
        return m_db.query(statement.text().toStdString());
    }

private:
    Database m_db;
};

QString now(const char* format) {
    char text[32];
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    std::strftime(text, sizeof text, format, &local);
    return QString::fromLatin1(text);
}

QString value(const Rows& rows, std::size_t column) {
    if (rows.empty() || !rows.front()[column])
        throw std::runtime_error("the floor found no row where the program needs one");
    return QString::fromStdString(*rows.front()[column]);
}

} // namespace

FloorConnector sqliteConnector(const std::string& path) {
    return [path] { return std::make_unique<EngineConnection<SqliteDatabase>>(path); };
}

FloorConnector postgresConnector(const std::string& database) {
    return [database] { return std::make_unique<EngineConnection<PgConnection>>(database); };
}

std::size_t loginFloor(const FloorConnector& connect, const QString& facultyId,
                       const QString& password, const QString& address) {
    auto credentials = connect(); // held by the account result until the load replaces it
    const Rows account = credentials->run(credentialCheck(facultyId, password));
    // Prof_login's columns: profid, password, lastname, firstname, dept.
    const QString userId = value(account, 0);
    auto audit = connect();
    audit->run(auditInsert({userId, now("%-I:%M:%S %p"), now("%-m/%-d/%y"), address,
                            value(account, 2) + QStringLiteral("  ") + value(account, 3)}));

    auto active = connect();
    const Rows activePeriod = active->run(activePeriodStatement());
    auto offered = connect();
    offered->run(offeredPeriodsStatement());

    auto load = connect();
    const Rows sections =
        load->run(teachingLoadStatement(LoadForm::EnrolledOnly, userId, value(activePeriod, 0)));
    credentials.reset();
    return sections.size();
}

std::size_t PeriodSwitchFloor::choose(const QString& facultyId, const QString& period) {
    auto connection = m_connect();
    const Rows sections =
        connection->run(teachingLoadStatement(LoadForm::AllRows, facultyId, period));
    m_held = std::move(connection);
    return sections.size();
}
