#include "College.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

constexpr const char* lastNames[] = {
    "Santos", "Reyes",     "Cruz",     "Bautista", "Ocampo",    "Garcia",      "Mendoza",
    "Torres", "Tomas",     "Andrada",  "Castillo", "Flores",    "Villanueva",  "Ramos",
    "Castro", "Rivera",    "Aquino",   "Navarro",  "Dela Cruz", "Del Rosario", "Gonzales",
    "Lopez",  "Hernandez", "Santiago", "Lim",      "Tan",       "Sy",          "Chua"};
constexpr const char* firstNames[] = {
    "Maria",    "Jose",    "Juan",  "Ana",    "Mark",     "John",   "Angela", "Paolo",
    "Kristine", "Michael", "Jessa", "Carlo",  "Patricia", "Ramon",  "Liza",   "Miguel",
    "Joy",      "Daniel",  "Grace", "Rafael", "Camille",  "Jerome", "Rowena", "Christian"};
constexpr const char* notEnrolled[] = {"Dropped", "Withdrawn", "Pending"};
constexpr const char* topics[] = {"Introduction to", "Principles of", "Advanced", "Seminar in"};
constexpr const char* fields[] = {"Programming", "Statistics", "Accounting", "Design",
                                  "Mechanics",   "Literature", "Ethics",     "Research"};
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
    {"College of Nursing", {"NCM", "ANAT", "CHEM"}, "BSN"}};

// The standard fixes std::mt19937_64's stream, not its distributions': these map draws themselves.
struct Random {
    std::mt19937_64 engine;

    std::uint32_t below(std::uint32_t bound) {
        return std::uint32_t(((engine() >> 32) * bound) >> 32);
    }
    template <typename T, std::size_t N> const T& pick(const T (&items)[N]) {
        return items[below(N)];
    }
};

// A row of a table's file. No generated value holds a tab, a newline or a backslash, which
// COPY's text format would escape.
template <typename... Values> void row(std::ofstream& file, const Values&... values) {
    const char* separator = "";
    ((file << std::exchange(separator, "\t") << values), ...);
    if (!(file << '\n'))
        throw std::runtime_error("cannot write the college's files");
}

struct Member {
    std::string profid, password, lastname, firstname;
    const College* college;
};

// The faculty comes first in the seed's stream, so that the facts need not generate the rest.
std::vector<Member> makeFaculty(const CollegeShape& shape, Random& random) {
    std::vector<Member> faculty;
    const std::uint32_t first = random.below(10'000'000);
    for (std::uint32_t m = 0; m < std::uint32_t(shape.faculty); ++m) {
        const std::uint32_t number = (first + m * 7919) % 10'000'000; // 7919 is prime to 10^7
        char id[16];
        std::snprintf(id, sizeof id, "%02u-%03u-%02u", number / 100000, number / 100 % 1000,
                      number % 100);
        Member& member = faculty.emplace_back(Member{
            id, {}, random.pick(lastNames), random.pick(firstNames), &random.pick(colleges)});
        for (int i = 0; i < 6; ++i)
            member.password += char('a' + random.below(26));
    }
    return faculty;
}

std::vector<std::string> periodNames(const CollegeShape& shape) {
    std::vector<std::string> names;
    for (int year = shape.firstYear; year < shape.firstYear + shape.years; ++year)
        for (const char* semester : {" 1st Semester", " 2nd Semester"})
            names.push_back(std::to_string(year) + '-' + std::to_string(year + 1) + semester);
    return names;
}

// A section's students, after the section's own columns.
void writeStudents(std::ofstream& file, Random& random, const std::string& section, int year,
                   int students, int notEnrolledPercent) {
    for (int s = 0; s < students; ++s) {
        char id[16];
        std::snprintf(id, sizeof id, "%d-%05u", year - int(random.below(4)), random.below(100000));
        const char* status = random.below(100) < std::uint32_t(notEnrolledPercent)
                                 ? random.pick(notEnrolled)
                                 : "Enrolled";
        const char* lastname = random.pick(lastNames);
        const char* firstname = random.pick(firstNames);
        const std::string initial =
            random.below(100) < 5 ? "\\N" : std::string(1, char('A' + random.below(26))) + '.';
        row(file, section, status, id, lastname, firstname, initial, random.pick(colleges).course);
    }
}

