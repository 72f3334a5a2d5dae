#include "Connections.h"
#include "Error.h"
#include "MainWindowDriver.h"
#include "ShowMainWindow.h"
#include "TestDatabase.h"
#include "WindowTestFixture.h"
#include "frmMain.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace MainWindowDriver;

namespace {

const QString santos = QStringLiteral("12-345-67");
const QString activePeriod = QStringLiteral("2026-2027 1st Semester");
// The demo data's periods with tanong='YES', in the order they were inserted.
const QStringList offeredPeriods = {"2025-2026 1st Semester", "2025-2026 2nd Semester",
                                    "2025-2026 Summer", "2026-2027 1st Semester"};
const QStringList detailNames = {"lblsubcode", "lblDesc", "lblsched", "lblroom", "lblsection"};
const QStringList noDetails = {"-", "-", "-", "-", "-"};
using Message = MessageRecorder::Message;
const Message noLoad = {"No Teaching Load Avaible", MsgStyle::OkOnly, "zelkarin"};

template <class T> T* child(const QWidget* window, const QString& name) {
    T* widget = window->findChild<T*>(name);
    if (!widget)
        qFatal("no %s", qPrintable(name));
    return widget;
}

QStringList details(const QWidget* window) {
    QStringList texts;
    for (const QString& name : detailNames)
        texts << child<QLabel>(window, name)->text();
    return texts;
}

QStringList column(const QTreeWidget* tree, int column) {
    QStringList texts;
    for (int row = 0; row < tree->topLevelItemCount(); ++row)
        texts << tree->topLevelItem(row)->text(column);
    return texts;
}

bool mainWindowVisible() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "frmMain" && widget->isVisible())
            return true;
    return false;
}

bool mainWindowExists() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "frmMain")
            return true;
    return false;
}

void clickRow(QTreeWidget* tree, int row) {
    const QRect cell = tree->visualItemRect(tree->topLevelItem(row));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, cell.center());
}

void clickBelowRows(QTreeWidget* tree) {
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      QPoint(20, tree->viewport()->height() - 5));
}

} // namespace

class TestMainWindow : public WindowTestFixture {
    Q_OBJECT

private slots:
    void windowMatchesItsDesign();
    void focusOrder();
    void backgroundIsDrawnUnscaledFromTheTopLeft();

    void startsOnTheActivePeriodsEnrolledLoad();
    void noActivePeriodIsReportedBeforeTheWindow();
    void activePeriodThatIsNotOffered();
    void sectionsWithoutEnrolledStudents();
    void failedStartUpLeavesNoWindow();

    void choosingAPeriodLoadsAllItsRows();
    void emptyEntryAsksForAPeriod();
    void typingReloadsNothing();
    void failedChoiceIsReportedAndTheWindowGoesOn();

    void clickShowsTheRowKeyboardDoesNot();
    void detailsStayStaleAfterARefill();
    void classListRequestReadsTheWindow();

    void createButtonRunsTheExportGuarded();
    void changePasswordOpensOneWindow();
    void closeButtonEndsTheProgram();
    void closingTheWindowEndsTheProgram();

private:
    // A SQLite database, the member logged in as `id`: the window's wiring is the same on every
    // engine, whose statements tst_teachingload runs.
    TestDatabase& open(TestDatabase::Content content, const QString& id);
    TestDatabase& openDemo() { return open(TestDatabase::Content::DemoData, santos); }
};

namespace {

// A hidden login window and another open window: neither may keep the program alive.
struct OtherWindows {
    OtherWindows() {
        login.show();
        login.hide();
        other.show();
    }
    QWidget login;
    QWidget other;
};

} // namespace

TestDatabase& TestMainWindow::open(TestDatabase::Content content, const QString& id) {
    TestDatabase& db = useDatabase(Engine::SQLite, content);
    Connections::UserID = id;
    Connections::UserName = "Santos, Maria Luisa";
    Connections::UserDept = "College of Computer Studies";
    Connections::UserPassword = "secret";
    return db;
}

