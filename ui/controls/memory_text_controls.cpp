#include "ui/controls/memory_text_controls.h"

namespace controls::memory {

MemoryTextBox::MemoryTextBox(Recorder& recorder, std::string name, std::string designText)
    : Control(recorder, std::move(name)), m_text(std::move(designText)) {}

void MemoryTextBox::setText(std::string_view text) {
    record({.kind = "settext", .control = m_name, .text = std::string(text)});
    replace(text);
}

void MemoryTextBox::userType(std::string_view text) {
    if (m_enabled)
        replace(text);
}

void MemoryTextBox::replace(std::string_view text) {
    if (m_text == text)
        return;
    m_text = text;
    raise(m_onChange);
}

MemoryLabel::MemoryLabel(Recorder& recorder, std::string name, std::string designCaption)
    : Control(recorder, std::move(name)), m_caption(std::move(designCaption)) {}

void MemoryLabel::setCaption(std::string_view caption) {
    m_caption = caption;
    record({.kind = "caption", .control = m_name, .text = m_caption});
}

void MemoryStatusText::setStatus(std::string_view text, bool fault) {
    m_text = text;
    m_clickable = false;
    record({.kind = "status", .control = m_name, .text = m_text, .on = fault});
}

void MemoryStatusText::userClick() {
    if (m_clickable)
        raise(m_onClick);
}

} // namespace controls::memory
