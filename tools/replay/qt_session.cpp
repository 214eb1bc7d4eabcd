#include "tools/replay/qt_session.h"

#include "tools/replay/invariants.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <utility>

namespace replay {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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
               .form3 = opened(ui::kForm3Design).recorded,
               .form4 = opened(ui::kForm4Design).recorded,
               .form5 = opened(ui::kForm5Design).recorded},
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

bool QtSession::eventFilter(QObject* watched, QEvent* event) {
    // Message boxes and the help windows alike: Enter presses the default button, which closes.
    // A question or file dialog takes the answer given for it.
    if (event->type() == QEvent::Show)
        if (auto* box = qobject_cast<QDialog*>(watched))
            QTimer::singleShot(0, box, [this, box] { answer(box); });
    return false;
}

void QtSession::answer(QDialog* dialog) {
    // The overwrite the save dialog asks about was the script's choice.
    if (auto* box = qobject_cast<QMessageBox*>(dialog);
        box && qobject_cast<QFileDialog*>(box->parentWidget()) && box->button(QMessageBox::Yes)) {
        QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
        return;
    }
    const std::string target = dialog->objectName().isEmpty()
                                   ? std::string()
                                   : dialog->parentWidget()->window()->objectName().toStdString() +
                                         "." + dialog->objectName().toStdString();
    const ui::ControlDescription* described = ui::controlOf(target);
    // A print dialog is cancelled: a session prints on no machine's printer.
    if (described && described->kind == ui::Kind::SheetOutput) {
        QTest::keyClick(dialog, Qt::Key_Escape);
        return;
    }
    const bool question = described && described->kind == ui::Kind::Question;
    auto* files = qobject_cast<QFileDialog*>(dialog);
    if (!question && !(files && described && described->kind == ui::Kind::FileDialogs)) {
        QTest::keyClick(dialog, Qt::Key_Enter);
        return;
    }
    auto& answers = m_answers[target];
    if (answers.empty()) {
        // As in memory: cancelled, and the script's fault.
        m_faults.push_back(target + " asked \"" + dialog->windowTitle().toStdString() +
                           "\" with no answer given");
        QTest::keyClick(dialog, Qt::Key_Escape);
        return;
    }
    const std::string given = std::move(answers.front());
    answers.pop_front();
    if (question) {
        auto* box = static_cast<QMessageBox*>(dialog);
        const QMessageBox::StandardButton button = given == "save"      ? QMessageBox::Save
                                                   : given == "discard" ? QMessageBox::Discard
                                                                        : QMessageBox::Cancel;
        QTest::mouseClick(box->button(button), Qt::LeftButton);
        return;
    }
    // The open dialog takes only a file that is there: given another, the user cancels.
    auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    std::error_code error;
    if (given.empty() || !name ||
        (files->acceptMode() == QFileDialog::AcceptOpen &&
         !std::filesystem::is_regular_file(given, error))) {
        QTest::keyClick(files, Qt::Key_Escape);
        return;
    }
    // Chosen as a user chooses it, in the list or by its name, and taken with Enter. The whole
    // path goes into the name field: the dialog would make one in a folder that is not there
    // relative to its own.
    files->selectFile(fromUtf8(given));
    name->setText(fromUtf8(given));
    QTest::keyClick(name, Qt::Key_Return);
    // A folder, say, is opened rather than taken: the dialog must not stay open.
    if (files->isVisible())
        files->reject();
}

std::size_t QtSession::pendingAnswers(const std::string& target) const {
    const auto found = m_answers.find(target);
    return found == m_answers.end() ? 0 : found->second.size();
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

bool QtSession::canPerform(const Event& event) {
    // An answer is given ahead to a control of a loaded window, shown or not.
    if (event.action == Action::Answer || event.action == Action::Path) {
        const ui::WindowDescription* design = ui::designOf(event.target);
        return !ended() && design && viewOf(*design);
    }
    if (!usable(event.target))
        return false;
    if (auto* grid = dynamic_cast<controls::qt::GridTable*>(widget(event.target))) {
        const bool cell = event.number < grid->rowCount() && event.column < grid->columnCount();
        return event.action == Action::Pick
                   ? cell && event.item < grid->columnItems(event.column).size()
                   : cell;
    }
    if (event.action == Action::Pick || event.action == Action::DoubleClick) {
        QWidget* target = widget(event.target);
        int rows = 0;
        if (auto* recent = qobject_cast<QMenu*>(target))
            rows = static_cast<int>(recent->actions().size());
        else if (auto* list = qobject_cast<QListWidget*>(target))
            rows = list->count();
        else if (auto* table = qobject_cast<QTreeWidget*>(target))
            rows = table->topLevelItemCount();
        else
            rows = static_cast<QComboBox*>(target)->count();
        return event.number < rows;
    }
    return true;
}

QWidget* QtSession::startEditing(QTableWidget* grid, int row, int column) {
    QTableWidgetItem* cell = grid->item(row, column);
    if (!cell)
        return nullptr;
    grid->scrollToItem(cell);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(cell).center());
    QTest::keyClick(grid, Qt::Key_F2);
    // The editor is the viewport's one shown child; the window need not have the focus.
    for (QObject* child : grid->viewport()->children())
        if (auto* editor = qobject_cast<QWidget*>(child); editor && editor->isVisible())
            return editor;
    return nullptr;
}

