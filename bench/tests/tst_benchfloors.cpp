// The floors measure what the program does, and the grouped statements that the benchmarks
// time are index searches on both engines; on a small generated college.
#include "CollegeLoaders.h"
#include "Connections.h"
#include "EngineClients.h"
#include "Floors.h"
#include "LoginWindowDriver.h"
#include "MainWindowDriver.h"
#include "MessageRecorder.h"
#include "TeachingLoad.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

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

class TestBenchFloors : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        loadSqliteCollege(m_sqlite, smallCollege(), seed);
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(watch));
    }

    void floorsRunTheProgramsStatementsOnAsManyConnections() {
        const QString otherPeriod = m_facts.switchPeriods[1];
        takeTrace();
        const std::size_t sections = loginFloor(sqliteConnector(m_sqlite), m_facts.profid,
                                                m_facts.password, QStringLiteral("10.0.0.1"));
        PeriodSwitchFloor(sqliteConnector(m_sqlite)).choose(m_facts.profid, otherPeriod);
        const QStringList floor = takeTrace();

        MessageRecorder messages;
        Connections::useConnectionString(QStringLiteral("Provider=SQLite;Data Source=") +
                                         QString::fromStdString(m_sqlite));
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
        const std::string database =
            "zk_benchfloors_" + std::to_string(QRandomGenerator::global()->generate());
        loadPostgresCollege(database, smallCollege(), seed);
        std::vector<std::string> plans;
        {
            const PgConnection db(database);
            db.exec("SET enable_seqscan = off");
            for (const std::string& sql : groupedStatements())
                plans.push_back(postgresQueryPlan(db, sql));
        }
        PgConnection("postgres").exec("DROP DATABASE " + database);
        const std::string condition =
            "Index Cond: ((professorid = '" + m_facts.profid.toStdString() +
            "'::citext) AND (periodcode = '" + m_facts.activePeriod.toStdString() + "'::citext))";
        for (const std::string& plan : plans) {
            QVERIFY2(plan.find(condition) != std::string::npos, plan.c_str());
            QVERIFY2(plan.find("tload_prof_period") != std::string::npos, plan.c_str());
        }
    }

private:
    std::vector<std::string> groupedStatements() const {
        std::vector<std::string> texts;
        for (LoadForm form : {LoadForm::EnrolledOnly, LoadForm::AllRows})
            texts.push_back(teachingLoadStatement(form, m_facts.profid, m_facts.activePeriod)
                                .text()
                                .toStdString());
        return texts;
    }

    QTemporaryDir m_dir;
    std::string m_sqlite = m_dir.filePath(QStringLiteral("college.db")).toStdString();
    CollegeFacts m_facts = collegeFacts(smallCollege(), seed);
};

QTEST_MAIN(TestBenchFloors)
#include "tst_benchfloors.moc"
