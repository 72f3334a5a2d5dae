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

QTEST_APPLESS_MAIN(TestStatement)
#include "tst_statement.moc"
