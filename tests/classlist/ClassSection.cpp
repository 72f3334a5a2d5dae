#include "ClassSection.h"

#include "TestDatabase.h"

namespace {

const QString facultyId = QStringLiteral("11-111-11");
const QString period = QStringLiteral("2026-2027 1st Semester");

// clang-format off
const char* const sectionRows[] = {
    "'11-111-11', '2026-2027 1st Semester', 'IT 101', ' Introduction to Computing ', ' 3 ', 'MWF 8:00-9:00 AM', 'Enrolled', ' 2026-001', '  Abad ', ' Ana  ', 'B.', 'BSIT'",
    "'11-111-11', '2026-2027 1st Semester', 'IT 101', 'Introduction to Computing', '3', 'MWF 8:00-9:00 AM', 'Dropped', '2026-009', 'Aquino', 'Al', 'A.', 'BSIT'",
    "'11-111-11', '2026-2027 1st Semester', 'IT 101', 'Introduction to Computing', '3', 'MWF 8:00-9:00 AM', 'Enrolled', '2026-002', 'Bautista', 'Ben', NULL, 'BSCS'",
    "'11-111-11', '2026-2027 1st Semester', 'IT 101', 'Introduction to Computing', '3', 'TTh 1:00-2:30 PM', 'Enrolled', '2026-008', 'Bello', 'Bo', 'B.', 'BSIT'",
    "'11-111-11', '2026-2027 1st Semester', 'IT 101', 'Introduction to Computing', '3', 'MWF 8:00-9:00 AM', 'Enrolled', '2026-003', 'Cruz', 'Carla', 'D.', NULL",
    "'11-111-11', '2025-2026 2nd Semester', 'IT 101', 'Introduction to Computing', '3', 'MWF 8:00-9:00 AM', 'Enrolled', '2026-007', 'Castro', 'Cy', 'C.', 'BSIT'",
    "'11-111-11', '2026-2027 1st Semester', 'IT 101', 'Introduction to Computing', '3', 'MWF 8:00-9:00 AM', 'Enrolled', '2026-004', 'D''Angelo', 'Dino', ' E. ', 'BSIT'",
    "'22-222-22', '2026-2027 1st Semester', 'IT 101', 'Introduction to Computing', '3', 'MWF 8:00-9:00 AM', 'Enrolled', '2026-006', 'Dizon', 'Dan', 'D.', 'BSIT'",
    "'11-111-11', '2026-2027 1st Semester', 'IT 101', 'Introduction to Computing', '3', 'MWF 8:00-9:00 AM', 'Enrolled', '2026-005', 'Estrada', 'Eva', 'F.', 'BSIS'",
    "'11-111-11', '2026-2027 1st Semester', 'IT 102', 'Web Systems', '3', 'MWF 8:00-9:00 AM', 'Enrolled', '2026-010', 'Ebdane', 'Ed', 'E.', 'BSIT'",
    "'11-111-11', '2026-2027 1st Semester', 'IT 213', 'Data Structures', '3', 'TTh 8:00-9:30 AM', 'Dropped', '2026-011', 'Fajardo', 'Fe', 'F.', 'BSIT'",
};
// clang-format on

} // namespace

// clang-format off
const Cells sectionCells = {
    {"C3", "Santos, Maria"}, {"D5", "IT 101"}, {"I5", "Introduction to Computing"},
    {"I6", "2026-2027 1st Semester"}, {"AE6", "3"}, {"Y5", "MWF 8:00-9:00 AM"},
    {"B10", "2026-001"}, {"C10", "Abad"},     {"D10", "Ana"},   {"E10", "B."},         {"F10", "BSIT"},
    {"B11", "2026-002"}, {"C11", "Bautista"}, {"D11", "Ben"},   {"E11", std::nullopt}, {"F11", "BSCS"},
    {"B12", "2026-003"}, {"C12", "Cruz"},     {"D12", "Carla"}, {"E12", "D."},         {"F12", std::nullopt},
    {"B13", "2026-004"}, {"C13", "D'Angelo"}, {"D13", "Dino"},  {"E13", "E."},         {"F13", "BSIT"},
    {"B14", "2026-005"}, {"C14", "Estrada"},  {"D14", "Eva"},   {"E14", "F."},         {"F14", "BSIS"},
};
// clang-format on

void insertLoad(const TestDatabase& db, const QString& values) {
    db.exec("INSERT INTO TLOAD (professorid, periodcode, subject, subjectname, units, schedule, "
            "enrollstatus, studentID, lastname, firstname, middleInitial, ecourse) VALUES (" +
            values + ")");
}

void insertSection(const TestDatabase& db) {
    for (const char* row : sectionRows)
        insertLoad(db, row);
}

ClassListRequest classRequest(const QString& code, const QString& schedule,
                              const QString& enrolled) {
    return {code.trimmed(),
            QStringList{' ' + code + ' ', "Subject", "3", ' ' + schedule + ' ', "CL-101",
                        ' ' + enrolled + ' ', "BSIT 1-A"},
            period, QStringLiteral("  Santos, Maria  "), facultyId};
}

ClassListRequest sectionRequest(const QString& enrolled) {
    return classRequest("IT 101", "MWF 8:00-9:00 AM", enrolled);
}

QString confirmation(const QString& subjectCode) {
    return "Are you sure you want to create a class list of: " + subjectCode + " in Excel?";
}
