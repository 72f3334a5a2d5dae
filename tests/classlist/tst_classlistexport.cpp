#include "ClassSection.h"
#include "Connections.h"
#include "Error.h"
#include "Guard.h"
#include "TestDatabase.h"
#include "TestFixture.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTest>

namespace {

// What the export did to the spreadsheets it started.
struct SheetRecord {
    int starts = 0;
    QStringList calls;
    Cells cells;
    QString selection;
};

QString shown(const std::optional<QString>& value) {
    return value ? u'"' + *value + u'"' : QStringLiteral("NULL");
}

class RecordingSpreadsheet final : public Spreadsheet {
public:
    explicit RecordingSpreadsheet(SheetRecord& record) : m_record(record) {}

    void openTemplate(const QString& path) override { m_record.calls << "open " + path; }
    void activateSheet(const QString& name) override { m_record.calls << "activate " + name; }
    void show() override { m_record.calls << "show"; }
    void select(const QString& range) override {
        m_record.calls << "select " + range;
        m_record.selection = range;
    }
    void clearContents(const QString& range) override { m_record.calls << "clear " + range; }
    void setCell(const QString& cell, const std::optional<QString>& value) override {
        m_record.calls << cell + " = " + shown(value);
        m_record.cells[cell] = value;
    }

private:
    SheetRecord& m_record;
};

// One line per cell, so that a difference shows cell by cell.
QStringList listed(const Cells& cells) {
    QStringList lines;
    for (auto cell = cells.begin(); cell != cells.end(); ++cell)
        lines << cell.key() + " = " + shown(cell.value());
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(ClassListRequest)

using Message = MessageRecorder::Message;

class TestClassListExport : public TestFixture {
    Q_OBJECT

private slots:
    void initTestCase_data() { addEngineRows(); }
    void cleanup();

    void unchosenSubjectAsksForIt_data();
    void unchosenSubjectAsksForIt();
    void anythingButYesStopsBeforeAnyConnection();

    void exactlyNStudents();
    void studentsBeyondNEndWithTheMark();
    void fewerStudentsThanNAreAllListed();
    void classOfMoreThanSixtyContinuesBelowTheBlock();
    void noEnrolledStudentStartsNoSpreadsheet();
    void countThatIsNotSixteenBitStopsBeforeTheSpreadsheet();
    void spreadsheetThatCannotStartIsReported();

private:
    void useSection();
    void run(const ClassListRequest& request);

    SheetRecord m_sheet;
};

void TestClassListExport::cleanup() {
    TestFixture::cleanup();
    m_sheet = {};
}

void TestClassListExport::useSection() {
    insertSection(useDatabase(TestDatabase::Content::SchemaOnly));
}

void TestClassListExport::run(const ClassListRequest& request) {
    createClassList(request, [this] {
        ++m_sheet.starts;
        return std::make_unique<RecordingSpreadsheet>(m_sheet);
    });
}

void TestClassListExport::unchosenSubjectAsksForIt_data() {
    QTest::addColumn<ClassListRequest>("request");
    ClassListRequest request = sectionRequest("5");
    request.subjectLabel = "-";
    QTest::newRow("dash") << request;
    request.subjectLabel = "";
    QTest::newRow("empty") << request;
    request.subjectLabel = "IT 101";
    request.selectedRow.reset();
    QTest::newRow("no selected row") << request;
}

void TestClassListExport::unchosenSubjectAsksForIt() {
    ZELKARIN_ONCE_ON_SQLITE();
    QFETCH(ClassListRequest, request);
    Connections::useConnectionString("Provider=SQLite;Data Source=/nonexistent/zelkarin.db");
    QVERIFY(runGuarded([&] { run(request); }));
    QCOMPARE(messages.messages(), (QList<Message>{{"Select first the subject on the list",
                                                   MsgStyle::OkOnly, "SUBJECT"}}));
    QVERIFY(!Connections::cn);
    QCOMPARE(m_sheet.starts, 0);
}

void TestClassListExport::anythingButYesStopsBeforeAnyConnection() {
    ZELKARIN_ONCE_ON_SQLITE();
    Connections::useConnectionString("Provider=SQLite;Data Source=/nonexistent/zelkarin.db");
    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Ok}) {
        messages.clear();
        messages.setNextAnswer(answer);
        Qt::CursorShape cursorWhileAsking = Qt::ArrowCursor;
        messages.setOnNextMessage([&] {
            if (QGuiApplication::overrideCursor())
                cursorWhileAsking = QGuiApplication::overrideCursor()->shape();
        });
        QVERIFY(runGuarded([&] { run(sectionRequest("5")); }));
        QCOMPARE(messages.messages(),
                 (QList<Message>{{confirmation("IT 101"), MsgStyle::YesNoQuestion, "Class List"}}));
        QCOMPARE(cursorWhileAsking, Qt::WaitCursor);
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(!Connections::cn);
        QCOMPARE(openConnections(), QStringList());
        QCOMPARE(m_sheet.starts, 0);
    }
}

