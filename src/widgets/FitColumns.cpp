#include "FitColumns.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <algorithm>
#include <numeric>

void fitColumns(QTreeWidget* list, const QList<int>& designedWidths) {
    const QAbstractItemView* view = list;
    QList<int> shortOf;
    for (int column = 0; column < designedWidths.size(); ++column)
        shortOf << std::max(view->sizeHintForColumn(column) - designedWidths[column], 0);
    QList<int> order(designedWidths.size());
    std::iota(order.begin(), order.end(), 0);
    std::ranges::stable_sort(order, {}, [&](int column) { return shortOf[column]; });

    int unused = list->maximumViewportSize().width() -
                 std::accumulate(designedWidths.begin(), designedWidths.end(), 0);
    for (int column : order) {
        const int widening = std::clamp(shortOf[column], 0, std::max(unused, 0));
        unused -= widening;
        list->header()->resizeSection(column, designedWidths[column] + widening);
        const bool cut = widening < shortOf[column];
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            QTreeWidgetItem* item = list->topLevelItem(row);
            item->setToolTip(column, cut ? item->text(column) : QString());
        }
    }
}
