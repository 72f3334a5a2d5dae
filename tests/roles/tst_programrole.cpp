#include "DatabaseDriver.h"
#include "TestDatabase.h"
#include "TestFixture.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include <map>
#include <memory>
#include <stdexcept>

namespace {

const QString connectionName = QStringLiteral("program-role");

// What the statements below could have touched, read as the test's own user.
QList<QStringList> contents(const TestDatabase& db) {
    return db.rows("SELECT 'login', count(*)::text FROM tbllog UNION ALL "
                   "SELECT lastname::text, password::text FROM Prof_login "
                   "WHERE profid = '12-345-67' UNION ALL "
                   "SELECT 'load', count(*)::text FROM TLOAD UNION ALL "
                   "SELECT status::text, tanong::text FROM PERIOD "
                   "WHERE sy_sem = '2025-2026 Summer' UNION ALL "
                   "SELECT 'tables', count(*)::text FROM pg_tables WHERE schemaname = 'public'");
}

} // namespace

// The program logs in to PostgreSQL as the role of data/roles/postgresql.sql: what its own
// statements need works (the window tests run them), everything else is refused by the server.
class TestProgramRole : public TestFixture {
    Q_OBJECT

private slots:
    void cleanup();
    void cleanupTestCase();

    void logsInAsAPlainRoleThatOwnsNothing_data();
    void logsInAsAPlainRoleThatOwnsNothing();
    void statementsOutsideTheGrantsAreRefused_data();
    void statementsOutsideTheGrantsAreRefused();
    void runningTheScriptAgainTakesBackWiderRights();
    void scriptStopsWhileTheRoleOwnsATable();

private:
    // The demo database of the row's engine, with one audit row; one per engine for all rows,
    // since nothing may change it.
    TestDatabase& database();
    // A query on a connection opened with the program's connection string, as the program
    // opens it.
    QSqlQuery programQuery();

    std::map<Engine, std::unique_ptr<TestDatabase>> m_databases;
};

void TestProgramRole::cleanup() {
    TestFixture::cleanup();
    QSqlDatabase::removeDatabase(connectionName);
}

void TestProgramRole::cleanupTestCase() {
    m_databases.clear();
}

TestDatabase& TestProgramRole::database() {
    QFETCH(Engine, engine);
    std::unique_ptr<TestDatabase>& db = m_databases[engine];
    if (!db) {
        db = std::make_unique<TestDatabase>(engine);
        db->exec("INSERT INTO tbllog (userid, oras, araw, IP, name) VALUES "
                 "('12-345-67', '9:15:02 AM', '3/4/26', '10.0.0.5', 'Santos  Maria Luisa')");
    }
    return *db;
}

QSqlQuery TestProgramRole::programQuery() {
    return QSqlQuery(openDatabase(database().connectionString(), connectionName));
}

void TestProgramRole::logsInAsAPlainRoleThatOwnsNothing_data() {
    QTest::addColumn<Engine>("engine");
    for (Engine engine : postgresqlEngines)
        QTest::newRow(engineRowName(engine)) << engine;
}

void TestProgramRole::logsInAsAPlainRoleThatOwnsNothing() {
    QSqlQuery query = programQuery();
    QVERIFY(query.exec("SELECT r.rolsuper::int, r.rolcreatedb::int, r.rolcreaterole::int, "
                       "r.rolbypassrls::int, "
                       "(SELECT count(*) FROM pg_auth_members m WHERE m.member = r.oid), "
                       "(SELECT count(*) FROM pg_class c WHERE c.relowner = r.oid), "
                       "(SELECT count(*) FROM pg_namespace n WHERE n.nspowner = r.oid), "
                       "(SELECT count(*) FROM pg_database d WHERE d.datdba = r.oid) "
                       "FROM pg_roles r WHERE r.rolname = current_user"));
    QVERIFY(query.next());
    QStringList attributes;
    for (int i = 0; i < 8; ++i)
        attributes << query.value(i).toString();
    // Not a superuser, no CREATEDB, CREATEROLE or BYPASSRLS, member of no role, owner of nothing.
    QCOMPARE(attributes, QStringList(8, "0"));
}

