#pragma once

#include <QString>
#include <QStringList>

// Rights on tables written as "VERB table.column", lower case; the column "*" stands for the
// whole table, as a GRANT without a column list gives it.

// The table rights that the GRANT lines of a role script give, sorted. Each GRANT is one line
// ending with ";"; grants on the database or a schema are not table rights and are left out.
QStringList grantedRights(const QString& scriptPath);

// The table rights that one statement text of the program needs, sorted.
QStringList neededRights(const QString& statement);

// Whether a granted right allows a needed one: the same verb and table, and the same column or
// the whole table.
bool allows(const QString& granted, const QString& needed);
