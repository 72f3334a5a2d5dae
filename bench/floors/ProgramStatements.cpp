#include "ProgramStatements.h"

std::string credentialStatement(const std::string& id, const std::string& password) {
    return "SELECT * from Prof_login where profid='" + id + "' and password='" + password + "'";
}

std::string auditStatement(const AuditValues& v) {
    return "INSERT INTO tbllog (userid,oras,araw,IP,name) VALUES('" + v.userId + "','" + v.time +
           "','" + v.date + "','" + v.address + "', '" + v.logName + "')";
}

std::string enrolledLoadStatement(const std::string& facultyId, const std::string& period) {
    return "SELECT schedule,ssection,room,units,subjectname,periodcode,subject,enrollstatus,"
           "professorid,subject,count(subject)as NoOfE FROM TLOAD Group by periodcode,subject,"
           "professorid,subjectname,ssection,schedule,room,units,enrollstatus HAVING "
           "professorid='" +
           facultyId + "' and periodcode='" + period + "' and enrollstatus='Enrolled'";
}

std::string allRowsLoadStatement(const std::string& facultyId, const std::string& period) {
    return "SELECT schedule,ssection,room,units,subjectname,periodcode,subject,professorid,"
           "subject,count(subject)as NoOfE FROM TLOAD Group by periodcode,subject,professorid,"
           "subjectname,ssection,schedule,room,units HAVING professorid='" +
           facultyId + "' and periodcode='" + period + "'";
}

std::string classListStatement(const std::string& facultyId, const std::string& period,
                               const std::string& subject, const std::string& schedule) {
    return "SELECT * FROM TLOAD where professorid='" + facultyId + "' and periodcode='" + period +
           "' and subject='" + subject + "' and schedule='" + schedule +
           "' and enrollstatus='Enrolled' ORDER BY LASTNAME ";
}
