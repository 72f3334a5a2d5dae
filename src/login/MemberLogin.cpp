#include "MemberLogin.h"

#include "Connections.h"
#include "GetIP.h"
#include "MsgBox.h"
#include "RegionalFormats.h"

#include <QDateTime>

bool fieldsFilled(const QString& facultyId, const QString& password) {
    if (facultyId == EmptyFacultyId) {
        MsgBox(QStringLiteral("Please enter username"));
        return false;
    }
    if (password.isEmpty()) {
        MsgBox(QStringLiteral("Please enter password"));
        return false;
    }
    return true;
}

Statement credentialCheck(const QString& facultyId, const QString& password) {
    Statement statement("SELECT * from Prof_login where profid='");
    statement.value(facultyId).sql("' and password='").value(password).sql("'");
    return statement;
}

bool credentialsMatch(const QString& facultyId, const QString& password) {
    Connections::OpenConnection();
    Connections::rs = Connections::Execute(credentialCheck(facultyId, password));
    if (Connections::rs.bof() || Connections::rs.eof()) {
        MsgBox(QStringLiteral("Login Failed"));
        return false;
    }
    return true;
}

Statement auditInsert(const AuditRow& row) {
    Statement statement("INSERT INTO tbllog (userid,oras,araw,IP,name) VALUES('");
    statement.value(row.userId).sql("','").value(row.time).sql("','").value(row.date);
    statement.sql("','").value(row.address).sql("', '").value(row.logName).sql("')");
    return statement;
}

void recordLogin(const QString& password) {
    using namespace Connections;
    GetIP::HostName = GetIP::LocalHostName();
    GetIP::HostIP = GetIP::LocalIPAddress();
    UserID = rs.field(QStringLiteral("profid")).text();
    UserName = rs.field(QStringLiteral("lastname")).textOrEmpty() + QStringLiteral(", ") +
               rs.field(QStringLiteral("firstname")).textOrEmpty();
    // A college not yet assigned is shown as none rather than stopping the login.
    UserDept = rs.field(QStringLiteral("dept")).textOrEmpty();
    UserPassword = password;
    OpenConnection();
    // One reading of the clock, so that time and date agree even across midnight.
    const QDateTime now = QDateTime::currentDateTime();
    rsLog = Execute(auditInsert({UserID, regionalTime(now.time()), regionalDate(now.date()),
                                 GetIP::HostIP, logName(UserName)}));
}

QString logName(const QString& userName) {
    QString name = userName;
    return name.replace(u',', u' ');
}

bool logIn(const QString& facultyId, const QString& password) {
    if (!fieldsFilled(facultyId, password) || !credentialsMatch(facultyId, password))
        return false;
    recordLogin(password);
    return true;
}
