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
// script, as text each must hold; none where the other engine has no such thing.
void TestGrants::scriptsTakeBackTheSameThings_data() {
    QTest::addColumn<QStringList>("postgresql");
    QTest::addColumn<QStringList>("sqlserver");
    const QList<std::tuple<const char*, QStringList, QStringList>> clauses{
        {"one transaction",
         {"\nBEGIN;\n", "\nCOMMIT;\n"},
         {"SET XACT_ABORT ON;", "\nBEGIN TRANSACTION;\n", "\nCOMMIT;\n"}},
        {"owned objects of any kind stop it",
         {"FROM pg_shdepend s", "s.deptype = 'o'"},
         {"sys.objects", "sys.types", "owning_principal_id = @user", "sys.certificates",
          "sys.asymmetric_keys", "sys.symmetric_keys", "sys.assemblies"}},
        {"owned databases",
         {"LEFT JOIN pg_database d ON d.oid = s.dbid"},
         {"FROM sys.databases WHERE owner_sid = @sid"}},
        {"in every database", {"FROM pg_database d\n"}, {"FROM sys.databases WHERE state = 0"}},
        {"the login's users found by its SID",
         {},
         {"FROM sys.database_principals WHERE sid = @sid"}},
        {"memberships", {"REVOKE %I FROM %I"}, {"ALTER SERVER ROLE ", "ALTER ROLE "}},
        {"by each grantor, with CASCADE",
         {"SET ROLE %I; REVOKE ALL ON %s %s FROM %I CASCADE"},
         {"CASCADE AS '' + QUOTENAME(x.grantor)", "CASCADE AS ' + QUOTENAME(x.grantor)"}},
        {"tables and columns", {"'TABLE'"}, {"WHEN 1 THEN N'' ON OBJECT::", "COL_NAME"}},
        {"sequences", {"'SEQUENCE'"}, {"WHEN 1 THEN N'' ON OBJECT::"}},
        {"functions", {"'ROUTINE'"}, {"WHEN 1 THEN N'' ON OBJECT::"}},
        {"schemas", {"'SCHEMA'"}, {"ON SCHEMA::"}},
        {"types", {"'TYPE'"}, {"ON TYPE::"}},
        {"the database", {"'DATABASE'"}, {"WHEN 0 THEN N''''"}},
        {"users and roles", {}, {"ON ROLE::", "ON APPLICATION ROLE::", "ON USER::"}},
        {"keys and certificates",
         {},
         {"ON SYMMETRIC KEY::", "ON CERTIFICATE::", "ON ASYMMETRIC KEY::"}},
        {"large objects", {"'LARGE OBJECT'"}, {}},
        {"languages and foreign data",
         {"'LANGUAGE'", "'FOREIGN DATA WRAPPER'", "'FOREIGN SERVER'"},
         {}},
        {"server: tablespaces, parameters", {"'TABLESPACE'", "'PARAMETER'"}, {}},
        {"server: logins, server roles, endpoints",
         {},
         {"ON LOGIN::", "ON SERVER ROLE::", "ON ENDPOINT::"}},
        {"a class the script does not know stops it",
         {},
         {"holds a permission of a class that the script does not know",
          "holds a server permission of a class that the script does not know"}},
        {"default privileges", {"ALTER DEFAULT PRIVILEGES"}, {}},
        {"settings", {"RESET ALL"}, {"DEFAULT_LANGUAGE = [us_english]", "DEFAULT_SCHEMA = [dbo]"}},
        {"validity",
         {"VALID UNTIL 'infinity'", "CONNECTION LIMIT -1"},
         {"CHECK_EXPIRATION = OFF", "UNLOCK;", "ALTER LOGIN [TV] ENABLE;"}},
    };
    for (const auto& [name, postgresql, sqlserver] : clauses)
        QTest::newRow(name) << postgresql << sqlserver;
}

void TestGrants::scriptsTakeBackTheSameThings() {
    QFETCH(QStringList, postgresql);
    QFETCH(QStringList, sqlserver);
    for (const auto& [file, clauses] :
         {std::pair{"postgresql.sql", postgresql}, std::pair{"sqlserver.sql", sqlserver}}) {
        const QString text = script(file);
        for (const QString& clause : clauses)
            QVERIFY2(text.contains(clause), qPrintable(QString(file) + ": " + clause));
    }
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
