#include "ui/controls/memory_buttons.h"

namespace controls::memory {

MemoryOptionButton::MemoryOptionButton(Recorder& recorder, std::string name, OptionGroup group)
    : Control(recorder, std::move(name)), m_group(std::move(group)) {
    m_group->push_back(this);
}

MemoryOptionButton::~MemoryOptionButton() {
    std::erase(*m_group, this);
}

void MemoryOptionButton::setChecked(bool on) {
    record({.kind = "check", .control = m_name, .on = on});
    if (on)
        switchOn();
    else
        m_checked = false;
}

void MemoryOptionButton::userClick() {
    if (m_enabled)
        switchOn();
}

void MemoryOptionButton::switchOn() {
    if (m_checked)
        return;
    for (MemoryOptionButton* other : *m_group)
        other->m_checked = false;
    m_checked = true;
    raise(m_onClick);
}

void MemoryPushButton::userClick() {
    if (m_enabled)
        raise(m_onClick);
}

} // namespace controls::memory
