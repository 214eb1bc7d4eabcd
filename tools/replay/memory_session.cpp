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

std::string windowOf(const std::string& control) {
    return control.substr(0, control.find('.'));
}

// Removes the last UTF-8 character, as Backspace at the end of the text does.
void dropLastCharacter(std::string& text) {
    std::size_t end = text.size();
    while (end > 0 && (static_cast<unsigned char>(text[end - 1]) & 0xC0) == 0x80)
        --end;
    text.resize(end > 0 ? end - 1 : 0);
}

} // namespace

MemorySession::MemorySession(JsonLog* log)
    : m_log(log),
      m_form1(ui::memoryForm1Controls(m_gui), m_loaders.loaders(), [this](std::string_view name) {
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
    if (op.kind == "focus" && !usable(op.control))
        m_faults.push_back("focus given to " + op.control + ", which the user cannot reach");
}

bool MemorySession::loaded(const std::string& window) const {
    return window == "Form1" || (window == "Form2" && m_form1.form2Loaded()) ||
           (window == "Form3" && m_form1.form3Loaded()) ||
           (window == "Form4" && m_form1.form4Loaded());
}

bool MemorySession::usable(const std::string& control) {
    const std::string window = windowOf(control);
    if (ended() || !loaded(window))
        return false;
    if (!m_gui.window(window).visible())
        return false;
    if (control == window)
        return true;
    const std::string kind = control.substr(window.size() + 1);
    if (kind.starts_with("Text"))
        return m_gui.textBox(control).enabled();
    if (kind.starts_with("Combo"))
        return window == "Form2" ? m_gui.simpleCombo(control).enabled()
                                 : m_gui.dropDownList(control).enabled();
    if (kind.starts_with("Option"))
        return option(control).enabled();
    if (kind.starts_with("List"))
        return m_gui.tableList(control).enabled();
    // A menu command is never disabled: its window's visibility decides.
    if (kind.starts_with("mnu"))
        return true;
    return m_gui.pushButton(control).enabled();
}

controls::memory::MemoryOptionButton& MemorySession::option(const std::string& control) {
    return m_gui.optionButton(control,
                              windowOf(control) == "Form3" ? "Form3.Frame2" : "Form1.Frame3");
}

bool MemorySession::canPerform(const Event& event) {
    if (!usable(event.target))
        return false;
    const auto row = static_cast<std::size_t>(event.number);
    if (event.action == Action::Pick || event.action == Action::DoubleClick) {
        const std::size_t rows =
            event.target == "Form2.Combo1"  ? m_gui.simpleCombo(event.target).items().size()
            : event.target == "Form4.List1" ? m_gui.tableList(event.target).items().size()
                                            : m_gui.dropDownList(event.target).items().size();
        return row < rows;
    }
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
    case Action::Pick:
        if (target == "Form2.Combo1")
            m_gui.simpleCombo(target).userPick(event.number);
        else if (target == "Form4.List1")
            m_gui.tableList(target).userPick(event.number);
        else
            m_gui.dropDownList(target).userPick(event.number);
        break;
    case Action::DoubleClick:
        if (target == "Form4.List1")
            m_gui.tableList(target).userDoubleClick(event.number);
        else
            m_gui.simpleCombo(target).userDoubleClick(event.number);
        break;
    case Action::Press:
        if (target.find(".Option") != std::string::npos)
            option(target).userClick();
        else if (target.find(".mnu") != std::string::npos)
            m_gui.menuCommand(target).userClick();
        else
            m_gui.pushButton(target).userClick();
        break;
    case Action::Close:
        m_gui.window(target).userClose();
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
    std::vector<std::string> labels;
    for (const char* name : kResultLabels)
        labels.push_back(std::string("Form1.") + name);
    if (m_form1.form2Loaded())
        labels.push_back("Form2.Label9");
    if (m_form1.form3Loaded())
        for (const char* name : kPropertyLabels)
            labels.push_back(std::string("Form3.") + name);
    if (m_form1.form4Loaded())
        for (const char* name : kSizingLabels)
            labels.push_back(std::string("Form4.") + name);
    for (const std::string& name : labels)
        if (showsNonsense(m_gui.label(name).caption()))
            faults.push_back(name + " shows \"" + m_gui.label(name).caption() + "\"");
    if (m_form1.form3Loaded()) {
        const std::string state = std::string("Form3.") + kPropertyState;
        if (showsNonsense(m_gui.statusText(state).text()))
            faults.push_back(state + " shows \"" + m_gui.statusText(state).text() + "\"");
    }
    if (m_form1.form4Loaded()) {
        const std::string status = std::string("Form4.") + kSizingStatus;
        if (showsNonsense(m_gui.statusText(status).text()))
            faults.push_back(status + " shows \"" + m_gui.statusText(status).text() + "\"");
        // A size beyond the calculation's range says so in words, never as an infinity.
        for (const std::string& row : m_gui.tableList("Form4.List1").items())
            if (showsNonsense(row))
                faults.push_back("Form4.List1 shows \"" + row + "\"");
    }

    if (!ended()) {
        int visible = 0;
        for (const char* window : {"Form1", "Form2", "Form3", "Form4"})
            visible += loaded(window) && m_gui.window(window).visible() ? 1 : 0;
        if (visible != 1)
            faults.push_back(std::to_string(visible) + " windows visible");
    }
    return faults;
}

} // namespace replay
