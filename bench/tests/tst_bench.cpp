// A small generated college: the same rows for a seed on either engine, of the shape and facts
// the benchmarks count on; the floors' statements and connections; the grouped statements' index.
#include "ClassListExport.h"
#include "College.h"
#include "Connections.h"
#include "Floors.h"
#include "LoginWindowDriver.h"
#include "MainWindowDriver.h"
#include "MemberLogin.h"
#include "MessageRecorder.h"
#include "TeachingLoad.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <set>

namespace {

constexpr std::uint64_t seed = 11;
constexpr CollegeShape small{
    .faculty = 6, .years = 2, .bigClass = 30, .fullClass = 12, .earlierLogins = 10};

// Every row of every table, as a set: PostgreSQL sorts text by its collation, SQLite bytewise.
template <typename Database> std::vector<std::multiset<Rows::value_type>> dump(const Database& db) {
    std::vector<std::multiset<Rows::value_type>> tables;
    for (const char* table : {"Prof_login", "PERIOD", "TLOAD", "tbllog"}) {
        const Rows rows = db.query(std::string("SELECT * FROM ") + table);
        tables.emplace_back(rows.begin(), rows.end());
    }
    return tables;
}

// What every SQLite connection of the process does, through SQLite's own hooks: "open", then each
// statement with its connection's number; the audit row's values differ between logins.
QStringList trace;
std::map<sqlite3*, int> connectionNumbers;

int traced(unsigned, void*, void* statement, void* text) {
    QString sql = QString::fromUtf8(static_cast<const char*>(text));
    sql.replace(QRegularExpression(QStringLiteral("(VALUES\\('[^']*)'.*', '")),
                QStringLiteral("\\1 ... "));
    trace << QStringLiteral("%1: %2")
                 .arg(connectionNumbers[sqlite3_db_handle(static_cast<sqlite3_stmt*>(statement))])
                 .arg(sql);
    return 0;
}

int watch(sqlite3* db, const char**, const sqlite3_api_routines*) {
    trace << QStringLiteral("open");
    connectionNumbers[db] = int(trace.count(QStringLiteral("open")));
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, traced, nullptr);
    return SQLITE_OK;
}

QStringList takeTrace() {
    connectionNumbers.clear();
    return std::exchange(trace, {});
}

} // namespace

