#pragma once

#include "ui/control_set.h"
#include "ui/design.h"
#include "ui/qt/qt_controls.h"

#include <QIcon>

#include <memory>
#include <vector>

class QAction;
class QMenuBar;

// The windows' widgets, made from their descriptions, and the Qt controls over them. No logic
// here: the windows' logic reaches these only through the control interfaces.
namespace controls::qt {

// One window: every widget of its description named after its control, at its place in its
// frame where the window has a fixed size, with the names a screen reader says, its tip and its
// place in the tab order; the focus control focused, Esc pressing the cancel button. The Qt
// controls over the widgets belong to the view.
class View {
public:
    View(const ui::WindowDescription& design, const QIcon& icon);
    ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    // Makes the widgets, those outside any frame in `client` (the window itself where null),
    // and the menu commands in `menus`.
    void build(QWidget* client = nullptr, QMenuBar* menus = nullptr);
    // Names the widgets for screen readers and gives them their tips, the tab order and the
    // first focus, Esc and Enter; once the window's own arrangement is made.
    void finish();

    const ui::WindowDescription& design() const { return m_design; }
    FormWidget* widget() const { return m_widget.get(); }
    // The widget made for a control or frame, a simple combo's list; null for a caption, which
    // a window with a fixed size makes unnamed and a laid-out window's view makes itself.
    QWidget* widgetOf(const ui::ControlDescription& control) const;
    // Every widget it is made of, in its tab order: a simple combo's list and edit field.
    std::vector<QWidget*> widgetsOf(const ui::ControlDescription& control) const;
    QAction* actionOf(const ui::ControlDescription& command) const;
    // The controls by their names, for the window's logic.
    const ui::ControlSet& controls() const { return m_controls; }

private:
    struct Made {
        QObject* object = nullptr;
        QWidget* edit = nullptr;
    };
    const Made& made(const ui::ControlDescription& control) const;
    void make(const ui::ControlDescription& control, QWidget* parent, QMenuBar* menus);
    void over(const ui::ControlDescription& control);
    template <class Control, class... Args> Control* keep(Args&&... args);

    const ui::WindowDescription& m_design;
    std::unique_ptr<FormWidget> m_widget;
    std::vector<Made> m_made; // parallel to the description's controls
    std::vector<std::shared_ptr<void>> m_kept;
    ui::ControlSet m_controls;
};

// A laid-out window's menu bar: in the window rather than in a desktop's global menu, out of the
// tab order, its first menu opened by F10 as well as by Alt and its letter.
QMenuBar* windowMenuBar(FormWidget* widget);
// The calculation sheet's commands as a desktop shows them: 打印… by Ctrl+P, set apart from the
// commands before them, and disabled with a tip saying why where there is no printer.
void finishSheetCommands(const View& view);

// The views, each window's own arrangement in its own file.
std::unique_ptr<View> form1View();
std::unique_ptr<View> form2View(const QIcon& icon);
std::unique_ptr<View> propertyView(const QIcon& icon);
std::unique_ptr<View> sizingView(const QIcon& icon);
std::unique_ptr<View> networkView(const QIcon& icon);

// The view of a window the main window opens over itself.
std::unique_ptr<View> openedView(const ui::WindowDescription& design, const QIcon& icon);

} // namespace controls::qt
