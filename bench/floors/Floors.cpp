#include "Floors.h"

#include "MemberLogin.h"
#include "TeachingLoad.h"

#include <QDateTime>

#include <stdexcept>

namespace {

QString value(const Rows& rows, std::size_t column) {
    if (rows.empty() || !rows.front()[column])
        throw std::runtime_error("the floor found no row where the program needs one");
    return QString::fromStdString(*rows.front()[column]);
}

} // namespace

std::size_t loginFloor(const FloorConnector& connect, const QString& facultyId,
                       const QString& password, const QString& address) {
    FloorConnection credentials = connect(); // held by the account result until the load
    const Rows account = credentials(credentialCheck(facultyId, password));
    // Prof_login's columns: profid, password, lastname, firstname, dept.
    const QString userId = value(account, 0);
    const FloorConnection audit = connect();
    const QDateTime now = QDateTime::currentDateTime();
    audit(auditInsert({userId, now.toString(QStringLiteral("h:mm:ss AP")),
                       now.toString(QStringLiteral("M/d/yy")), address,
                       value(account, 2) + QStringLiteral("  ") + value(account, 3)}));

    const FloorConnection active = connect();
    const Rows activePeriod = active(activePeriodStatement());
    const FloorConnection offered = connect();
    offered(offeredPeriodsStatement());

    const FloorConnection load = connect();
    const Rows sections =
        load(teachingLoadStatement(LoadForm::EnrolledOnly, userId, value(activePeriod, 0)));
    credentials = nullptr;
    return sections.size();
}

std::size_t periodSwitchFloor(const FloorConnector& connect, FloorConnection& held,
                              const QString& facultyId, const QString& period) {
    FloorConnection connection = connect();
    const Rows sections = connection(teachingLoadStatement(LoadForm::AllRows, facultyId, period));
    held = std::move(connection);
    return sections.size();
}
