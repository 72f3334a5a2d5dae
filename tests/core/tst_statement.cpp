#include "ProgramStatements.h"
#include "Statement.h"
#include "TestFixture.h"

#include <QTest>

#include <type_traits>

// Only literals make fixed text: run-time text can enter a statement only as a value.
static_assert(std::is_constructible_v<Fragment, const char (&)[4]>);
static_assert(!std::is_constructible_v<Fragment, QString>);
static_assert(!std::is_constructible_v<Fragment, const char*>);

class TestStatement : public TestFixture {
    Q_OBJECT

private slots:
    void valuesWithoutQuoteStandAsTheyAre_data();
    void valuesWithoutQuoteStandAsTheyAre();
    void quoteInValueIsDoubled_data();
    void quoteInValueIsDoubled();
    void programStatementsAreTheFixedTexts();
};

void TestStatement::valuesWithoutQuoteStandAsTheyAre_data() {
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << QStringLiteral("12-345-67");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks") << QStringLiteral("  a b  ");
    QTest::newRow("backslash") << QStringLiteral("C:\\temp\\");
    QTest::newRow("non-ascii") << QStringLiteral("Peña Ñiño 李");
    QTest::newRow("double quote") << QStringLiteral("say \"hi\"; --");
    QTest::newRow("long") << QString(10000, u'x');
}

void TestStatement::valuesWithoutQuoteStandAsTheyAre() {
    QFETCH(QString, value);
    const Statement statement = Statement("SELECT * from Prof_login where profid='")
                                    .value(value)
                                    .sql("' and password='")
                                    .value(value)
                                    .sql("'");
    QCOMPARE(statement.text(),
             "SELECT * from Prof_login where profid='" + value + "' and password='" + value + "'");
}

void TestStatement::quoteInValueIsDoubled_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("quoted");
    QTest::newRow("name") << QStringLiteral("O'Brien") << QStringLiteral("O''Brien");
    QTest::newRow("tautology") << QStringLiteral("' OR '1'='1")
                               << QStringLiteral("'' OR ''1''=''1");
    QTest::newRow("drop") << QStringLiteral("x'; DROP TABLE tbllog; --")
                          << QStringLiteral("x''; DROP TABLE tbllog; --");
    QTest::newRow("only quotes") << QStringLiteral("''") << QStringLiteral("''''");
    QTest::newRow("backslash quote") << QStringLiteral("\\'") << QStringLiteral("\\''");
}

void TestStatement::quoteInValueIsDoubled() {
    QFETCH(QString, value);
    QFETCH(QString, quoted);
    const Statement statement =
        Statement("SELECT * FROM Prof_login WHERE Profid ='").value(value).sql("'");
    QCOMPARE(statement.text(), "SELECT * FROM Prof_login WHERE Profid ='" + quoted + "'");
}

void TestStatement::programStatementsAreTheFixedTexts() {
    // clang-format off
    const QMap<QString, QString> expected = {
        {"credential check", "SELECT * from Prof_login where profid='12-345-67' and password='maria'"},
        {"audit insert", "INSERT INTO tbllog (userid,oras,araw,IP,name) VALUES('12-345-67','2:05:09 PM','3/4/2009','10.0.0.5', 'Alpha Beta  Gamma')"},
        {"offered periods", "SELECT * from PERIOD where tanong='YES'"},
        {"active period", "SELECT * from PERIOD where status='ACTIVE'"},
        {"enrolled load", "SELECT schedule,ssection,room,units,subjectname,periodcode,subject,enrollstatus,professorid,subject,count(subject)as NoOfE FROM TLOAD Group by periodcode,subject,professorid,subjectname,ssection,schedule,room,units,enrollstatus HAVING professorid='12-345-67' and periodcode='2026-2027 1st Semester' and enrollstatus='Enrolled'"},
        {"whole load", "SELECT schedule,ssection,room,units,subjectname,periodcode,subject,professorid,subject,count(subject)as NoOfE FROM TLOAD Group by periodcode,subject,professorid,subjectname,ssection,schedule,room,units HAVING professorid='12-345-67' and periodcode='2026-2027 1st Semester'"},
        {"class list", "SELECT * FROM TLOAD where professorid='12-345-67' and periodcode='2026-2027 1st Semester' and subject='IT 101' and schedule='MWF 8:00-9:00 AM' and enrollstatus='Enrolled' ORDER BY LASTNAME "},
        {"account lookup", "SELECT * FROM Prof_login WHERE Profid ='12-345-67'"},
        {"password update", "UPDATE Prof_login set password=' n3w pw 'where Profid ='12-345-67'"},
    };
    // clang-format on
    const QList<std::pair<const char*, QString>> statements = programStatements();
    QCOMPARE(statements.size(), expected.size());
    for (const auto& [name, text] : statements)
        QCOMPARE(text, expected.value(name));
}

QTEST_APPLESS_MAIN(TestStatement)
#include "tst_statement.moc"
