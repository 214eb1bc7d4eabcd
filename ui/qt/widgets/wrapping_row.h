#pragma once

#include <QLayout>
#include <QList>

namespace controls::qt {

// Entries side by side from the left, on one line while the frame is wide enough and wrapped
// onto more lines where it is not, so that a narrow window does not push the last ones past its
// edge. Each entry keeps the width it asks for and all of a line's height, so that captions and
// boxes sit on one middle line as in a box layout.
class WrappingRow final : public QLayout {
public:
    explicit WrappingRow(QWidget* parent) : QLayout(parent) {}
    ~WrappingRow() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(m_items.size()); }
    QLayoutItem* itemAt(int index) const override { return m_items.value(index); }
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return arrange(QRect(0, 0, width, 0), false); }
    void setGeometry(const QRect& area) override;
    // All on one line.
    QSize sizeHint() const override;
    // Each on a line of its own.
    QSize minimumSize() const override;

private:
    // Lays the entries out in `area` if `apply`, and returns the height they take there.
    int arrange(const QRect& area, bool apply) const;

    QList<QLayoutItem*> m_items;
};

} // namespace controls::qt
