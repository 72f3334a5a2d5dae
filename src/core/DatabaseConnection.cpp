#include "DatabaseConnection.h"

#include "DatabaseDriver.h"
#include "ProviderError.h"
#include "Statement.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

namespace {
const QString namePrefix = QStringLiteral("zelkarin-");
std::atomic<quint64> lastSerial{0};
} // namespace

std::shared_ptr<DatabaseConnection> DatabaseConnection::open(const QString& connectionString) {
    const QString name = namePrefix + QString::number(++lastSerial);
    openDatabase(connectionString, name);
    return std::shared_ptr<DatabaseConnection>(new DatabaseConnection(name));
}

DatabaseConnection::~DatabaseConnection() {
    QSqlDatabase::database(m_name, false).close();
    QSqlDatabase::removeDatabase(m_name);
}

Recordset DatabaseConnection::execute(const Statement& statement) {
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    query.setForwardOnly(true);
    if (!query.exec(statement.text()))
        throw providerError(query.lastError(), statement.values());
    return Recordset(shared_from_this(), query);
}