void TestMainWindow::windowMatchesItsDesign() {
    frmMain window;
    QCOMPARE(window.objectName(), "frmMain");
    QCOMPARE(window.windowTitle(), "Zelkarin");
    QVERIFY(window.isWindow());
    QVERIFY(window.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(window.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(window.size(), QSize(924, 612));
    window.ensurePolished();

    struct Control {
        const char* name;
        const char* text;
        int left, top, width, height; // twips
        const char* family;
        qreal points;
        bool bold, underline;
    };
    const char* verdana = "DejaVu Sans";
    const char* sansSerif = "Liberation Sans";
    const Control controls[] = {
        {"lblperiod", "PERIOD :", 855, 435, 2280, 555, sansSerif, 24, true, false},
        {"cboPeriod", "", 3180, 480, 6735, 495, verdana, 15.75, true, false},
        {"Label1", "Faculty ID No.:", 900, 1245, 1845, 315, sansSerif, 12, true, false},
        {"txtID", "Faculty ID No.:", 2850, 1230, 2460, 375, sansSerif, 13.5, true, true},
        {"Label8", "Name:", 1920, 1635, 930, 555, sansSerif, 12, true, false},
        {"txtName", "Name:", 2850, 1560, 9465, 495, sansSerif, 24, true, true},
        {"Label9", "College:", 1710, 2085, 990, 300, sansSerif, 12, true, false},
        {"txtDept", "College:", 2850, 2070, 1185, 360, sansSerif, 13.5, true, true},
        {"Label2", "Subject:", 1575, 2805, 1080, 270, verdana, 12, true, false},
        {"lblsubcode", "-", 2760, 2805, 105, 270, verdana, 12, false, false},
        {"Label6", "Description :", 1020, 3120, 1635, 270, verdana, 12, true, false},
        {"lblDesc", "-", 2760, 3150, 105, 270, verdana, 12, false, false},
        {"Label3", "Schedule:", 1380, 3465, 1275, 270, verdana, 12, true, false},
        {"lblsched", "-", 2760, 3495, 105, 270, verdana, 12, false, false},
        {"Label4", "Room:", 10050, 2895, 855, 270, verdana, 12, true, false},
        {"lblroom", "-", 10920, 2940, 105, 270, verdana, 12, false, false},
        {"Label7", "Section:", 9855, 3465, 1050, 270, verdana, 12, true, false},
        {"lblsection", "-", 10935, 3510, 105, 270, verdana, 12, false, false},
        {"lstSubjects", "", 2955, 4065, 12165, 6090, verdana, 9, false, false},
        {"cmdCreate", "&CREATE CLASS LIST IN EXCEL", 90, 4905, 2775, 525, verdana, 8.25, true,
         false},
        {"cmdchange", "C&HANGE PASSWORD", 75, 5565, 2760, 510, verdana, 8.25, true, false},
        {"cmdClose", "C&LOSE", 90, 6180, 2730, 540, verdana, 8.25, true, false},
    };
    const QStringList keepSize = {"Label1", "Label8", "lblperiod", "txtID", "txtName"};
    // Right-aligned captions fit their text too; tst_readability checks where they end.
    const QStringList rightAligned = {"Label2", "Label6", "Label3", "Label4", "Label7"};
    QCOMPARE(window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(),
             int(std::size(controls)));
    for (const Control& control : controls) {
        const QWidget* widget = child<QWidget>(&window, control.name);
        QVERIFY2(widget->isVisibleTo(&window) && widget->isEnabled(), control.name);
        const QRect design(qRound(control.left / 15.0), qRound(control.top / 15.0),
                           qRound(control.width / 15.0), qRound(control.height / 15.0));
        // Labels fit their text in the fonts at hand, except the five that keep their size.
        if (rightAligned.contains(control.name)) {
            QCOMPARE(widget->y(), design.y());
            QCOMPARE(widget->size(), widget->sizeHint());
        } else if (qobject_cast<const QLabel*>(widget) && !keepSize.contains(control.name)) {
            QCOMPARE(widget->pos(), design.topLeft());
            QCOMPARE(widget->size(), widget->sizeHint());
        } else {
            QCOMPARE(widget->geometry(), design);
        }
        const QFont font = widget->font();
        QCOMPARE(QFontInfo(font).family(), control.family);
        QCOMPARE(font.pointSizeF(), control.points);
        QCOMPARE(font.bold(), control.bold);
        QCOMPARE(font.underline(), control.underline);
        if (auto label = qobject_cast<const QLabel*>(widget)) {
            QCOMPARE(label->text(), control.text);
            QVERIFY(!label->autoFillBackground());
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(64, 64, 64));
        } else if (auto button = qobject_cast<const QPushButton*>(widget)) {
            QCOMPARE(button->text(), control.text);
            QCOMPARE(button->palette().color(QPalette::ButtonText), QColor(Qt::black));
        }
    }
    QCOMPARE(child<QPushButton>(&window, "cmdCreate")->palette().color(QPalette::Button),
             QColor(128, 128, 255));
    QCOMPARE(child<QPushButton>(&window, "cmdchange")->palette().color(QPalette::Button),
             QColor(255, 255, 128));
    QCOMPARE(child<QPushButton>(&window, "cmdClose")->palette().color(QPalette::Button),
             QColor(255, 128, 128));
    // Values from the database are never taken for markup.
    for (const QString& name : detailNames + QStringList{"txtID", "txtName", "txtDept"})
        QCOMPARE(child<QLabel>(&window, name)->textFormat(), Qt::PlainText);

    const QComboBox* combo = periods(&window);
    QVERIFY(combo->isEditable());
    QCOMPARE(combo->insertPolicy(), QComboBox::NoInsert);
    QCOMPARE(combo->count(), 0);
    QCOMPARE(combo->palette().color(QPalette::Text), QColor(255, 0, 0));

    const QTreeWidget* tree = list(&window);
    QVERIFY(!tree->rootIsDecorated());
    QCOMPARE(tree->topLevelItemCount(), 0);
    const QStringList headers = {"Subject Code", "Description", "Units",  "Schedule",
                                 "Room",         "Enrolled",    "Section"};
    const int widths[] = {1440, 4500, 700, 1440, 900, 1000, 1440};
    QCOMPARE(tree->columnCount(), 7);
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(tree->headerItem()->text(i), headers[i]);
        QCOMPARE(tree->header()->sectionSize(i), qRound(widths[i] / 15.0));
    }
}