void TestClassListExport::exactlyNStudents() {
    useSection();
    run(sectionRequest("5"));
    QCOMPARE(messages.prompts(), QStringList{confirmation("IT 101")});
    QCOMPARE(m_sheet.starts, 1);
    QCOMPARE(listed(m_sheet.cells), listed(sectionCells));
    QCOMPARE(m_sheet.selection, "B14");
    QVERIFY(Connections::rs.eof());
}

// Every call in order: the sheet is visible before any change, the block is emptied first, the
// heading goes in its fixed order, and the row after the N-th student is written and then
// overwritten by the mark.
void TestClassListExport::studentsBeyondNEndWithTheMark() {
    useSection();
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor); // the click's own cursor comes back
    Qt::CursorShape cursorWhileStarting = Qt::ArrowCursor;
    createClassList(sectionRequest("3"), [&] {
        cursorWhileStarting = QGuiApplication::overrideCursor()->shape();
        ++m_sheet.starts;
        return std::make_unique<RecordingSpreadsheet>(m_sheet);
    });
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor);
    QGuiApplication::restoreOverrideCursor();
    QCOMPARE(cursorWhileStarting, Qt::WaitCursor);

    const QStringList expected = {
        "open " + Connections::templatePath(),
        "activate Attendance",
        "show",
        "select B10:F69",
        "clear B10:F69",
        "select C3",
        "C3 = \"Santos, Maria\"",
        "D5 = \"IT 101\"",
        "I5 = \"Introduction to Computing\"",
        "I6 = \"2026-2027 1st Semester\"",
        "AE6 = \"3\"",
        "Y5 = \"MWF 8:00-9:00 AM\"",
        "B10 = \"2026-001\"",
        "C10 = \"Abad\"",
        "D10 = \"Ana\"",
        "E10 = \"B.\"",
        "F10 = \"BSIT\"",
        "select B10",
        "B11 = \"2026-002\"",
        "C11 = \"Bautista\"",
        "D11 = \"Ben\"",
        "E11 = NULL",
        "F11 = \"BSCS\"",
        "select B11",
        "B12 = \"2026-003\"",
        "C12 = \"Cruz\"",
        "D12 = \"Carla\"",
        "E12 = \"D.\"",
        "F12 = NULL",
        "select B12",
        "B13 = \"2026-004\"",
        "C13 = \"D'Angelo\"",
        "D13 = \"Dino\"",
        "E13 = \"E.\"",
        "F13 = \"BSIT\"",
        "select B13",
        "B13 = \"*\"",
        "C13 = \"\"",
        "D13 = \"\"",
        "E13 = \"\"",
        "F13 = \"\"",
    };
    QCOMPARE(m_sheet.calls, expected);
    QCOMPARE(m_sheet.selection, "B13");
    QCOMPARE(Connections::rs.field("lastname").text(), "D'Angelo");
    QCOMPARE(messages.prompts(), QStringList{confirmation("IT 101")});
}

void TestClassListExport::fewerStudentsThanNAreAllListed() {
    useSection();
    run(sectionRequest("8"));
    QCOMPARE(listed(m_sheet.cells), listed(sectionCells));
    QCOMPARE(m_sheet.selection, "B14");
}

