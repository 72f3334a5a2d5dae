#include "ConnectionString.h"
#include "DatabaseDriver.h"
#include "ErrorOf.h"
#include "TestFixture.h"

#include <QRegularExpression>
#include <QTest>

class TestConnectionString : public TestFixture {
    Q_OBJECT

private slots:
    void collegeStringParses();
    void quotedValuesAndOddSpacing();
    void sqlServerDataSourceForms_data();
    void sqlServerDataSourceForms();
    void odbcValuesAreBraced();
    void sqlServerEncryption_data();
    void sqlServerEncryption();
};

void TestConnectionString::collegeStringParses() {
    const auto cs = ConnectionString::parse(
        "Provider=SQLOLEDB.1;Password=vexaKORM51;Persist Security Info=True;User ID=TV;"
        "Initial Catalog=Tevrin;Data Source=dbhost");
    QCOMPARE(cs.value("provider"), "SQLOLEDB.1");
    QCOMPARE(cs.value("PASSWORD"), "vexaKORM51");
    QCOMPARE(cs.value("User ID"), "TV");
    QCOMPARE(cs.value("Initial Catalog"), "Tevrin");
    QCOMPARE(cs.value("Data Source"), "dbhost");
    QCOMPARE(cs.value("Port"), QString());
}

void TestConnectionString::quotedValuesAndOddSpacing() {
    const auto cs = ConnectionString::parse(
        " Provider = SQLite ; Password=\"a;b=\"\"c\"\"\";Data Source='/tmp/x y.db';;bare;");
    QCOMPARE(cs.value("Provider"), "SQLite");
    QCOMPARE(cs.value("Password"), "a;b=\"c\"");
    QCOMPARE(cs.value("Data Source"), "/tmp/x y.db");
    QCOMPARE(cs.pairsExcept({"provider", "password"}).size(), 1);
}

void TestConnectionString::sqlServerDataSourceForms_data() {
    QTest::addColumn<QString>("dataSource");
    QTest::addColumn<QString>("server");
    QTest::newRow("host") << "dbhost"
                          << "SERVER={dbhost};PORT={1433}";
    QTest::newRow("host,port") << "dbhost,14330"
                               << "SERVER={dbhost};PORT={14330}";
    QTest::newRow("tcp:host,port") << "tcp:10.1.2.3, 1500"
                                   << "SERVER={10.1.2.3};PORT={1500}";
    QTest::newRow("named instance") << "dbhost\\REGISTRAR"
                                    << "SERVER={dbhost\\REGISTRAR};DATABASE";
}

void TestConnectionString::sqlServerDataSourceForms() {
    QFETCH(QString, dataSource);
    QFETCH(QString, server);
    const QString text = freeTdsConnectionText(ConnectionString::parse(
        "Provider=SQLOLEDB.1;Password=pw;User ID=TV;Initial Catalog=Tevrin;Data Source=" +
        dataSource));
    QVERIFY2(text.startsWith("DRIVER={FreeTDS};" + server), qPrintable(text));
    QVERIFY(text.contains(";DATABASE={Tevrin};UID={TV};PWD={pw};TDS_Version=7.4;"));
    // FreeTDS's query timeout: the provider's 30 s for every statement.
    QVERIFY(text.endsWith(";Timeout=30"));
}

void TestConnectionString::odbcValuesAreBraced() {
    const QString text = freeTdsConnectionText(
        ConnectionString::parse("Provider=SQLOLEDB.1;Password=\"p;w}=\";User ID=TV;Data Source=h"));
    QVERIFY2(text.contains("PWD={p;w}}=};"), qPrintable(text));
}

void TestConnectionString::sqlServerEncryption_data() {
    QTest::addColumn<QString>("encrypt");
    // FreeTDS's keyword in the connection text, or the error.
    QTest::addColumn<QString>("outcome");
    QTest::newRow("not given") << ""
                               << "";
    QTest::newRow("yes") << ";Encrypt=yes"
                         << "Encryption=require";
    QTest::newRow("no") << ";Encrypt=No"
                        << "Encryption=off";
    QTest::newRow("other") << ";Encrypt=true"
                           << "Invalid value \"true\" for Encrypt in the connection string: use "
                              "yes or no.";
}

// Left out, FreeTDS's own default stays: it requests encryption.
void TestConnectionString::sqlServerEncryption() {
    QFETCH(QString, encrypt);
    QFETCH(QString, outcome);
    QString text;
    const auto error = errorOf([&] {
        text = freeTdsConnectionText(ConnectionString::parse(
            "Provider=SQLOLEDB.1;Password=pw;User ID=TV;Data Source=h" + encrypt));
    });
    if (error)
        QCOMPARE(error->description(), outcome);
    else
        QCOMPARE(QRegularExpression("Encryption=\\w+").match(text).captured(), outcome);
}

QTEST_APPLESS_MAIN(TestConnectionString)
#include "tst_connectionstring.moc"
