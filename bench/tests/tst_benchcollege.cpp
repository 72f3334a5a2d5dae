// The generated college at a small scale: deterministic from its seed, of the shape asked for,
// the same rows on both engines, and holding what the benchmarks look for.
#include "ClassListExport.h"
#include "CollegeLoaders.h"
#include "EngineClients.h"
#include "MemberLogin.h"
#include "TeachingLoad.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <set>

namespace {

CollegeShape smallCollege() {
    CollegeShape shape;
    shape.faculty = 8;
    shape.years = 2;
    shape.bigClass = 50;
    shape.fullClass = 12;
    shape.earlierLogins = 30;
    return shape;
}

const char* const tables[] = {"Prof_login", "PERIOD", "TLOAD", "tbllog"};

// Every row of every table in a fixed order, so that two databases compare as lists.
template <typename Db> std::map<std::string, Rows> dump(const Db& db) {
    std::map<std::string, Rows> result;
    for (const char* table : tables) {
        const std::size_t columns =
            db.query(std::string("SELECT * FROM ") + table + " LIMIT 1").front().size();
        std::string order;
        for (std::size_t i = 1; i <= columns; ++i)
            order.append(i > 1 ? "," : "").append(std::to_string(i));
        result[table] = db.query(std::string("SELECT * FROM ") + table + " ORDER BY " + order);
    }
    return result;
}

int count(const SqliteDatabase& db, const std::string& sql) {
    return std::stoi(*db.query(sql).front()[0]);
}

Rows rows(const SqliteDatabase& db, const Statement& statement) {
    return db.query(statement.text().toStdString());
}

} // namespace

class TestBenchCollege : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void aSeedAlwaysGivesTheSameCollege() {
        const std::string first = m_dir.filePath("first.db").toStdString();
        const std::string again = m_dir.filePath("again.db").toStdString();
        const std::string other = m_dir.filePath("other.db").toStdString();
        loadSqliteCollege(first, smallCollege(), 1);
        loadSqliteCollege(again, smallCollege(), 1);
        loadSqliteCollege(other, smallCollege(), 2);
        QVERIFY(dump(SqliteDatabase(first)) == dump(SqliteDatabase(again)));
        QVERIFY(dump(SqliteDatabase(first)) != dump(SqliteDatabase(other)));
    }

    void theCollegeHasTheShapeAskedFor() {
        const CollegeShape shape = smallCollege();
        const std::string path = m_dir.filePath("shape.db").toStdString();
        loadSqliteCollege(path, shape, 3);
        const SqliteDatabase db(path);
        const int periods = 2 * shape.years;

        QCOMPARE(count(db, "SELECT count(DISTINCT profid) FROM Prof_login"), shape.faculty);
        QCOMPARE(count(db, "SELECT count(*) FROM Prof_login WHERE profid NOT GLOB "
                           "'[0-9][0-9]-[0-9][0-9][0-9]-[0-9][0-9]'"),
                 0);
        QCOMPARE(count(db, "SELECT count(*) FROM PERIOD WHERE tanong='YES'"), periods);
        QCOMPARE(count(db, "SELECT count(*) FROM PERIOD WHERE status='ACTIVE'"), 1);
        QCOMPARE(count(db, "SELECT count(*) FROM tbllog"), shape.earlierLogins);
        QCOMPARE(count(db, "SELECT count(*) FROM sqlite_master WHERE name='tload_prof_period'"), 1);

        // Sections vary by one around the average and keep it; the first member carries one
        // more in every period. The two whole classes come on top.
        const Rows sections =
            db.query("SELECT professorid, count(DISTINCT periodcode || schedule) FROM TLOAD "
                     "WHERE subject NOT IN ('GE 500','GE 560') GROUP BY professorid, periodcode");
        QCOMPARE(int(sections.size()), shape.faculty * periods);
        std::map<std::string, int> perMember;
        for (const auto& row : sections) {
            const int n = std::stoi(*row[1]);
            QVERIFY(n >= shape.sections - 1 && n <= shape.sections + 1);
            perMember[*row[0]] += n;
        }
        const std::string first = *db.query("SELECT profid FROM Prof_login LIMIT 1").front()[0];
        for (const auto& [member, total] : perMember)
            QCOMPARE(total, (shape.sections + (member == first ? 1 : 0)) * periods);
        QCOMPARE(count(db, "SELECT count(*) FROM TLOAD"),
                 (shape.faculty * shape.sections + 1) * periods * shape.classSize + shape.bigClass +
                     shape.fullClass);

        const int regular = count(db, "SELECT count(*) FROM TLOAD WHERE subject NOT IN "
                                      "('GE 500','GE 560')");
        const int notEnrolled = count(db, "SELECT count(*) FROM TLOAD WHERE enrollstatus<>"
                                          "'Enrolled'");
        QVERIFY2(notEnrolled > regular * 8 / 100 && notEnrolled < regular * 12 / 100,
                 qPrintable(QString::number(notEnrolled)));
    }

    void theFactsAreWhatTheDatabaseHolds() {
        const CollegeShape shape = smallCollege();
        const std::string path = m_dir.filePath("facts.db").toStdString();
        loadSqliteCollege(path, shape, 4);
        const CollegeFacts facts = collegeFacts(shape, 4);
        const SqliteDatabase db(path);

        const Rows account = rows(db, credentialCheck(facts.profid, facts.password));
        QCOMPARE(int(account.size()), 1);
        QCOMPARE(QString::fromStdString(*account[0][2] + ", " + *account[0][3]), facts.displayName);
        QCOMPARE(QString::fromStdString(*rows(db, activePeriodStatement()).front()[0]),
                 facts.activePeriod);
        for (const QString& period : facts.switchPeriods)
            QCOMPARE(int(rows(db, teachingLoadStatement(LoadForm::AllRows, facts.profid, period))
                             .size()),
                     shape.sections + 1);

        // The enrolled-only statement's columns 0 and 10: schedule and NoOfE.
        std::map<QString, std::string> enrolled;
        for (const auto& row : rows(db, teachingLoadStatement(LoadForm::EnrolledOnly, facts.profid,
                                                              facts.activePeriod)))
            enrolled[QString::fromStdString(*row[0])] = *row[10];
        for (const ClassKey& key : {facts.bigClass, facts.fullClass}) {
            QCOMPARE(enrolled[key.schedule], std::to_string(key.students));
            QCOMPARE(int(rows(db, classListStatement(facts.profid, facts.activePeriod, key.subject,
                                                     key.schedule))
                             .size()),
                     key.students);
        }
    }

    void bothEnginesHoldTheSameRows() {
        const CollegeShape shape = smallCollege();
        const std::string path = m_dir.filePath("same.db").toStdString();
        const std::string database =
            "zk_benchcollege_" + std::to_string(QRandomGenerator::global()->generate());
        loadPostgresCollege(database, shape, 5);
        loadSqliteCollege(path, shape, 5);
        std::map<std::string, Rows> postgres = dump(PgConnection(database));
        PgConnection("postgres").exec("DROP DATABASE " + database);
        // PostgreSQL sorts text by its collation and SQLite bytewise: compare as sets.
        for (const auto& [table, rows] : dump(SqliteDatabase(path))) {
            const std::multiset<std::vector<std::optional<std::string>>> here(rows.begin(),
                                                                              rows.end());
            const Rows& there = postgres[table];
            QVERIFY2(here == decltype(here)(there.begin(), there.end()), table.c_str());
        }
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestBenchCollege)
#include "tst_benchcollege.moc"
