#pragma once

#include "tools/replay/invariants.h"
#include "tools/replay/session.h"
#include "ui/memory_windows.h"

#include <memory>
#include <string>
#include <vector>

namespace replay {

// The program over in-memory controls. It watches every operation as it is performed so that
// check() can tell, after each event, whether the program still makes sense.
class MemorySession final : public Driver {
public:
    // `log` hears the handlings and operations as they happen; it may be null.
    explicit MemorySession(JsonLog* log = nullptr);

    void start() override;
    bool canPerform(const Event& event) override;
    void perform(const Event& event) override;
    const calc::CalcState& state() const override { return m_form1.state(); }

    bool ended() const { return m_gui.program().ended(); }
    // The answers given ahead to a question or a file dialogs' control and not yet taken; none
    // while its window is not loaded.
    std::size_t pendingAnswers(const std::string& target) const;
    // What is wrong since the previous check; empty when every invariant holds.
    std::vector<std::string> check();

private:
    void watch(const controls::memory::Op& op);
    template <class Control> Control* find(const std::string& name) const;
    bool visible(std::string_view window) const;
    bool usable(const std::string& control);
    ResultCaptions resultCaptions();
    void typeText(controls::memory::MemoryTextBox& box, const std::string& text);

    JsonLog* m_log;
    controls::memory::Gui m_gui;
    ui::MemoryLoaders m_loaders{m_gui};
    ui::Form1 m_form1;
    CaptionWatch m_captions;
    std::vector<std::string> m_faults;
};

} // namespace replay
