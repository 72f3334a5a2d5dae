#pragma once

#include <QList>

class QTreeWidget;

// Gives the list's columns their designed widths in pixels. Columns whose cells are cut widen
// into the width that the list leaves unused, the one short of the least width first, so that
// one long text does not take the room of several short ones; the cells of a column still too
// narrow show their whole text as a tooltip.
void fitColumns(QTreeWidget* list, const QList<int>& designedWidths);
