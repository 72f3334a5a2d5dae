#include "FitColumns.h"
#include "frmMain.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>

namespace {

// A list whose viewport is 400 pixels wide, with columns designed to leave 100 of them unused.
struct List {
    QTreeWidget tree;
    const QList<int> designed = {60, 120, 120};

    List() {
        tree.setColumnCount(3);
        tree.setFrameStyle(QFrame::NoFrame);
        tree.header()->setStretchLastSection(false);
        tree.resize(400, 300);
    }
    void addRow(const QStringList& cells) {
        tree.addTopLevelItem(new QTreeWidgetItem(cells));
        fitColumns(&tree, designed);
    }
    int width(int column) const { return tree.header()->sectionSize(column); }
    int needed(int column) const {
        return static_cast<const QAbstractItemView&>(tree).sizeHintForColumn(column);
    }
    QString tip(int column) const { return tree.topLevelItem(0)->toolTip(column); }
};

} // namespace

// Every caption stays clear of its value, and no column cuts a value while the list has room.
class TestReadability : public QObject {
    Q_OBJECT

private slots:
    void columnsKeepTheirDesignWhileTheTextFits();
    void aCutColumnWidensIntoTheUnusedWidth();
    void aColumnWithoutRoomShowsItsCellsAsTooltips();
    void theTeachingLoadIsShownWhole();
    void captionsStayClearOfTheirValues();
};

void TestReadability::columnsKeepTheirDesignWhileTheTextFits() {
    List list;
    list.addRow({"IT 1", "Short", "MWF"});
    for (int column = 0; column < 3; ++column) {
        QCOMPARE(list.width(column), list.designed[column]);
        QCOMPARE(list.tip(column), QString());
    }
}

void TestReadability::aCutColumnWidensIntoTheUnusedWidth() {
    List list;
    list.addRow({"IT 1", "Short", "TTh 10:00-11:30 AM, Sat 8:00 AM"});
    QVERIFY(list.needed(2) > 120 && list.needed(2) <= 220);
    QCOMPARE(list.width(0), 60);
    QCOMPARE(list.width(1), 120);
    QCOMPARE(list.width(2), list.needed(2));
    QCOMPARE(list.tip(2), QString());
}

void TestReadability::aColumnWithoutRoomShowsItsCellsAsTooltips() {
    List list;
    const QString description = "National Service Training Program 1, Civic Welfare Training";
    const QString schedule = "TTh 10:00-11:30 AM, Sat 8:00 AM";
    list.addRow({"IT 1", description, schedule});
    // The description takes the whole unused width, the schedule keeps its design.
    QCOMPARE(list.width(1), 220);
    QCOMPARE(list.width(2), 120);
    QCOMPARE(list.tip(0), QString());
    QCOMPARE(list.tip(1), description);
    QCOMPARE(list.tip(2), schedule);
}

void TestReadability::theTeachingLoadIsShownWhole() {
    frmMain window;
    auto* tree = window.findChild<QTreeWidget*>("lstSubjects");
    // The rows the list gets for a member with these sections.
    tree->addTopLevelItems(
        {new QTreeWidgetItem(QStringList{"IT 102", "Computer Programming 1", "3",
                                         "TTh 10:00-11:30 AM", "CL-102", "65", "BSIT 1-B"}),
         new QTreeWidgetItem(QStringList{"NSTP 1", "National Service Training Program 1", "3",
                                         "Sat 1:00-4:00 PM", "GYM", "12", "NSTP-C"})});
    window.show();
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 7; ++column) {
            const QModelIndex cell = tree->model()->index(row, column);
            QVERIFY2(tree->visualRect(cell).width() >= tree->sizeHintForIndex(cell).width(),
                     qPrintable(cell.data().toString()));
        }
    }
    // The designed columns all stay within the list.
    QVERIFY(tree->header()->length() <= tree->viewport()->width());
}

void TestReadability::captionsStayClearOfTheirValues() {
    frmMain window;
    window.show();
    // Captions end where the design ends them, in twips; their values start further right.
    const struct {
        const char* caption;
        const char* value;
        int rightTwips;
    } pairs[] = {{"Label2", "lblsubcode", 2655},
                 {"Label6", "lblDesc", 2655},
                 {"Label3", "lblsched", 2655},
                 {"Label4", "lblroom", 10905},
                 {"Label7", "lblsection", 10905}};
    for (const auto& pair : pairs) {
        const QLabel* caption = window.findChild<QLabel*>(pair.caption);
        const QLabel* value = window.findChild<QLabel*>(pair.value);
        QCOMPARE(caption->geometry().right() + 1, pair.rightTwips / 15);
        QVERIFY2(caption->geometry().right() < value->x(), pair.caption);
        QVERIFY2(caption->width() >= caption->sizeHint().width(), pair.caption);
    }
}

QTEST_MAIN(TestReadability)
#include "tst_readability.moc"
