#pragma once

#include <QList>

class QTreeWidget;

// Gives the list's columns their designed widths in pixels; a column whose cells are cut
// widens into the width that the list leaves unused, the leftmost first, and the cells of a
// column still too narrow show their whole text as a tooltip.
void fitColumns(QTreeWidget* list, const QList<int>& designedWidths);
