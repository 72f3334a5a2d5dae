#include "College.h"

#include "Random.h"

#include <algorithm>
#include <cstdio>
#include <unordered_set>
#include <vector>

namespace {

constexpr const char* profLoginColumns[] = {"profid", "password", "lastname", "firstname", "dept"};
constexpr const char* periodColumns[] = {"sy_sem", "status", "tanong"};
constexpr const char* tloadColumns[] = {"professorid",   "periodcode", "subject",  "subjectname",
                                        "units",         "schedule",   "room",     "ssection",
                                        "enrollstatus",  "studentID",  "lastname", "firstname",
                                        "middleInitial", "ecourse"};
constexpr const char* tbllogColumns[] = {"userid", "oras", "araw", "IP", "name"};

constexpr const char* lastNames[] = {
    "Santos",   "Reyes",   "Cruz",      "Bautista", "Ocampo",      "Garcia",     "Mendoza",
    "Torres",   "Tomas",   "Andrada",   "Castillo", "Flores",      "Villanueva", "Ramos",
    "Castro",   "Rivera",  "Aquino",    "Navarro",  "Salazar",     "Mercado",    "Dela Cruz",
    "Gonzales", "Lopez",   "Hernandez", "Perez",    "Del Rosario", "Aguilar",    "Soriano",
    "Pascual",  "Domingo", "Valdez",    "Santiago", "Fernandez",   "Gutierrez",  "Lim",
    "Tan",      "Sy",      "Chua",      "Manalo",   "Dizon",       "Mariano",    "Cortez"};
constexpr const char* firstNames[] = {
    "Maria",    "Jose",    "Juan",  "Ana",    "Mark",     "John",   "Angela", "Paolo",
    "Kristine", "Michael", "Jessa", "Carlo",  "Patricia", "Ramon",  "Liza",   "Miguel",
    "Joy",      "Daniel",  "Grace", "Rafael", "Camille",  "Jerome", "Rowena", "Christian",
    "Sheila",   "Noel",    "Rica",  "Arnel",  "Bea",      "Dennis", "Faith",  "Gerald"};
constexpr const char* notEnrolled[] = {"Dropped", "Withdrawn", "Pending"};
constexpr const char* topics[] = {"Introduction to", "Principles of", "Fundamentals of",
                                  "Advanced",        "Seminar in",    "Laboratory in"};
constexpr const char* fields[] = {"Programming", "Statistics", "Accounting", "Design",
                                  "Mechanics",   "Literature", "Ethics",     "Networks",
                                  "Chemistry",   "Economics",  "Research",   "Management"};
constexpr const char* units[] = {"3", "3", "3", "2", "5", "1"};
constexpr const char* days[] = {"MWF", "TTh", "MW", "TF", "Sat"};
constexpr const char* times[] = {"7:30-9:00", "9:00-10:30", "10:30-12:00", "1:00-2:30",
                                 "2:30-4:00", "4:00-5:30",  "5:30-7:00"};

struct College {
    const char* name;
    const char* prefixes[3];
    const char* course;
};
constexpr College colleges[] = {
    {"College of Computer Studies", {"IT", "CS", "IS"}, "BSIT"},
    {"College of Engineering", {"ES", "CE", "EE"}, "BSCE"},
    {"College of Arts and Sciences", {"MATH", "ENG", "GE"}, "ABPsych"},
    {"College of Business and Accountancy", {"ACCT", "ECON", "MGT"}, "BSA"},
    {"College of Education", {"EDUC", "FIL", "PE"}, "BSEd"},
    {"College of Nursing", {"NCM", "ANAT", "CHEM"}, "BSN"},
    {"College of Criminology", {"CRIM", "LEA", "LAW"}, "BSCrim"},
    {"College of Hospitality Management", {"HM", "TM", "FSM"}, "BSHM"}};

struct Member {
    std::string profid, password, lastname, firstname;
    const College* college;
};

// Independent streams per table, so the facts need not generate the teaching load.
Random stream(std::uint64_t seed, std::uint64_t table) {
    Random random(seed ^ (table * 0xd1b54a32d192ed03ULL));
    random.next();
    return random;
}

std::string facultyId(std::uint32_t number) {
    char text[16];
    std::snprintf(text, sizeof text, "%02u-%03u-%02u", number / 100000, number / 100 % 1000,
                  number % 100);
    return text;
}

std::vector<Member> makeFaculty(const CollegeShape& shape, std::uint64_t seed) {
    Random random = stream(seed, 1);
    std::unordered_set<std::uint32_t> taken;
    std::vector<Member> faculty;
    faculty.reserve(std::size_t(shape.faculty));
    while (int(faculty.size()) < shape.faculty) {
        const std::uint32_t number = random.below(10'000'000);
        if (!taken.insert(number).second)
            continue;
        Member member{facultyId(number),
                      {},
                      random.pick(lastNames),
                      random.pick(firstNames),
                      &random.pick(colleges)};
        for (int i = 0; i < 6; ++i)
            member.password += char('a' + random.below(26));
        faculty.push_back(std::move(member));
    }
    return faculty;
}

std::vector<std::string> periodNames(const CollegeShape& shape) {
    std::vector<std::string> names;
    for (int year = shape.firstYear; year < shape.firstYear + shape.years; ++year) {
        const std::string schoolYear = std::to_string(year) + '-' + std::to_string(year + 1);
        names.push_back(schoolYear + " 1st Semester");
        names.push_back(schoolYear + " 2nd Semester");
    }
    return names;
}

ClassKey bigClassKey(const CollegeShape& shape) {
    return {QStringLiteral("GE 500"), QStringLiteral("Sat 8:00-11:00"), shape.bigClass};
}

ClassKey fullClassKey(const CollegeShape& shape) {
    return {QStringLiteral("GE 560"), QStringLiteral("Sat 1:00-4:00"), shape.fullClass};
}

// Each member's sections per period vary by one around the average and sum to the average;
// the benchmarks' member (the first) always carries one more.
std::vector<std::vector<int>> sectionCounts(const CollegeShape& shape, Random& random,
                                            int periods) {
    std::vector<std::vector<int>> counts(std::size_t(shape.faculty));
    for (int m = 0; m < shape.faculty; ++m) {
        std::vector<int>& member = counts[std::size_t(m)];
        for (int p = 0; p + 1 < periods; p += 2) {
            const int delta = int(random.below(3)) - 1;
            member.push_back(shape.sections + delta);
            member.push_back(shape.sections - delta);
        }
        if (member.size() < std::size_t(periods))
            member.push_back(shape.sections);
        for (std::size_t i = member.size() - 1; i > 0; --i)
            std::swap(member[i], member[random.below(std::uint32_t(i + 1))]);
        if (m == 0)
            std::fill(member.begin(), member.end(), shape.sections + 1);
    }
    return counts;
}

class LoadWriter {
public:
    LoadWriter(CollegeSink& sink, Random& random, int notEnrolledPercent)
        : m_sink(sink), m_random(random), m_notEnrolledPercent(notEnrolledPercent) {}

