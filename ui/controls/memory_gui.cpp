#include "ui/controls/memory_gui.h"

#include <type_traits>

namespace controls::memory {

Gui::Gui() : m_messageBox(m_recorder), m_helpWindows(m_recorder), m_program(m_recorder) {}

void Gui::recordWindowOp(std::string_view kind, const std::string& window) {
    m_recorder.record({.kind = kind, .control = window});
}

Control* Gui::find(const std::string& name) const {
    const auto found = m_controls.find(name);
    return found == m_controls.end() ? nullptr : found->second.get();
}

std::vector<std::unique_ptr<Control>> Gui::takeWindow(const std::string& window) {
    const std::string prefix = window + ".";
    std::vector<std::unique_ptr<Control>> taken;
    for (auto it = m_controls.begin(); it != m_controls.end();) {
        if (it->first == window || it->first.starts_with(prefix)) {
            taken.push_back(std::move(it->second));
            it = m_controls.erase(it);
        } else {
            ++it;
        }
    }
    std::erase_if(m_optionGroups,
                  [&](const auto& entry) { return entry.first.starts_with(prefix); });
    if (m_recorder.focused().starts_with(prefix))
        m_recorder.setFocused({});
    return taken;
}

MemoryOptionButton& Gui::optionButton(const std::string& name, const std::string& group) {
    OptionGroup& shared = m_optionGroups[group];
    if (!shared)
        shared = std::make_shared<std::vector<MemoryOptionButton*>>();
    return obtain<MemoryOptionButton>(name, shared);
}

} // namespace controls::memory
