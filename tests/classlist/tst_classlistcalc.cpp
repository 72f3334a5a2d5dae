#include "CalcOptions.h"
#include "CalcTestModule.h"
#include "ClassSection.h"
#include "Connections.h"
#include "Guard.h"
#include "SpreadsheetLoader.h"
#include "StalledOffice.h"
#include "TestDatabase.h"
#include "TestFixture.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Lends the export a spreadsheet that the test goes on reading after the export released it.
class LentSpreadsheet final : public Spreadsheet {
public:
    explicit LentSpreadsheet(Spreadsheet& sheet) : m_sheet(sheet) {}

    void openTemplate(const QString& path) override { m_sheet.openTemplate(path); }
    void activateSheet(const QString& name) override { m_sheet.activateSheet(name); }
    void show() override { m_sheet.show(); }
    void select(const QString& range) override { m_sheet.select(range); }
    void clearContents(const QString& range) override { m_sheet.clearContents(range); }
    void setCell(const QString& cell, const std::optional<QString>& value) override {
        m_sheet.setCell(cell, value);
    }

private:
    Spreadsheet& m_sheet;
};

// A1:AF80: the heading, the student block and the rows below it.
QStringList sheetArea() {
    QStringList cells;
    for (int row = 1; row <= 80; ++row)
        for (int column = 0; column < 32; ++column)
            cells << (column < 26 ? QString(QChar(u'A' + column))
                                  : u'A' + QString(QChar(u'A' + column - 26))) +
                         QString::number(row);
    return cells;
}

bool inStudentBlock(const QString& cell) {
    const int row = cell.mid(1).toInt();
    return cell.size() <= 3 && cell[0] >= u'B' && cell[0] <= u'F' && row >= 10 && row <= 69;
}

QByteArray fileHash(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TestClassListCalc : public TestFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void classListReadsBackFromCalc_data() { addEngineRows(); }
    void classListReadsBackFromCalc();
    // Last: LibreOffice 7.4 takes no new connection after it.
    void stalledOfficeIsReportedToTheMember();

private:
    CalcCellFormat cellFormat(const Spreadsheet& sheet, const QString& cell) const;

    QTemporaryDir m_profile;
    CalcOptions m_options;
    CalcTestModule m_calc;
    QByteArray m_templateHash;
    QMap<QString, QString> m_template; // the sheet area as the template has it
    QList<CalcCellFormat> m_blockFormats;
};

void TestClassListCalc::initTestCase() {
    QVERIFY(m_profile.isValid());
    m_options.headless = true;
    m_options.profileDirectory = m_profile.path();
    m_options.startTimeout = std::chrono::minutes(2);

    const QString moduleError = m_calc.load();
    QVERIFY2(moduleError.isEmpty(), qPrintable(moduleError));

    m_templateHash = fileHash(Connections::templatePath());
    QVERIFY(!m_templateHash.isEmpty());
    const std::unique_ptr<Spreadsheet> original = startSpreadsheet(m_options);
    original->openTemplate(Connections::templatePath());
    original->activateSheet("Attendance");
    for (const QString& cell : sheetArea())
        m_template[cell] = m_calc.content(*original, cell);
    m_blockFormats = {cellFormat(*original, "B10"), cellFormat(*original, "F69")};
    m_calc.closeDocuments();
}

void TestClassListCalc::cleanup() {
    m_calc.closeDocuments();
    TestFixture::cleanup();
}

void TestClassListCalc::cleanupTestCase() {
    if (m_calc.shutdown)
        m_calc.shutdown();
    QCOMPARE(fileHash(Connections::templatePath()), m_templateHash);
}

CalcCellFormat TestClassListCalc::cellFormat(const Spreadsheet& sheet, const QString& cell) const {
    CalcCellFormat format;
    m_calc.cellFormat(&sheet, &cell, &format);
    return format;
}

