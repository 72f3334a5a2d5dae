#include "Connections.h"
#include "Error.h"
#include "ErrorOf.h"
#include "Statement.h"
#include "TestDatabase.h"
#include "TestFixture.h"

#include <QDir>
#include <QFile>
#include <QTest>

using zelkarin::Error;

namespace {

// Runs a statement on a new connection, the way every window does.
Recordset run(const Statement& statement) {
    Connections::OpenConnection();
    return Connections::Execute(statement);
}

} // namespace

class TestDatabaseCore : public TestFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void readsRowsByNameAndTellsEmptyResults_data() { addEngineRows(); }
    void readsRowsByNameAndTellsEmptyResults();
    void nullHasTwoReadings_data() { addEngineRows(); }
    void nullHasTwoReadings();
    void hostileValuesRoundTripAndTouchNoOtherRow_data();
    void hostileValuesRoundTripAndTouchNoOtherRow();
    void recordsetOutlivesLaterConnections_data() { addEngineRows(); }
    void recordsetOutlivesLaterConnections();
    void missingTableOrColumnIsNamed_data() { addEngineRows(); }
    void missingTableOrColumnIsNamed();

    void missingDriverLibraryIsNamed();
    void missingSqliteFileIsAnErrorNotANewDatabase();
    void unknownProviderIsAnError();

private:
    std::unique_ptr<TestDatabase> m_db;
};

void TestDatabaseCore::init() {
    TestFixture::init();
    const char* tag = QTest::currentDataTag();
    if (!tag)
        return;
    QFETCH(Engine, engine);
    m_db = std::make_unique<TestDatabase>(engine, TestDatabase::Content::SchemaOnly);
    Connections::useConnectionString(m_db->connectionString());
    m_db->exec("INSERT INTO PERIOD (sy_sem, status, tanong) VALUES ('2026-2027 1st', 'ACTIVE', "
               "'YES')");
    m_db->exec("INSERT INTO PERIOD (sy_sem, status, tanong) VALUES ('2025-2026 2nd', NULL, 'YES')");
    m_db->exec("INSERT INTO Prof_login (profid, password, lastname, firstname, dept) VALUES "
               "('11-111-11', 'pw', 'Reyes', 'Ana', NULL)");
}

void TestDatabaseCore::cleanup() {
    TestFixture::cleanup();
    m_db.reset();
}

void TestDatabaseCore::readsRowsByNameAndTellsEmptyResults() {
    Recordset rs = run(Statement("SELECT * from PERIOD where tanong='").value("YES").sql("'"));
    QVERIFY(!rs.bof());
    QVERIFY(!rs.eof());
    QStringList periods;
    while (!rs.eof()) {
        periods << rs.field("SY_SEM").text() << rs.field("sy_sem").text();
        rs.moveNext();
    }
    QCOMPARE(periods.size(), 4);
    QVERIFY(periods.contains("2026-2027 1st"));
    const auto afterTheEnd = errorOf([&] { rs.field("sy_sem"); });
    QVERIFY(afterTheEnd);
    QCOMPARE(afterTheEnd->number(), Error::ProviderError);

    Recordset none = run(Statement("SELECT * from PERIOD where status='").value("NONE").sql("'"));
    QVERIFY(none.bof());
    QVERIFY(none.eof());

    Recordset active = run(Statement("SELECT * from PERIOD where status='ACTIVE'"));
    const auto unknownColumn = errorOf([&] { active.field("no_such_column"); });
    QVERIFY(unknownColumn);
    QCOMPARE(unknownColumn->number(), Error::ItemNotFound);
    // The grouped statements name a column twice; reading it by name gives the first.
    Recordset grouped =
        run(Statement("SELECT sy_sem,status,sy_sem,count(sy_sem)as NoOfE FROM PERIOD Group by "
                      "sy_sem,status HAVING status='ACTIVE'"));
    QCOMPARE(grouped.field("sy_sem").text(), "2026-2027 1st");
    QCOMPARE(grouped.field("NoOfE").text(), "1");
    QCOMPARE(grouped.field("noofe").text().toInt(), 1);
}

