#pragma once

#include <QSqlDatabase>
#include <QString>

#include "Error.h"

class ConnectionString;
class QSqlError;

// Seconds a server may take to accept a login before Open gives up.
inline constexpr int LoginTimeoutSeconds = 5;

// The ODBC connection text that reaches SQL Server through FreeTDS for an SQLOLEDB string.
QString freeTdsConnectionText(const ConnectionString& adoString);

// The provider's failure as the windows report it.
zelkarin::Error providerError(const QSqlError& error);

// Adds a Qt SQL connection named `name` for the provider of the connection string and opens
// it. Throws zelkarin::Error with the driver's own text when it cannot be opened.
QSqlDatabase openDatabase(const QString& connectionString, const QString& name);
