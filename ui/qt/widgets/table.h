#pragma once

#include "ui/controls/controls.h"
#include "ui/controls/table_order.h"

#include <QTreeWidget>

#include <span>
#include <vector>

namespace controls::qt {

// Rows under fixed column headings. A row above its range reads in red and one below it in grey,
// colours that read on the rows' background in any theme and are chosen anew when the theme
// changes; the recommended row is bold. Ctrl+C and the context menu's 复制 put the selected
// rows (Shift and Ctrl with a click select more than one) on the clipboard as tab-separated
// text under the headings, 全部复制 every row, so that a paste into a spreadsheet gives each
// value its own cell. A sortable table sorts its rows by a click on a column's heading, figures
// by their values, and keeps each row under the index it was added with.
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
    // included (the recommended row is bold), so that every column shows whole. Sized to its
    // contents, a column is as wide as its heading and the cells it holds, and no wider than its
    // widest cell would need; one whose every row is empty is hidden until a row fills it.
    enum class Widths { Widest, Contents };
    void setColumns(std::span<const Column> columns, Widths widths = Widths::Widest);
    // Every column at its widest.
    int widestLength() const;
    // The height of the headings and `rows` rows, the frame included.
    int heightOf(int rows) const;
    // The columns are never narrower than these; a wider table shares its spare width among
    // them in proportion, so that no empty band is left beside them.
    void setColumnWidths(QList<int> widths);
    // A click on a heading orders the rows by its column (ui/controls/table_order.h), a third
    // click as they were added.
    void setSortable();
    // The rows by the index they were added under, whatever the order they are shown in.
    void insertRow(int index, QTreeWidgetItem* row);
    QTreeWidgetItem* row(int index) const;
    int indexOf(const QTreeWidgetItem* row) const;
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    void clearRows();
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
    void showInOrder();
    int m_rowHeight = 0;
    void spreadColumns();

    // The widths the columns' headings need, and those their widest cells would.
    QList<int> m_least, m_most;
    bool m_toContents = false;
    QList<int> m_filled; // a column's cells that are not empty
    QList<int> m_widths;
    QSize m_preferred;
    std::vector<bool> m_figures;          // a column's, by its place
    std::vector<QTreeWidgetItem*> m_rows; // in the order added
    controls::TableOrder m_order;
    bool m_stale = false;
};

} // namespace controls::qt
