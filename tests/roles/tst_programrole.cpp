#include "DatabaseDriver.h"
#include "Error.h"
#include "ProgramStatements.h"
#include "TestDatabase.h"
#include "TestFixture.h"

#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
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

// Everything the role holds or owns, as the server's catalogue tells it, one line each, sorted.
QStringList roleState(const TestDatabase& db) {
    QString sql = QStringLiteral(R"(
WITH r AS (SELECT * FROM pg_roles WHERE rolname = '{role}')
SELECT pg_describe_object(s.classid, s.objid, s.objsubid) FROM pg_shdepend s, r
WHERE s.refobjid = r.oid AND s.classid <> 'pg_database'::regclass
  AND s.dbid IN (0, (SELECT oid FROM pg_database WHERE datname = current_database()))
UNION ALL SELECT concat_ws(' ', c.relname, e.privilege_type, CASE WHEN e.is_grantable THEN 'grantable' END)
FROM pg_class c, aclexplode(c.relacl) e, r WHERE e.grantee = r.oid
UNION ALL SELECT concat_ws(' ', a.attrelid::regclass || '.' || a.attname, e.privilege_type)
FROM pg_attribute a, aclexplode(a.attacl) e, r WHERE e.grantee = r.oid
UNION ALL SELECT 'database ' || e.privilege_type FROM pg_database d, aclexplode(d.datacl) e, r
WHERE e.grantee = r.oid
UNION ALL SELECT concat_ws(' ', 'schema', n.nspname, e.privilege_type)
FROM pg_namespace n, aclexplode(n.nspacl) e, r WHERE e.grantee = r.oid
UNION ALL SELECT 'member of ' || m.roleid::regrole FROM pg_auth_members m, r WHERE m.member = r.oid
UNION ALL SELECT 'setting ' || unnest(s.setconfig) FROM pg_db_role_setting s, r WHERE s.setrole = r.oid
UNION ALL SELECT concat_ws(' ', 'login', CASE WHEN rolsuper THEN 'superuser' END,
    CASE WHEN rolcreatedb THEN 'createdb' END, CASE WHEN rolcreaterole THEN 'createrole' END,
    CASE WHEN rolbypassrls THEN 'bypassrls' END, 'until ' || coalesce(rolvaliduntil::text, '-'),
    'limit ' || rolconnlimit) FROM r)");
    QStringList state;
    for (const QStringList& row : db.rows(sql.replace(QLatin1String("{role}"), db.programRole())))
        state << row.first();
    state.sort();
    return state;
}

// What the script leaves the role: the rights of the program's statements, nothing else.
const QStringList scriptState{"column password of table prof_login",
                              "database CONNECT",
                              "login until infinity limit -1",
                              "period SELECT",
                              "prof_login SELECT",
                              "prof_login.password UPDATE",
                              "schema public",
                              "schema public USAGE",
                              "table period",
                              "table prof_login",
                              "table tbllog",
                              "table tload",
                              "tbllog INSERT",
                              "tload SELECT"};

// Test statements name the role {role} and its database {db}.
QString forRole(QString sql, const TestDatabase& db) {
    return sql.replace(QLatin1String("{role}"), db.programRole())
        .replace(QLatin1String("{db}"), db.scalar("SELECT current_database()"));
}

void execAll(const TestDatabase& db, const QStringList& statements) {
    for (const QString& statement : statements)
        db.exec(forRole(statement, db));
}

// Runs statements as the program's role, on a connection opened as the program opens it; the
// error of each, empty where it ran, or the login's error for each when the role cannot log in.
QStringList runAsRole(const TestDatabase& db, const QStringList& statements) {
    QStringList errors;
    if (statements.isEmpty())
        return errors;
    try {
        QSqlQuery query(openDatabase(db.connectionString(), connectionName));
        for (const QString& statement : statements)
            errors << (query.exec(forRole(statement, db)) ? QString() : query.lastError().text());
    } catch (const zelkarin::Error& error) {
        errors = QStringList(statements.size(), error.description());
    }
    QSqlDatabase::removeDatabase(connectionName);
    return errors;
}

QStringList programStatementTexts() {
    QStringList texts;
    for (const auto& statement : programStatements())
        texts << statement.second;
    return texts;
}