class TestBench : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        loadCollege(Engine::SQLite, m_sqlite, small, seed);
        loadCollege(Engine::PostgreSQL, m_postgres, small, seed);
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(watch));
    }

    void cleanupTestCase() { PgConnection("postgres").query("DROP DATABASE " + postgres()); }

    void aSeedAlwaysGivesTheSameRowsOnEitherEngine() {
        const QString again = m_dir.filePath(QStringLiteral("again.db"));
        const QString other = m_dir.filePath(QStringLiteral("other.db"));
        loadCollege(Engine::SQLite, again, small, seed);
        loadCollege(Engine::SQLite, other, small, seed + 1);
        const auto rows = dump(SqliteDatabase(sqlite()));
        QVERIFY(rows == dump(SqliteDatabase(again.toStdString())));
        QVERIFY(rows != dump(SqliteDatabase(other.toStdString())));
        QVERIFY(rows == dump(PgConnection(postgres())));
    }

    // Faculty and their IDs, periods offered and active, earlier logins, the index; students:
    // (6 members x 5 sections + 1 more of the first) x 4 periods x 40, and the two classes;
    // loads of 4 to 6 sections, 20 a member in all, 24 the first; about 10 % not enrolled.
    void theCollegeHasTheShapeAskedFor() {
        const QString sections = QStringLiteral(
            "(SELECT professorid, count(DISTINCT periodcode || schedule) AS n FROM TLOAD WHERE "
            "subject NOT LIKE 'GE 5_0' GROUP BY professorid");
        const QStringList figures = {
            "SELECT count(DISTINCT profid) FROM Prof_login",
            "SELECT count(*) FROM Prof_login WHERE profid GLOB "
            "'[0-9][0-9]-[0-9][0-9][0-9]-[0-9][0-9]'",
            "SELECT count(*) FROM PERIOD WHERE tanong = 'YES'",
            "SELECT sy_sem FROM PERIOD WHERE status = 'ACTIVE'",
            "SELECT count(*) FROM tbllog",
            "SELECT name FROM sqlite_master WHERE type = 'index'",
            "SELECT count(*) FROM TLOAD",
            "SELECT min(n) || '-' || max(n) FROM " + sections + ", periodcode)",
            "SELECT group_concat(n) FROM (SELECT DISTINCT n FROM " + sections + ") ORDER BY n)",
            "SELECT count(*) BETWEEN 400 AND 600 FROM TLOAD WHERE enrollstatus <> 'Enrolled'"};
        const std::string sql = "SELECT (" + figures.join(") || ' | ' || (").toStdString() + ")";
        QCOMPARE(*SqliteDatabase(sqlite()).query(sql).at(0).at(0),
                 "6 | 6 | 4 | 2017-2018 2nd Semester | 10 | tload_prof_period | 5002 | 4-6 | "
                 "20,24 | 1");
    }

    void theFactsAreWhatTheDatabaseHolds() {
        const FloorConnection db = floorConnector<SqliteDatabase>(sqlite())();
        QCOMPARE(db(credentialCheck(m_facts.profid, m_facts.password)).size(), 1u);
        QCOMPARE(QString::fromStdString(*db(activePeriodStatement()).at(0).at(0)),
                 m_facts.activePeriod);
        for (const QString& period : m_facts.switchPeriods)
            QCOMPARE(db(teachingLoadStatement(LoadForm::AllRows, m_facts.profid, period)).size(),
                     6u);
        for (auto [key, students] : {std::pair{m_facts.bigClass, 30u}, {m_facts.fullClass, 12u}}) {
            QCOMPARE(db(classListStatement(m_facts.profid, m_facts.activePeriod, key.subject,
                                           key.schedule))
                         .size(),
                     students);
        }
    }

    void floorsRunTheProgramsStatementsOnAsManyConnections() {
        const QString otherPeriod = m_facts.switchPeriods[1];
        takeTrace();
        const std::size_t sections =
            loginFloor(floorConnector<SqliteDatabase>(sqlite()), m_facts.profid, m_facts.password,
                       QStringLiteral("10.0.0.1"));
        FloorConnection held;
        periodSwitchFloor(floorConnector<SqliteDatabase>(sqlite()), held, m_facts.profid,
                          otherPeriod);
        held = nullptr;
        const QStringList floor = takeTrace();

        MessageRecorder messages;
        Connections::useConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + m_sqlite);
        {
            LoginWindowDriver login;
            login.logIn(QString(m_facts.profid).remove(u'-'), m_facts.password);
            QWidget* main = mainWindow();
            QVERIFY(main);
            QCOMPARE(std::size_t(MainWindowDriver::list(main)->topLevelItemCount()), sections);
            MainWindowDriver::pick(MainWindowDriver::periods(main), otherPeriod);
        }
        Connections::releaseAll();
        QCOMPARE(messages.prompts(), QStringList());
        const QStringList program = takeTrace();
        QCOMPARE(program.count(QStringLiteral("open")), 6);
        QCOMPARE(floor, program);
    }

    // PostgreSQL reads a table this small whole unless forbidden.
    void theGroupedStatementsSearchTheIndex() {
        const PgConnection postgresql(postgres());
        postgresql.query("SET enable_seqscan = off");
        for (LoadForm form : {LoadForm::EnrolledOnly, LoadForm::AllRows}) {
            const std::string sql =
                teachingLoadStatement(form, m_facts.profid, m_facts.activePeriod)
                    .text()
                    .toStdString();
            const std::string plans =
                queryPlan(SqliteDatabase(sqlite()), sql) + queryPlan(postgresql, sql);
            QVERIFY2(QString::fromStdString(plans).contains(QRegularExpression(
                         "^SEARCH TLOAD USING INDEX tload_prof_period \\(professorid=\\? AND "
                         "periodcode=\\?\\)\n(.*\n)*.*Index Scan on tload_prof_period .*\n *Index "
                         "Cond: \\(\\(professorid = '[0-9-]+'::citext\\) AND \\(periodcode = "
                         "'2017-2018 2nd Semester'::citext\\)\\)$",
                         QRegularExpression::MultilineOption)),
                     plans.c_str());
        }
    }

private:
    std::string sqlite() const { return m_sqlite.toStdString(); }
    std::string postgres() const { return m_postgres.toStdString(); }

    QTemporaryDir m_dir;
    QString m_sqlite = m_dir.filePath(QStringLiteral("college.db"));
    QString m_postgres = QStringLiteral("zk_bench_%1").arg(QCoreApplication::applicationPid());
    CollegeFacts m_facts = collegeFacts(small, seed);
};

QTEST_MAIN(TestBench)
#include "tst_bench.moc"
