#pragma once

#include "ClassListExport.h"

#include <QMap>
#include <QString>

#include <optional>

class TestDatabase;

// Cell values as the export hands them to the spreadsheet; nullopt empties the cell.
using Cells = QMap<QString, std::optional<QString>>;

// Section IT 101, MWF 8:00-9:00 AM of member 11-111-11 in 2026-2027 1st Semester: five enrolled
// students with blanks and NULLs, and rows that each differ in one selecting column, sorted
// among the students so a leak shows. Also IT 213 without an enrolled student.
void insertSection(const TestDatabase& db);
// The heading and the section's students from row 10 on, by last name, as the export writes
// them.
extern const Cells sectionCells;

// One TLOAD row from SQL literals: professorid, periodcode, subject, subjectname, units,
// schedule, enrollstatus, studentID, lastname, firstname, middleInitial, ecourse.
void insertLoad(const TestDatabase& db, const QString& values);

// A click on a selected row, with blanks around the cells as the list may show them.
ClassListRequest classRequest(const QString& code, const QString& schedule,
                              const QString& enrolled);
ClassListRequest sectionRequest(const QString& enrolled);

QString confirmation(const QString& subjectCode);
