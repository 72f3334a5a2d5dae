#include "ClassListConversions.h"
#include "Error.h"
#include "ErrorOf.h"
#include "TestFixture.h"

#include <QTest>

class TestClassListConversions : public TestFixture {
    Q_OBJECT

private slots:
    void onlySpacesAreTrimmed();
    void cellReferences();
    void enrolledCountFitsSixteenBits_data();
    void enrolledCountFitsSixteenBits();
    void countThatDoesNotFitFailsClearly_data();
    void countThatDoesNotFitFailsClearly();
};

void TestClassListConversions::onlySpacesAreTrimmed() {
    QCOMPARE(trimSpaces("  Villanueva "), "Villanueva");
    QCOMPARE(trimSpaces("Dela  Cruz"), "Dela  Cruz");
    QCOMPARE(trimSpaces(" \tR.\n "), "\tR.\n");
    QCOMPARE(trimSpaces("   "), "");
    QCOMPARE(trimSpaces(""), "");
}

void TestClassListConversions::cellReferences() {
    QCOMPARE(cellReference("B", 10), "B10");
    QCOMPARE(cellReference("F", 69), "F69");
    QCOMPARE(cellReference("AE", 6), "AE6");
    QCOMPARE(cellReference("C", 1000), "C1000");
}

void TestClassListConversions::enrolledCountFitsSixteenBits_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("class") << "65" << 65;
    QTest::newRow("leading zero") << "007" << 7;
    QTest::newRow("signed") << "+12" << 12;
    QTest::newRow("lowest") << "-32768" << -32768;
    QTest::newRow("highest with room for N + 1") << "32766" << 32766;
}

void TestClassListConversions::enrolledCountFitsSixteenBits() {
    QFETCH(QString, text);
    QFETCH(int, count);
    QCOMPARE(enrolledCount(text), count);
}

void TestClassListConversions::countThatDoesNotFitFailsClearly_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<long>("number");
    QTest::addColumn<QString>("description");
    const QString mismatch =
        "Type mismatch: the enrolled count \"%1\" of the selected subject is not a whole number.";
    const QString overflow =
        "Overflow: the enrolled count %1 of the selected subject is outside -32768 to 32766.";
    for (const char* text : {"", "abc", "12.5", "1 2", "0x10", "-"})
        QTest::newRow(text) << text << zelkarin::Error::TypeMismatch << mismatch.arg(text);
    for (const char* text : {"32767", "40000", "-32769", "123456789012345678901234567890"})
        QTest::newRow(text) << text << zelkarin::Error::Overflow << overflow.arg(text);
}

void TestClassListConversions::countThatDoesNotFitFailsClearly() {
    QFETCH(QString, text);
    QFETCH(long, number);
    QFETCH(QString, description);
    const auto error = errorOf([&] { enrolledCount(text); });
    QVERIFY2(error, "the count was taken");
    QCOMPARE(error->number(), number);
    QCOMPARE(error->description(), description);
}

QTEST_APPLESS_MAIN(TestClassListConversions)
#include "tst_classlistconversions.moc"
