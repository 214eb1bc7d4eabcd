#include "ui/controls/memory_window.h"

namespace controls::memory {

void MemoryWindow::show() {
    record({.kind = "show", .control = m_name});
    m_visible = true;
}

void MemoryWindow::hide() {
    record({.kind = "hide", .control = m_name});
    m_visible = false;
}

void MemoryWindow::setTitle(std::string_view title) {
    record({.kind = "title", .control = m_name, .text = std::string(title)});
    m_title = title;
}

void MemoryProgram::end() {
    m_recorder.record({.kind = "end"});
    m_ended = true;
}

void MemoryTimer::start(int milliseconds) {
    m_running = true;
    m_interval = milliseconds;
    m_left = milliseconds;
}

void MemoryTimer::elapse(int milliseconds) {
    if (!m_running)
        return;
    m_left -= milliseconds;
    if (m_left > 0)
        return;
    // Single-shot: stopped before the handling runs, which may start it again.
    m_running = false;
    if (m_onTimeout)
        m_onTimeout();
}

} // namespace controls::memory
