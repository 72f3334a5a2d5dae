// The generated college at a small scale on both engines, and the floors: a seed always gives
// the same rows, on either engine, of the shape asked for and holding what the benchmarks look
// for; the floors send the program's statements on as many connections, and the grouped
// statements that the benchmarks time are index searches.
#include "ClassListExport.h"
#include "Floors.h"
#include "Connections.h"
#include "LoadCollege.h"
#include "LoginWindowDriver.h"
#include "MainWindowDriver.h"
#include "MemberLogin.h"
#include "MessageRecorder.h"
#include "TeachingLoad.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <set>

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

// Every row of every table, as a set: PostgreSQL sorts text by its collation, SQLite bytewise.
template <typename Database>
std::map<std::string, std::multiset<Rows::value_type>> dump(const Database& db) {
    std::map<std::string, std::multiset<Rows::value_type>> tables;
    for (const char* table : {"Prof_login", "PERIOD", "TLOAD", "tbllog"}) {
        const Rows rows = db.query(std::string("SELECT * FROM ") + table);
        tables[table].insert(rows.begin(), rows.end());
    }
    return tables;
}

// What every SQLite connection of the process does, the program's through QSQLITE and the
// floors' alike, watched through SQLite's own hooks: "open" for each new connection, then each
// statement with the number of its connection. The audit row's values differ between logins.
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
        loadCollege(Engine::SQLite, m_sqlite, smallCollege(), seed);
        loadCollege(Engine::PostgreSQL, m_postgres, smallCollege(), seed);
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(watch));
    }

    void cleanupTestCase() { PgConnection("postgres").query("DROP DATABASE " + database()); }

    void aSeedAlwaysGivesTheSameRowsOnEitherEngine() {
        const QString again = m_dir.filePath(QStringLiteral("again.db"));
        const QString other = m_dir.filePath(QStringLiteral("other.db"));
        loadCollege(Engine::SQLite, again, smallCollege(), seed);
        loadCollege(Engine::SQLite, other, smallCollege(), seed + 1);
        const auto rows = dump(SqliteDatabase(m_sqlite.toStdString()));
        QVERIFY(rows == dump(SqliteDatabase(again.toStdString())));
        QVERIFY(rows != dump(SqliteDatabase(other.toStdString())));
        QVERIFY(rows == dump(PgConnection(database())));
    }

    void theCollegeHasTheShapeAskedFor_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("expected");
        const QString regular =
            QStringLiteral(" FROM TLOAD WHERE subject NOT IN ('GE 500', 'GE 560')");
        const QString sections =
            QStringLiteral("SELECT professorid, count(DISTINCT periodcode || schedule) AS n") +
            regular;
        QTest::newRow("faculty") << "SELECT count(DISTINCT profid) FROM Prof_login" << 6;
        QTest::newRow("Faculty IDs") << "SELECT count(*) FROM Prof_login WHERE profid NOT GLOB "
                                        "'[0-9][0-9]-[0-9][0-9][0-9]-[0-9][0-9]'"
                                     << 0;
        QTest::newRow("periods") << "SELECT count(*) FROM PERIOD WHERE tanong = 'YES'" << 4;
        QTest::newRow("active") << "SELECT count(*) FROM PERIOD WHERE status = 'ACTIVE'" << 1;
        QTest::newRow("logins") << "SELECT count(*) FROM tbllog" << 10;
        QTest::newRow("index")
            << "SELECT count(*) FROM sqlite_master WHERE name = 'tload_prof_period'" << 1;
        // (6 members x 5 sections + 1 more of the first) x 4 periods x 40, and the two classes.
        QTest::newRow("students") << "SELECT count(*) FROM TLOAD" << 5002;
        QTest::newRow("loads") << "SELECT count(*) FROM (" + sections +
                                      " GROUP BY professorid, periodcode)"
                               << 24;
        QTest::newRow("sections vary by one")
            << "SELECT count(*) FROM (" + sections +
                   " GROUP BY professorid, periodcode) WHERE n NOT BETWEEN 4 AND 6"
            << 0;
        QTest::newRow("the average kept, one more for the first member")
            << "SELECT count(*) FROM (" + sections +
                   " GROUP BY professorid) WHERE n <> CASE professorid WHEN (SELECT profid FROM "
                   "Prof_login LIMIT 1) THEN 24 ELSE 20 END"
            << 0;
        QTest::newRow("about 10 % not enrolled")
            << "SELECT count(*) BETWEEN 400 AND 600" + regular + " AND enrollstatus <> 'Enrolled'"
            << 1;
    }

    void theCollegeHasTheShapeAskedFor() {
        QFETCH(QString, sql);
        QFETCH(int, expected);
        const Rows rows = SqliteDatabase(m_sqlite.toStdString()).query(sql.toStdString());
        QCOMPARE(std::stoi(*rows.at(0).at(0)), expected);
    }

    void theFactsAreWhatTheDatabaseHolds_data() {
        QTest::addColumn<Engine>("engine");
        QTest::newRow("sqlite") << Engine::SQLite;
        QTest::newRow("postgresql") << Engine::PostgreSQL;
    }

    void theFactsAreWhatTheDatabaseHolds() {
        QFETCH(Engine, engine);
        const FloorConnection db = connector(engine)();
        const Rows account = db(credentialCheck(m_facts.profid, m_facts.password));
        QCOMPARE(int(account.size()), 1);
        QCOMPARE(QString::fromStdString(*account[0][2] + ", " + *account[0][3]),
                 m_facts.displayName);
        QCOMPARE(m_facts.activePeriod, QStringLiteral("2017-2018 2nd Semester"));
        QCOMPARE(*db(activePeriodStatement()).at(0).at(0), "2017-2018 2nd Semester");
        for (const QString& period : m_facts.switchPeriods)
            QCOMPARE(
                int(db(teachingLoadStatement(LoadForm::AllRows, m_facts.profid, period)).size()),
                6);

        // The enrolled-only statement's columns 0 and 10: schedule and NoOfE.
        std::map<QString, std::string> enrolled;
        for (const auto& row : db(teachingLoadStatement(LoadForm::EnrolledOnly, m_facts.profid,
                                                        m_facts.activePeriod)))
            enrolled[QString::fromStdString(*row[0])] = *row[10];
        for (auto [key, students] :
             {std::pair{m_facts.bigClass, 30}, std::pair{m_facts.fullClass, 12}}) {
            QCOMPARE(enrolled[key.schedule], std::to_string(students));
            QCOMPARE(int(db(classListStatement(m_facts.profid, m_facts.activePeriod, key.subject,
                                               key.schedule))
                             .size()),
                     students);
        }
    }

    void floorsRunTheProgramsStatementsOnAsManyConnections() {
        const QString otherPeriod = m_facts.switchPeriods[1];
        takeTrace();
        const std::size_t sections = loginFloor(connector(Engine::SQLite), m_facts.profid,
                                                m_facts.password, QStringLiteral("10.0.0.1"));
        PeriodSwitchFloor(connector(Engine::SQLite)).choose(m_facts.profid, otherPeriod);
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

    // A table this small is read whole when that is cheaper; forbidding that on PostgreSQL shows
    // whether the index can serve the HAVING terms at all.
    void theGroupedStatementsSearchTheIndex_data() {
        QTest::addColumn<Engine>("engine");
        QTest::addColumn<QString>("search");
        QTest::newRow("sqlite") << Engine::SQLite
                                << "^SEARCH TLOAD USING INDEX tload_prof_period \\(professorid=\\? "
                                   "AND periodcode=\\?\\)$";
        QTest::newRow("postgresql")
            << Engine::PostgreSQL
            << "Index Scan on tload_prof_period .*\n *Index Cond: \\(\\(professorid = "
               "'[0-9-]+'::citext\\) AND \\(periodcode = '2017-2018 2nd Semester'::citext\\)\\)$";
    }

    void theGroupedStatementsSearchTheIndex() {
        QFETCH(Engine, engine);
        QFETCH(QString, search);
        for (LoadForm form : {LoadForm::EnrolledOnly, LoadForm::AllRows}) {
            const std::string sql =
                teachingLoadStatement(form, m_facts.profid, m_facts.activePeriod)
                    .text()
                    .toStdString();
            std::string plan;
            if (engine == Engine::SQLite) {
                plan = SqliteDatabase(m_sqlite.toStdString()).plan(sql);
            } else {
                const PgConnection db(database());
                db.query("SET enable_seqscan = off");
                plan = db.plan(sql);
            }
            QVERIFY2(QString::fromStdString(plan).contains(
                         QRegularExpression(search, QRegularExpression::MultilineOption)),
                     plan.c_str());
        }
    }

private:
    std::string database() const { return m_postgres.toStdString(); }
    FloorConnector connector(Engine engine) const {
        return engine == Engine::SQLite ? sqliteConnector(m_sqlite.toStdString())
                                        : postgresConnector(database());
    }

    QTemporaryDir m_dir;
    QString m_sqlite = m_dir.filePath(QStringLiteral("college.db"));
    QString m_postgres =
        QStringLiteral("zk_bench_%1").arg(QRandomGenerator::global()->generate64(), 0, 16);
    CollegeFacts m_facts = collegeFacts(smallCollege(), seed);
};

QTEST_MAIN(TestBench)
#include "tst_bench.moc"
