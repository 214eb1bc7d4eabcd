#pragma once

#include <QStringList>
#include <QTableWidget>

#include <functional>

namespace controls::qt {

// An editable table. A cell is edited in place: typing over it, F2 or a double-click opens its
// editor, Enter, Tab or leaving it commits the edit and Esc drops it; the arrows and Tab move
// between cells, Enter down a row as in a spreadsheet. A column with items offers them in a list
// that also takes a typed text (a pipe by its outer diameter and wall), and a pick from the list
// commits at once. Each committed edit that changed a cell's text is told once, after the cell
// holds it.
class GridTable final : public QTableWidget {
public:
    using EditHandler = std::function<void(int row, int column)>;
    // The item a column's list opens at for a cell's text, -1 for none.
    using ItemFinder = std::function<int(const QString& text)>;

    GridTable(const QStringList& headings, QWidget* parent);
    void setColumnItems(int column, const QStringList& items);
    QStringList columnItems(int column) const { return m_items.value(column); }
    // Without a finder, a list opens at the item equal to the cell's text.
    void setItemFinder(int column, ItemFinder opensAt);
    int listOpensAt(int column, const QString& text) const;
    // Marks a cell in the look of a note, the note its tooltip, until its text changes.
    void setCellNote(int row, int column, const QString& note);
    void setEditHandler(EditHandler handler) { m_onEdit = std::move(handler); }
    // The cell's text; empty beyond the table.
    QString cellText(int row, int column) const;
    // Sets the cell's text and returns whether it changed; telling nobody.
    bool setCellText(int row, int column, const QString& text);

protected:
    // Tab moves from cell to cell, and on past the last cell (Shift+Tab the first) to the
    // window's next control, editing or not: the grid is no trap for the keyboard.
    bool focusNextPrevChild(bool next) override;
    // Enter, editing or not, goes down a row (at the last row it stays); Tab goes right.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    friend class CellDelegate;
    void edited(int row, int column, const QString& text);
    bool atEdge(bool next) const;
    void moveDown();

    QList<QStringList> m_items;  // by column
    QList<ItemFinder> m_finders; // by column
    EditHandler m_onEdit;
};

} // namespace controls::qt