void TestDatabaseCore::nullHasTwoReadings() {
    Recordset rs = run(Statement("SELECT * from Prof_login where profid='11-111-11'"));
    const Field dept = rs.field("dept");
    QVERIFY(dept.isNull());
    QCOMPARE(dept.textOrEmpty(), QString());
    const auto nullText = errorOf([&] { dept.text(); });
    QVERIFY(nullText);
    QCOMPARE(nullText->number(), Error::InvalidUseOfNull);
    QCOMPARE(rs.field("lastname").text(), "Reyes");
}

void TestDatabaseCore::hostileValuesRoundTripAndTouchNoOtherRow_data() {
    addEngineCaseRows<QString>("value", {
                                            {"tautology", "' OR '1'='1"},
                                            {"drop", "x'; DROP TABLE tbllog; --"},
                                            {"name", "O'Brien"},
                                            {"backslashes", "C:\\Grading Sheet\\ \\' \\\\"},
                                            {"escaped quote then tautology", "x\\' OR 1=1 --"},
                                            {"escaped doubled quotes", "\\'' OR ''1''=''1"},
                                            {"trailing backslash", "pw\\"},
                                            {"non-ascii", "Peña, Ñiño — 李小龍 ünïcødé"},
                                            {"long", QString(10000, u'q') + "'"},
                                        });
}

// Doubled quotes keep a value inside its literal only while backslashes are plain characters;
// the connection sees to that even where the server's own setting says otherwise.
void TestDatabaseCore::hostileValuesRoundTripAndTouchNoOtherRow() {
    QFETCH(Engine, engine);
    QFETCH(QString, value);
    m_db->exec("INSERT INTO Prof_login (profid, password, lastname, firstname, dept) VALUES "
               "('22-222-22', 'keep', 'Santos', 'Ben', 'CCS')");
    if (engine != Engine::SQLite) {
        // Every new session of this database reads a backslash as an escape by default.
        m_db->exec("ALTER DATABASE " + m_db->scalar("SELECT current_database()") +
                   " SET standard_conforming_strings = off");
        const Recordset setting = run(Statement("SHOW standard_conforming_strings"));
        QCOMPARE(setting.field("standard_conforming_strings").text(), "on");
    }

    run(Statement("INSERT INTO tbllog (userid,oras,araw,IP,name) VALUES('")
            .value(value)
            .sql("','1:00:00 PM','1/1/2026','10.0.0.5', '")
            .value(value)
            .sql("')"));
    // The program may only append to tbllog: the row is read back as the test's own user.
    QCOMPARE(m_db->rows("SELECT userid, name FROM tbllog"), (QList<QStringList>{{value, value}}));

    Recordset login = run(Statement("SELECT * from Prof_login where profid='")
                              .value(value)
                              .sql("' and password='")
                              .value(value)
                              .sql("'"));
    QVERIFY(login.bof() && login.eof());

    run(Statement("UPDATE Prof_login set password='")
            .value(value)
            .sql("'where Profid ='")
            .value("11-111-11")
            .sql("'"));
    QCOMPARE(m_db->rows("SELECT profid, password FROM Prof_login ORDER BY profid"),
             (QList<QStringList>{{"11-111-11", value}, {"22-222-22", "keep"}}));
    Recordset back = run(Statement("SELECT * from Prof_login where profid='11-111-11' and "
                                   "password='")
                             .value(value)
                             .sql("'"));
    QVERIFY(!back.eof());
    QCOMPARE(back.field("password").text(), value);

    run(Statement("UPDATE Prof_login set password='x'where Profid ='").value(value).sql("'"));
    QCOMPARE(m_db->scalar("SELECT count(*) FROM Prof_login WHERE password='x'"), "0");
}

