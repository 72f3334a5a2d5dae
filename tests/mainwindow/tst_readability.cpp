#include "WindowTestFixture.h"
#include "frmMain.h"

#include <QHeaderView>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>

// Captions stay clear of their values; no column cuts a value while the list has room.
class TestReadability : public WindowTestFixture {
    Q_OBJECT

private slots:
    void columnsWidenIntoUnusedWidthOrShowTooltips();
    void captionsStayClearOfTheirValues();
};

void TestReadability::columnsWidenIntoUnusedWidthOrShowTooltips() {
    frmMain window;
    auto* tree = window.findChild<QTreeWidget*>("lstSubjects");
    const QString longDescription = "National Service Training Program 1, Civic Welfare "
                                    "Training Service, Literacy Training Service";
    tree->addTopLevelItems({new QTreeWidgetItem({"IT 102", "Computer Programming 1", "3",
                                                 "TTh 10:00-11:30 AM", "CL-102", "65", "BSIT 1-B"}),
                            new QTreeWidgetItem({"NSTP 1", longDescription, "3", "Sat 1:00-4:00 PM",
                                                 "GYM", "12", "NSTP-C"})});
    window.show();
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 7; ++column) {
            const QModelIndex cell = tree->model()->index(row, column);
            const bool whole =
                tree->visualRect(cell).width() >= tree->sizeHintForIndex(cell).width();
            // Only the long description is cut, and it shows itself whole as a tooltip.
            QCOMPARE(whole, cell.data() != longDescription);
            QCOMPARE(cell.data(Qt::ToolTipRole).toString(),
                     column == 1 ? cell.data().toString() : QString());
        }
    }
    QCOMPARE(tree->header()->length(), tree->viewport()->width());
    QCOMPARE(tree->header()->sectionSize(0), 96); // as designed: 1440 twips
}

void TestReadability::captionsStayClearOfTheirValues() {
    frmMain window;
    window.show();
    // Captions end where the design ends them (in twips); their values start further right.
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
        QCOMPARE(caption->geometry().right() + 1, pair.rightTwips / 15);
        QVERIFY2(caption->geometry().right() < window.findChild<QLabel*>(pair.value)->x(),
                 pair.caption);
    }
}

QTEST_MAIN(TestReadability)
#include "tst_readability.moc"
