#pragma once

#include "ui/controls/controls.h"

#include <QString>
#include <QStringList>

class QFileDialog;
class QMenu;
class QWidget;

namespace controls::qt {

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

// 保存, 不保存 and 取消: Enter saves, Esc and the title bar's close cancel. The offer: 恢复 and
// 放弃, Enter restores, and with no button to escape to, Esc and the close do nothing.
class QtQuestion final : public Question, public OverDialog {
public:
    using OverDialog::OverDialog;
    Answer ask(std::string_view text, std::string_view title) override;
    Answer offer(std::string_view text, std::string_view title) override;
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
    std::string text() const override;
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

} // namespace controls::qt
