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
    using Control::Control;

    void onClick(Handler handler) override { m_onClick = std::move(handler); }
    void userClick() { raise(m_onClick); }

private:
    Handler m_onClick;
};

} // namespace controls::memory