// More students than the list counts, one of them with values that Calc would take for a
// formula: every cell of the area is read back from the untitled copy that stays open.
void TestClassListCalc::classListReadsBackFromCalc() {
    QFETCH(Engine, engine);
    const TestDatabase& db = useDatabase(engine, TestDatabase::Content::SchemaOnly);
    insertSection(db);
    insertLoad(db, "'11-111-11', '2026-2027 1st Semester', 'IT 101', 'Introduction to Computing', "
                   "'3', 'MWF 8:00-9:00 AM', 'Enrolled', '@2026', 'Abella', '=1+2', '+A', "
                   "'-BSIT'");
    std::unique_ptr<Spreadsheet> calc;
    createClassList(sectionRequest("4"), [&] {
        calc = startSpreadsheet(m_options);
        return std::make_unique<LentSpreadsheet>(*calc);
    });
    QCOMPARE(messages.prompts(), QStringList{confirmation("IT 101")});
    QVERIFY(calc);

    Cells written = sectionCells;
    // clang-format off
    const Cells lastRows = {
        {"B11", "@2026"},    {"C11", "Abella"},   {"D11", "=1+2"},  {"E11", "+A"},         {"F11", "-BSIT"},
        {"B12", "2026-002"}, {"C12", "Bautista"}, {"D12", "Ben"},   {"E12", std::nullopt}, {"F12", "BSCS"},
        {"B13", "2026-003"}, {"C13", "Cruz"},     {"D13", "Carla"}, {"E13", "D."},         {"F13", std::nullopt},
        {"B14", "*"},        {"C14", ""},         {"D14", ""},      {"E14", ""},           {"F14", ""},
    };
    // clang-format on
    written.insert(lastRows);
    // Calc's own reading of the values that would otherwise be a formula or a number.
    const QMap<QString, QString> typed = {{"=1+2", "'=1+2"}};
    QStringList actual;
    QStringList expected;
    for (const QString& cell : sheetArea()) {
        actual << cell + " = " + m_calc.content(*calc, cell);
        QString content = m_template[cell];
        if (written.contains(cell)) {
            content = written[cell].value_or(QString());
            content = typed.value(content, content);
        } else if (inStudentBlock(cell)) {
            content.clear();
        }
        expected << cell + " = " + content;
    }
    QCOMPARE(actual, expected);

    CalcViewState view;
    m_calc.viewState(calc.get(), &view);
    QCOMPARE(view.documentUrl, QString()); // an untitled copy, never the template itself
    QCOMPARE(view.activeSheet, "Attendance");
    QCOMPARE(view.selection, "$Attendance.$B$14");
    const QList<CalcCellFormat> blockFormats = {cellFormat(*calc, "B10"), cellFormat(*calc, "F69")};
    for (int i = 0; i < blockFormats.size(); ++i) {
        QCOMPARE(blockFormats[i].backColor, m_blockFormats[i].backColor);
        QCOMPARE(blockFormats[i].numberFormat, m_blockFormats[i].numberFormat);
    }
}

// The office stops answering as the export starts to fill the workbook: the member gets the
// run-time error box within the limit, and the program goes on.
void TestClassListCalc::stalledOfficeIsReportedToTheMember() {
    insertSection(useDatabase(Engine::SQLite, TestDatabase::Content::SchemaOnly));
    CalcOptions options = m_options;
    options.callTimeout = std::chrono::seconds(2);
    std::optional<Stalled> stalled;
    const bool finished = runGuarded([&] {
        createClassList(sectionRequest("4"), [&] {
            std::unique_ptr<Spreadsheet> sheet = startSpreadsheet(options);
            stalled.emplace(m_calc.officeProcess(), std::chrono::seconds(30));
            return sheet;
        });
    });
    stalled.reset();
    QVERIFY(!finished);
    QCOMPARE(messages.messages(),
             (QList<MessageRecorder::Message>{
                 {confirmation("IT 101"), MsgStyle::YesNoQuestion, "Class List"},
                 {"Run-time error '-2147417846':\n\nLibreOffice Calc is not answering: it did not "
                  "respond within 2 seconds. Close any dialog that is open in LibreOffice and wait "
                  "until LibreOffice responds again, then create the class list again.",
                  MsgStyle::Critical, "zelkarin"}}));
}

QTEST_MAIN(TestClassListCalc)
#include "tst_classlistcalc.moc"
