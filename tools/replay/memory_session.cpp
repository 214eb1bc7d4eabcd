#include "tools/replay/memory_session.h"

#include "calc/messages.h"
#include "tools/replay/invariants.h"

#include <array>
#include <cctype>
#include <cmath>
#include <utility>

namespace replay {

namespace {

using controls::memory::Op;

std::string_view windowOf(std::string_view control) {
    return control.substr(0, control.find('.'));
}

// Removes the last UTF-8 character, as Backspace at the end of the text does.
void dropLastCharacter(std::string& text) {
    std::size_t end = text.size();
    while (end > 0 && (static_cast<unsigned char>(text[end - 1]) & 0xC0) == 0x80)
        --end;
    text.resize(end > 0 ? end - 1 : 0);
}

controls::Question::Answer answerNamed(std::string_view name) {
    using Answer = controls::Question::Answer;
    for (const Answer answer : {Answer::Save, Answer::Discard, Answer::Cancel, Answer::Restore})
        if (controls::memory::answerName(answer) == name)
            return answer;
    return Answer::Cancel;
}

} // namespace

MemorySession::MemorySession(JsonLog* log)
    : m_log(log), m_form1(ui::Form1Controls::from(ui::memoryWindow(m_gui, ui::kForm1Design)),
                          m_loaders.loaders(), [this](std::string_view name) {
                              if (m_log)
                                  m_log->handling(name);
                          }) {
    m_gui.recorder().setListener([this](const Op& op) { watch(op); });
}

void MemorySession::start() {
    m_form1.start();
    m_captions.reset(resultCaptions());
}

ResultCaptions MemorySession::resultCaptions() {
    ResultCaptions shown;
    for (std::size_t i = 0; i < kResultLabels.size(); ++i)
        shown[i] = m_gui.label(std::string("Form1.") + kResultLabels[i]).caption();
    return shown;
}

void MemorySession::watch(const Op& op) {
    if (m_log)
        m_log->op(op);
    if (op.kind == "message" && (!ownMessage(op.text) || op.title != calc::kErrorTitle))
        m_faults.push_back("a message not of the program's own: " + op.text);
    // A question or file dialog the script gave no answer for beforehand: the script's fault,
    // told as the program's own would be.
    if ((op.kind == "question" || op.kind == "offer" || op.kind == "openpath" ||
         op.kind == "savepath") &&
        !op.on)
        m_faults.push_back(op.control + " asked \"" + (op.text.empty() ? op.title : op.text) +
                           "\" with no answer given");
    if (op.kind == "focus" && !usable(op.control))
        m_faults.push_back("focus given to " + op.control + ", which the user cannot reach");
}

template <class Control> Control* MemorySession::find(const std::string& name) const {
    return dynamic_cast<Control*>(m_gui.find(name));
}

bool MemorySession::visible(std::string_view window) const {
    const auto* shown = find<controls::memory::MemoryWindow>(std::string(window));
    return shown && shown->visible();
}

bool MemorySession::usable(const std::string& control) {
    if (ended() || !visible(windowOf(control)))
        return false;
    // A menu command is never disabled: its window's visibility decides.
    const controls::memory::Control* found = m_gui.find(control);
    return found && found->enabled();
}

std::size_t MemorySession::pendingAnswers(const std::string& target) const {
    if (const auto* question = find<controls::memory::MemoryQuestion>(target))
        return question->pending();
    if (const auto* files = find<controls::memory::MemoryFileDialogs>(target))
        return files->pending();
    return 0;
}

bool MemorySession::canPerform(const Event& event) {
    using namespace controls::memory;
    // An answer is given ahead to a control of a loaded window, shown or not.
    if (event.action == Action::Answer || event.action == Action::Path ||
        event.action == Action::Clip)
        return !ended() && m_gui.find(event.target);
    if (!usable(event.target))
        return false;
    if (const auto* grid = find<MemoryGrid>(event.target)) {
        const int columns = static_cast<int>(grid->headings().size());
        if (event.action == Action::Select)
            return event.number <= event.lastRow && event.lastRow < grid->rowCount() &&
                   event.column <= event.lastColumn && event.lastColumn < columns;
        if (event.action == Action::Command)
            return true;
        const bool cell = event.number < grid->rowCount() &&
                          event.column < static_cast<int>(grid->headings().size());
        return event.action == Action::Pick ? cell && static_cast<std::size_t>(event.item) <
                                                          grid->columnItems(event.column).size()
                                            : cell;
    }
    if (const auto* recent = find<MemoryRecentFiles>(event.target))
        return static_cast<std::size_t>(event.number) < recent->paths().size();
    if (event.action == Action::Pick || event.action == Action::DoubleClick)
        return static_cast<std::size_t>(event.number) <
               find<controls::memory::MemoryItems>(event.target)->items().size();
    return true;
}

void MemorySession::typeText(controls::memory::MemoryTextBox& box, const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        std::size_t next = i + 1;
        while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80)
            ++next;
        // A handling may hide the window or disable the box between two keystrokes.
        if (!usable(box.name()))
            return;
        box.userType(box.text() + text.substr(i, next - i));
        m_captions.look(state(), resultCaptions(), m_faults);
        i = next;
    }
}

