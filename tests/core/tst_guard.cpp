#include "Error.h"
#include "Guard.h"
#include "TestFixture.h"

#include <QTest>

#include <stdexcept>

class TestGuard : public TestFixture {
    Q_OBJECT

private slots:
    void failureIsShownAndAbandonsOnlyTheHandler();
    void handlerThatEndsShowsNothing();
};

void TestGuard::failureIsShownAndAbandonsOnlyTheHandler() {
    QStringList done;
    QVERIFY(!runGuarded([&] {
        done << "written";
        throw zelkarin::Error(zelkarin::Error::InvalidUseOfNull, "Invalid use of Null");
    }));
    QVERIFY(!runGuarded([] { throw std::runtime_error("bad conversion"); }));
    QCOMPARE(done, QStringList{"written"});
    QCOMPARE(messages.messages().size(), 2);
    QCOMPARE(messages.messages()[0],
             (MessageRecorder::Message{"Run-time error '94':\n\nInvalid use "
                                       "of Null",
                                       MsgStyle::Critical, "zelkarin"}));
    QVERIFY(messages.messages()[1].prompt.endsWith("bad conversion"));
}

void TestGuard::handlerThatEndsShowsNothing() {
    int runs = 0;
    QVERIFY(runGuarded([&] { ++runs; }));
    QCOMPARE(runs, 1);
    QVERIFY(messages.messages().isEmpty());
}

QTEST_APPLESS_MAIN(TestGuard)
#include "tst_guard.moc"
