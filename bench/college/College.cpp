#include "College.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>
#include <unordered_set>
#include <vector>

namespace {

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

// std::mt19937_64 gives the same stream on every compiler and library; the standard's
// distributions do not, and a seed must give the same college everywhere.
struct Random {
    std::mt19937_64 engine;

    std::uint32_t below(std::uint32_t bound) { // uniform in [0, bound)
        return std::uint32_t(((engine() >> 32) * bound) >> 32);
    }
    bool percent(int chance) { return below(100) < std::uint32_t(chance); }
    template <typename T, std::size_t N> const T& pick(const T (&items)[N]) {
        return items[below(N)];
    }
};

// Independent streams per table, so the facts need not generate the teaching load.
Random stream(std::uint64_t seed, std::uint64_t table) {
    return {std::mt19937_64(seed * 4 + table)};
}

// One table's file. No generated value holds a tab, a newline or a backslash, which COPY's text
// format would escape.
class TableFile {
public:
    TableFile(const std::string& directory, const char* table)
        : m_path(directory + '/' + table + ".tsv"), m_out(m_path) {}

    template <typename... Values> void row(const Values&... values) {
        const char* separator = "";
        ((m_out << std::exchange(separator, "\t") << values), ...);
        if (!(m_out << '\n'))
            throw std::runtime_error("cannot write " + m_path);
    }

private:
    std::string m_path;
    std::ofstream m_out;
};

struct Member {
    std::string profid, password, lastname, firstname;
    const College* college;
};

std::vector<Member> makeFaculty(const CollegeShape& shape, std::uint64_t seed) {
    Random random = stream(seed, 1);
    std::unordered_set<std::uint32_t> taken;
    std::vector<Member> faculty;
    while (int(faculty.size()) < shape.faculty) {
        const std::uint32_t number = random.below(10'000'000);
        if (!taken.insert(number).second)
            continue;
        char id[16];
        std::snprintf(id, sizeof id, "%02u-%03u-%02u", number / 100000, number / 100 % 1000,
                      number % 100);
        Member member{
            id, {}, random.pick(lastNames), random.pick(firstNames), &random.pick(colleges)};
        for (int i = 0; i < 6; ++i)
            member.password += char('a' + random.below(26));
        faculty.push_back(std::move(member));
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

ClassKey bigClassKey(const CollegeShape& shape) {
    return {QStringLiteral("GE 500"), QStringLiteral("Sat 8:00-11:00"), shape.bigClass};
}

ClassKey fullClassKey(const CollegeShape& shape) {
    return {QStringLiteral("GE 560"), QStringLiteral("Sat 1:00-4:00"), shape.fullClass};
}

// A section's students: studentID, lastname, firstname, middleInitial, ecourse after the
// section's own columns.
void writeStudents(TableFile& file, Random& random, const std::string& section, int year,
                   int students, int notEnrolledPercent) {
    for (int s = 0; s < students; ++s) {
        char id[16];
        std::snprintf(id, sizeof id, "%d-%05u", year - int(random.below(4)), random.below(100000));
        const char* status =
            random.percent(notEnrolledPercent) ? random.pick(notEnrolled) : "Enrolled";
        const char* lastname = random.pick(lastNames);
        const char* firstname = random.pick(firstNames);
        const std::string initial =
            random.percent(5) ? "\\N" : std::string(1, char('A' + random.below(26))) + '.';
        file.row(section, status, id, lastname, firstname, initial, random.pick(colleges).course);
    }
}

// Entered semester by semester, as the registrar would: a member's rows of one period lie
// together, as in the college's table. A member's sections vary by one around the average in
// pairs of periods that keep it; the benchmarks' member (the first) always carries one more.
void writeLoad(const std::string& directory, const CollegeShape& shape, std::uint64_t seed,
               const std::vector<Member>& faculty, const std::vector<std::string>& periods) {
    Random random = stream(seed, 2);
    TableFile file(directory, "TLOAD");
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
            if (m == 0 && p + 1 == periods.size())
                for (auto [key, name, room] :
                     {std::tuple{bigClassKey(shape), "Understanding the Self", "Gymnasium"},
                      std::tuple{fullClassKey(shape), "Purposive Communication", "AVR-1"}})
                    writeStudents(file, random,
                                  member.profid + '\t' + periods[p] + '\t' +
                                      key.subject.toStdString() + '\t' + name + "\t3\t" +
                                      key.schedule.toStdString() + '\t' + room + "\tALL",
                                  year, key.students, 0);
        }
    }
}

void writeLogins(const std::string& directory, const CollegeShape& shape, std::uint64_t seed,
                 const std::vector<Member>& faculty) {
    Random random = stream(seed, 3);
    TableFile file(directory, "tbllog");
    for (int i = 0; i < shape.earlierLogins; ++i) {
        const Member& member = faculty[random.below(std::uint32_t(faculty.size()))];
        char time[16], date[16], address[16];
        std::snprintf(time, sizeof time, "%u:%02u:%02u %s", 1 + random.below(12), random.below(60),
                      random.below(60), random.percent(50) ? "AM" : "PM");
        std::snprintf(date, sizeof date, "%u/%u/%d", 1 + random.below(12), 1 + random.below(28),
                      shape.firstYear + int(random.below(std::uint32_t(shape.years))));
        std::snprintf(address, sizeof address, "10.%u.%u.%u", random.below(256), random.below(256),
                      1 + random.below(254));
        file.row(member.profid, time, date, address, member.lastname + "  " + member.firstname);
    }
}

} // namespace

CollegeFacts collegeFacts(const CollegeShape& shape, std::uint64_t seed) {
    const Member member = makeFaculty(shape, seed).front();
    const std::vector<std::string> periods = periodNames(shape);
    const auto period = [&periods](std::size_t back) {
        return QString::fromStdString(periods[periods.size() - 1 - back]);
    };
    return {QString::fromStdString(member.profid),
            QString::fromStdString(member.password),
            period(0),
            {period(1), period(2)},
            bigClassKey(shape),
            fullClassKey(shape)};
}

void generateCollege(const CollegeShape& shape, std::uint64_t seed, const std::string& directory) {
    const std::vector<Member> faculty = makeFaculty(shape, seed);
    const std::vector<std::string> periods = periodNames(shape);
    {
        TableFile file(directory, "Prof_login");
        for (const Member& member : faculty)
            file.row(member.profid, member.password, member.lastname, member.firstname,
                     member.college->name);
    }
    {
        TableFile file(directory, "PERIOD");
        for (const std::string& period : periods)
            file.row(period, period == periods.back() ? "ACTIVE" : "INACTIVE", "YES");
    }
    writeLoad(directory, shape, seed, faculty, periods);
    writeLogins(directory, shape, seed, faculty);
}