void TestMainWindow::focusOrder() {
    frmMain window;
    window.show();
    QCOMPARE(window.focusWidget(), list(&window));
    QStringList visited;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
        QWidget* focus = window.focusWidget();
        while (focus && focus->objectName().isEmpty())
            focus = focus->parentWidget(); // the combo box's edit field
        visited << (focus ? focus->objectName() : QString());
    }
    QCOMPARE(visited,
             QStringList({"cmdClose", "cmdchange", "cmdCreate", "cboPeriod", "lstSubjects"}));
}

void TestMainWindow::backgroundIsDrawnUnscaledFromTheTopLeft() {
    frmMain window;
    window.resize(1100, 800);
    const QImage shown = window.grab().toImage();
    const QImage art(dataPath("artwork/main-background.jpg"));
    QCOMPARE(art.size(), QSize(1024, 768));
    // Points that no control covers.
    for (const QPoint point : {QPoint(2, 2), QPoint(900, 20), QPoint(1020, 700), QPoint(30, 760)})
        QCOMPARE(QColor(shown.pixel(point)), QColor(art.pixel(point)));
}

void TestMainWindow::startsOnTheActivePeriodsEnrolledLoad() {
    TestDatabase& db = openDemo();
    frmMain* window = showMainWindow();
    QVERIFY(window->isVisible());
    QVERIFY(window->windowState() & Qt::WindowMaximized);
    QCOMPARE(window->focusWidget(), list(window));

    QCOMPARE(child<QLabel>(window, "txtID")->text(), "12-345-67");
    QCOMPARE(child<QLabel>(window, "txtName")->text(), "Santos, Maria Luisa");
    const QLabel* dept = child<QLabel>(window, "txtDept");
    QCOMPARE(dept->text(), "College of Computer Studies");
    QCOMPARE(dept->size(), dept->sizeHint());
    QCOMPARE(child<QLabel>(window, "txtName")->size(), QSize(631, 33));

    QCOMPARE(periods(window)->currentText(), activePeriod);
    QCOMPARE(entries(periods(window)), offeredPeriods);
    QCOMPARE(listedSubjects(list(window)), QStringList({"GE 104", "IT 101", "IT 102"}));
    QCOMPARE(details(window), noDetails);
    QVERIFY(messages.messages().isEmpty());

    // The window is made once: showing it again runs no second start-up.
    db.exec("UPDATE PERIOD SET status='INACTIVE'");
    QCOMPARE(showMainWindow(), window);
    QVERIFY(messages.messages().isEmpty());
    QCOMPARE(periods(window)->currentText(), activePeriod);
}

