#pragma once

#include <QString>

class QComboBox;

// The period box's entry and text as they stood when the list was last filled. A load that
// fails puts the box back on them, so that the box names the period whose rows are listed
// and the next action (the export, an arrow key) starts from what the member sees.
class ListedPeriod {
public:
    void remember(const QComboBox* periods);
    void restore(QComboBox* periods) const;

private:
    int m_index = -1;
    QString m_text;
};
