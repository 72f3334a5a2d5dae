#include "ClassListExport.h"
#include "MemberLogin.h"
#include "PasswordChange.h"
#include "TableRights.h"
#include "TeachingLoad.h"
#include "TestDatabase.h"
#include "TestFixture.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

// Every statement the program can issue, from the functions that build them.
QList<std::pair<const char*, QString>> programStatements() {
    return {
        {"credential check", credentialCheck("12-345-67", "maria").text()},
        {"audit row",
         auditInsert({"12-345-67", "9:15:02 AM", "3/4/26", "10.0.0.5", "Santos  Maria Luisa"})
             .text()},
        {"active period", activePeriodStatement().text()},
        {"offered periods", offeredPeriodsStatement().text()},
        {"enrolled load",
         teachingLoadStatement(LoadForm::EnrolledOnly, "12-345-67", "2026-2027 1st Semester")
             .text()},
        {"whole load",
         teachingLoadStatement(LoadForm::AllRows, "12-345-67", "2026-2027 1st Semester").text()},
        {"class list",
         classListStatement("12-345-67", "2026-2027 1st Semester", "IT 101", "MWF 8:00-9:00 AM")
             .text()},
        {"account lookup", accountLookup("12-345-67").text()},
        {"password update", passwordUpdate("n3w", "12-345-67").text()},
    };
}

QStringList postgresGrants() {
    return grantedRights(dataPath("roles/postgresql.sql"));
}

} // namespace

class TestGrants : public TestFixture {
    Q_OBJECT

private slots:
    void scriptsGrantTheProgramsRightsAndNothingElse_data();
    void scriptsGrantTheProgramsRightsAndNothingElse();
    void bothEnginesGrantTheSameRights();
    void everyStatementIsCollected();
    void statementNeedsOnlyGrantedRights_data();
    void statementNeedsOnlyGrantedRights();
    void everyGrantIsUsedByAStatement();
};

void TestGrants::scriptsGrantTheProgramsRightsAndNothingElse_data() {
    QTest::addColumn<QString>("script");
    QTest::newRow("postgresql") << "roles/postgresql.sql";
    QTest::newRow("sqlserver") << "roles/sqlserver.sql";
}

void TestGrants::scriptsGrantTheProgramsRightsAndNothingElse() {
    QFETCH(QString, script);
    QCOMPARE(grantedRights(dataPath(script)),
             (QStringList{"INSERT tbllog.*", "SELECT period.*", "SELECT prof_login.*",
                          "SELECT tload.*", "UPDATE prof_login.password"}));
}

void TestGrants::bothEnginesGrantTheSameRights() {
    QCOMPARE(grantedRights(dataPath("roles/sqlserver.sql")), postgresGrants());
}

// A statement added to the program without being added above would go unchecked: every
// statement head in the sources must begin one of the collected texts.
void TestGrants::everyStatementIsCollected() {
    static const QRegularExpression head(QStringLiteral(R"(Statement\s*\w*\s*\(\s*"([^"]*)\")"));
    int heads = 0;
    QDirIterator files(QStringLiteral(ZELKARIN_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString source = QString::fromUtf8(file.readAll());
        for (const QRegularExpressionMatch& match : head.globalMatch(source)) {
            ++heads;
            const QString text = match.captured(1);
            const auto statements = programStatements();
            const bool collected =
                std::any_of(statements.begin(), statements.end(), [&](const auto& statement) {
                    return statement.second.startsWith(text);
                });
            QVERIFY2(collected, qPrintable(file.fileName() + ": " + text));
        }
    }
    QCOMPARE(heads, programStatements().size());
}

void TestGrants::statementNeedsOnlyGrantedRights_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QStringList>("needed");
    const QStringList wholeLoad{"SELECT tload.periodcode",  "SELECT tload.professorid",
                                "SELECT tload.room",        "SELECT tload.schedule",
                                "SELECT tload.ssection",    "SELECT tload.subject",
                                "SELECT tload.subjectname", "SELECT tload.units"};
    QStringList enrolledLoad = wholeLoad + QStringList{"SELECT tload.enrollstatus"};
    enrolledLoad.sort();
    const QStringList expected[] = {
        {"SELECT prof_login.*", "SELECT prof_login.password", "SELECT prof_login.profid"},
        {"INSERT tbllog.araw", "INSERT tbllog.ip", "INSERT tbllog.name", "INSERT tbllog.oras",
         "INSERT tbllog.userid"},
        {"SELECT period.*", "SELECT period.status"},
        {"SELECT period.*", "SELECT period.tanong"},
        enrolledLoad,
        wholeLoad,
        {"SELECT tload.*", "SELECT tload.enrollstatus", "SELECT tload.lastname",
         "SELECT tload.periodcode", "SELECT tload.professorid", "SELECT tload.schedule",
         "SELECT tload.subject"},
        {"SELECT prof_login.*", "SELECT prof_login.profid"},
        {"SELECT prof_login.profid", "UPDATE prof_login.password"},
    };
    const auto statements = programStatements();
    QCOMPARE(statements.size(), qsizetype(std::size(expected)));
    for (qsizetype i = 0; i < statements.size(); ++i)
        QTest::newRow(statements[i].first) << statements[i].second << expected[i];
}

void TestGrants::statementNeedsOnlyGrantedRights() {
    QFETCH(QString, statement);
    QFETCH(QStringList, needed);
    QCOMPARE(neededRights(statement), needed);
    const QStringList grants = postgresGrants();
    for (const QString& right : needed)
        QVERIFY2(std::any_of(grants.begin(), grants.end(),
                             [&](const QString& grant) { return allows(grant, right); }),
                 qPrintable(right + " is not granted"));
}

void TestGrants::everyGrantIsUsedByAStatement() {
    QStringList needed;
    for (const auto& statement : programStatements())
        needed << neededRights(statement.second);
    for (const QString& grant : postgresGrants())
        QVERIFY2(std::any_of(needed.begin(), needed.end(),
                             [&](const QString& right) { return allows(grant, right); }),
                 qPrintable(grant + " is used by no statement"));
}

QTEST_APPLESS_MAIN(TestGrants)
#include "tst_grants.moc"
