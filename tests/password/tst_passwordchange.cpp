#include "Connections.h"
#include "Error.h"
#include "ErrorOf.h"
#include "PasswordChange.h"
#include "PasswordTesting.h"
#include "TestFixture.h"

#include <QTest>

using Result = PasswordChangeResult;

namespace {

const QString invalid = QStringLiteral("INVALID");

} // namespace

class TestPasswordChange : public TestFixture {
    Q_OBJECT

private slots:
    void init();

    void statementTextsAreVerbatim();
    void emptyFieldStopsBeforeTheDatabase_data();
    void emptyFieldStopsBeforeTheDatabase();
    void filledFieldsReachTheDatabaseBeforeComparing_data();
    void filledFieldsReachTheDatabaseBeforeComparing();
    void storesExactlyTheTypedPasswordForThatAccount_data();
    void storesExactlyTheTypedPasswordForThatAccount();
    void entriesThatDifferWriteNothing_data();
    void entriesThatDifferWriteNothing();
    void unknownAccountWritesNothing_data();
    void unknownAccountWritesNothing();

private:
    TestDatabase& useDatabase();

    AccountDatabases m_databases;
};

void TestPasswordChange::init() {
    TestFixture::init();
    Connections::useConnectionString(unreachableDatabase());
}

TestDatabase& TestPasswordChange::useDatabase() {
    QFETCH(Engine, engine);
    return m_databases.use(engine);
}

void TestPasswordChange::statementTextsAreVerbatim() {
    QCOMPARE(accountLookup("12-345-67").text(),
             "SELECT * FROM Prof_login WHERE Profid ='12-345-67'");
    QCOMPARE(passwordUpdate(" n3w pw ", "12-345-67").text(),
             "UPDATE Prof_login set password=' n3w pw 'where Profid ='12-345-67'");
}

void TestPasswordChange::emptyFieldStopsBeforeTheDatabase_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("new") << QStringList{"", "abc", "maria"};
    QTest::newRow("verify") << QStringList{"abc", "", "maria"};
    QTest::newRow("old") << QStringList{"abc", "abc", ""};
    QTest::newRow("all") << QStringList{"", "", ""};
}

void TestPasswordChange::emptyFieldStopsBeforeTheDatabase() {
    QFETCH(QStringList, entries);
    // The database is unreachable: any attempt to use it would throw.
    QCOMPARE(changePassword("12-345-67", {entries[0], entries[1], entries[2]}), Result::EmptyField);
    QCOMPARE(messages.messages().size(), 1);
    QCOMPARE(messages.messages()[0].prompt, "One of your field is empty.");
    QCOMPARE(messages.messages()[0].title, invalid);
    QCOMPARE(messages.messages()[0].style, MsgStyle::Exclamation);
    QVERIFY(!Connections::cn);
}

void TestPasswordChange::filledFieldsReachTheDatabaseBeforeComparing_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("entries differ") << QStringList{"abc", "abd", "maria"};
    QTest::newRow("only blanks") << QStringList{" ", "   ", " "};
}

void TestPasswordChange::filledFieldsReachTheDatabaseBeforeComparing() {
    QFETCH(QStringList, entries);
    const auto error = errorOf([&] {
        changePassword("12-345-67", {entries[0], entries[1], entries[2]});
    });
    QVERIFY2(error, "the unreachable database was not reported");
    QCOMPARE(error->number(), zelkarin::Error::ProviderError);
    QVERIFY(messages.messages().isEmpty());
}

void TestPasswordChange::storesExactlyTheTypedPasswordForThatAccount_data() {
    // ID caption, new password, the profid whose row changes.
    addEngineCaseRows<QStringList>(
        "values", {
                      {"plain", {"12-345-67", "n3wPass", "12-345-67"}},
                      {"blanks around the password", {"12-345-67", "  a b ", "12-345-67"}},
                      {"only blanks", {"34-567-89", "   ", "34-567-89"}},
                      {"blanks around the ID", {"  23-456-78 ", "juan2", "23-456-78"}},
                      {"non-ascii", {"12-345-67", "Peña李ü", "12-345-67"}},
                      {"quote in the password", {"12-345-67", "x' OR 'a", "12-345-67"}},
                      {"quote in the ID", {"O'Neil-1", "changed", "O'Neil-1"}},
                  });
}

void TestPasswordChange::storesExactlyTheTypedPasswordForThatAccount() {
    QFETCH(QStringList, values);
    const QString caption = values[0], password = values[1], profid = values[2];
    const TestDatabase& db = useDatabase();
    QList<QStringList> expected = accounts(db);
    for (QStringList& account : expected)
        if (account[0] == profid)
            account[1] = password;

    QCOMPARE(changePassword(caption, {password, password, "old"}), Result::Changed);
    QCOMPARE(accounts(db), expected);
    QCOMPARE(messages.messages().size(), 1);
    QCOMPARE(messages.messages()[0].prompt, "Your password has been changed.");
    QCOMPARE(messages.messages()[0].title, "Password Changed");
    QCOMPARE(messages.messages()[0].style, MsgStyle::Information);
}

void TestPasswordChange::entriesThatDifferWriteNothing_data() {
    addEngineCaseRows<QStringList>("values", {
                                                 {"letter case", {"Secret", "secret"}},
                                                 {"trailing blank on verify", {"abc", "abc "}},
                                                 {"trailing blank on new", {"abc ", "abc"}},
                                                 {"leading blank", {" abc", "abc"}},
                                             });
}

void TestPasswordChange::entriesThatDifferWriteNothing() {
    QFETCH(QStringList, values);
    const TestDatabase& db = useDatabase();
    const QList<QStringList> before = accounts(db);
    QCOMPARE(changePassword("12-345-67", {values[0], values[1], "maria"}), Result::Mismatch);
    QCOMPARE(accounts(db), before);
    QCOMPARE(messages.prompts(), QStringList{"New password and verify password did not match with "
                                             "each other. Pls try again."});
    QCOMPARE(messages.messages()[0].title, invalid);
    QCOMPARE(messages.messages()[0].style, MsgStyle::Exclamation);
    // The account was looked up on a new connection first.
    QVERIFY(Connections::cn);
    QVERIFY(!Connections::rsAccount.eof());
}

void TestPasswordChange::unknownAccountWritesNothing_data() {
    // ID caption, new password, re-typed password.
    addEngineCaseRows<QStringList>(
        "values", {
                      {"entries match", {"99-999-99", "same", "same"}},
                      {"entries differ", {"99-999-99", "one", "two"}},
                      {"quote in the ID", {"12-345-67' OR '1'='1", "hacked", "hacked"}},
                      {"empty ID", {"", "same", "same"}},
                  });
}

void TestPasswordChange::unknownAccountWritesNothing() {
    QFETCH(QStringList, values);
    const TestDatabase& db = useDatabase();
    const QList<QStringList> before = accounts(db);
    QCOMPARE(changePassword(values[0], {values[1], values[2], "maria"}), Result::NoAccount);
    QCOMPARE(accounts(db), before);
    QCOMPARE(messages.prompts(),
             QStringList{"Your account could not be found. Your password was not changed."});
    QCOMPARE(messages.messages()[0].title, invalid);
    QCOMPARE(messages.messages()[0].style, MsgStyle::Exclamation);
}

QTEST_MAIN(TestPasswordChange)
#include "tst_passwordchange.moc"