    void section(const Member& member, const std::string& period, int year, int slot,
                 int students) {
        const std::string prefix = m_random.pick(member.college->prefixes);
        setSection(member, period, prefix + ' ' + std::to_string(100 + m_random.below(400)),
                   std::string(m_random.pick(topics)) + ' ' + m_random.pick(fields),
                   m_random.pick(units), std::string(days[slot % 5]) + ' ' + times[slot % 7],
                   "R-" + std::to_string(101 + m_random.below(400)),
                   std::string(member.college->course) + ' ' +
                       std::to_string(1 + m_random.below(4)) + '-' + char('A' + m_random.below(5)));
        for (int s = 0; s < students; ++s)
            student(year, m_random.percent(m_notEnrolledPercent) ? m_random.pick(notEnrolled)
                                                                 : "Enrolled");
    }

    void wholeClass(const Member& member, const std::string& period, int year, const ClassKey& key,
                    const char* name, const char* room) {
        setSection(member, period, key.subject.toStdString(), name, "3", key.schedule.toStdString(),
                   room, "ALL");
        for (int s = 0; s < key.students; ++s)
            student(year, "Enrolled");
    }

private:
    void setSection(const Member& member, const std::string& period, std::string subject,
                    std::string name, std::string unitText, std::string schedule, std::string room,
                    std::string section) {
        m_row[0] = member.profid;
        m_row[1] = period;
        m_row[2] = std::move(subject);
        m_row[3] = std::move(name);
        m_row[4] = std::move(unitText);
        m_row[5] = std::move(schedule);
        m_row[6] = std::move(room);
        m_row[7] = std::move(section);
    }

    void student(int year, const char* status) {
        char id[16];
        std::snprintf(id, sizeof id, "%d-%05u", year - int(m_random.below(4)),
                      m_random.below(100000));
        m_row[8] = status;
        m_row[9] = id;
        m_row[10] = m_random.pick(lastNames);
        m_row[11] = m_random.pick(firstNames);
        if (m_random.percent(5))
            m_row[12].reset();
        else
            m_row[12] = std::string(1, char('A' + m_random.below(26))) + '.';
        m_row[13] = m_random.pick(colleges).course;
        m_sink.row(m_row);
    }

