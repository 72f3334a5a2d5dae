// The floors measure what the program does, and the grouped statements that the benchmarks
// time are index searches on both engines; on a small generated college.
#include "CollegeLoaders.h"
#include "Connections.h"
#include "Floors.h"
#include "PgConnection.h"
#include "ProgramDriver.h"
#include "ProgramStatements.h"
#include "QueryPlans.h"
#include "SqliteDatabase.h"
#include "StatementTrace.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr std::uint64_t seed = 11;

CollegeShape smallCollege() {
    CollegeShape shape;
    shape.faculty = 6;
    shape.years = 2;
    shape.bigClass = 30;
    shape.fullClass = 12;
    shape.earlierLogins = 10;
    return shape;
}

} // namespace

class TestBenchFloors : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        loadSqliteCollege(m_sqlite, smallCollege(), seed);
    }

    void floorsRunTheProgramsStatementsOnAsManyConnections() {
        const std::string otherPeriod = m_facts.switchPeriods[1];
        StatementTrace trace;
        const std::size_t sections =
            loginFloor(sqliteConnector(m_sqlite), m_facts.profid, m_facts.password, "10.0.0.1");
        PeriodSwitchFloor(sqliteConnector(m_sqlite)).choose(m_facts.profid, otherPeriod);
        const std::vector<std::string> floor = trace.take();

        InstantAnswers answers;
        Connections::useConnectionString(QStringLiteral("Provider=SQLite;Data Source=") +
                                         QString::fromStdString(m_sqlite));
        logInThroughWindows(QString::fromStdString(m_facts.profid),
                            QString::fromStdString(m_facts.password));
        QCOMPARE(std::size_t(teachingLoadRows()), sections);
        choosePeriod(QString::fromStdString(otherPeriod));
        answers.requireOnly();
        Connections::releaseAll();
        const std::vector<std::string> program = trace.take();

        QCOMPARE(std::count(program.begin(), program.end(), "open connection 6"), 1);
        QCOMPARE(program.size(), std::size_t(12));
        if (floor != program) {
            for (std::size_t i = 0; i < std::max(floor.size(), program.size()); ++i)
                qWarning("%s\n   vs %s", i < floor.size() ? floor[i].c_str() : "-",
                         i < program.size() ? program[i].c_str() : "-");
            QFAIL("the floors run other statements than the program");
        }
    }

    void sqliteSearchesTheIndexForBothGroupedStatements() {
        const SqliteDatabase db(m_sqlite);
        for (const std::string& sql : groupedStatements()) {
            const std::string plan = sqliteQueryPlan(db, sql);
            QVERIFY2(plan.find("SEARCH TLOAD USING INDEX tload_prof_period (professorid=? AND "
                               "periodcode=?)") != std::string::npos,
                     plan.c_str());
        }
    }

    // A table this small is read whole when that is cheaper; forbidding that shows whether the
    // index can serve the HAVING terms at all.
    void postgresqlSearchesTheIndexForBothGroupedStatements() {
        const PgServer server = PgServer::fromEnvironment();
        const std::string database =
            "zk_benchfloors_" + std::to_string(QRandomGenerator::global()->generate());
        loadPostgresCollege(server, database, smallCollege(), seed);
        std::vector<std::string> plans;
        {
            const PgConnection db(server.conninfo(database));
            db.exec("SET enable_seqscan = off");
            for (const std::string& sql : groupedStatements())
                plans.push_back(postgresQueryPlan(db, sql));
        }
        PgConnection(server.conninfo("postgres")).exec("DROP DATABASE " + database);
        const std::string condition = "Index Cond: ((professorid = '" + m_facts.profid +
                                      "'::citext) AND (periodcode = '" + m_facts.activePeriod +
                                      "'::citext))";
        for (const std::string& plan : plans) {
            QVERIFY2(plan.find(condition) != std::string::npos, plan.c_str());
            QVERIFY2(plan.find("tload_prof_period") != std::string::npos, plan.c_str());
        }
    }

private:
    std::vector<std::string> groupedStatements() const {
        return {enrolledLoadStatement(m_facts.profid, m_facts.activePeriod),
                allRowsLoadStatement(m_facts.profid, m_facts.activePeriod)};
    }

    QTemporaryDir m_dir;
    std::string m_sqlite = m_dir.filePath(QStringLiteral("college.db")).toStdString();
    CollegeFacts m_facts = collegeFacts(smallCollege(), seed);
};

QTEST_MAIN(TestBenchFloors)
#include "tst_benchfloors.moc"
