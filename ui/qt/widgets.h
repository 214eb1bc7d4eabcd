#pragma once

#include "ui/controls/controls.h"
#include "ui/design.h"

#include <span>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

#include <functional>
#include <string_view>

// The widgets the windows are made of, beyond Qt's own.
namespace controls::qt {

QString fromUtf8(std::string_view text);

// Sets the widget where its description puts it in its frame.
void place(QWidget* widget, const ui::Twips& at);

// A frame whose border and title are drawn once and then copied. Every keystroke repaints the
// labels and boxes inside a frame, and through them the frame beneath; drawing the style's
// border and shaping the title anew each time cost more than the captions that changed.
class Frame final : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
    // Palette, font, style and enabled state all arrive here; the title is set only once.
    void changeEvent(QEvent* event) override;

private:
    QPixmap m_drawn;
};

// A closed list that turns under the wheel only while it has the keyboard focus: scrolling the
// window over a list must not silently pick another pipe or unit. The wheel neither gives it
// the focus nor stops at it.
class DropDown final : public QComboBox {
public:
    explicit DropDown(QWidget* parent) : QComboBox(parent) { setFocusPolicy(Qt::StrongFocus); }

protected:
    void wheelEvent(QWheelEvent* event) override;
};

// A push button that Enter presses too, as Space does. Held down, Enter presses it once: the
// repeats would reach whatever button the press focuses next.
class Button final : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A row caption in blue, chosen anew when the theme's palette changes.
class BlueLabel final : public QLabel {
public:
    BlueLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) { recolour(); }

protected:
    void changeEvent(QEvent* event) override;

private:
    void recolour();
};

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
    void setLook(QTreeWidgetItem* row, TableList::Look look);
    struct Column {
        const char* heading;
        Qt::Alignment alignment;
        const char* widest; // the widest cell the column will show
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
};

// An editable table. A cell is edited in place: typing over it, F2 or a double-click opens its
// editor, Enter, Tab or leaving it commits the edit and Esc drops it; the arrows and Tab move
// between cells. A column with items offers them in a list that also takes a typed text (a
// pipe by its outer diameter and wall), and a pick from the list commits at once. Each
// committed edit that changed a cell's text is told once, after the cell holds it.
class GridTable final : public QTableWidget {
public:
    using EditHandler = std::function<void(int row, int column)>;

    GridTable(const QStringList& headings, QWidget* parent);
    void setColumnItems(int column, const QStringList& items);
    QStringList columnItems(int column) const { return m_items.value(column); }
    void setEditHandler(EditHandler handler) { m_onEdit = std::move(handler); }
    // The cell's text; empty beyond the table.
    QString cellText(int row, int column) const;
    // Sets the cell's text and returns whether it changed; telling nobody.
    bool setCellText(int row, int column, const QString& text);

protected:
    // Tab moves from cell to cell, and on past the last cell (Shift+Tab the first) to the
    // window's next control, editing or not: the grid is no trap for the keyboard.
    bool focusNextPrevChild(bool next) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    friend class CellDelegate;
    void edited(int row, int column, const QString& text);
    bool atEdge(bool next) const;

    QList<QStringList> m_items; // by column
    EditHandler m_onEdit;
};

// Lets the user select a label's text with the mouse and copy it from its context menu (all of
// it where nothing is selected), without the label taking the focus: a click there must not end
// an edit in a text box, whose leaving the program may act on.
void makeCopyable(QLabel* label);

// A label that says a fault in red, a red that reads on the window's colour in any theme, and
// anything else in the theme's own text colour.
class StatusLabel final : public QLabel {
public:
    using QLabel::QLabel;
    void setFault(bool fault);

protected:
    void changeEvent(QEvent* event) override;

private:
    void recolour();

    bool m_fault = false;
};

} // namespace controls::qt