void TestMainWindow::noActivePeriodIsReportedBeforeTheWindow() {
    TestDatabase& db = openDemo();
    db.exec("UPDATE PERIOD SET status='INACTIVE'");
    bool visibleDuringMessage = true;
    messages.setOnNextMessage([&] { visibleDuringMessage = mainWindowVisible(); });
    frmMain* window = showMainWindow();

    QCOMPARE(messages.messages(),
             (QList<Message>{{"No Active Period", MsgStyle::OkOnly, "zelkarin"}}));
    QVERIFY(!visibleDuringMessage);
    QVERIFY(window->isVisible());
    QCOMPARE(periods(window)->currentText(), QString());
    QCOMPARE(entries(periods(window)), offeredPeriods);
    QCOMPARE(list(window)->topLevelItemCount(), 0);
    QCOMPARE(details(window), noDetails);
}

void TestMainWindow::activePeriodThatIsNotOffered() {
    TestDatabase& db = openDemo();
    db.exec("UPDATE PERIOD SET tanong='NO' WHERE status='ACTIVE'");
    frmMain* window = showMainWindow();
    QCOMPARE(periods(window)->currentText(), activePeriod);
    QVERIFY(!entries(periods(window)).contains(activePeriod));
    QCOMPARE(periods(window)->count(), 3);
    QCOMPARE(list(window)->topLevelItemCount(), 3);
    QVERIFY(messages.messages().isEmpty());
}

void TestMainWindow::sectionsWithoutEnrolledStudents() {
    TestDatabase& db = open(TestDatabase::Content::SchemaOnly, "11-111-11");
    db.exec("INSERT INTO PERIOD (sy_sem, status, tanong) VALUES ('P1', 'ACTIVE', 'YES')");
    for (const char* status : {"Dropped", "Withdrawn"})
        db.exec(QString("INSERT INTO TLOAD (professorid, periodcode, subject, subjectname, "
                        "units, schedule, room, ssection, enrollstatus) VALUES ('11-111-11', "
                        "'P1', 'CS 1', 'Basics', '3', 'MWF', 'R1', 'A', '%1')")
                    .arg(status));
    bool visibleDuringMessage = true;
    messages.setOnNextMessage([&] { visibleDuringMessage = mainWindowVisible(); });
    frmMain* window = showMainWindow();
    QCOMPARE(messages.messages(), (QList<Message>{noLoad}));
    QVERIFY(!visibleDuringMessage);
    QCOMPARE(list(window)->topLevelItemCount(), 0);
    QCOMPARE(periods(window)->currentText(), "P1");

    // Choosing the same period again counts every row of the section.
    pick(periods(window), "P1");
    QCOMPARE(column(list(window), 0), QStringList{"CS 1"});
    QCOMPARE(column(list(window), 5), QStringList{"2"});
}

