#pragma once

#include "ui/controls/controls.h"

#include <QStringList>
#include <QTableWidget>

#include <functional>

namespace controls::qt {

// An editable table. A cell is edited in place: typing over it, F2 or a double-click opens its
// editor, Enter, Tab or leaving it commits the edit and Esc drops it; the arrows and Tab move
// between cells, Enter down a row as in a spreadsheet. A column with items offers them in a list
// that also takes a typed text (a pipe by its outer diameter and wall), and a pick from the list
// commits at once. Each committed edit that changed a cell's text is told once, after the cell
// holds it, and each current row the user's click or key made another, as it changes.
class GridTable final : public QTableWidget {
public:
    using EditHandler = std::function<void(int row, int column)>;
    using RowHandler = std::function<void()>;
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
    // Marks a cell in the look of a fault, over a note's, the fault its tooltip, until its text
    // changes; an empty fault leaves the note's look.
    void setCellFault(int row, int column, const QString& why);
    QString cellFault(int row, int column) const;
    void setEditHandler(EditHandler handler) { m_onEdit = std::move(handler); }
    void setRowHandler(RowHandler handler) { m_onRow = std::move(handler); }
    // Ctrl+X, Ctrl+C, Ctrl+V and Delete outside an edit, and the context menu's commands.
    using CommandHandler = std::function<void(GridCommand)>;
    void setCommandHandler(CommandHandler handler) { m_onCommand = std::move(handler); }
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
    void mousePressEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    friend class CellDelegate;
    void edited(int row, int column, const QString& text);
    bool atEdge(bool next) const;
    // The cell's look and tooltip from its fault and its note, the fault's first.
    void restyle(QTableWidgetItem* cell) const;
    void moveDown();

    QList<QStringList> m_items;  // by column
    QList<ItemFinder> m_finders; // by column
    EditHandler m_onEdit;
    RowHandler m_onRow;
    // The user's mouse and key events being handled: a current row they change is the user's,
    // where the view's own (the first cell made current as the grid gains the focus) is not.
    int m_userEvents = 0;
    CommandHandler m_onCommand;
};

} // namespace controls::qt
