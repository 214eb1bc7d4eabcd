#pragma once

#include "ui/controls/memory_control.h"

#include <memory>
#include <vector>

namespace controls::memory {

class MemoryOptionButton;
// The option buttons of one frame: each button shares it, so it lives as long as they do.
using OptionGroup = std::shared_ptr<std::vector<MemoryOptionButton*>>;

class MemoryOptionButton final : public Control, public OptionButton {
public:
    MemoryOptionButton(Recorder& recorder, std::string name, OptionGroup group);
    ~MemoryOptionButton() override;

    bool isChecked() const override { return m_checked; }
    void setChecked(bool on) override;
    void onClick(Handler handler) override { m_onClick = std::move(handler); }

    void userClick();

private:
    void switchOn();

    OptionGroup m_group;
    bool m_checked = false;
    Handler m_onClick;
};

class MemoryPushButton final : public Control, public PushButton {
public:
    using Control::Control;

    void setEnabled(bool on) override { recordEnable(on); }
    void onClick(Handler handler) override { m_onClick = std::move(handler); }

    void userClick();

private:
    Handler m_onClick;
};

class MemoryMenuCommand final : public Control, public MenuCommand {
public:
    MemoryMenuCommand(Recorder& recorder, std::string name, std::string designCaption = {})
        : Control(recorder, std::move(name)), m_caption(std::move(designCaption)) {}

    // Neither logged: the replay hands the program the real menu commands, which it only
    // hears, so a log of their captions could not be the same over both implementations.
    void setCaption(std::string_view caption) override { m_caption = caption; }
    void setEnabled(bool on) override { m_enabled = on; }
    void onClick(Handler handler) override { m_onClick = std::move(handler); }
    const std::string& caption() const { return m_caption; }

    void userClick() {
        if (m_enabled)
            raise(m_onClick);
    }

private:
    std::string m_caption;
    Handler m_onClick;
};

} // namespace controls::memory