void TestClassListExport::classOfMoreThanSixtyContinuesBelowTheBlock() {
    useSection();
    for (int i = 1; i <= 65; ++i) {
        const QString number = QStringLiteral("%1").arg(i, 2, 10, QChar(u'0'));
        insertLoad(db(), "'11-111-11', '2026-2027 1st Semester', 'IT 102', 'Web Systems', '3', "
                         "'TTh 1:00-2:30 PM', 'Enrolled', '2026-1" +
                             number + "', 'Student " + number + "', 'First', 'M.', 'BSIT'");
    }
    run(classRequest("IT 102", "TTh 1:00-2:30 PM", "65"));
    // The heading, and five cells in each of the rows 10 to 74.
    QCOMPARE(m_sheet.cells.size(), 6 + 65 * 5);
    const Cells firstAndLast = {{"D5", "IT 102"},      {"I5", "Web Systems"}, {"B10", "2026-101"},
                                {"C10", "Student 01"}, {"B69", "2026-160"},   {"C70", "Student 61"},
                                {"B74", "2026-165"},   {"C74", "Student 65"}, {"D74", "First"},
                                {"E74", "M."},         {"F74", "BSIT"}};
    for (auto cell = firstAndLast.begin(); cell != firstAndLast.end(); ++cell)
        QCOMPARE(shown(m_sheet.cells.value(cell.key())), shown(cell.value()));
    QCOMPARE(m_sheet.selection, "B74");
}

void TestClassListExport::noEnrolledStudentStartsNoSpreadsheet() {
    useSection();
    run(classRequest("IT 213", "TTh 8:00-9:30 AM", "4"));
    QCOMPARE(
        messages.messages(),
        (QList<Message>{{confirmation("IT 213"), MsgStyle::YesNoQuestion, "Class List"},
                        {"Record not found! Please try again.", MsgStyle::OkOnly, "zelkarin"}}));
    QCOMPARE(m_sheet.starts, 0);
    QVERIFY(Connections::cn);
    QVERIFY(Connections::rs.eof());
}

void TestClassListExport::countThatIsNotSixteenBitStopsBeforeTheSpreadsheet() {
    useSection();
    const QList<std::pair<QString, long>> counts = {{"abc", zelkarin::Error::TypeMismatch},
                                                    {"", zelkarin::Error::TypeMismatch},
                                                    {"40000", zelkarin::Error::Overflow},
                                                    {"-32769", zelkarin::Error::Overflow},
                                                    {"32767", zelkarin::Error::Overflow}};
    for (const auto& [count, number] : counts) {
        messages.clear();
        QVERIFY(!runGuarded([&] { run(sectionRequest(count)); }));
        QCOMPARE(messages.messages().size(), 2);
        QVERIFY2(messages.messages()[1].prompt.startsWith(
                     QStringLiteral("Run-time error '%1':\n\n").arg(number)),
                 qPrintable(messages.messages()[1].prompt));
        QVERIFY(messages.messages()[1].prompt.contains("enrolled count"));
    }
    QCOMPARE(m_sheet.starts, 0);
    QVERIFY(m_sheet.calls.isEmpty());
}

void TestClassListExport::spreadsheetThatCannotStartIsReported() {
    useSection();
    const bool ended = runGuarded([] {
        createClassList(sectionRequest("5"), []() -> std::unique_ptr<Spreadsheet> {
            throw zelkarin::Error(429, "The spreadsheet application is not installed: "
                                       "zelkarin_calc.so was found nowhere.");
        });
    });
    QVERIFY(!ended);
    QCOMPARE(messages.prompts(),
             (QStringList{confirmation("IT 101"),
                          "Run-time error '429':\n\nThe spreadsheet application is not "
                          "installed: zelkarin_calc.so was found nowhere."}));
    QVERIFY(!QGuiApplication::overrideCursor());
}

QTEST_MAIN(TestClassListExport)
#include "tst_classlistexport.moc"
