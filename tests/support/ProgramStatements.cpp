#include "ProgramStatements.h"

#include "ClassListExport.h"
#include "MemberLogin.h"
#include "PasswordChange.h"
#include "TeachingLoad.h"

QList<std::pair<const char*, QString>> programStatements() {
    return {
        {"credential check", credentialCheck("12-345-67", "maria").text()},
        {"audit insert",
         auditInsert({"12-345-67", "2:05:09 PM", "3/4/2009", "10.0.0.5", "Alpha Beta  Gamma"})
             .text()},
        {"active period", activePeriodStatement().text()},
        {"offered periods", offeredPeriodsStatement().text()},
        {"enrolled load",
         teachingLoadStatement(LoadForm::EnrolledOnly, "12-345-67", "2026-2027 1st Semester")
             .text()},
        {"whole load",
         teachingLoadStatement(LoadForm::AllRows, "12-345-67", "2026-2027 1st Semester").text()},
        {"class list",
         classListStatement("12-345-67", "2026-2027 1st Semester", "IT 101", "MWF 8:00-9:00 AM")
             .text()},
        {"account lookup", accountLookup("12-345-67").text()},
        {"password update", passwordUpdate(" n3w pw ", "12-345-67").text()},
    };
}
