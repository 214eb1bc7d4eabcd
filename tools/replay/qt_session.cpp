#include "tools/replay/qt_session.h"

#include "tools/replay/invariants.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>
#include <QTreeWidget>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace replay {

namespace {

// A control is logged under the name of the widget it drives, its window's name first: a view
// that hands the logic another widget than its description names logs that widget's name. The
// message box, the help windows and the program's end are logged without a name, and a menu
// command, which the program only hears, by its handling.
std::string widgetName(std::string_view, const ui::AnyControl& control) {
    // A question or file dialogs by the name its dialogs carry, after their window's.
    if (const auto* dialogs = std::visit(
            [](auto* real) { return dynamic_cast<const controls::qt::OverDialog*>(real); },
            control))
        return dialogs->owner()->window()->objectName().toStdString() + "." +
               dialogs->dialogName().toStdString();
    const auto* over = std::visit(
        [](auto* real) { return dynamic_cast<const controls::qt::OverWidget*>(real); }, control);
    if (!over)
        return {};
    const QWidget* widget = over->widget();
    std::string name = widget->window()->objectName().toStdString();
    if (!widget->isWindow())
        name += "." + widget->objectName().toStdString();
    return name;
}

} // namespace

// A window the main window opens, and the recording over it.
struct QtSession::Opened {
    Opened(const ui::WindowDescription& design, const OpSink& sink)
        : qt(design, controls::qt::lookupWindowIcon()), recorded(qt, sink, widgetName) {}
    controls::qt::QtLoader qt;
    RecordingLoader recorded;
};

QtSession::QtSession(JsonLog& log)
    : m_log(log), m_sink([this](const controls::memory::Op& op) {
          m_log.op(op);
          if (op.kind == "message" && !ownMessage(op.text))
              m_faults.push_back("a message not of the program's own: " + op.text);
          if (op.kind == "unload")
              std::erase_if(m_answers, [&](const auto& entry) {
                  return entry.first.starts_with(op.control + ".");
              });
      }),
      m_opened([this] {
          std::vector<std::unique_ptr<Opened>> opened;
          for (const ui::WindowDescription* design : ui::kDesigns)
              if (design != &ui::kForm1Design)
                  opened.push_back(std::make_unique<Opened>(*design, m_sink));
          return opened;
      }()),
      m_main(m_view->controls(), m_sink, widgetName),
      m_form1(ui::Form1Controls::from(m_main.controls()),
              {.form2 = opened(ui::kForm2Design).recorded,
               .propertyWindow = opened(ui::kPropertyDesign).recorded,
               .sizingWindow = opened(ui::kSizingDesign).recorded,
               .networkWindow = opened(ui::kNetworkDesign).recorded},
              [this](std::string_view name) { m_log.handling(name); }) {
    qApp->installEventFilter(this);
}

QtSession::~QtSession() {
    qApp->removeEventFilter(this);
}

QtSession::Opened& QtSession::opened(const ui::WindowDescription& design) const {
    for (const auto& window : m_opened)
        if (&window->qt.design() == &design)
            return *window;
    throw std::logic_error(std::string(design.name) + " is not opened by the main window");
}

const controls::qt::View* QtSession::viewOf(const ui::WindowDescription& design) const {
    return &design == &ui::kForm1Design ? m_view.get() : opened(design).qt.view();
}

void QtSession::start() {
    m_form1.start();
    m_captions.reset(resultCaptions());
}

ResultCaptions QtSession::resultCaptions() const {
    ResultCaptions shown;
    for (std::size_t i = 0; i < kResultLabels.size(); ++i)
        shown[i] = static_cast<QLabel*>(m_view->widgetOf(*ui::kForm1Design.find(kResultLabels[i])))
                       ->text()
                       .toStdString();
    return shown;
}

std::vector<QWidget*> QtSession::windows() const {
    std::vector<QWidget*> loaded;
    for (const ui::WindowDescription* design : ui::kDesigns)
        if (const controls::qt::View* view = viewOf(*design))
            loaded.push_back(view->widget());
    return loaded;
}

