#pragma once

#include "Statement.h"

#include <QString>

// The login of a faculty member, without the window: the checks, the login state and the audit
// row. Database failures are raised as zelkarin::Error.

// What the ID field shows while nothing has been typed into it.
inline const QString EmptyFacultyId = QStringLiteral("__-___-__");

// Refuses an empty Faculty ID or password with its message, without touching the database.
bool fieldsFilled(const QString& facultyId, const QString& password);

Statement credentialCheck(const QString& facultyId, const QString& password);
// Selects the account of the pair into Connections::rs; "Login Failed" when there is none.
bool credentialsMatch(const QString& facultyId, const QString& password);

// The values of one audit row.
struct AuditRow {
    QString userId;
    QString time;
    QString date;
    QString address;
    QString logName;
};

Statement auditInsert(const AuditRow& row);
// Looks up the workstation, fills the login state from the account row in Connections::rs and
// records the login in tbllog with the time and date in the workstation's regional formats.
void recordLogin(const QString& password);

// The audit row's name: every comma of the display name turned into a blank.
QString logName(const QString& userName);

// The whole check of one press of OK; true when the member is logged in.
bool logIn(const QString& facultyId, const QString& password);