// Period by period, as the registrar enters them. Sections vary by one in pairs of periods that
// keep the average; the first member has one more, and the two whole classes when active.
void writeLoad(std::ofstream file, Random& random, const CollegeShape& shape,
               const CollegeFacts& facts, const std::vector<Member>& faculty,
               const std::vector<std::string>& periods) {
    std::vector<int> delta(faculty.size());
    for (std::size_t p = 0; p < periods.size(); ++p) {
        const int year = shape.firstYear + int(p / 2);
        for (std::size_t m = 0; m < faculty.size(); ++m) {
            const Member& member = faculty[m];
            if (p % 2 == 0)
                delta[m] = int(random.below(3)) - 1;
            const int sections =
                m == 0 ? shape.sections + 1 : shape.sections + (p % 2 ? -delta[m] : delta[m]);
            const int firstSlot = int(random.below(7));
            for (int slot = firstSlot; slot < firstSlot + sections; ++slot) {
                char section[256];
                std::snprintf(
                    section, sizeof section, "%s\t%s\t%s %u\t%s %s\t%s\t%s %s\tR-%u\t%s %u-%c",
                    member.profid.c_str(), periods[p].c_str(),
                    random.pick(member.college->prefixes), 100 + random.below(400),
                    random.pick(topics), random.pick(fields), random.pick(units), days[slot % 5],
                    times[slot % 7], 101 + random.below(400), member.college->course,
                    1 + random.below(4), char('A' + random.below(5)));
                writeStudents(file, random, section, year, shape.classSize,
                              shape.notEnrolledPercent);
            }
            for (const ClassKey& key : {facts.bigClass, facts.fullClass})
                if (m == 0 && p + 1 == periods.size())
                    writeStudents(file, random,
                                  member.profid + '\t' + periods[p] + '\t' +
                                      key.subject.toStdString() + "\tPurposive Communication\t3\t" +
                                      key.schedule.toStdString() + "\tGymnasium\tALL",
                                  year, key.students, 0);
        }
    }
}

void writeLogins(std::ofstream file, Random& random, const CollegeShape& shape,
                 const std::vector<Member>& faculty) {
    for (int i = 0; i < shape.earlierLogins; ++i) {
        const Member& member = faculty[random.below(std::uint32_t(faculty.size()))];
        char when[64];
        std::snprintf(when, sizeof when, "%u:%02u:%02u %s\t%u/%u/%d\t10.%u.%u.%u",
                      1 + random.below(12), random.below(60), random.below(60),
                      random.below(2) ? "AM" : "PM", 1 + random.below(12), 1 + random.below(28),
                      shape.firstYear + int(random.below(std::uint32_t(shape.years))),
                      random.below(256), random.below(256), 1 + random.below(254));
        row(file, member.profid, when, member.lastname + "  " + member.firstname);
    }
}

} // namespace

CollegeFacts collegeFacts(const CollegeShape& shape, std::uint64_t seed) {
    Random random{std::mt19937_64(seed)};
    const Member member = makeFaculty(shape, random).front();
    const std::vector<std::string> periods = periodNames(shape);
    const auto period = [&periods](std::size_t back) {
        return QString::fromStdString(periods[periods.size() - 1 - back]);
    };
    return {QString::fromStdString(member.profid),
            QString::fromStdString(member.password),
            period(0),
            {period(1), period(2)},
            {QStringLiteral("GE 500"), QStringLiteral("Sat 8:00-11:00"), shape.bigClass},
            {QStringLiteral("GE 560"), QStringLiteral("Sat 1:00-4:00"), shape.fullClass}};
}

void generateCollege(const CollegeShape& shape, std::uint64_t seed, const std::string& directory) {
    Random random{std::mt19937_64(seed)};
    const std::vector<Member> faculty = makeFaculty(shape, random);
    const std::vector<std::string> periods = periodNames(shape);
    const auto file = [&directory](const char* table) {
        return std::ofstream(directory + '/' + table + ".tsv");
    };
    std::ofstream members = file("Prof_login");
    for (const Member& member : faculty)
        row(members, member.profid, member.password, member.lastname, member.firstname,
            member.college->name);
    std::ofstream offered = file("PERIOD");
    for (const std::string& period : periods)
        row(offered, period, period == periods.back() ? "ACTIVE" : "INACTIVE", "YES");
    writeLoad(file("TLOAD"), random, shape, collegeFacts(shape, seed), faculty, periods);
    writeLogins(file("tbllog"), random, shape, faculty);
}
