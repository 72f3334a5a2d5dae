#include "ProgramStatements.h"
#include "TestDatabase.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

QString script(const QString& name) {
    QFile file(dataPath(QStringLiteral("roles/") + name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    return QString::fromUtf8(file.readAll());
}

// The table rights that a script's GRANT lines give, as "VERB table" or "VERB table.column" in
// lower case, sorted; grants on the database or a schema are left out.
QStringList tableGrants(const QString& text) {
    static const QRegularExpression grant(
        QStringLiteral(R"(^GRANT (\w+) (?:\(\[?(\w+)\]?\) )?ON (?:\[dbo\]\.)?\[?(\w+)\]? TO )"),
        QRegularExpression::MultilineOption);
    QStringList rights;
    for (const QRegularExpressionMatch& match : grant.globalMatch(text)) {
        const QString column = match.captured(2);
        rights << (match.captured(1) + u' ' + match.captured(3).toLower() +
                   (column.isEmpty() ? QString() : u'.' + column));
    }
    rights.sort();
    return rights;
}

} // namespace

// What the role scripts say. Both are read as text here; tst_programrole runs the PostgreSQL
// one on a server, and no SQL Server runs where the program is tested.
class TestGrants : public QObject {
    Q_OBJECT

private slots:
    void scriptsGrantTheProgramsRightsAndNothingElse_data();
    void scriptsGrantTheProgramsRightsAndNothingElse();
    void scriptsTakeBackTheSameThings_data();
    void scriptsTakeBackTheSameThings();
    void everyStatementIsCollected();
};

void TestGrants::scriptsGrantTheProgramsRightsAndNothingElse_data() {
    QTest::addColumn<QString>("script");
    QTest::newRow("postgresql") << "postgresql.sql";
    QTest::newRow("sqlserver") << "sqlserver.sql";
}

void TestGrants::scriptsGrantTheProgramsRightsAndNothingElse() {
    QFETCH(QString, script);
    const QString text = ::script(script);
    QCOMPARE(tableGrants(text), (QStringList{"INSERT tbllog", "SELECT period", "SELECT prof_login",
                                             "SELECT tload", "UPDATE prof_login.password"}));
    // A GRANT over several lines would escape the reading above.
    static const QRegularExpression unfinished(QStringLiteral("^GRANT [^;]*$"),
                                               QRegularExpression::MultilineOption);
    QVERIFY2(!unfinished.match(text).hasMatch(), qPrintable(unfinished.match(text).captured()));
}

// Each thing the PostgreSQL script takes back or checks, and its counterpart in the T-SQL
// script; an empty pattern is a thing the other engine does not have.
void TestGrants::scriptsTakeBackTheSameThings_data() {
    QTest::addColumn<QString>("postgresql");
    QTest::addColumn<QString>("sqlserver");
    const QList<std::tuple<const char*, const char*, const char*>> clauses{
        {"one transaction", R"(^BEGIN;[\s\S]*^COMMIT;)",
         R"(SET XACT_ABORT ON;[\s\S]*^BEGIN TRANSACTION;[\s\S]*^COMMIT;)"},
        {"owned objects of any kind stop it, in every database", R"(pg_shdepend[\s\S]*'o')",
         R"(sys\.objects[\s\S]*sys\.types[\s\S]*owning_principal_id[\s\S]*sys\.certificates)"
         R"([\s\S]*sys\.asymmetric_keys[\s\S]*sys\.symmetric_keys)"},
        {"the database's owner", "pg_shdepend", R"(FROM sys\.databases WHERE owner_sid = @sid)"},
        {"the login's user found by its SID", "",
         R"(FROM sys\.database_principals WHERE sid = @sid)"},
        {"in every database", R"(FROM pg_database d\n)", R"(FROM sys\.databases WHERE state = 0)"},
        {"memberships", R"(REVOKE %I FROM %I)", R"(ALTER SERVER ROLE[\s\S]*ALTER ROLE)"},
        {"by each grantor, with CASCADE", R"(SET ROLE %I; REVOKE ALL ON %s %s FROM %I CASCADE)",
         R"(CASCADE AS ' \+ QUOTENAME\(g\.name\))"},
        {"tables and columns", "'TABLE'", R"(WHEN 1 THEN N'' ON OBJECT::)"},
        {"sequences", "'SEQUENCE'", R"(WHEN 1 THEN N'' ON OBJECT::)"},
        {"functions", "'ROUTINE'", R"(WHEN 1 THEN N'' ON OBJECT::)"},
        {"schemas", "'SCHEMA'", "SCHEMA::"},
        {"types", "'TYPE'", "TYPE::"},
        {"the database", "'DATABASE'", R"(WHEN 0 THEN N'''')"},
        {"users and roles", "", R"(ROLE::[\s\S]*USER::)"},
        {"keys and certificates", "",
         R"(SYMMETRIC KEY::[\s\S]*CERTIFICATE::[\s\S]*ASYMMETRIC KEY::)"},
        {"large objects", "'LARGE OBJECT'", ""},
        {"languages and foreign data", "'LANGUAGE'[\\s\\S]*'FOREIGN DATA WRAPPER'", ""},
        {"server: tablespaces, parameters", "'TABLESPACE'[\\s\\S]*'PARAMETER'", ""},
        {"server: every class", "", R"(sys\.server_permissions AS p\n)"},
        {"server: logins, server roles, endpoints", "",
         R"(LOGIN::[\s\S]*SERVER ROLE::[\s\S]*ENDPOINT::)"},
        {"a class the script does not know stops it", "",
         R"(THROW 50000, N'a permission of a class)"},
        {"default privileges", "ALTER DEFAULT PRIVILEGES", ""},
        {"settings", "RESET ALL", "DEFAULT_LANGUAGE = [us_english]"},
        {"validity", "VALID UNTIL 'infinity'", R"(UNLOCK[\s\S]*ENABLE)"},
    };
    for (const auto& [name, postgresql, sqlserver] : clauses)
        QTest::newRow(name) << postgresql << sqlserver;
}

void TestGrants::scriptsTakeBackTheSameThings() {
    QFETCH(QString, postgresql);
    QFETCH(QString, sqlserver);
    for (const auto& [file, pattern] :
         {std::pair{"postgresql.sql", postgresql}, std::pair{"sqlserver.sql", sqlserver}})
        if (!pattern.isEmpty())
            QVERIFY2(QRegularExpression(pattern, QRegularExpression::MultilineOption)
                         .match(script(file))
                         .hasMatch(),
                     qPrintable(QString(file) + ": " + pattern));
}

// A statement added to the program without being added to programStatements() would go
// unchecked: every statement head in the sources must begin one of the collected texts.
void TestGrants::everyStatementIsCollected() {
    static const QRegularExpression head(QStringLiteral(R"(Statement\s*\w*\s*\(\s*"([^"]*)\")"));
    const auto statements = programStatements();
    int heads = 0;
    QDirIterator files(QStringLiteral(ZELKARIN_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QRegularExpressionMatch& match :
             head.globalMatch(QString::fromUtf8(file.readAll()))) {
            ++heads;
            const QString text = match.captured(1);
            QVERIFY2(std::any_of(
                         statements.begin(), statements.end(),
                         [&](const auto& statement) { return statement.second.startsWith(text); }),
                     qPrintable(file.fileName() + ": " + text));
        }
    }
    QCOMPARE(heads, statements.size());
}

QTEST_APPLESS_MAIN(TestGrants)
#include "tst_grants.moc"
