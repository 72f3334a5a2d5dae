#include "Connections.h"
#include "Guard.h"
#include "ProviderError.h"
#include "Statement.h"
#include "TestDatabase.h"
#include "TestFixture.h"

#include <QSqlError>
#include <QTest>

// A statement that the engine rejects is reported with the engine's words and the names they
// hold, never with the statement's text or values: they hold what the member typed, passwords
// included.
class TestProviderError : public TestFixture {
    Q_OBJECT

private slots:
    void cleanup();

    void rejectedStatementShowsNoValue_data();
    void rejectedStatementShowsNoValue();
    void valuesAreBlankedNamesKept_data();
    void valuesAreBlankedNamesKept();

private:
    std::unique_ptr<TestDatabase> m_db;
};

namespace {

// A password of quotes, blanks and both letter cases, in two parts that a pasted NUL may join.
const QString secretHead = QStringLiteral("Sq9'\" Wv");
const QString secretTail = QStringLiteral("Xk \"Pj'z");

// Every run of four characters of the secret and its parts, in the forms an engine echoes: as
// typed and with quotes doubled, as the statement carried them.
QStringList secretRuns() {
    QStringList runs;
    for (const QString& part : {secretHead, secretTail, secretHead + secretTail}) {
        const QString doubled = QString(part).replace(u'\'', QLatin1String("''"));
        for (const QString& form : {part, doubled})
            for (qsizetype i = 0; i + 4 <= form.size(); ++i)
                runs << form.mid(i, 4);
    }
    return runs;
}

enum class Rejection { NulInValue, DuplicateKey, NotANumber, CaseFolded };

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
    case Rejection::CaseFolded:
        return Statement("SELECT * from PERIOD where 1=CAST(lower('")
            .value(secret)
            .sql("') AS integer)");
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
    // Words of the engine's own that the message keeps.
    QTest::addColumn<QString>("kept");
    const QString nul = secretHead + QChar(0) + secretTail;
    const QString plain = secretHead + secretTail;
    for (Engine engine : allEngines) {
        const char* name = engineRowName(engine);
        const bool sqlite = engine == Engine::SQLite;
        QTest::addRow("%s/pasted NUL", name)
            << engine << Rejection::NulInValue << nul
            << (sqlite ? "unrecognized token" : "unterminated quoted string");
        QTest::addRow("%s/duplicate key", name)
            << engine << Rejection::DuplicateKey << plain
            << (sqlite ? "UNIQUE constraint failed: tbllog.userid" : "\"tbllog_user\"");
        if (sqlite) // SQLite compares a number with any text
            continue;
        QTest::addRow("%s/not a number", name)
            << engine << Rejection::NotANumber << plain << "invalid input syntax for type integer";
        QTest::addRow("%s/case folded", name)
            << engine << Rejection::CaseFolded << plain << "invalid input syntax for type integer";
    }
}

void TestProviderError::rejectedStatementShowsNoValue() {
    QFETCH(Engine, engine);
    QFETCH(Rejection, rejection);
    QFETCH(QString, secret);
    QFETCH(QString, kept);
    m_db = std::make_unique<TestDatabase>(engine, TestDatabase::Content::SchemaOnly);
    Connections::useConnectionString(m_db->connectionString());
    if (rejection == Rejection::DuplicateKey) {
        m_db->exec("CREATE UNIQUE INDEX tbllog_user ON tbllog (userid)");
        m_db->exec("INSERT INTO tbllog (userid) VALUES ('" +
                   QString(secret).replace(u'\'', QLatin1String("''")) + "')");
    }
    const bool ran = runGuarded([&] {
        Connections::OpenConnection();
        Connections::Execute(rejectedStatement(rejection, secret));
    });
    QVERIFY(!ran);
    QCOMPARE(messages.messages().size(), 1);
    const QString shown = messages.prompts().first();
    QVERIFY2(shown.startsWith("Run-time error '-2147467259':\n\n"), qPrintable(shown));
    QVERIFY2(shown.contains(kept), qPrintable(shown));
    for (const QString& part :
         secretRuns() + QStringList{"12-345-67", "SELECT", "INSERT", "1:00:00", "10.0.0.5"})
        QVERIFY2(!shown.contains(part, Qt::CaseInsensitive), qPrintable(part + " in " + shown));
}

