#pragma once

#include "ui/controls/memory_gui.h"
#include "ui/form1.h"
#include "ui/form2.h"

#include <memory>
#include <vector>

// The two windows over in-memory controls, as the tests and the developer tools drive them.
namespace ui {

// The main window's controls with their design-time texts.
Form1Controls memoryForm1Controls(controls::memory::Gui& gui);

class MemoryForm2Loader final : public Form2Loader {
public:
    explicit MemoryForm2Loader(controls::memory::Gui& gui) : m_gui(gui) {}
    Form2Controls load() override;
    void unload() override;
    void discard() override { m_unloaded.clear(); }

private:
    controls::memory::Gui& m_gui;
    std::vector<std::unique_ptr<controls::memory::Control>> m_unloaded;
};

} // namespace ui
