#include "ClassListExport.h"
#include "Connections.h"
#include "Error.h"
#include "ErrorOf.h"
#include "MemberLogin.h"
#include "PasswordChange.h"
#include "Statement.h"
#include "TeachingLoad.h"
#include "TestDatabase.h"
#include "TestFixture.h"

#include <QDir>
#include <QFile>
#include <QTest>

using zelkarin::Error;

namespace {

// Runs a statement on a new connection, the way every window does.
Recordset run(const Statement& statement) {
    Connections::OpenConnection();
    return Connections::Execute(statement);
}

} // namespace

class TestDatabaseCore : public TestFixture {
    Q_OBJECT

private slots:
    void initTestCase_data() { addEngineRows(); }
    void init();

    void readsRowsByNameAndTellsEmptyResults();
    void nullHasTwoReadings();
    void hostileValuesRoundTripThroughEveryProgramStatement_data();
    void hostileValuesRoundTripThroughEveryProgramStatement();
    void recordsetOutlivesLaterConnections();
    void missingTableOrColumnIsNamed();

    void missingDriverLibraryIsNamed();
    void missingSqliteFileIsAnErrorNotANewDatabase();
    void unknownProviderIsAnError();
};

void TestDatabaseCore::init() {
    TestFixture::init();
    const TestDatabase& db = useDatabase(TestDatabase::Content::SchemaOnly);
    db.exec("INSERT INTO PERIOD (sy_sem, status, tanong) VALUES ('2026-2027 1st', 'ACTIVE', "
            "'YES')");
    db.exec("INSERT INTO PERIOD (sy_sem, status, tanong) VALUES ('2025-2026 2nd', NULL, 'YES')");
    db.exec("INSERT INTO Prof_login (profid, password, lastname, firstname, dept) VALUES "
            "('11-111-11', 'pw', 'Reyes', 'Ana', NULL)");
}

void TestDatabaseCore::readsRowsByNameAndTellsEmptyResults() {
    Recordset rs = run(Statement("SELECT * from PERIOD where tanong='").value("YES").sql("'"));
    QVERIFY(!rs.bof());
    QVERIFY(!rs.eof());
    QStringList periods;
    while (!rs.eof()) {
        periods << rs.field("SY_SEM").text() << rs.field("sy_sem").text();
        rs.moveNext();
    }
    QCOMPARE(periods.size(), 4);
    QVERIFY(periods.contains("2026-2027 1st"));
    const auto afterTheEnd = errorOf([&] { rs.field("sy_sem"); });
    QVERIFY(afterTheEnd);
    QCOMPARE(afterTheEnd->number(), Error::ProviderError);

    Recordset none = run(Statement("SELECT * from PERIOD where status='").value("NONE").sql("'"));
    QVERIFY(none.bof());
    QVERIFY(none.eof());

    Recordset active = run(Statement("SELECT * from PERIOD where status='ACTIVE'"));
    const auto unknownColumn = errorOf([&] { active.field("no_such_column"); });
    QVERIFY(unknownColumn);
    QCOMPARE(unknownColumn->number(), Error::ItemNotFound);
    // The grouped statements name a column twice; reading it by name gives the first.
    Recordset grouped =
        run(Statement("SELECT sy_sem,status,sy_sem,count(sy_sem)as NoOfE FROM PERIOD Group by "
                      "sy_sem,status HAVING status='ACTIVE'"));
    QCOMPARE(grouped.field("sy_sem").text(), "2026-2027 1st");
    QCOMPARE(grouped.field("NoOfE").text(), "1");
    QCOMPARE(grouped.field("noofe").text().toInt(), 1);
}

void TestDatabaseCore::nullHasTwoReadings() {
    Recordset rs = run(Statement("SELECT * from Prof_login where profid='11-111-11'"));
    const Field dept = rs.field("dept");
    QVERIFY(dept.isNull());
    QCOMPARE(dept.textOrEmpty(), QString());
    const auto nullText = errorOf([&] { dept.text(); });
    QVERIFY(nullText);
    QCOMPARE(nullText->number(), Error::InvalidUseOfNull);
    QCOMPARE(rs.field("lastname").text(), "Reyes");
}

