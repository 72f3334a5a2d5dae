#include "Connections.h"

#include "BuildSettings.h"
#include "Error.h"

namespace Connections {

namespace {
// The college's server, reached through the one database login of the program.
// clang-format off
constexpr char collegeConnectionString[] = "Provider=SQLOLEDB.1;Password=vexaKORM51;Persist Security Info=True;User ID=TV;Initial Catalog=Tevrin;Data Source=";
// clang-format on

QString builtInConnectionString() {
    const QString dataSource = QStringLiteral(ZELKARIN_DATA_SOURCE);
    if (!dataSource.isEmpty())
        return QLatin1String(collegeConnectionString) + dataSource;
    return QStringLiteral(ZELKARIN_CONNECTION_STRING);
}

QString& currentConnectionString() {
    static QString current = builtInConnectionString();
    return current;
}
} // namespace

QString connectionString() {
    return currentConnectionString();
}

void useConnectionString(const QString& connectionString) {
    currentConnectionString() = connectionString;
}

void releaseAll() {
    for (Recordset* slot : {&rs, &rsActive, &rsPeriods, &rsLog, &rsAccount})
        *slot = Recordset();
    cn.reset();
}

void OpenConnection() {
    cn.reset(); // the new connection replaces the old one even when it cannot be opened
    cn = DatabaseConnection::open(currentConnectionString());
}

Recordset Execute(const Statement& statement) {
    if (!cn)
        throw zelkarin::Error(
            zelkarin::Error::ProviderError,
            QStringLiteral("Operation is not allowed when the object is closed."));
    return cn->execute(statement);
}

QString templatePath() {
    return QStringLiteral(ZELKARIN_TEMPLATE_PATH);
}

} // namespace Connections