void TestProgramRole::statementsOutsideTheGrantsAreRefused_data() {
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("refusal");
    const QString denied = QStringLiteral("permission denied");
    const QString owner = QStringLiteral("must be owner");
    const QList<std::tuple<const char*, QString, QString>> statements{
        {"delete audit rows", "DELETE FROM tbllog", denied},
        {"empty the audit", "TRUNCATE tbllog", denied},
        {"read the audit", "SELECT * FROM tbllog", denied},
        {"rename a member", "UPDATE Prof_login set lastname='Hacked' where Profid ='12-345-67'",
         denied},
        {"password and more",
         "UPDATE Prof_login set password='x', dept='Hacked' where Profid ='12-345-67'", denied},
        {"new account", "INSERT INTO Prof_login (profid, password) VALUES ('99-999-99', 'x')",
         denied},
        {"delete an account", "DELETE FROM Prof_login where profid='12-345-67'", denied},
        {"change a load", "UPDATE TLOAD set enrollstatus='Dropped'", denied},
        {"delete the loads", "DELETE FROM TLOAD", denied},
        {"open a period", "UPDATE PERIOD set tanong='NO' where sy_sem='2025-2026 Summer'", denied},
        {"new table", "CREATE TABLE stash (a int)", denied},
        {"drop a table", "DROP TABLE TLOAD", owner},
        {"alter a table", "ALTER TABLE Prof_login ADD COLUMN note text", owner},
    };
    for (Engine engine : postgresqlEngines)
        for (const auto& [name, statement, refusal] : statements)
            QTest::addRow("%s/%s", engineRowName(engine), name) << engine << statement << refusal;
}

void TestProgramRole::statementsOutsideTheGrantsAreRefused() {
    QFETCH(QString, statement);
    QFETCH(QString, refusal);
    const QList<QStringList> before = contents(database());
    {
        QSqlQuery query = programQuery();
        QVERIFY2(!query.exec(statement), qPrintable(statement + " was allowed"));
        QVERIFY2(query.lastError().text().contains(refusal), qPrintable(query.lastError().text()));
    }
    QCOMPARE(contents(database()), before);
}

void TestProgramRole::runningTheScriptAgainTakesBackWiderRights() {
    TestDatabase db(Engine::PostgreSQL, TestDatabase::Content::SchemaOnly);
    const QString role = db.programRole();
    db.exec(QString("ALTER ROLE %1 SUPERUSER CREATEDB CREATEROLE BYPASSRLS").arg(role));
    db.exec(QString("GRANT pg_write_all_data TO %1").arg(role));
    db.exec(QString("GRANT ALL ON tbllog, Prof_login, TLOAD, PERIOD TO %1").arg(role));
    db.exec(QString("GRANT CREATE ON SCHEMA public TO %1").arg(role));
    db.runRoleScript();
    db.exec("INSERT INTO tbllog (userid) VALUES ('12-345-67')");

    QSqlQuery query(openDatabase(db.connectionString(), connectionName));
    QVERIFY(query.exec("SELECT r.rolsuper::int, r.rolcreatedb::int, r.rolcreaterole::int, "
                       "r.rolbypassrls::int, "
                       "(SELECT count(*) FROM pg_auth_members m WHERE m.member = r.oid) "
                       "FROM pg_roles r WHERE r.rolname = current_user"));
    QVERIFY(query.next());
    for (int i = 0; i < 5; ++i)
        QCOMPARE(query.value(i).toString(), "0");
    for (const char* statement :
         {"DELETE FROM tbllog", "UPDATE Prof_login set lastname='x'", "DELETE FROM TLOAD",
          "INSERT INTO PERIOD (sy_sem) VALUES ('x')", "CREATE TABLE stash (a int)"})
        QVERIFY2(!query.exec(statement), statement);
    QVERIFY(query.exec("INSERT INTO tbllog (userid) VALUES ('23-456-78')"));
    QCOMPARE(db.scalar("SELECT count(*) FROM tbllog"), "2");
}

void TestProgramRole::scriptStopsWhileTheRoleOwnsATable() {
    TestDatabase db(Engine::PostgreSQL, TestDatabase::Content::SchemaOnly);
    const QString role = db.programRole();
    db.exec(QString("ALTER TABLE tbllog OWNER TO %1").arg(role));
    db.exec(QString("GRANT DELETE ON TLOAD TO %1").arg(role));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, db.runRoleScript());
    // Stopped before changing anything.
    QCOMPARE(db.scalar(QString("SELECT has_table_privilege('%1', 'TLOAD', 'DELETE')").arg(role)),
             "true");
}

QTEST_MAIN(TestProgramRole)
#include "tst_programrole.moc"