void TestMainWindow::failedStartUpLeavesNoWindow() {
    TestDatabase& db = openDemo();
    db.exec("DROP TABLE TLOAD");
    QVERIFY_THROWS_EXCEPTION(zelkarin::Error, showMainWindow());
    QVERIFY(!mainWindowExists());
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestMainWindow::choosingAPeriodLoadsAllItsRows() {
    openDemo();
    frmMain* window = showMainWindow();

    // The all-rows form: IT 213 has no enrolled student (tst_teachingload checks the counts).
    pick(periods(window), activePeriod);
    QCOMPARE(listedSubjects(list(window)), QStringList({"GE 104", "IT 101", "IT 102", "IT 213"}));
    QVERIFY(messages.messages().isEmpty());

    pick(periods(window), "2025-2026 Summer");
    QCOMPARE(list(window)->topLevelItemCount(), 0);
    QCOMPARE(messages.messages(), (QList<Message>{noLoad}));
    QCOMPARE(periods(window)->currentText(), "2025-2026 Summer");
}

void TestMainWindow::emptyEntryAsksForAPeriod() {
    TestDatabase& db = openDemo();
    db.exec("INSERT INTO PERIOD (sy_sem, status, tanong) VALUES ('', 'INACTIVE', 'YES')");
    frmMain* window = showMainWindow();
    pick(periods(window), "");
    QCOMPARE(messages.messages(),
             (QList<Message>{{"Please Select Period first!", MsgStyle::Information, "Period"}}));
    QCOMPARE(list(window)->topLevelItemCount(), 3);
}

void TestMainWindow::typingReloadsNothing() {
    openDemo();
    frmMain* window = showMainWindow();
    QComboBox* combo = periods(window);
    QLineEdit* edit = combo->lineEdit();

    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, "2025");
    QCOMPARE(combo->currentText(), "2025"); // nothing completes it

    // A typed text that names an offered period, confirmed and left, is still no choice.
    edit->clear();
    QTest::keyClicks(edit, "2025-2026 Summer");
    QTest::keyClick(edit, Qt::Key_Return);
    list(window)->setFocus();
    QCoreApplication::processEvents();
    QVERIFY(messages.messages().isEmpty());
    QCOMPARE(list(window)->topLevelItemCount(), 3);
    QCOMPARE(combo->currentText(), "2025-2026 Summer");
    QCOMPARE(combo->count(), 4);
    QCOMPARE(window->classListRequest().period, "2025-2026 Summer");
}

void TestMainWindow::failedChoiceIsReportedAndTheWindowGoesOn() {
    TestDatabase& db = openDemo();
    frmMain* window = showMainWindow();
    db.exec("DROP TABLE TLOAD");
    pick(periods(window), activePeriod);
    QCOMPARE(messages.messages().size(), 1);
    QVERIFY(messages.messages()[0].prompt.startsWith("Run-time error '"));
    QCOMPARE(messages.messages()[0].style, MsgStyle::Critical);
    QVERIFY(window->isVisible());
    QCOMPARE(list(window)->topLevelItemCount(), 3);
}

void TestMainWindow::clickShowsTheRowKeyboardDoesNot() {
    openDemo();
    frmMain* window = showMainWindow();
    QTreeWidget* tree = list(window);
    const auto cellsOf = [&](int row) {
        const QTreeWidgetItem* item = tree->topLevelItem(row);
        return QStringList{item->text(0), item->text(1), item->text(3), item->text(4),
                           item->text(6)};
    };

    clickRow(tree, 1);
    QCOMPARE(details(window), cellsOf(1));
    for (const QString& name : detailNames) {
        const QLabel* label = child<QLabel>(window, name);
        QCOMPARE(label->size(), label->sizeHint());
    }

    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Down);
    QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem*>{tree->topLevelItem(2)});
    QCOMPARE(details(window), cellsOf(1));
    QTest::keyClick(tree, Qt::Key_Up);
    QTest::keyClick(tree, Qt::Key_Up);
    QCOMPARE(details(window), cellsOf(1));

    clickRow(tree, 2);
    const QStringList lastClicked = cellsOf(2);
    QCOMPARE(details(window), lastClicked);

    // A click in the list left empty by a period without load shows no subject.
    pick(periods(window), "2025-2026 Summer");
    QCOMPARE(details(window), lastClicked);
    clickBelowRows(tree);
    QCOMPARE(details(window), noDetails);
}

