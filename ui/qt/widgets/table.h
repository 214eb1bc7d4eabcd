#pragma once

#include "ui/controls/controls.h"

#include <QTreeWidget>

#include <span>
#include <vector>

namespace controls::qt {

// Rows under fixed column headings. A row above its range reads in red and one below it in grey,
// colours that read on the rows' background in any theme and are chosen anew when the theme
// changes; the recommended row is bold. Ctrl+C and the context menu's 复制 put the selected
// rows (Shift and Ctrl with a click select more than one) on the clipboard as tab-separated
// text under the headings, 全部复制 every row, so that a paste into a spreadsheet gives each
// value its own cell.
class Table final : public QTreeWidget {
public:
    explicit Table(QWidget* parent);
    // The rows, all of them where `selected` is false, as the clipboard is given them.
    QString copied(bool selected) const;
    void setLook(QTreeWidgetItem* row, sheet::Look look);
    // Every row in the theme's disabled text, looks aside, while its figures are of inputs no
    // longer shown; each row's own look again when no longer.
    void setStale(bool on);
    bool stale() const { return m_stale; }
    struct Column {
        const char* heading;
        Qt::Alignment alignment;
        const char* widest;  // the widest cell the column will show
        bool figure = false; // its cells are figures, copied as numbers; others as texts
    };
    // Fixed headings, and each column sized for its widest cell in the window's font, bold
    // included (the recommended row is bold), so that every column shows whole.
    void setColumns(std::span<const Column> columns);
    // The height of the headings and `rows` rows, the frame included.
    int heightOf(int rows) const;
    // The columns are never narrower than these; a wider table shares its spare width among
    // them in proportion, so that no empty band is left beside them.
    void setColumnWidths(QList<int> widths);
    // The size the table asks of its window, which its rows alone would not tell.
    void setPreferredSize(QSize size);
    QSize sizeHint() const override;

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void recolour(QTreeWidgetItem* row) const;
    int m_rowHeight = 0;
    void spreadColumns();

    QList<int> m_widths;
    QSize m_preferred;
    std::vector<bool> m_figures; // a column's, by its place
    bool m_stale = false;
};

} // namespace controls::qt
