#pragma once

#include "ui/controls/controls.h"
#include "ui/qt/widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QWidget>

class QAction;
class QComboBox;
class QFileDialog;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QScreen;

// The controls over Qt widgets. Qt reports programmatic and user changes through different
// signals, and selects a combo box's first item by itself; these classes turn that into the
// one notification contract the logic relies on.
namespace controls::qt {

// The widget a Qt control drives, so that a tool can tell the control by the widget's name.
class OverWidget {
public:
    explicit OverWidget(QWidget* widget) : m_widget(widget) {}
    QWidget* widget() const { return m_widget; }

private:
    QWidget* m_widget;
};

// A line edit that reports each user edit once. Qt replaces a selection in two steps (delete,
// then insert), each with its own textChanged; typing over a selected "2" in the density box
// would otherwise run the handling on an empty text first and show two error messages.
class EditBox final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    void setChangeHandler(Handler handler) { m_onChange = std::move(handler); }

protected:
    bool event(QEvent* event) override;

private:
    void programChanged();

    Handler m_onChange;
    QString m_before;
    int m_depth = 0;
    friend class QtTextBox;
};

class QtTextBox final : public TextBox, public OverWidget {
public:
    explicit QtTextBox(EditBox* edit);
    std::string text() const override;
    void setText(std::string_view text) override;
    void setEnabled(bool on) override;
    void setFocus() override;
    void onChange(Handler handler) override { m_edit->setChangeHandler(std::move(handler)); }

private:
    EditBox* m_edit;
};

class QtDropDownList final : public DropDownList, public OverWidget {
public:
    explicit QtDropDownList(QComboBox* combo);
    std::string text() const override;
    void addItem(std::string_view text, int index) override;
    void clear() override;
    void setText(std::string_view text) override;
    void setEnabled(bool on) override;
    void onClick(Handler handler) override { m_onClick = std::move(handler); }

private:
    QComboBox* m_combo;
    Handler m_onClick;
};

class QtSimpleCombo final : public SimpleCombo, public OverWidget {
public:
    QtSimpleCombo(QLineEdit* edit, QListWidget* list);
    void addItem(std::string_view text, int index) override;
    void setText(std::string_view text) override;
    void showRow(int index) override;
    int selectedIndex() const override;
    void onClick(Handler handler) override { m_onClick = std::move(handler); }
    void onDoubleClick(Handler handler) override { m_onDoubleClick = std::move(handler); }

private:
    QLineEdit* m_edit;
    QListWidget* m_list;
    bool m_programmatic = false;
    Handler m_onClick;
    Handler m_onDoubleClick;
};

// A user's click selects a row and raises nothing; a double-click raises the double-click.
class QtTableList final : public TableList, public OverWidget {
public:
    explicit QtTableList(Table* table);
    void addItem(std::string_view cells, int index) override;
    void clear() override;
    void setRowLook(int index, Look look) override;
    void showRow(int index) override;
    int selectedIndex() const override;
    void onDoubleClick(Handler handler) override { m_onDoubleClick = std::move(handler); }

private:
    Table* m_table;
    Handler m_onDoubleClick;
};

// The user's committed edits and the program's own writes raise the cell's change alike, each
// once and only where the text changed.
class QtGrid final : public Grid, public OverWidget {
public:
    explicit QtGrid(GridTable* table);
    int rowCount() const override;
    void insertRow(int row) override;
    void removeRow(int row) override;
    std::string cell(int row, int column) const override;
    void setCell(int row, int column, std::string_view text) override;
    void setColumnItems(int column, const std::vector<std::string>& items) override;
    int currentRow() const override;
    void setCurrentRow(int row) override;
    void onCellChange(CellHandler handler) override { m_onCellChange = std::move(handler); }

private:
    GridTable* m_table;
    CellHandler m_onCellChange;
};

class QtOptionButton final : public OptionButton, public OverWidget {
public:
    explicit QtOptionButton(QRadioButton* button);
    bool isChecked() const override;
    void setChecked(bool on) override;
    void onClick(Handler handler) override { m_onClick = std::move(handler); }

private:
    QRadioButton* m_button;
    Handler m_onClick;
};

class QtPushButton final : public PushButton, public OverWidget {
public:
    explicit QtPushButton(QPushButton* button);
    void setEnabled(bool on) override;
    void onClick(Handler handler) override { m_onClick = std::move(handler); }

private:
    QPushButton* m_button;
    Handler m_onClick;
};

class QtLabel final : public Label, public OverWidget {
public:
    explicit QtLabel(QLabel* label);
    void setCaption(std::string_view caption) override;

private:
    QLabel* m_label;
};

class QtStatusText final : public StatusText, public OverWidget {
public:
    explicit QtStatusText(StatusLabel* label);
    void setStatus(std::string_view text, bool fault) override;

private:
    StatusLabel* m_label;
};