void QtSession::perform(const Event& event) {
    QWidget* target = widget(event.target);
    auto* grid = qobject_cast<QTableWidget*>(target);
    switch (event.action) {
    case Action::Answer:
    case Action::Path:
        m_answers[event.target].push_back(event.text);
        break;
    case Action::Edit:
        if (QWidget* editor = startEditing(grid, event.number, event.column)) {
            // The cell's whole text replaced in one edit, then Enter, which commits it from the
            // event loop once the editor has seen the key.
            QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
            QInputMethodEvent commit;
            commit.setCommitString(fromUtf8(event.text));
            QApplication::sendEvent(editor, &commit);
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents();
        }
        break;
    case Action::Type: {
        auto* edit = static_cast<QLineEdit*>(target);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (event.text.empty()) {
            QTest::keyClick(edit, Qt::Key_Delete);
        } else {
            // One input-method commit replaces the selection in a single edit, as a paste does.
            QInputMethodEvent commit;
            commit.setCommitString(fromUtf8(event.text));
            QApplication::sendEvent(edit, &commit);
        }
        break;
    }
    case Action::Key: {
        auto* edit = static_cast<QLineEdit*>(target);
        const QString text = fromUtf8(event.text);
        for (qsizetype i = 0; i < text.size() && usable(event.target);) {
            const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            QTest::keyClick(edit, Qt::Key_End);
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, text.mid(i, length),
                                Qt::NoModifier);
            m_captions.look(state(), resultCaptions(), m_faults);
            i += length;
        }
        break;
    }
    case Action::Erase:
        for (int press = 0; press < event.number && usable(event.target); ++press) {
            QTest::keyClick(target, Qt::Key_End);
            QTest::keyClick(target, Qt::Key_Backspace);
            m_captions.look(state(), resultCaptions(), m_faults);
        }
        break;
    case Action::Pick:
        if (auto* recent = qobject_cast<QMenu*>(target)) {
            // The entry's own action, as the user's click on it triggers it: opening a submenu
            // through the bar would follow the pointer, which offscreen has no place.
            recent->actions().at(event.number)->trigger();
            break;
        }
        if (grid) {
            // The cell's list opened and its item taken with Enter, as a drop-down list's.
            if (auto* list =
                    qobject_cast<QComboBox*>(startEditing(grid, event.number, event.column))) {
                list->showPopup();
                QAbstractItemView* view = list->view();
                view->setCurrentIndex(view->model()->index(event.item, 0));
                QTest::keyClick(view, Qt::Key_Return);
                QCoreApplication::processEvents();
            }
            break;
        }
        [[fallthrough]];
    case Action::DoubleClick: {
        // A row is clicked where it shows, scrolled into view first.
        auto clickRow = [&](auto* view, auto* item) {
            view->scrollToItem(item);
            // Where the row shows: a table wider than its view shows only part of each row.
            const QPoint centre =
                view->visualItemRect(item).intersected(view->viewport()->rect()).center();
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
            if (event.action == Action::DoubleClick)
                QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
        };
        if (auto* list = qobject_cast<QListWidget*>(target)) {
            clickRow(list, list->item(event.number));
        } else if (auto* table = qobject_cast<QTreeWidget*>(target)) {
            clickRow(table, table->topLevelItem(event.number));
        } else {
            auto* combo = static_cast<QComboBox*>(target);
            // In the open list the item is highlighted, as by the pointer, and taken with
            // Enter; a click right after opening may be taken for the opening click's release.
            combo->showPopup();
            QAbstractItemView* view = combo->view();
            view->setCurrentIndex(view->model()->index(event.number, 0));
            QTest::keyClick(view, Qt::Key_Return);
        }
        break;
    }
    case Action::Press:
        if (QAction* command = menuCommand(event.target)) {
            // Opened from the bar, the menu shows its command highlighted, taken with Enter.
            auto* menu = qobject_cast<QMenu*>(command->parent());
            qobject_cast<QMenuBar*>(menu->parentWidget())->setActiveAction(menu->menuAction());
            menu->setActiveAction(command);
            QTest::keyClick(menu, Qt::Key_Return);
        } else {
            QTest::mouseClick(target, Qt::LeftButton);
        }
        break;
    case Action::Close:
        target->close();
        break;
    }
}

} // namespace replay