void TestMainWindow::detailsStayStaleAfterARefill() {
    openDemo();
    frmMain* window = showMainWindow();
    QTreeWidget* tree = list(window);
    const int it101 = column(tree, 0).indexOf("IT 101");
    clickRow(tree, it101);
    const QStringList it101Details = {"IT 101", "Introduction to Computing", "MWF 8:00-9:00 AM",
                                      "CL-101", "BSIT 1-A"};
    QCOMPARE(details(window), it101Details);

    pick(periods(window), "2025-2026 2nd Semester");
    QCOMPARE(column(tree, 0), QStringList{"IT 105"});
    QCOMPARE(details(window), it101Details);
    QCOMPARE(window->classListRequest().subjectLabel, "IT 101");
    QVERIFY(!window->classListRequest().selectedRow);

    // Rows but none selected: the click has no row to show.
    clickBelowRows(tree);
    QVERIFY(tree->selectedItems().isEmpty());
    QCOMPARE(details(window), it101Details);

    clickRow(tree, 0);
    QCOMPARE(child<QLabel>(window, "lblsubcode")->text(), "IT 105");
    QCOMPARE(child<QLabel>(window, "lblroom")->text(), QString()); // NULL room
}

void TestMainWindow::classListRequestReadsTheWindow() {
    openDemo();
    frmMain* window = showMainWindow();
    QTreeWidget* tree = list(window);

    ClassListRequest request = window->classListRequest();
    QCOMPARE(request.subjectLabel, "-");
    QVERIFY(!request.selectedRow);

    const int row = column(tree, 0).indexOf("IT 102");
    clickRow(tree, row);
    Connections::UserID = "changed after the start-up";
    request = window->classListRequest();
    QCOMPARE(request.subjectLabel, "IT 102");
    QCOMPARE(request.selectedRow, QStringList({"IT 102", "Computer Programming 1", "3",
                                               "TTh 10:00-11:30 AM", "CL-102", "65", "BSIT 1-B"}));
    QCOMPARE(request.period, activePeriod);
    QCOMPARE(request.memberName, "Santos, Maria Luisa");
    QCOMPARE(request.facultyId, "changed after the start-up");
}

void TestMainWindow::createButtonRunsTheExportGuarded() {
    openDemo();
    frmMain* window = showMainWindow();
    bool started = false;
    window->setSpreadsheetStarter([&]() -> std::unique_ptr<Spreadsheet> {
        started = true;
        throw zelkarin::Error(zelkarin::Error::AutomationError, "no spreadsheet here");
    });
    QPushButton* create = child<QPushButton>(window, "cmdCreate");
    QTest::mouseClick(create, Qt::LeftButton);
    QCOMPARE(messages.prompts(), QStringList{"Select first the subject on the list"});

    messages.clear();
    clickRow(list(window), column(list(window), 0).indexOf("IT 101"));
    QTest::mouseClick(create, Qt::LeftButton);
    QVERIFY(started);
    QCOMPARE(messages.prompts(),
             QStringList({"Are you sure you want to create a class list of: IT 101 in Excel?",
                          "Run-time error '-2147417848':\n\nno spreadsheet here"}));
    QVERIFY(window->isVisible());
}

void TestMainWindow::changePasswordOpensOneWindow() {
    openDemo();
    frmMain* window = showMainWindow();
    QPushButton* change = child<QPushButton>(window, "cmdchange");
    QTest::mouseClick(change, Qt::LeftButton);
    QTest::mouseClick(change, Qt::LeftButton);
    QList<QWidget*> opened;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "frmChange" && widget->isVisible())
            opened << widget;
    QCOMPARE(opened.size(), 1);
    QVERIFY(!opened.first()->isModal());
    QCOMPARE(child<QLabel>(opened.first(), "lblUsername")->text(), santos);
    QCOMPARE(child<QLineEdit>(opened.first(), "txtOldPassword")->text(), "secret");
    QVERIFY(window->isEnabled());
}

void TestMainWindow::closeButtonEndsTheProgram() {
    openDemo();
    frmMain* window = showMainWindow();
    const OtherWindows others;
    QVERIFY(endsTheProgram(
        [&] { QTest::mouseClick(child<QPushButton>(window, "cmdClose"), Qt::LeftButton); }));
    QVERIFY(messages.messages().isEmpty());
}

void TestMainWindow::closingTheWindowEndsTheProgram() {
    openDemo();
    frmMain* window = showMainWindow();
    const OtherWindows others;
    QVERIFY(!endsTheProgram([] {}));
    QVERIFY(endsTheProgram([&] { window->close(); }));
}

QTEST_MAIN(TestMainWindow)
#include "tst_frmmain.moc"
