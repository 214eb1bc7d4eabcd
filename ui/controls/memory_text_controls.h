#pragma once

#include "ui/controls/memory_control.h"

namespace controls::memory {

class MemoryTextBox final : public Control, public TextBox {
public:
    MemoryTextBox(Recorder& recorder, std::string name, std::string designText);

    std::string text() const override { return m_text; }
    void setText(std::string_view text) override;
    void setEnabled(bool on) override { recordEnable(on); }
    void setFocus() override { recordFocus(); }
    void onChange(Handler handler) override { m_onChange = std::move(handler); }

    // The user replaces the whole text in one edit; ignored while the box is disabled.
    void userType(std::string_view text);

private:
    void replace(std::string_view text);

    std::string m_text;
    Handler m_onChange;
};

class MemoryLabel final : public Control, public Label {
public:
    MemoryLabel(Recorder& recorder, std::string name, std::string designCaption);

    void setCaption(std::string_view caption) override;
    const std::string& caption() const { return m_caption; }

private:
    std::string m_caption;
};

// Says a fault by its `on` field, as the real one says it in the alert colour.
class MemoryStatusText final : public Control, public StatusText {
public:
    using Control::Control;

    void setStatus(std::string_view text, bool fault) override;
    // Not logged: the pointing hand is no text of the window's, and the click it leads to is.
    void setClickable(bool on) override { m_clickable = on; }
    void onClick(Handler handler) override { m_onClick = std::move(handler); }
    const std::string& text() const { return m_text; }
    bool clickable() const { return m_clickable; }

    // The user clicks the line; only a clickable one raises its click.
    void userClick();

private:
    std::string m_text;
    bool m_clickable = false;
    Handler m_onClick;
};

} // namespace controls::memory
