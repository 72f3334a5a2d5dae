#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

// How big the generated college is. The defaults are the college the benchmarks run on; the
// generator's test uses a small one of the same kind.
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

enum class Table { Prof_login, PERIOD, TLOAD, tbllog };

const char* tableName(Table table);
// The table's columns, in the order in which rows give their values.
std::span<const char* const> tableColumns(Table table);

// The values of one row; nullopt is NULL.
using RowValues = std::span<const std::optional<std::string>>;

// Receives the rows table by table, in the order of Table.
class CollegeSink {
public:
    virtual ~CollegeSink() = default;
    virtual void beginTable(Table table) = 0;
    virtual void row(RowValues values) = 0;
    virtual void endTable() = 0;
};

// A class of the benchmarks' member in the active period, as the export selects it.
struct ClassKey {
    QString subject;
    QString schedule;
    int students = 0;
};

// What the benchmarks know of a generated college: whom they log in as and what they open.
struct CollegeFacts {
    QString profid;
    QString password;
    QString displayName; // lastname, ", ", firstname
    QString activePeriod;
    // Earlier periods in which the member has a full load (one section above the average).
    std::array<QString, 2> switchPeriods;
    ClassKey bigClass;
    ClassKey fullClass;
};

CollegeFacts collegeFacts(const CollegeShape& shape, std::uint64_t seed);

// Generates every row into the sink, the same rows for the same seed.
void generateCollege(const CollegeShape& shape, std::uint64_t seed, CollegeSink& sink);