// A menu command: the user's click, or its shortcut, triggers the action.
class QtMenuCommand final : public MenuCommand {
public:
    explicit QtMenuCommand(QAction* action);
    void onClick(Handler handler) override { m_onClick = std::move(handler); }

private:
    QAction* m_action;
    Handler m_onClick;
};

// A modal box with one OK button and no icon, over the window that raises it. Not the active
// window: right after a box closes there is none until the window manager has activated the
// owner again, and a second box in a row would stand alone, with a generic icon.
class QtMessageBox final : public MessageBox {
public:
    explicit QtMessageBox(QWidget* owner) : m_owner(owner) {}
    void show(std::string_view text, std::string_view title) override;

private:
    QWidget* m_owner;
};

// A modal dialog a control makes over its window each time it is asked, named after the
// control, so that a tool can tell which control asked; so too a control with no widget of its
// own to be told by (the clipboard), or one whose widget is a window of its own (a menu).
class OverDialog {
public:
    OverDialog(QWidget* owner, QString name) : m_owner(owner), m_name(std::move(name)) {}
    QWidget* owner() const { return m_owner; }
    const QString& dialogName() const { return m_name; }

protected:
    QWidget* m_owner;
    QString m_name;
};

// 保存, 不保存 and 取消: Enter saves, Esc and the title bar's close cancel.
class QtQuestion final : public Question, public OverDialog {
public:
    using OverDialog::OverDialog;
    Answer ask(std::string_view text, std::string_view title) override;
};

// Qt's own file dialogs rather than the desktop's: the desktop's run outside the program where a
// desktop has them at all, and the tests could not drive the dialog the user gets. Each opens
// in the folder a path was last chosen in, by any window in this run or the last; the save
// dialog offers the suggested name and adds the chosen filter's extension to a name typed
// without one.
class QtFileDialogs final : public FileDialogs, public OverDialog {
public:
    using OverDialog::OverDialog;
    std::string openPath(std::string_view title, std::string_view filter) override;
    std::string savePath(std::string_view title, std::string_view filter,
                         std::string_view suggested) override;

private:
    std::string choose(QFileDialog& dialog);
};

// The desktop's clipboard, named after the control, as the dialogs are.
class QtClipboard final : public Clipboard, public OverDialog {
public:
    using OverDialog::OverDialog;
    void setText(std::string_view text) override;
};

// A menu of the files last opened or saved, one command each, "&1" to "&8" before its path;
// the menu is disabled while there are none. The list is kept in the program's settings, so
// that every window made later, in this run or the next, finds it.
class QtRecentFiles final : public RecentFiles, public OverDialog {
public:
    // `owner` is the window whose menu it is, `name` the control's.
    QtRecentFiles(QMenu* menu, QWidget* owner, QString name);
    std::vector<std::string> paths() const override;
    void setPaths(const std::vector<std::string>& paths) override;
    void onPick(PickHandler handler) override { m_onPick = std::move(handler); }
    QMenu* menu() const { return m_menu; }

private:
    void fill(const QStringList& paths);

    QMenu* m_menu;
    PickHandler m_onPick;
};

// The sheet printed through Qt's print dialog on A4, or drawn as a PDF, dated by the computer's
// clock. The dialog carries the control's name, as the file dialogs do.
class QtSheetOutput final : public SheetOutput, public OverDialog {
public:
    using OverDialog::OverDialog;
    std::string today() const override;
    bool canPrint() const override;
    std::string print(const sheet::Sheet& sheet) override;
    std::string savePdf(const sheet::Sheet& sheet, const std::string& path) override;
};

// A top-level window, of a fixed size unless made resizable, whose title-bar close only raises
// the notification.
class FormWidget final : public QWidget {
public:
    FormWidget(int widthTwips, int heightTwips);
    void setCloseHandler(Handler handler) { m_onClose = std::move(handler); }
    // Lets the user resize the window, down to the least room its layout needs at its least
    // width. Qt's own least size for a window counts every line that wraps as one line.
    void setResizable();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void fitMinimumToLayout();

    Handler m_onClose;
    bool m_resizable = false;
};

// Sizes a top-level window to `wanted` as far as the screen's free area allows and moves it so
// that its frame is centred on `centre` and lies wholly on the screen. The program places its
// windows itself: there may be no window manager to do it. A window not shown yet has no frame;
// it is taken to be as large as that of `framed`, a window shown before, if there is one.
void placeOnScreen(QWidget& window, const QScreen& screen, QSize wanted, QPoint centre,
                   const QWidget* framed);

class QtWindow final : public Window, public OverWidget {
public:
    explicit QtWindow(FormWidget* widget) : OverWidget(widget), m_widget(widget) {}
    void show() override;
    void hide() override;
    void setTitle(std::string_view title) override;
    void onClose(Handler handler) override;

private:
    FormWidget* m_widget;
    bool m_centred = false;
};

class QtProgram final : public Program {
public:
    void end() override;
};

// 15 twips are one logical pixel at 96 dpi.
inline int twips(int value) {
    return (value + 7) / 15;
}

} // namespace controls::qt
