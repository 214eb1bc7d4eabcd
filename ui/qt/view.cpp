#include "ui/qt/view.h"

#include "ui/qt/convert.h"
#include "ui/qt/help_windows.h"
#include "ui/qt/widgets/blue_label.h"
#include "ui/qt/widgets/button.h"
#include "ui/qt/widgets/drop_down.h"
#include "ui/qt/widgets/frame.h"
#include "ui/qt/widgets/pictures.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QShortcut>

#include <algorithm>
#include <stdexcept>

namespace controls::qt {

using ui::ControlDescription;
using ui::Kind;

namespace {

// A simple combo's edit field is as high as a text box, its list takes the rest.
constexpr int kEditTwips = 300;

QLabel* caption(const QString& text, QWidget* parent, ui::CaptionLook look) {
    QLabel* shown =
        look == ui::CaptionLook::Blue ? new BlueLabel(text, parent) : new QLabel(text, parent);
    shown->setTextFormat(Qt::PlainText);
    shown->setAlignment((look == ui::CaptionLook::Centred ? Qt::AlignHCenter : Qt::AlignLeft) |
                        Qt::AlignVCenter);
    return shown;
}

// The menu titled `title`, which is added to the bar by its first command.
QMenu* menuOf(QMenuBar* bar, const QString& title) {
    for (QAction* entry : bar->actions())
        if (entry->menu() && entry->text() == title)
            return entry->menu();
    return bar->addMenu(title);
}

} // namespace

View::View(const ui::WindowDescription& design, const QIcon& icon)
    : m_design(design),
      m_widget(std::make_unique<FormWidget>(design.widthTwips, design.heightTwips)),
      m_made(design.controls.size()), m_controls(design) {
    m_widget->setObjectName(fromUtf8(design.name));
    m_widget->setWindowTitle(fromUtf8(design.title));
    m_widget->setWindowIcon(icon);
    m_controls.setWindow(*keep<QtWindow>(m_widget.get()));
}

View::~View() = default;

template <class Control, class... Args> Control* View::keep(Args&&... args) {
    auto control = std::make_shared<Control>(std::forward<Args>(args)...);
    m_kept.push_back(control);
    return control.get();
}

void View::build(QWidget* client, QMenuBar* menus) {
    QWidget* area = client ? client : m_widget.get();
    auto parentOf = [&](const ControlDescription& control) {
        return control.parent.empty() ? area : widgetOf(*m_design.find(control.parent));
    };
    // The frames first, as every control is made in its frame.
    for (const ControlDescription& control : m_design.controls)
        if (control.kind == Kind::Frame)
            make(control, parentOf(control), menus);
    for (const ControlDescription& control : m_design.controls)
        if (control.kind != Kind::Frame)
            make(control,
                 control.kind == Kind::MenuCommand || control.kind == Kind::RecentFiles
                     ? nullptr
                     : parentOf(control),
                 menus);
    for (const ControlDescription& control : m_design.controls)
        over(control);
}

void View::make(const ControlDescription& control, QWidget* parent, QMenuBar* menus) {
    const bool fixed = m_design.widthTwips > 0;
    Made& made = m_made[static_cast<std::size_t>(&control - m_design.controls.data())];
    const QString text = fromUtf8(control.text);
    // At its place in a window of a fixed size; in a laid-out one, of its width where given.
    auto at = [&](QWidget* widget) {
        if (fixed)
            place(widget, control.at);
        else if (control.at.width > 0)
            widget->setFixedWidth(twips(control.at.width));
        widget->setObjectName(fromUtf8(control.name));
        made.object = widget;
    };
    switch (control.kind) {
    case Kind::Frame:
        at(new Frame(text, parent));
        break;
    case Kind::Caption:
        // A laid-out window's view puts its captions where its layout needs them.
        if (fixed)
            place(caption(text, parent, control.look), control.at);
        break;
    case Kind::TextBox:
        at(new EditBox(text, parent));
        break;
    case Kind::DropDownList: {
        auto* list = new DropDown(parent);
        list->setEditable(false);
        at(list);
        break;
    }
    case Kind::SimpleCombo: {
        // The edit field with its list always shown under it.
        auto* edit = new EditBox(parent);
        edit->setObjectName(fromUtf8(control.name) + QStringLiteral("Edit"));
        const ui::Twips& all = control.at;
        place(edit, {all.left, all.top, all.width, kEditTwips});
        auto* list = new QListWidget(parent);
        list->setObjectName(fromUtf8(control.name));
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        place(list, {all.left, all.top + kEditTwips, all.width, all.height - kEditTwips});
        made.object = list;
        made.edit = edit;
        break;
    }
    case Kind::TableList:
        at(new Table(parent));
        break;
    case Kind::OptionButton:
        at(new QRadioButton(text, parent));
        break;
    case Kind::PushButton: {
        auto* push = new Button(text, parent);
        push->setAutoDefault(false);
        at(push);
        break;
    }
    case Kind::Label: {
        QLabel* label = fixed ? caption(text, parent, ui::CaptionLook::Plain) : new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        at(label);
        break;
    }
    case Kind::StatusText:
        at(new StatusLabel(parent));
        break;
    case Kind::MenuCommand: {
        if (!menus)
            throw std::logic_error(m_design.qualified(control.name) + " has no menu bar");
        QAction* action = menuOf(menus, fromUtf8(control.parent))->addAction(text);
        action->setObjectName(fromUtf8(control.name));
        made.object = action;
        break;
    }
    case Kind::Grid:
        // The headings are the description's text, separated by tabs.
        at(new GridTable(text.isEmpty() ? QStringList() : text.split(QLatin1Char('\t')), parent));
        break;
    case Kind::RecentFiles: {
        if (!menus)
            throw std::logic_error(m_design.qualified(control.name) + " has no menu bar");
        QMenu* recent = menuOf(menus, fromUtf8(control.parent))->addMenu(text);
        recent->setObjectName(fromUtf8(control.name));
        made.object = recent;
        break;
    }
    case Kind::NetworkPictures:
        at(new PicturesWidget(parent));
        break;
    case Kind::MessageBox:
    case Kind::HelpWindows:
    case Kind::Program:
    case Kind::Window:
    case Kind::Question:
    case Kind::FileDialogs:
    case Kind::Clipboard:
    case Kind::SheetOutput:
        break;
    }
}

void View::over(const ControlDescription& control) {
    // The Qt control over the widget made for this control, and no other.
    QWidget* shown = widgetOf(control);
    auto add = [&](ui::AnyControl made) { m_controls.add(control.name, made); };
    switch (control.kind) {
    case Kind::TextBox:
        add(keep<QtTextBox>(static_cast<EditBox*>(shown)));
        break;
    case Kind::DropDownList:
        add(keep<QtDropDownList>(static_cast<QComboBox*>(shown)));
        break;
    case Kind::SimpleCombo:
        add(keep<QtSimpleCombo>(static_cast<QLineEdit*>(made(control).edit),
                                static_cast<QListWidget*>(shown)));
        break;
    case Kind::TableList:
        add(keep<QtTableList>(static_cast<Table*>(shown)));
        break;
    case Kind::OptionButton:
        add(keep<QtOptionButton>(static_cast<QRadioButton*>(shown)));
        break;
    case Kind::PushButton:
        add(keep<QtPushButton>(static_cast<QPushButton*>(shown)));
        break;
    case Kind::Label:
        add(keep<QtLabel>(static_cast<QLabel*>(shown)));
        break;
    case Kind::StatusText:
        add(keep<QtStatusText>(static_cast<StatusLabel*>(shown)));
        break;
    case Kind::MenuCommand:
        add(keep<QtMenuCommand>(actionOf(control)));
        break;
    case Kind::MessageBox:
        add(keep<QtMessageBox>(static_cast<QWidget*>(m_widget.get())));
        break;
    case Kind::HelpWindows:
        add(keep<QtHelpWindows>(static_cast<QWidget*>(m_widget.get())));
        break;
    case Kind::Program:
        add(keep<QtProgram>());
        break;
    case Kind::Grid:
        add(keep<QtGrid>(static_cast<GridTable*>(shown)));
        break;
    case Kind::Question:
        add(keep<QtQuestion>(static_cast<QWidget*>(m_widget.get()), fromUtf8(control.name)));
        break;
    case Kind::FileDialogs:
        add(keep<QtFileDialogs>(static_cast<QWidget*>(m_widget.get()), fromUtf8(control.name)));
        break;
    case Kind::Clipboard:
        add(keep<QtClipboard>(static_cast<QWidget*>(m_widget.get()), fromUtf8(control.name)));
        break;
    case Kind::SheetOutput:
        add(keep<QtSheetOutput>(static_cast<QWidget*>(m_widget.get()), fromUtf8(control.name)));
        break;
    case Kind::RecentFiles:
        add(keep<QtRecentFiles>(static_cast<QMenu*>(shown), static_cast<QWidget*>(m_widget.get()),
                                fromUtf8(control.name)));
        break;
    case Kind::NetworkPictures:
        add(keep<QtNetworkPictures>(static_cast<PicturesWidget*>(shown)));
        break;
    case Kind::Window:
    case Kind::Frame:
    case Kind::Caption:
        break;
    }
}

// What a screen reader says, the tips, Esc, the tab order, the first focus and its Enter.
void View::finish() {
    for (const ControlDescription& control : m_design.controls) {
        const std::vector<QWidget*> widgets = widgetsOf(control);
        if (widgets.empty())
            continue;
        // A simple combo is named by its edit field, where the selected row shows.
        if (!control.accessibleName.empty())
            widgets.back()->setAccessibleName(fromUtf8(control.accessibleName));
        if (!control.description.empty())
            widgets.front()->setAccessibleDescription(fromUtf8(control.description));
        if (!control.tip.empty())
            widgets.front()->setToolTip(fromUtf8(control.tip));
    }
    if (const ControlDescription* cancel = m_design.find(m_design.cancel)) {
        auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), m_widget.get());
        QObject::connect(escape, &QShortcut::activated,
                         static_cast<QPushButton*>(widgetOf(*cancel)), &QPushButton::click);
    }
    // Qt skips disabled controls by itself.
    std::vector<const ControlDescription*> order;
    for (const ControlDescription& control : m_design.controls)
        if (control.tab > 0)
            order.push_back(&control);
    std::sort(order.begin(), order.end(), [](auto* a, auto* b) { return a->tab < b->tab; });
    QWidget* previous = nullptr;
    for (const ControlDescription* control : order)
        for (QWidget* widget : widgetsOf(*control)) {
            if (previous)
                QWidget::setTabOrder(previous, widget);
            previous = widget;
        }
    const ControlDescription* focus = m_design.find(m_design.focus);
    if (!focus)
        return;
    widgetOf(*focus)->setFocus(Qt::OtherFocusReason);
    // Held down, Enter presses once.
    if (const ControlDescription* enter = m_design.find(m_design.enter))
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            auto* shortcut = new QShortcut(QKeySequence(key), widgetOf(*focus));
            shortcut->setContext(Qt::WidgetShortcut);
            shortcut->setAutoRepeat(false);
            QObject::connect(shortcut, &QShortcut::activated,
                             static_cast<QPushButton*>(widgetOf(*enter)), &QPushButton::click);
        }
}