void TestDatabaseCore::recordsetOutlivesLaterConnections() {
    Connections::OpenConnection();
    Connections::rsActive =
        Connections::Execute(Statement("SELECT * from PERIOD where status='ACTIVE'"));
    for (int i = 0; i < 3; ++i) {
        Connections::OpenConnection();
        Connections::rsPeriods =
            Connections::Execute(Statement("SELECT * from PERIOD where tanong='YES'"));
    }
    QCOMPARE(Connections::rsActive.field("sy_sem").text(), "2026-2027 1st");
    // rsActive's connection, and the newest one that cn and rsPeriods share.
    QCOMPARE(openConnections().size(), 2);

    for (int i = 0; i < 50; ++i)
        Connections::rs = run(Statement("SELECT * from PERIOD where status='ACTIVE'"));
    // cn and rs share the newest; rsActive and rsPeriods hold theirs.
    QCOMPARE(openConnections().size(), 3);
    Connections::rsActive = Recordset();
    Connections::rsPeriods = Recordset();
    QCOMPARE(openConnections().size(), 1);
}

// The engine's words name what the statement asks for and the database lacks.
void TestDatabaseCore::missingTableOrColumnIsNamed() {
    const std::pair<Statement, QString> cases[] = {
        {Statement("SELECT * from TLOADS where professorid='").value("12-345-67").sql("'"),
         "tloads"},
        {Statement("SELECT subjct from TLOAD where professorid='").value("12-345-67").sql("'"),
         "subjct"},
    };
    for (const auto& [statement, name] : cases) {
        const auto error = errorOf([&] { run(statement); });
        QVERIFY(error);
        QCOMPARE(error->number(), Error::ProviderError);
        const QString description = error->description();
        QVERIFY2(description.contains(name, Qt::CaseInsensitive), qPrintable(description));
        QVERIFY2(!description.contains("12-345-67"), qPrintable(description));
    }
}

// A driver that is registered but whose library is gone: the administrator reads which file.
void TestDatabaseCore::missingDriverLibraryIsNamed() {
    const QString library = QDir::temp().filePath("zelkarin-no-such-dir/libtdsodbc.so");
    Connections::useConnectionString("Provider=MSDASQL;DRIVER=" + library +
                                     ";SERVER=db.example;PORT=1433;UID=TV;PWD=vexaKORM51");
    const auto error = errorOf([] { Connections::OpenConnection(); });
    QVERIFY(error);
    QCOMPARE(error->number(), Error::ProviderError);
    const QString description = error->description();
    QVERIFY2(description.contains("Can't open lib '" + library + "'"), qPrintable(description));
}

void TestDatabaseCore::missingSqliteFileIsAnErrorNotANewDatabase() {
    const QString path =
        QDir::temp().filePath("zelkarin-missing-%1.db").arg(QCoreApplication::applicationPid());
    Connections::useConnectionString("Provider=SQLite;Data Source=" + path);
    const auto error = errorOf([] { Connections::OpenConnection(); });
    QVERIFY(error);
    QCOMPARE(error->number(), Error::ProviderError);
    const QString description = error->description();
    QVERIFY(description.contains(path));
    QVERIFY(!QFile::exists(path));
    QVERIFY(!Connections::cn);
}

void TestDatabaseCore::unknownProviderIsAnError() {
    Connections::useConnectionString("Provider=Nonesuch.1;Data Source=x");
    const auto error = errorOf([] { Connections::OpenConnection(); });
    QVERIFY(error);
    QCOMPARE(error->number(), Error::ProviderError);
    const QString description = error->description();
    QVERIFY(description.contains("Provider cannot be found"));
    const auto executeError = errorOf([] { Connections::Execute(Statement("SELECT 1")); });
    QVERIFY(executeError);
    QCOMPARE(executeError->number(), Error::ProviderError);
}

QTEST_GUILESS_MAIN(TestDatabaseCore)
#include "tst_database.moc"
