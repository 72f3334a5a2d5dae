#pragma once

#include <QSqlDatabase>
#include <QString>

class ConnectionString;

// The SQL Server provider's defaults: seconds a server may take to accept a login, and seconds
// it may take over one statement.
inline constexpr int LoginTimeoutSeconds = 15;
inline constexpr int CommandTimeoutSeconds = 30;

// The ODBC connection text that reaches SQL Server through FreeTDS for an SQLOLEDB string.
// Throws zelkarin::Error when its Encrypt is neither yes nor no.
QString freeTdsConnectionText(const ConnectionString& adoString);

// Adds a Qt SQL connection named `name` for the provider of the connection string and opens
// it. Throws zelkarin::Error with the driver's own text when it cannot be opened.
QSqlDatabase openDatabase(const QString& connectionString, const QString& name);
