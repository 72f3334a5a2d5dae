#include "RegionalFormats.h"
#include "TestFixture.h"

#include <QTest>

class TestRegionalFormats : public TestFixture {
    Q_OBJECT

private slots:
    void timeWithoutZoneAndDateWithFullYear_data();
    void timeWithoutZoneAndDateWithFullYear();
    void workstationSettingsApplyByDefault();
};

void TestRegionalFormats::timeWithoutZoneAndDateWithFullYear_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("date");
    // 14:05:09 on 4 March 2009.
    QTest::newRow("US") << "en_US"
                        << "2:05:09 PM"
                        << "3/4/2009";
    QTest::newRow("German") << "de_DE"
                            << "14:05:09"
                            << "04.03.2009";
    QTest::newRow("British, four-digit year already") << "en_GB"
                                                      << "14:05:09"
                                                      << "04/03/2009";
    QTest::newRow("zone first") << "zh_CN"
                                << "14:05:09"
                                << "2009/3/4";
    QTest::newRow("zone in brackets") << "es_ES"
                                      << "14:05:09"
                                      << "4/3/2009";
    QTest::newRow("zone after a comma") << "sq_AL"
                                        << "2:05:09 E PASDITES"
                                        << "4.3.2009";
    QTest::newRow("quoted literals") << "bg_BG"
                                     << "14:05:09 ч."
                                     << "4.03.2009 г.";
}

void TestRegionalFormats::timeWithoutZoneAndDateWithFullYear() {
    QFETCH(QString, locale);
    QFETCH(QString, time);
    QFETCH(QString, date);
    const QLocale workstation(locale);
    QCOMPARE(regionalTime(QTime(14, 5, 9), workstation), time);
    QCOMPARE(regionalDate(QDate(2009, 3, 4), workstation), date);
}

// The test runs under LANG=en_US.UTF-8.
void TestRegionalFormats::workstationSettingsApplyByDefault() {
    QCOMPARE(regionalTime(QTime(9, 0, 0)), "9:00:00 AM");
    QCOMPARE(regionalDate(QDate(2026, 12, 31)), "12/31/2026");
}

QTEST_GUILESS_MAIN(TestRegionalFormats)
#include "tst_regionalformats.moc"
