#include "ListedPeriod.h"

#include <QComboBox>

void ListedPeriod::remember(const QComboBox* periods) {
    m_index = periods->currentIndex();
    m_text = periods->currentText();
}

void ListedPeriod::restore(QComboBox* periods) const {
    // The entry first, for the arrow keys and the open list; then the text, which may be one
    // that the list does not offer (the active period, or none).
    periods->setCurrentIndex(m_index);
    periods->setEditText(m_text);
}
