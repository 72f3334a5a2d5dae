#pragma once

#include "DatabaseConnection.h"
#include "Recordset.h"

#include <QString>

#include <memory>

// Process-wide state that the windows share: the current connection, the recordset slots
// and the identity of the member who logged in.
namespace Connections {

inline std::shared_ptr<DatabaseConnection> cn;

inline Recordset rs;
inline Recordset rsActive;
inline Recordset rsPeriods;
inline Recordset rsLog;
inline Recordset rsAccount;

inline QString UserID;
inline QString UserName;
inline QString UserDept;
inline QString UserPassword;

// The connection string fixed at build time.
QString connectionString();
// Points every later OpenConnection elsewhere: for tests and tools, never read from outside.
void useConnectionString(const QString& connectionString);

// Drops the connection and every recordset slot; the program's end calls it while the
// database drivers are still loaded.
void releaseAll();

// Puts a new, open connection in `cn`, releasing the previous one.
void OpenConnection();

// Runs a statement on `cn`.
Recordset Execute(const Statement& statement);

// The grading-sheet template fixed at build time.
QString templatePath();

} // namespace Connections
