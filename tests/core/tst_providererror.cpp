#include "Connections.h"
#include "Guard.h"
#include "ProviderError.h"
#include "Statement.h"
#include "TestDatabase.h"
#include "TestFixture.h"

#include <QSqlError>
#include <QTest>

// A statement that the engine rejects is reported with the engine's words, never with the
// statement's text or values: they hold what the member typed, passwords included.
class TestProviderError : public TestFixture {
    Q_OBJECT

private slots:
    void cleanup();

    void rejectedStatementShowsNoValue_data();
    void rejectedStatementShowsNoValue();
    void quotedFragmentsAreBlanked_data();
    void quotedFragmentsAreBlanked();

private:
    std::unique_ptr<TestDatabase> m_db;
};

namespace {

// The parts of the secret that an engine could quote, with or without what follows a NUL.
const QString secretHead = QStringLiteral("Zq9");
const QString secretTail = QStringLiteral("secret");

enum class Rejection { NulInValue, DuplicateKey, NotANumber };

Statement rejectedStatement(Rejection rejection, const QString& secret) {
    switch (rejection) {
    case Rejection::NulInValue:
        return Statement("SELECT * from Prof_login where profid='")
            .value("12-345-67")
            .sql("' and password='")
            .value(secret)
            .sql("'");
    case Rejection::DuplicateKey:
        return Statement("INSERT INTO tbllog (userid,oras,araw,IP,name) VALUES('")
            .value(secret)
            .sql("','1:00:00 PM','1/1/2026','10.0.0.5', 'x')");
    case Rejection::NotANumber:
        return Statement("SELECT * from PERIOD where 1='").value(secret).sql("'");
    }
    Q_UNREACHABLE();
}

} // namespace

Q_DECLARE_METATYPE(Rejection)

void TestProviderError::cleanup() {
    TestFixture::cleanup();
    m_db.reset();
}

void TestProviderError::rejectedStatementShowsNoValue_data() {
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<Rejection>("rejection");
    QTest::addColumn<QString>("secret");
    const QString nul = secretHead + QChar(0) + secretTail;
    const QString plain = secretHead + secretTail;
    for (Engine engine : allEngines) {
        const char* name = engineRowName(engine);
        QTest::addRow("%s/pasted NUL", name) << engine << Rejection::NulInValue << nul;
        QTest::addRow("%s/duplicate key", name) << engine << Rejection::DuplicateKey << plain;
        if (engine != Engine::SQLite) // SQLite compares a number with any text
            QTest::addRow("%s/not a number", name) << engine << Rejection::NotANumber << plain;
    }
}

void TestProviderError::rejectedStatementShowsNoValue() {
    QFETCH(Engine, engine);
    QFETCH(Rejection, rejection);
    QFETCH(QString, secret);
    m_db = std::make_unique<TestDatabase>(engine, TestDatabase::Content::SchemaOnly);
    Connections::useConnectionString(m_db->connectionString());
    if (rejection == Rejection::DuplicateKey) {
        m_db->exec("CREATE UNIQUE INDEX tbllog_user ON tbllog (userid)");
        m_db->exec("INSERT INTO tbllog (userid) VALUES ('" + secretHead + secretTail + "')");
    }
    const bool ran = runGuarded([&] {
        Connections::OpenConnection();
        Connections::Execute(rejectedStatement(rejection, secret));
    });
    QVERIFY(!ran);
    QCOMPARE(messages.messages().size(), 1);
    const QString shown = messages.prompts().first();
    QVERIFY2(shown.startsWith("Run-time error '-2147467259':\n\n"), qPrintable(shown));
    // The engine said something of its own beyond the heading.
    QVERIFY2(shown.size() > 40, qPrintable(shown));
    for (const QString& part :
         {secretHead, secretTail, QStringLiteral("12-345-67"), QStringLiteral("SELECT"),
          QStringLiteral("INSERT"), QStringLiteral("1:00:00"), QStringLiteral("10.0.0.5")})
        QVERIFY2(!shown.contains(part, Qt::CaseInsensitive), qPrintable(shown));
}

// Texts in the form of the engines that cannot run here (SQL Server's through FreeTDS), and the
// forms of quoting: only what stands between quotes goes.
void TestProviderError::quotedFragmentsAreBlanked_data() {
    QTest::addColumn<QString>("driverText");
    QTest::addColumn<QString>("databaseText");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected");
    QTest::newRow("SQL Server: unclosed quotation mark")
        << "QODBC: Unable to execute statement"
        << "[FreeTDS][SQL Server]Unclosed quotation mark after the character string 'Zq9secret'. "
           "[FreeTDS][SQL Server]Incorrect syntax near 'Zq9secret'."
        << "105"
        << "QODBC: Unable to execute statement\n[FreeTDS][SQL Server]Unclosed quotation mark "
           "after the character string '...'. [FreeTDS][SQL Server]Incorrect syntax near '...'.\n"
           "(105)";
    QTest::newRow("apostrophes inside words stay, quotes inside a value go")
        << "QODBC: Unable to connect"
        << "[unixODBC][Driver Manager]Can't open lib 'x' : file not found near 'O'Brien's key'"
        << ""
        << "QODBC: Unable to connect\n[unixODBC][Driver Manager]Can't open lib '...' : file not "
           "found near '...'";
    QTest::newRow("PostgreSQL: statement and key lines dropped")
        << "QPSQL: Unable to create query"
        << "ERROR:  syntax error at or near \"Zq9secret\"\nLINE 1: SELECT * from Prof_login where "
           "password='Zq9secret'\n                      ^\nDETAIL:  Key (userid)=(Zq9secret)"
        << "42601"
        << "QPSQL: Unable to create query\nERROR:  syntax error at or near \"...\"\n(42601)";
    QTest::newRow("quote never closed") << ""
                                        << "unrecognized token: \"'Zq9"
                                        << "1"
                                        << "unrecognized token: \"...\"\n(1)";
}

void TestProviderError::quotedFragmentsAreBlanked() {
    QFETCH(QString, driverText);
    QFETCH(QString, databaseText);
    QFETCH(QString, code);
    QFETCH(QString, expected);
    const zelkarin::Error error =
        providerError(QSqlError(driverText, databaseText, QSqlError::StatementError, code));
    QCOMPARE(error.number(), zelkarin::Error::ProviderError);
    QCOMPARE(error.description(), expected);
}

QTEST_GUILESS_MAIN(TestProviderError)
#include "tst_providererror.moc"
