#pragma once

#include <string>

// The statement texts that the program sends, for running the same texts through the engines'
// own client libraries. zelkarin_bench_check compares those of a login and a period choice with
// what the program actually sends.

std::string credentialStatement(const std::string& id, const std::string& password);

struct AuditValues {
    std::string userId, time, date, address, logName;
};
std::string auditStatement(const AuditValues& values);

inline constexpr char activePeriodStatement[] = "SELECT * from PERIOD where status='ACTIVE'";
inline constexpr char offeredPeriodsStatement[] = "SELECT * from PERIOD where tanong='YES'";

std::string enrolledLoadStatement(const std::string& facultyId, const std::string& period);
std::string allRowsLoadStatement(const std::string& facultyId, const std::string& period);

// The class list export's selection of a section's enrolled students.
std::string classListStatement(const std::string& facultyId, const std::string& period,
                               const std::string& subject, const std::string& schedule);
