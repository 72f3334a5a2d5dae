#include "Error.h"
#include "ErrorOf.h"
#include "SpreadsheetLoader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

// The loader on a machine without the Calc module, or with one that does not load: the export
// must fail with a clear error, not crash or hang.
class TestSpreadsheetLoader : public QObject {
    Q_OBJECT

private slots:
    void init();
    void searchStartsBesideTheExecutable();
    void programWaitsAsLongAsItTellsTheMember();
    void missingModuleIsReported();
    void moduleThatDoesNotLoadIsReported();

private:
    std::optional<zelkarin::Error> startError() const {
        return errorOf([this] { startSpreadsheet({}, {m_beside->path(), m_installed->path()}); });
    }

    std::optional<QTemporaryDir> m_beside;
    std::optional<QTemporaryDir> m_installed;
};

void TestSpreadsheetLoader::init() {
    m_beside.emplace();
    m_installed.emplace();
    QVERIFY(m_beside->isValid() && m_installed->isValid());
}

void TestSpreadsheetLoader::searchStartsBesideTheExecutable() {
    const QStringList directories = moduleDirectories();
    QCOMPARE(directories.size(), 2);
    QCOMPARE(directories.first(), QCoreApplication::applicationDirPath());
}

// The program starts the office with the default options. Its messages name these limits, and a
// cold template load stays well within the one for a call.
void TestSpreadsheetLoader::programWaitsAsLongAsItTellsTheMember() {
    const CalcOptions program;
    QCOMPARE(program.callTimeout, std::chrono::seconds(20));
    QCOMPARE(program.startTimeout, std::chrono::minutes(1));
}

void TestSpreadsheetLoader::missingModuleIsReported() {
    const auto error = startError();
    QVERIFY(error);
    QCOMPARE(error->number(), 429);
    QCOMPARE(error->description(),
             QStringLiteral("The spreadsheet application is not installed: zelkarin_calc.so was "
                            "not found in %1 or %2.")
                 .arg(m_beside->path(), m_installed->path()));
}

// As when LibreOffice's libraries, which the module needs, are missing.
void TestSpreadsheetLoader::moduleThatDoesNotLoadIsReported() {
    const QString module = m_installed->filePath("zelkarin_calc.so");
    QFile file(module);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a shared object");
    file.close();

    const auto error = startError();
    QVERIFY(error);
    QCOMPARE(error->number(), 429);
    QVERIFY2(error->description().startsWith("The spreadsheet application is not installed: ") &&
                 error->description().contains(module),
             qPrintable(error->description()));
}

QTEST_GUILESS_MAIN(TestSpreadsheetLoader)
#include "tst_spreadsheetloader.moc"