void TestDatabaseCore::hostileValuesRoundTripThroughEveryProgramStatement_data() {
    QTest::addColumn<QString>("value");
    QTest::newRow("tautology") << "' OR '1'='1";
    QTest::newRow("drop") << "x'; DROP TABLE tbllog; --";
    QTest::newRow("name") << "O'Brien";
    QTest::newRow("backslashes") << "C:\\Grading Sheet\\ \\' \\\\";
    QTest::newRow("escaped quote then tautology") << "x\\' OR 1=1 --";
    QTest::newRow("escaped doubled quotes") << "\\'' OR ''1''=''1";
    QTest::newRow("trailing backslash") << "pw\\";
    QTest::newRow("blanks") << "  a b  ";
    QTest::newRow("non-ascii") << "Peña, Ñiño — 李小龍 ünïcødé";
    QTest::newRow("long") << QString(10000, u'q') + "'";
}

// Each statement that the program runs, with the value in every place a member's text goes:
// it reads back whole and selects or changes only its own row. Doubled quotes keep a value
// inside its literal only while backslashes are plain characters; the connection sees to that
// even where the server's own setting says otherwise.
void TestDatabaseCore::hostileValuesRoundTripThroughEveryProgramStatement() {
    QFETCH(QString, value);
    const TestDatabase& db = this->db();
    QString literal = value;
    literal.replace(u'\'', QLatin1String("''"));
    literal = u'\'' + literal + u'\'';
    db.exec("INSERT INTO Prof_login (profid, password, lastname, firstname, dept) VALUES "
            "('22-222-22', 'keep', 'Santos', 'Ben', 'CCS')");
    for (const QString& other : {QStringLiteral("'other'"), literal})
        db.exec(QStringLiteral("INSERT INTO TLOAD (professorid, periodcode, subject, subjectname, "
                               "units, schedule, room, ssection, enrollstatus, lastname) VALUES "
                               "(%1, %1, %1, 'S', '3', %1, 'R', 'A', 'Enrolled', %1)")
                    .arg(other));
    if (currentEngine() != Engine::SQLite) {
        // Every new session of this database reads a backslash as an escape by default.
        db.exec("ALTER DATABASE " + db.scalar("SELECT current_database()") +
                " SET standard_conforming_strings = off");
        const Recordset setting = run(Statement("SHOW standard_conforming_strings"));
        QCOMPARE(setting.field("standard_conforming_strings").text(), "on");
    }

    QVERIFY(run(credentialCheck(value, value)).eof());
    QVERIFY(run(accountLookup(value)).eof());
    run(auditInsert({value, value, value, value, value}));
    // The program may only append to tbllog: the row is read back as the test's own user.
    QCOMPARE(db.rows("SELECT userid, oras, araw, IP, name FROM tbllog"),
             (QList<QStringList>{{value, value, value, value, value}}));

    for (LoadForm form : {LoadForm::EnrolledOnly, LoadForm::AllRows}) {
        Recordset load = run(teachingLoadStatement(form, value, value));
        QVERIFY(!load.eof());
        QCOMPARE(load.field("subject").text(), value);
        QCOMPARE(load.field("NoOfE").text(), "1");
        load.moveNext();
        QVERIFY(load.eof());
    }
    Recordset students = run(classListStatement(value, value, value, value));
    QVERIFY(!students.eof());
    QCOMPARE(students.field("lastname").text(), value);
    students.moveNext();
    QVERIFY(students.eof());

    run(passwordUpdate(value, "11-111-11"));
    QCOMPARE(db.rows("SELECT profid, password FROM Prof_login ORDER BY profid"),
             (QList<QStringList>{{"11-111-11", value}, {"22-222-22", "keep"}}));
    Recordset back = run(credentialCheck("11-111-11", value));
    QVERIFY(!back.eof());
    QCOMPARE(back.field("password").text(), value);
    run(passwordUpdate("x", value));
    QCOMPARE(db.scalar("SELECT count(*) FROM Prof_login WHERE password='x'"), "0");
}