// Texts in the form of the engines that cannot run here (SQL Server's through FreeTDS) and the
// forms in which an engine echoes a value: whole, cut short, case-folded, quotes doubled, cut
// at a NUL. Only the values go; names, paths and codes stay.
void TestProviderError::valuesAreBlankedNamesKept_data() {
    QTest::addColumn<QString>("driverText");
    QTest::addColumn<QString>("databaseText");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("expected");
    QTest::newRow("SQL Server: missing table")
        << "QODBC: Unable to execute statement"
        << "[FreeTDS][SQL Server]Invalid object name 'TLOADS'."
        << "208" << QStringList{"12-345-67", "2026-2027 1st Semester"}
        << "QODBC: Unable to execute statement\n[FreeTDS][SQL Server]Invalid object name "
           "'TLOADS'.\n(208)";
    QTest::newRow("SQL Server: refused login")
        << "QODBC: Unable to connect"
        << "[FreeTDS][SQL Server]Login failed for user 'TV'."
        << "18456" << QStringList{"vexaKORM51"}
        << "QODBC: Unable to connect\n[FreeTDS][SQL Server]Login failed for user 'TV'.\n(18456)";
    QTest::newRow("missing driver library")
        << "QODBC: Unable to connect"
        << "[unixODBC][Driver Manager]Can't open lib '/usr/lib/odbc/libtdsodbc.so' : file not "
           "found"
        << "01000" << QStringList{"vexaKORM51"}
        << "QODBC: Unable to connect\n[unixODBC][Driver Manager]Can't open lib "
           "'/usr/lib/odbc/libtdsodbc.so' : file not found\n(01000)";
    QTest::newRow("SQL Server: value cut to four characters, quote and blank inside")
        << "QODBC: Unable to execute statement"
        << "[FreeTDS][SQL Server]String or binary data would be truncated in table "
           "'Tevrin.dbo.Prof_login', column 'password'. Truncated value: 'a' s'."
        << "2628" << QStringList{"a' secret", "12-345-67"}
        << "QODBC: Unable to execute statement\n[FreeTDS][SQL Server]String or binary data "
           "would be truncated in table 'Tevrin.dbo.Prof_login', column 'password'. Truncated "
           "value: '...'.\n(2628)";
    QTest::newRow("a run inside a value, quotes doubled")
        << ""
        << "near \"x''; DROP\": syntax error"
        << "1" << QStringList{"wx'; DROP TABLE"} << "near \"...\": syntax error\n(1)";
    QTest::newRow("case-folded, and a code that is not a value")
        << "QPSQL: Unable to create query"
        << "ERROR:  invalid input syntax for type integer: \"zq9 secret\""
        << "22P02" << QStringList{"Zq9 SECRET"}
        << "QPSQL: Unable to create query\nERROR:  invalid input syntax for type integer: "
           "\"...\"\n(22P02)";
    QTest::newRow("cut at a NUL: a short head stands whole")
        << ""
        << "unrecognized token: \"'Zq9"
        << "1" << QStringList{QStringLiteral("Zq9") + QChar(0) + QStringLiteral("secret")}
        << "unrecognized token: \"'...\n(1)";
    QTest::newRow("short runs inside words and short values inside words stay")
        << ""
        << "no such table: Formula_Zq9"
        << "1" << QStringList{"ZQ9fo", "Zq9", "rm"} << "no such table: Formula_Zq9\n(1)";
    QTest::newRow("PostgreSQL: the statement, caret and key lines are dropped")
        << "QPSQL: Unable to create query"
        << "ERROR:  duplicate key value violates unique constraint \"tbllog_user\"\nDETAIL:  Key "
           "(userid)=(Zq9secret) already exists.\nLINE 1: INSERT INTO tbllog VALUES "
           "('Zq9secret')\n                      ^"
        << "23505" << QStringList{"Zq9secret"}
        << "QPSQL: Unable to create query\nERROR:  duplicate key value violates unique "
           "constraint \"tbllog_user\"\n(23505)";
}

void TestProviderError::valuesAreBlankedNamesKept() {
    QFETCH(QString, driverText);
    QFETCH(QString, databaseText);
    QFETCH(QString, code);
    QFETCH(QStringList, values);
    QFETCH(QString, expected);
    const zelkarin::Error error =
        providerError(QSqlError(driverText, databaseText, QSqlError::StatementError, code), values);
    QCOMPARE(error.number(), zelkarin::Error::ProviderError);
    QCOMPARE(error.description(), expected);
}

QTEST_GUILESS_MAIN(TestProviderError)
#include "tst_providererror.moc"
