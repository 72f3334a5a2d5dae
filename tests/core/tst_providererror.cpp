#include "Connections.h"
#include "Guard.h"
#include "MessageRecorder.h"
#include "Statement.h"
#include "TestDatabase.h"

#include <QTest>

// A statement that the engine rejects is reported with the engine's words, never with the
// statement's text or values: they hold what the member typed, passwords included.
class TestProviderError : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rejectedStatementShowsNoValue_data();
    void rejectedStatementShowsNoValue();

private:
    std::unique_ptr<TestDatabase> m_db;
    QString m_builtIn = Connections::connectionString();
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

void TestProviderError::init() {
    QFETCH(Engine, engine);
    m_db = std::make_unique<TestDatabase>(engine, TestDatabase::Content::SchemaOnly);
    Connections::useConnectionString(m_db->connectionString());
}

void TestProviderError::cleanup() {
    Connections::cn.reset();
    m_db.reset();
    Connections::useConnectionString(m_builtIn);
}

void TestProviderError::rejectedStatementShowsNoValue_data() {
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<Rejection>("rejection");
    QTest::addColumn<QString>("secret");
    const QString nul = secretHead + QChar(0) + secretTail;
    const QString plain = secretHead + secretTail;
    const QList<std::pair<const char*, Engine>> engines{
        {"sqlite", Engine::SQLite},
        {"postgresql", Engine::PostgreSQL},
        {"odbc-postgresql", Engine::PostgreSQLOdbc}};
    for (const auto& [name, engine] : engines) {
        QTest::addRow("%s/pasted NUL", name) << engine << Rejection::NulInValue << nul;
        QTest::addRow("%s/duplicate key", name) << engine << Rejection::DuplicateKey << plain;
        if (engine != Engine::SQLite) // SQLite compares a number with any text
            QTest::addRow("%s/not a number", name) << engine << Rejection::NotANumber << plain;
    }
}

void TestProviderError::rejectedStatementShowsNoValue() {
    QFETCH(Rejection, rejection);
    QFETCH(QString, secret);
    if (rejection == Rejection::DuplicateKey) {
        m_db->exec("CREATE UNIQUE INDEX tbllog_user ON tbllog (userid)");
        m_db->exec("INSERT INTO tbllog (userid) VALUES ('" + secretHead + secretTail + "')");
    }
    MessageRecorder messages;
    const bool ran = runGuarded([&] {
        Connections::OpenConnection();
        Connections::Execute(rejectedStatement(rejection, secret));
    });
    QVERIFY(!ran);
    QCOMPARE(messages.messages().size(), 1);
    const QString shown = messages.prompts().first();
    qDebug().noquote() << shown;
    QVERIFY2(shown.startsWith("Run-time error '-2147467259':\n\n"), qPrintable(shown));
    // The engine said something of its own beyond the heading.
    QVERIFY2(shown.size() > 40, qPrintable(shown));
    for (const QString& part :
         {secretHead, secretTail, QStringLiteral("12-345-67"), QStringLiteral("SELECT"),
          QStringLiteral("INSERT"), QStringLiteral("1:00:00"), QStringLiteral("10.0.0.5")})
        QVERIFY2(!shown.contains(part, Qt::CaseInsensitive), qPrintable(shown));
}

QTEST_GUILESS_MAIN(TestProviderError)
#include "tst_providererror.moc"
