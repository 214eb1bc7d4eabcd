#include "ui/qt/widgets/wrapping_row.h"

#include <algorithm>

namespace controls::qt {

WrappingRow::~WrappingRow() {
    qDeleteAll(m_items);
}

void WrappingRow::addItem(QLayoutItem* item) {
    // An entry's own layout takes its spacing from the frame's style through this one.
    if (QLayout* entry = item->layout())
        addChildLayout(entry);
    m_items.append(item);
}

QLayoutItem* WrappingRow::takeAt(int index) {
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

void WrappingRow::setGeometry(const QRect& area) {
    QLayout::setGeometry(area);
    arrange(area, true);
}

QSize WrappingRow::sizeHint() const {
    QSize line;
    for (const QLayoutItem* item : m_items) {
        const QSize hint = item->sizeHint();
        line.rwidth() += hint.width() + (line.width() > 0 ? spacing() : 0);
        line.rheight() = std::max(line.height(), hint.height());
    }
    return line.grownBy(contentsMargins());
}

QSize WrappingRow::minimumSize() const {
    QSize widest;
    for (const QLayoutItem* item : m_items)
        widest = widest.expandedTo(item->sizeHint());
    return widest.grownBy(contentsMargins());
}

int WrappingRow::arrange(const QRect& area, bool apply) const {
    const QMargins margins = contentsMargins();
    const QRect inner = area.marginsRemoved(margins);
    int top = inner.top();
    for (qsizetype first = 0, end = 0; first < m_items.size(); first = end) {
        int width = 0, height = 0;
        for (end = first; end < m_items.size(); ++end) {
            const QSize hint = m_items[end]->sizeHint();
            const int wider = width + (end > first ? spacing() : 0) + hint.width();
            if (end > first && wider > inner.width())
                break;
            width = wider;
            height = std::max(height, hint.height());
        }
        for (int left = inner.left(); apply && first < end; ++first) {
            const int entry = m_items[first]->sizeHint().width();
            m_items[first]->setGeometry(QRect(left, top, entry, height));
            left += entry + spacing();
        }
        top += height + (end < m_items.size() ? spacing() : 0);
    }
    return top - inner.top() + margins.top() + margins.bottom();
}

} // namespace controls::qt
