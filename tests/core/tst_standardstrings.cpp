#include "Connections.h"
#include "Statement.h"
#include "TestDatabase.h"
#include "TestFixture.h"

#include <QTest>

// Doubled quotes keep a value inside its literal only while backslashes are plain characters.
// The connection sees to that even where the server's own setting says otherwise.
class TestStandardStrings : public TestFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void backslashQuotesStayInsideTheirLiteral_data();
    void backslashQuotesStayInsideTheirLiteral();

private:
    std::unique_ptr<TestDatabase> m_db;
};

namespace {

Recordset run(const Statement& statement) {
    Connections::OpenConnection();
    return Connections::Execute(statement);
}

} // namespace

void TestStandardStrings::init() {
    TestFixture::init();
    QFETCH(Engine, engine);
    m_db = std::make_unique<TestDatabase>(engine, TestDatabase::Content::SchemaOnly);
    // Every new session of this database reads a backslash as an escape by default.
    m_db->exec("ALTER DATABASE " + m_db->scalar("SELECT current_database()") +
               " SET standard_conforming_strings = off");
    m_db->exec("INSERT INTO Prof_login (profid, password, lastname, firstname, dept) VALUES "
               "('11-111-11', 'pw', 'Reyes', 'Ana', 'CCS'), "
               "('22-222-22', 'keep', 'Santos', 'Ben', 'CCS')");
    Connections::useConnectionString(m_db->connectionString());
}

void TestStandardStrings::cleanup() {
    TestFixture::cleanup();
    m_db.reset();
}

void TestStandardStrings::backslashQuotesStayInsideTheirLiteral_data() {
    addEngineValueRows({Engine::PostgreSQL, Engine::PostgreSQLOdbc},
                       {
                           {"escaped quote then tautology", "x\\' OR 1=1 --"},
                           {"escaped doubled quotes", "\\'' OR ''1''=''1"},
                           {"trailing backslash", "pw\\"},
                       });
}

void TestStandardStrings::backslashQuotesStayInsideTheirLiteral() {
    QFETCH(QString, value);
    const Recordset setting = run(Statement("SHOW standard_conforming_strings"));
    QCOMPARE(setting.field("standard_conforming_strings").text(), "on");

    Recordset login = run(Statement("SELECT * from Prof_login where profid='")
                              .value(value)
                              .sql("' and password='")
                              .value(value)
                              .sql("'"));
    QVERIFY(login.bof() && login.eof());

    run(Statement("INSERT INTO tbllog (userid,oras,araw,IP,name) VALUES('")
            .value(value)
            .sql("','1:00:00 PM','1/1/2026','10.0.0.5', '")
            .value(value)
            .sql("')"));
    QCOMPARE(m_db->rows("SELECT userid, name FROM tbllog"), (QList<QStringList>{{value, value}}));

    run(Statement("UPDATE Prof_login set password='")
            .value(value)
            .sql("'where Profid ='")
            .value("11-111-11")
            .sql("'"));
    QCOMPARE(m_db->rows("SELECT profid, password FROM Prof_login ORDER BY profid"),
             (QList<QStringList>{{"11-111-11", value}, {"22-222-22", "keep"}}));
}

QTEST_GUILESS_MAIN(TestStandardStrings)
#include "tst_standardstrings.moc"
