#include "ui/controls/memory_control.h"

namespace controls::memory {

void Control::recordEnable(bool on) {
    m_enabled = on;
    record({.kind = "enable", .control = m_name, .on = on});
}

void Control::recordFocus() {
    m_recorder.setFocused(m_name);
    record({.kind = "focus", .control = m_name});
}

void Control::record(const Op& op) {
    m_recorder.record(op);
}

void Control::raise(const Handler& handler) {
    if (handler)
        handler();
}

} // namespace controls::memory
