#pragma once

#include "TestDatabase.h"

#include <QString>

#include <array>
#include <cstdint>
#include <string>

// How big the generated college is; the defaults are the benchmarks'.
struct CollegeShape {
    int faculty = 500;
    int years = 10; // two semesters each
    int firstYear = 2016;
    int sections = 5; // a member's sections in one period, on average
    int classSize = 40;
    int notEnrolledPercent = 10;
    int bigClass = 500; // enrolled students of the largest class
    int fullClass = 60; // exactly the template's student block
    int earlierLogins = 100000;
};

// A class of the benchmarks' member in the active period, as the export selects it.
struct ClassKey {
    QString subject, schedule;
    int students = 0;
};

// What the benchmarks know of a generated college: whom they log in as and what they open.
struct CollegeFacts {
    QString profid, password, activePeriod;
    // Earlier periods in which the member has a full load (one section above the average).
    std::array<QString, 2> switchPeriods;
    ClassKey bigClass, fullClass;
};

CollegeFacts collegeFacts(const CollegeShape& shape, std::uint64_t seed);

// Writes the rows, the same for the same seed, to directory/TABLE.tsv in the columns' order of
// data/schema-*.sql and the text format of PostgreSQL's COPY: tab-separated, \N for NULL.
void generateCollege(const CollegeShape& shape, std::uint64_t seed, const std::string& directory);

// Makes the college database anew in data/'s development schema through sqlite3's .import or
// psql's \copy, the index built after the load, which is far faster; PostgreSQL's statistics
// are taken then, as autovacuum would later, so that every run plans on the same.
void loadCollege(Engine engine, const QString& target, const CollegeShape& shape,
                 std::uint64_t seed);