const View::Made& View::made(const ControlDescription& control) const {
    const auto index = &control - m_design.controls.data();
    if (index < 0 || static_cast<std::size_t>(index) >= m_made.size())
        throw std::logic_error(std::string(control.name) + " is not of " +
                               std::string(m_design.name));
    return m_made[static_cast<std::size_t>(index)];
}

QWidget* View::widgetOf(const ControlDescription& control) const {
    return qobject_cast<QWidget*>(made(control).object);
}

std::vector<QWidget*> View::widgetsOf(const ControlDescription& control) const {
    std::vector<QWidget*> widgets;
    if (QWidget* widget = widgetOf(control))
        widgets.push_back(widget);
    if (QWidget* edit = made(control).edit)
        widgets.push_back(edit);
    return widgets;
}

QAction* View::actionOf(const ControlDescription& command) const {
    return qobject_cast<QAction*>(made(command).object);
}

QMenuBar* windowMenuBar(FormWidget* widget) {
    auto* bar = new QMenuBar(widget);
    bar->setNativeMenuBar(false);
    bar->setFocusPolicy(Qt::NoFocus);
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), widget);
    QObject::connect(f10, &QShortcut::activated, bar,
                     [bar] { bar->setActiveAction(bar->actions().constFirst()); });
    return bar;
}

void finishSheetCommands(const View& view) {
    QAction* exportCommand = view.actionOf(*view.design().find("exportSheet"));
    QAction* print = view.actionOf(*view.design().find("print"));
    auto* menu = qobject_cast<QMenu*>(exportCommand->parent());
    if (menu->actions().constFirst() != exportCommand)
        menu->insertSeparator(exportCommand);
    print->setShortcut(QKeySequence::Print);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        print->setEnabled(false);
        print->setToolTip(QString::fromUtf8("没有可用的打印机：可用“导出 PDF…”存为 PDF 文件"));
        menu->setToolTipsVisible(true);
    }
}

std::unique_ptr<View> openedView(const ui::WindowDescription& design, const QIcon& icon) {
    const struct {
        const ui::WindowDescription* design;
        std::unique_ptr<View> (*make)(const QIcon&);
    } views[] = {{&ui::kForm2Design, form2View},
                 {&ui::kPropertyDesign, propertyView},
                 {&ui::kSizingDesign, sizingView},
                 {&ui::kNetworkDesign, networkView}};
    for (const auto& view : views)
        if (view.design == &design)
            return view.make(icon);
    throw std::logic_error(std::string(design.name) + " has no view");
}

} // namespace controls::qt