QWidget* QtSession::visibleWindow() const {
    for (QWidget* form : windows())
        if (form->isVisible())
            return form;
    return nullptr;
}

std::vector<std::string> QtSession::check() {
    std::vector<std::string> faults = std::exchange(m_faults, {});
    m_captions.look(state(), resultCaptions(), faults);
    const std::string input =
        inputFault(state(), m_captions.flowShown(), m_captions.roughnessShown());
    if (!input.empty())
        faults.push_back(input);
    for (QWidget* form : windows()) {
        for (const QLabel* label : form->findChildren<QLabel*>())
            if (showsNonsense(label->text().toStdString()))
                faults.push_back("a label shows " + label->text().toStdString());
        for (const QTableWidget* grid : form->findChildren<QTableWidget*>())
            for (int row = 0; row < grid->rowCount(); ++row)
                for (int column = 0; column < grid->columnCount(); ++column)
                    if (const QTableWidgetItem* cell = grid->item(row, column);
                        cell && showsNonsense(cell->text().toStdString()))
                        faults.push_back("a grid cell shows " + cell->text().toStdString());
        // A size beyond the calculation's range says so in words, never as an infinity.
        for (const QTreeWidget* table : form->findChildren<QTreeWidget*>())
            for (int row = 0; row < table->topLevelItemCount(); ++row)
                for (int column = 0; column < table->columnCount(); ++column) {
                    const QString cell = table->topLevelItem(row)->text(column);
                    if (showsNonsense(cell.toStdString()))
                        faults.push_back("a table cell shows " + cell.toStdString());
                }
    }
    if (!ended()) {
        int visible = 0;
        for (QWidget* form : windows())
            visible += form->isVisible() ? 1 : 0;
        if (visible != 1)
            faults.push_back(std::to_string(visible) + " windows visible");
        // Only the program's own windows count: a closed list's popup may keep Qt's focus
        // offscreen, where no window is ever activated.
        QWidget* focus = QApplication::focusWidget();
        const std::vector<QWidget*> loaded = windows();
        const bool ours =
            focus && std::find(loaded.begin(), loaded.end(), focus->window()) != loaded.end();
        if (ours && (!focus->isEnabled() || !focus->window()->isVisible()))
            faults.push_back("the focus is on " + focus->objectName().toStdString() + " of " +
                             focus->window()->objectName().toStdString() +
                             (focus->isEnabled() ? ", hidden" : ", disabled"));
    }
    return faults;
}

QWidget* QtSession::widget(const std::string& control) const {
    const ui::WindowDescription* design = ui::designOf(control);
    const controls::qt::View* view = design ? viewOf(*design) : nullptr;
    if (!view || control == design->name)
        return view ? view->widget() : nullptr;
    // Found by the name the widget carries, not by the view's own account of its widgets: the
    // events reach the widget a user would, whatever the view handed the logic.
    const ui::ControlDescription* described = ui::controlOf(control);
    return described ? view->widget()->findChild<QWidget*>(QString::fromUtf8(described->name))
                     : nullptr;
}

QAction* QtSession::menuCommand(const std::string& control) const {
    const ui::ControlDescription* described = ui::controlOf(control);
    if (!described || described->kind != ui::Kind::MenuCommand)
        return nullptr;
    const controls::qt::View* view = viewOf(*ui::designOf(control));
    return view ? view->actionOf(*described) : nullptr;
}

bool QtSession::usable(const std::string& control) const {
    if (ended())
        return false;
    // A menu command while its own window is shown.
    if (QAction* command = menuCommand(control))
        return viewOf(*ui::designOf(control))->widget()->isVisible() && command->isEnabled();
    QWidget* target = widget(control);
    // A menu of recent files, closed until the pick opens it.
    if (auto* recent = qobject_cast<QMenu*>(target))
        return viewOf(*ui::designOf(control))->widget()->isVisible() && recent->isEnabled();
    return target && target->isVisible() && target->isEnabled();
}

} // namespace replay