void TestDatabaseCore::recordsetOutlivesLaterConnections() {
    Connections::OpenConnection();
    Connections::rsActive =
        Connections::Execute(Statement("SELECT * from PERIOD where status='ACTIVE'"));
    for (int i = 0; i < 3; ++i) {
        Connections::OpenConnection();
        Connections::rsPeriods =
            Connections::Execute(Statement("SELECT * from PERIOD where tanong='YES'"));
    }
    QCOMPARE(Connections::rsActive.field("sy_sem").text(), "2026-2027 1st");
    // rsActive's connection, and the newest one that cn and rsPeriods share.
    QCOMPARE(openConnections().size(), 2);

    for (int i = 0; i < 50; ++i)
        Connections::rs = run(Statement("SELECT * from PERIOD where status='ACTIVE'"));
    // cn and rs share the newest; rsActive and rsPeriods hold theirs.
    QCOMPARE(openConnections().size(), 3);
    Connections::rsActive = Recordset();
    Connections::rsPeriods = Recordset();
    QCOMPARE(openConnections().size(), 1);
}

// The engine's words name what the statement asks for and the database lacks.
void TestDatabaseCore::missingTableOrColumnIsNamed() {
    const std::pair<Statement, QString> cases[] = {
        {Statement("SELECT * from TLOADS where professorid='").value("12-345-67").sql("'"),
         "tloads"},
        {Statement("SELECT subjct from TLOAD where professorid='").value("12-345-67").sql("'"),
         "subjct"},
    };
    for (const auto& [statement, name] : cases) {
        const auto error = errorOf([&] { run(statement); });
        QVERIFY(error);
        QCOMPARE(error->number(), Error::ProviderError);
        const QString description = error->description();
        QVERIFY2(description.contains(name, Qt::CaseInsensitive), qPrintable(description));
        QVERIFY2(!description.contains("12-345-67"), qPrintable(description));
    }
}

// A driver that is registered but whose library is gone: the administrator reads which file.
void TestDatabaseCore::missingDriverLibraryIsNamed() {
    ZELKARIN_ONCE_ON_SQLITE();
    const QString library = QDir::temp().filePath("zelkarin-no-such-dir/libtdsodbc.so");
    Connections::useConnectionString("Provider=MSDASQL;DRIVER=" + library +
                                     ";SERVER=db.example;PORT=1433;UID=TV;PWD=vexaKORM51");
    const auto error = errorOf([] { Connections::OpenConnection(); });
    QVERIFY(error);
    QCOMPARE(error->number(), Error::ProviderError);
    const QString description = error->description();
    QVERIFY2(description.contains("Can't open lib '" + library + "'"), qPrintable(description));
}

void TestDatabaseCore::missingSqliteFileIsAnErrorNotANewDatabase() {
    ZELKARIN_ONCE_ON_SQLITE();
    const QString path =
        QDir::temp().filePath("zelkarin-missing-%1.db").arg(QCoreApplication::applicationPid());
    Connections::useConnectionString("Provider=SQLite;Data Source=" + path);
    const auto error = errorOf([] { Connections::OpenConnection(); });
    QVERIFY(error);
    QCOMPARE(error->number(), Error::ProviderError);
    const QString description = error->description();
    QVERIFY(description.contains(path));
    QVERIFY(!QFile::exists(path));
    QVERIFY(!Connections::cn);
}

void TestDatabaseCore::unknownProviderIsAnError() {
    ZELKARIN_ONCE_ON_SQLITE();
    Connections::useConnectionString("Provider=Nonesuch.1;Data Source=x");
    const auto error = errorOf([] { Connections::OpenConnection(); });
    QVERIFY(error);
    QCOMPARE(error->number(), Error::ProviderError);
    const QString description = error->description();
    QVERIFY(description.contains("Provider cannot be found"));
    const auto executeError = errorOf([] { Connections::Execute(Statement("SELECT 1")); });
    QVERIFY(executeError);
    QCOMPARE(executeError->number(), Error::ProviderError);
}

QTEST_GUILESS_MAIN(TestDatabaseCore)
#include "tst_database.moc"
