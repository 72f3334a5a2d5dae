#include "Error.h"
#include "SpreadsheetLoader.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <optional>

// Built into a directory without the Calc module, and told to look for the installed module in
// a directory of its own: the export must fail with a clear error, not crash or hang.
class TestSpreadsheetLoader : public QObject {
    Q_OBJECT

private slots:
    void missingModuleIsReported();
    void moduleThatDoesNotLoadIsReported();
    void cleanup();

private:
    static QString installedModule() {
        return QStringLiteral(ZELKARIN_MODULE_DIR "/zelkarin_calc.so");
    }
    static std::optional<zelkarin::Error> startError() {
        try {
            startSpreadsheet();
        } catch (const zelkarin::Error& e) {
            return e;
        }
        return std::nullopt;
    }
};

void TestSpreadsheetLoader::cleanup() {
    QFile::remove(installedModule());
}

void TestSpreadsheetLoader::missingModuleIsReported() {
    const auto error = startError();
    QVERIFY(error);
    QCOMPARE(error->number(), cannotCreateObjectError);
    QCOMPARE(error->description(),
             QStringLiteral("The spreadsheet application is not installed: zelkarin_calc.so was "
                            "not found in %1 or %2.")
                 .arg(QCoreApplication::applicationDirPath(), ZELKARIN_MODULE_DIR));
}

// As when LibreOffice's libraries, which the module needs, are missing.
void TestSpreadsheetLoader::moduleThatDoesNotLoadIsReported() {
    QVERIFY(QDir().mkpath(ZELKARIN_MODULE_DIR));
    QFile module(installedModule());
    QVERIFY(module.open(QIODevice::WriteOnly));
    module.write("not a shared object");
    module.close();

    const auto error = startError();
    QVERIFY(error);
    QCOMPARE(error->number(), cannotCreateObjectError);
    QVERIFY2(error->description().startsWith("The spreadsheet application is not installed: ") &&
                 error->description().contains(installedModule()),
             qPrintable(error->description()));
}

QTEST_GUILESS_MAIN(TestSpreadsheetLoader)
#include "tst_spreadsheetloader.moc"