    CollegeSink& m_sink;
    Random& m_random;
    int m_notEnrolledPercent;
    std::array<std::optional<std::string>, std::size(tloadColumns)> m_row;
};

void writeFaculty(CollegeSink& sink, const std::vector<Member>& faculty) {
    sink.beginTable(Table::Prof_login);
    std::array<std::optional<std::string>, 5> row;
    for (const Member& member : faculty) {
        row = {member.profid, member.password, member.lastname, member.firstname,
               member.college->name};
        sink.row(row);
    }
    sink.endTable();
}

void writePeriods(CollegeSink& sink, const std::vector<std::string>& periods) {
    sink.beginTable(Table::PERIOD);
    std::array<std::optional<std::string>, 3> row;
    for (const std::string& period : periods) {
        row = {period, period == periods.back() ? "ACTIVE" : "INACTIVE", "YES"};
        sink.row(row);
    }
    sink.endTable();
}

// Entered semester by semester, as the registrar would: a member's rows of one period lie
// together, as in the college's table.
void writeLoad(CollegeSink& sink, const CollegeShape& shape, std::uint64_t seed,
               const std::vector<Member>& faculty, const std::vector<std::string>& periods) {
    Random random = stream(seed, 2);
    const std::vector<std::vector<int>> counts = sectionCounts(shape, random, int(periods.size()));
    LoadWriter writer(sink, random, shape.notEnrolledPercent);
    sink.beginTable(Table::TLOAD);
    for (std::size_t p = 0; p < periods.size(); ++p) {
        const int year = shape.firstYear + int(p / 2);
        for (std::size_t m = 0; m < faculty.size(); ++m) {
            const int firstSlot = int(random.below(7));
            for (int k = 0; k < counts[m][p]; ++k)
                writer.section(faculty[m], periods[p], year, firstSlot + k, shape.classSize);
            if (m == 0 && p + 1 == periods.size()) {
                writer.wholeClass(faculty[m], periods[p], year, bigClassKey(shape),
                                  "Understanding the Self", "Gymnasium");
                writer.wholeClass(faculty[m], periods[p], year, fullClassKey(shape),
                                  "Purposive Communication", "AVR-1");
            }
        }
    }
    sink.endTable();
}

void writeLogins(CollegeSink& sink, const CollegeShape& shape, std::uint64_t seed,
                 const std::vector<Member>& faculty) {
    Random random = stream(seed, 3);
    sink.beginTable(Table::tbllog);
    std::array<std::optional<std::string>, 5> row;
    char text[32];
    for (int i = 0; i < shape.earlierLogins; ++i) {
        const Member& member = faculty[random.below(std::uint32_t(faculty.size()))];
        row[0] = member.profid;
        std::snprintf(text, sizeof text, "%u:%02u:%02u %s", 1 + random.below(12), random.below(60),
                      random.below(60), random.percent(50) ? "AM" : "PM");
        row[1] = text;
        std::snprintf(text, sizeof text, "%u/%u/%d", 1 + random.below(12), 1 + random.below(28),
                      shape.firstYear + int(random.below(std::uint32_t(shape.years))));
        row[2] = text;
        std::snprintf(text, sizeof text, "10.%u.%u.%u", random.below(256), random.below(256),
                      1 + random.below(254));
        row[3] = text;
        row[4] = member.lastname + "  " + member.firstname;
        sink.row(row);
    }
    sink.endTable();
}

} // namespace

const char* tableName(Table table) {
    constexpr const char* names[] = {"Prof_login", "PERIOD", "TLOAD", "tbllog"};
    return names[int(table)];
}

std::span<const char* const> tableColumns(Table table) {
    constexpr std::span<const char* const> columns[] = {profLoginColumns, periodColumns,
                                                        tloadColumns, tbllogColumns};
    return columns[int(table)];
}

CollegeFacts collegeFacts(const CollegeShape& shape, std::uint64_t seed) {
    const Member member = makeFaculty(shape, seed).front();
    std::vector<QString> periods;
    for (const std::string& name : periodNames(shape))
        periods.push_back(QString::fromStdString(name));
    const std::size_t last = periods.size() - 1;
    return {QString::fromStdString(member.profid),
            QString::fromStdString(member.password),
            QString::fromStdString(member.lastname + ", " + member.firstname),
            periods[last],
            {periods[last - 1], periods[last - 2]},
            bigClassKey(shape),
            fullClassKey(shape)};
}

void generateCollege(const CollegeShape& shape, std::uint64_t seed, CollegeSink& sink) {
    const std::vector<Member> faculty = makeFaculty(shape, seed);
    const std::vector<std::string> periods = periodNames(shape);
    writeFaculty(sink, faculty);
    writePeriods(sink, periods);
    writeLoad(sink, shape, seed, faculty, periods);
    writeLogins(sink, shape, seed, faculty);
}
