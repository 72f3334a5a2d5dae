#include "Connections.h"
#include "Error.h"
#include "ErrorOf.h"
#include "PasswordChange.h"
#include "PasswordTesting.h"
#include "TestFixture.h"

#include <QTest>

using Result = PasswordChangeResult;
using Message = MessageRecorder::Message;

namespace {

const QString invalid = QStringLiteral("INVALID");

} // namespace

class TestPasswordChange : public TestFixture {
    Q_OBJECT

private slots:
    void init();

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
    // The accounts on SQLite: the statements' engines are tst_database's.
    const TestDatabase& useAccounts() {
        return insertAccounts(useDatabase(Engine::SQLite, TestDatabase::Content::SchemaOnly));
    }
};

void TestPasswordChange::init() {
    TestFixture::init();
    Connections::useConnectionString(unreachableDatabase());
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
    QCOMPARE(messages.messages(),
             (QList<Message>{{"One of your field is empty.", MsgStyle::Exclamation, invalid}}));
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
    QTest::addColumn<QStringList>("values");
    QTest::newRow("plain") << QStringList{"12-345-67", "n3wPass", "12-345-67"};
    QTest::newRow("blanks around the password") << QStringList{"12-345-67", "  a b ", "12-345-67"};
    QTest::newRow("only blanks") << QStringList{"34-567-89", "   ", "34-567-89"};
    QTest::newRow("blanks around the ID") << QStringList{"  23-456-78 ", "juan2", "23-456-78"};
}

void TestPasswordChange::storesExactlyTheTypedPasswordForThatAccount() {
    QFETCH(QStringList, values);
    const QString caption = values[0], password = values[1], profid = values[2];
    const TestDatabase& db = useAccounts();
    QList<QStringList> expected = accounts(db);
    for (QStringList& account : expected)
        if (account[0] == profid)
            account[1] = password;

    QCOMPARE(changePassword(caption, {password, password, "old"}), Result::Changed);
    QCOMPARE(accounts(db), expected);
    QCOMPARE(messages.messages(), (QList<Message>{{"Your password has been changed.",
                                                   MsgStyle::Information, "Password Changed"}}));
}

void TestPasswordChange::entriesThatDifferWriteNothing_data() {
    QTest::addColumn<QStringList>("values");
    QTest::newRow("letter case") << QStringList{"Secret", "secret"};
    QTest::newRow("trailing blank on verify") << QStringList{"abc", "abc "};
    QTest::newRow("trailing blank on new") << QStringList{"abc ", "abc"};
    QTest::newRow("leading blank") << QStringList{" abc", "abc"};
}

void TestPasswordChange::entriesThatDifferWriteNothing() {
    QFETCH(QStringList, values);
    const TestDatabase& db = useAccounts();
    const QList<QStringList> before = accounts(db);
    QCOMPARE(changePassword("12-345-67", {values[0], values[1], "maria"}), Result::Mismatch);
    QCOMPARE(accounts(db), before);
    QCOMPARE(messages.messages(), (QList<Message>{{"New password and verify password did not match "
                                                   "with each other. Pls try again.",
                                                   MsgStyle::Exclamation, invalid}}));
    // The account was looked up on a new connection first.
    QVERIFY(Connections::cn);
    QVERIFY(!Connections::rsAccount.eof());
}

void TestPasswordChange::unknownAccountWritesNothing_data() {
    // ID caption, new password, re-typed password.
    QTest::addColumn<QStringList>("values");
    QTest::newRow("entries match") << QStringList{"99-999-99", "same", "same"};
    QTest::newRow("entries differ") << QStringList{"99-999-99", "one", "two"};
    QTest::newRow("empty ID") << QStringList{"", "same", "same"};
}

void TestPasswordChange::unknownAccountWritesNothing() {
    QFETCH(QStringList, values);
    const TestDatabase& db = useAccounts();
    const QList<QStringList> before = accounts(db);
    QCOMPARE(changePassword(values[0], {values[1], values[2], "maria"}), Result::NoAccount);
    QCOMPARE(accounts(db), before);
    QCOMPARE(messages.messages(),
             (QList<Message>{{"Your account could not be found. Your password was not changed.",
                              MsgStyle::Exclamation, invalid}}));
}

QTEST_MAIN(TestPasswordChange)
#include "tst_passwordchange.moc"
