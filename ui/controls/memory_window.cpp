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

} // namespace controls::memory