// The error with which data/roles/postgresql.sql stopped, empty when it ran through.
QString scriptError(const TestDatabase& db) {
    try {
        db.runRoleScript();
    } catch (const std::runtime_error& error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

// Roles a test made besides the program's, {role}_*, with what they hold in the database.
// Run at the end of a row, whatever its outcome: reports instead of throwing.
void dropOtherRoles(const TestDatabase& db) {
    try {
        for (const QStringList& row : db.rows(
                 forRole("SELECT rolname FROM pg_roles WHERE starts_with(rolname, '{role}_')", db)))
            db.exec(QString("DROP OWNED BY %1; DROP ROLE %1").arg(row.first()));
    } catch (const std::runtime_error& error) {
        qWarning() << error.what();
    }
}

} // namespace

// The program logs in to PostgreSQL as the role of data/roles/postgresql.sql: its own statements
// run, each grant is needed by one of them, everything else is refused by the server, and the
// script run again takes back whatever was added since.
class TestProgramRole : public TestFixture {
    Q_OBJECT

private slots:
    void cleanup();
    void cleanupTestCase();

    void logsInAsAPlainRoleThatOwnsNothing_data();
    void logsInAsAPlainRoleThatOwnsNothing();
    void statementsOutsideTheGrantsAreRefused_data();
    void statementsOutsideTheGrantsAreRefused();
    void everyStatementRunsAndEveryGrantIsUsed();
    void runningTheScriptAgainTakesBackWhatWasAdded_data();
    void runningTheScriptAgainTakesBackWhatWasAdded();
    void scriptThatStopsChangesNothing_data();
    void scriptThatStopsChangesNothing();

private:
    // The demo database of the row's engine, with one audit row; one per engine for all rows,
    // since nothing may change it.
    TestDatabase& database();
    // A query on a connection opened with the program's connection string, as the program
    // opens it.
    QSqlQuery programQuery();

    std::map<Engine, std::unique_ptr<TestDatabase>> m_databases;
    // One database for all rows of the re-run: each row starts from the state the script left.
    std::unique_ptr<TestDatabase> m_rerunDatabase;
};

void TestProgramRole::cleanup() {
    TestFixture::cleanup();
    QSqlDatabase::removeDatabase(connectionName);
}

void TestProgramRole::cleanupTestCase() {
    m_databases.clear();
    m_rerunDatabase.reset();
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

// On a database with the demo data: every statement of the program runs as the role, and each
// table grant of the script is needed by one of them.
void TestProgramRole::everyStatementRunsAndEveryGrantIsUsed() {
    const TestDatabase db(Engine::PostgreSQL);
    const QStringList statements = programStatementTexts();
    QCOMPARE(runAsRole(db, statements), QStringList(statements.size()));

    QFile script(dataPath("roles/postgresql.sql"));
    QVERIFY(script.open(QIODevice::ReadOnly));
    static const QRegularExpression tableGrant(
        R"(^GRANT (.+ ON (?!DATABASE|SCHEMA).+) TO :"role";$)",
        QRegularExpression::MultilineOption);
    int grants = 0;
    for (const QRegularExpressionMatch& grant : tableGrant.globalMatch(script.readAll())) {
        ++grants;
        db.exec(forRole("REVOKE " + grant.captured(1) + " FROM {role}", db));
        const QStringList errors = runAsRole(db, statements);
        db.exec(forRole("GRANT " + grant.captured(1) + " TO {role}", db));
        QVERIFY2(errors.filter("permission denied").size() > 0,
                 qPrintable(grant.captured() + " is needed by no statement"));
    }
    QCOMPARE(grants, 5);
}

void TestProgramRole::runningTheScriptAgainTakesBackWhatWasAdded_data() {
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QStringList>("asRole");
    QTest::addColumn<QString>("held");
    // Run after the script: what a right granted in advance would reach.
    QTest::addColumn<QString>("later");
    QTest::addColumn<QStringList>("refused");
    QTest::newRow("attributes and memberships")
        << QStringList{"ALTER ROLE {role} SUPERUSER CREATEDB CREATEROLE BYPASSRLS",
                       "GRANT pg_write_all_data TO {role}"}
        << QStringList{}
        << "SELECT rolsuper OR pg_has_role('{role}', 'pg_write_all_data', 'MEMBER') "
           "FROM pg_roles WHERE rolname = '{role}'"
        << QString() << QStringList{"DELETE FROM TLOAD", "CREATE ROLE {role}_x"};
    QTest::newRow("all on the tables")
        << QStringList{"GRANT ALL ON tbllog, Prof_login, TLOAD, PERIOD TO {role}",
                       "GRANT CREATE ON SCHEMA public TO {role}"}
        << QStringList{} << "SELECT has_table_privilege('{role}', 'tbllog', 'SELECT')" << QString()
        << QStringList{"SELECT * FROM tbllog", "UPDATE Prof_login SET lastname = 'x'",
                       "CREATE TABLE stash (a int)"};
    QTest::newRow("another schema")
        << QStringList{"CREATE SCHEMA other", "CREATE TABLE other.t (a int)",
                       "GRANT USAGE ON SCHEMA other TO {role}", "GRANT SELECT ON other.t TO {role}"}
        << QStringList{} << "SELECT has_schema_privilege('{role}', 'other', 'USAGE')" << QString()
        << QStringList{"SELECT * FROM other.t"};
    QTest::newRow("create and temp on the database")
        << QStringList{"REVOKE TEMP ON DATABASE {db} FROM PUBLIC",
                       "GRANT CREATE, TEMP ON DATABASE {db} TO {role}"}
        << QStringList{}
        << "SELECT has_database_privilege('{role}', '{db}', 'CREATE') OR "
           "has_database_privilege('{role}', '{db}', 'TEMP')"
        << QString() << QStringList{"CREATE SCHEMA stash", "CREATE TEMP TABLE stash (a int)"};
    QTest::newRow("sequence") << QStringList{"CREATE SEQUENCE counter",
                                             "GRANT ALL ON SEQUENCE counter TO {role}"}
                              << QStringList{}
                              << "SELECT has_sequence_privilege('{role}', 'counter', 'USAGE')"
                              << QString() << QStringList{"SELECT nextval('counter')"};
    QTest::newRow("function") << QStringList{"CREATE FUNCTION secret() RETURNS int LANGUAGE sql "
                                             "AS 'SELECT 42'",
                                             "REVOKE EXECUTE ON FUNCTION secret() FROM PUBLIC",
                                             "GRANT EXECUTE ON FUNCTION secret() TO {role}"}
                              << QStringList{}
                              << "SELECT has_function_privilege('{role}', 'secret()', 'EXECUTE')"
                              << QString() << QStringList{"SELECT secret()"};
    QTest::newRow("large object")
        << QStringList{"SELECT lo_from_bytea(4242, 'secret')",
                       "GRANT SELECT, UPDATE ON LARGE OBJECT 4242 TO {role}"}
        << QStringList{}
        << "SELECT EXISTS (SELECT FROM pg_largeobject_metadata, aclexplode(lomacl) e "
           "WHERE e.grantee = '{role}'::regrole)"
        << QString() << QStringList{"SELECT lo_get(4242)"};
    QTest::newRow("default privileges")
        << QStringList{"ALTER DEFAULT PRIVILEGES IN SCHEMA public GRANT SELECT ON TABLES TO {role}"}
        << QStringList{}
        << "SELECT EXISTS (SELECT FROM pg_default_acl, aclexplode(defaclacl) e "
           "WHERE e.grantee = '{role}'::regrole)"
        << "CREATE TABLE later (a int)" << QStringList{"SELECT * FROM later"};
    QTest::newRow("granted by another role")
        << QStringList{"CREATE ROLE {role}_grantor",
                       "GRANT SELECT ON tbllog TO {role}_grantor WITH GRANT OPTION",
                       "SET ROLE {role}_grantor; GRANT SELECT ON tbllog TO {role}; RESET ROLE"}
        << QStringList{} << "SELECT has_table_privilege('{role}', 'tbllog', 'SELECT')" << QString()
        << QStringList{"SELECT * FROM tbllog"};
    // Each locks every copy out; the role's own password is a hash stored as given, which no
    // password matches.
    QTest::newRow("settings, validity and own password")
        << QStringList{"ALTER ROLE {role} IN DATABASE {db} SET statement_timeout = '1ms'",
                       "ALTER ROLE {role} CONNECTION LIMIT 0 VALID UNTIL '2000-01-01'"}
        << QStringList{"ALTER ROLE CURRENT_USER SET default_transaction_read_only = on",
                       "ALTER ROLE CURRENT_USER PASSWORD 'md500000000000000000000000000000000'"}
        << "SELECT EXISTS (SELECT FROM pg_db_role_setting WHERE setrole = '{role}'::regrole) "
           "OR rolvaliduntil < now() OR rolpassword LIKE 'md5000%' FROM pg_authid "
           "WHERE rolname = '{role}'"
        << QString() << QStringList{};
    QTest::newRow("passed on by the role")
        << QStringList{"CREATE ROLE {role}_other",
                       "GRANT SELECT ON tbllog TO {role} WITH GRANT OPTION",
                       "SET ROLE {role}; GRANT SELECT ON tbllog TO {role}_other; RESET ROLE"}
        << QStringList{} << "SELECT has_table_privilege('{role}_other', 'tbllog', 'SELECT')"
        << QString() << QStringList{"SELECT * FROM tbllog"};
}

// A role script run again brings the role back to its rights, whatever was added by hand: the
// catalogue shows only those, what lies outside is refused, and the program's statements run.
void TestProgramRole::runningTheScriptAgainTakesBackWhatWasAdded() {
    QFETCH(QStringList, setup);
    QFETCH(QStringList, asRole);
    QFETCH(QString, held);
    QFETCH(QString, later);
    QFETCH(QStringList, refused);
    if (!m_rerunDatabase)
        m_rerunDatabase =
            std::make_unique<TestDatabase>(Engine::PostgreSQL, TestDatabase::Content::SchemaOnly);
    const TestDatabase& db = *m_rerunDatabase;
    const auto dropRoles = qScopeGuard([&] { dropOtherRoles(db); });
    // What the role does itself first: the rows' settings may keep it from logging in.
    QCOMPARE(runAsRole(db, asRole), QStringList(asRole.size()));
    execAll(db, setup);
    QCOMPARE(db.scalar(forRole(held, db)), "true");

    QCOMPARE(scriptError(db), QString());
    QCOMPARE(db.scalar(forRole(held, db)), "false");
    if (!later.isEmpty())
        db.exec(forRole(later, db));
    for (const QString& error : runAsRole(db, refused))
        QVERIFY2(error.contains("permission denied"), qPrintable(error));
    QCOMPARE(roleState(db), scriptState);
    const QStringList statements = programStatementTexts();
    QCOMPARE(runAsRole(db, statements), QStringList(statements.size()));
}
void TestProgramRole::scriptThatStopsChangesNothing_data() {
    QTest::addColumn<QStringList>("setup");
    QTest::newRow("owns a table") << QStringList{"ALTER TABLE tbllog OWNER TO {role}"};
    QTest::newRow("owns a function")
        << QStringList{"CREATE FUNCTION mine() RETURNS int LANGUAGE sql AS 'SELECT 1'",
                       "ALTER FUNCTION mine() OWNER TO {role}"};
    QTest::newRow("owns a type") << QStringList{"CREATE TYPE mood AS ENUM ('ok')",
                                                "ALTER TYPE mood OWNER TO {role}"};
    QTest::newRow("owns a large object")
        << QStringList{"SELECT lo_create(4243)", "ALTER LARGE OBJECT 4243 OWNER TO {role}"};
    QTest::newRow("owns a schema") << QStringList{"CREATE SCHEMA mine AUTHORIZATION {role}"};
    // The last GRANT fails, after everything else has been taken back.
    QTest::newRow("fails at the end") << QStringList{"ALTER TABLE PERIOD RENAME TO period_gone"};
}

// A script that stops, because the role owns an object or a statement fails, leaves the role
// as it found it: its password, memberships, settings and rights.
void TestProgramRole::scriptThatStopsChangesNothing() {
    QFETCH(QStringList, setup);
    const TestDatabase db(Engine::PostgreSQL, TestDatabase::Content::SchemaOnly);
    execAll(db, setup + QStringList{"GRANT pg_read_all_data TO {role}",
                                    "GRANT DELETE ON TLOAD TO {role}",
                                    "ALTER ROLE {role} SET work_mem = '1MB'"});
    const QString password =
        forRole("SELECT rolpassword FROM pg_authid WHERE rolname = '{role}'", db);
    const QStringList before = roleState(db);
    const QString passwordBefore = db.scalar(password);
    QVERIFY(!scriptError(db).isEmpty());
    QCOMPARE(roleState(db), before);
    QCOMPARE(db.scalar(password), passwordBefore);
}

QTEST_MAIN(TestProgramRole)
#include "tst_programrole.moc"
