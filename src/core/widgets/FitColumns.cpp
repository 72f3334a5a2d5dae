#include "FitColumns.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <algorithm>
#include <numeric>

void fitColumns(QTreeWidget* list, const QList<int>& designedWidths) {
    const QAbstractItemView* view = list;
    int unused = list->maximumViewportSize().width() -
                 std::accumulate(designedWidths.begin(), designedWidths.end(), 0);
    for (int column = 0; column < designedWidths.size(); ++column) {
        const int needed = view->sizeHintForColumn(column);
        const int widening = std::clamp(needed - designedWidths[column], 0, std::max(unused, 0));
        unused -= widening;
        list->header()->resizeSection(column, designedWidths[column] + widening);
        const bool cut = needed > designedWidths[column] + widening;
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            QTreeWidgetItem* item = list->topLevelItem(row);
            item->setToolTip(column, cut ? item->text(column) : QString());
        }
    }
}