void MemorySession::perform(const Event& event) {
    using namespace controls::memory;
    const std::string& target = event.target;
    switch (event.action) {
    case Action::Type:
        m_gui.textBox(target).userType(event.text);
        break;
    case Action::Key:
        typeText(m_gui.textBox(target), event.text);
        break;
    case Action::Erase:
        for (int press = 0; press < event.number && usable(target); ++press) {
            std::string text = m_gui.textBox(target).text();
            if (text.empty())
                break;
            dropLastCharacter(text);
            m_gui.textBox(target).userType(text);
            m_captions.look(state(), resultCaptions(), m_faults);
        }
        break;
    case Action::Edit:
        m_gui.grid(target).userEdit(event.number, event.column, event.text);
        break;
    case Action::Answer:
        m_gui.question(target).answerNext(answerNamed(event.text));
        break;
    case Action::Path:
        m_gui.fileDialogs(target).answerNext(event.text);
        break;
    case Action::Pick:
        if (auto* grid = find<MemoryGrid>(target))
            grid->userPick(event.number, event.column, event.item);
        else if (auto* combo = find<MemorySimpleCombo>(target))
            combo->userPick(event.number);
        else if (auto* table = find<MemoryTableList>(target))
            table->userPick(event.number);
        else if (auto* recent = find<MemoryRecentFiles>(target))
            recent->userPick(event.number);
        else
            m_gui.dropDownList(target).userPick(event.number);
        break;
    case Action::DoubleClick:
        if (auto* table = find<MemoryTableList>(target))
            table->userDoubleClick(event.number);
        else
            m_gui.simpleCombo(target).userDoubleClick(event.number);
        break;
    case Action::Press:
        if (auto* option = find<MemoryOptionButton>(target))
            option->userClick();
        else if (auto* command = find<MemoryMenuCommand>(target))
            command->userClick();
        else if (auto* status = find<MemoryStatusText>(target))
            status->userClick();
        else
            m_gui.pushButton(target).userClick();
        break;
    case Action::Close:
        m_gui.window(target).userClose();
        break;
    case Action::Clip:
        m_gui.clipboard(target).putFromElsewhere(event.text);
        break;
    case Action::Select:
        m_gui.grid(target).userSelect(
            {event.number, event.column, event.lastRow, event.lastColumn});
        break;
    case Action::Command:
        m_gui.grid(target).userCommand(event.command);
        break;
    }
}

std::vector<std::string> MemorySession::check() {
    std::vector<std::string> faults = std::exchange(m_faults, {});
    m_captions.look(state(), resultCaptions(), faults);
    const std::string input =
        inputFault(state(), m_captions.flowShown(), m_captions.roughnessShown());
    if (!input.empty())
        faults.push_back(input);
    // What the windows show: no caption, status or table row may show an infinity or a NaN; a
    // size beyond the calculation's range says so in words.
    for (const ui::WindowDescription* design : ui::kDesigns) {
        if (!find<controls::memory::MemoryWindow>(std::string(design->name)))
            continue;
        for (const ui::ControlDescription& control : design->controls) {
            const std::string name = design->qualified(control.name);
            std::vector<std::string> shown;
            if (control.kind == ui::Kind::Label)
                shown = {m_gui.label(name).caption()};
            else if (control.kind == ui::Kind::StatusText)
                shown = {m_gui.statusText(name).text()};
            else if (control.kind == ui::Kind::TableList)
                shown = m_gui.tableList(name).items();
            else if (control.kind == ui::Kind::Grid)
                for (const std::vector<std::string>& row : m_gui.grid(name).rows())
                    shown.insert(shown.end(), row.begin(), row.end());
            for (const std::string& text : shown)
                if (showsNonsense(text))
                    faults.push_back(name + " shows \"" + text + "\"");
        }
    }

    if (!ended()) {
        int visible = 0;
        for (const ui::WindowDescription* design : ui::kDesigns)
            visible += this->visible(design->name) ? 1 : 0;
        if (visible != 1)
            faults.push_back(std::to_string(visible) + " windows visible");
    }
    return faults;
}

} // namespace replay
