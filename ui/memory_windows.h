#pragma once

#include "ui/controls/memory_gui.h"
#include "ui/form1.h"
#include "ui/form2.h"

// The two windows over in-memory controls, as the tests and the developer tools drive them.
namespace ui {

// The main window's controls with their design-time texts.
Form1Controls memoryForm1Controls(controls::memory::Gui& gui);

class MemoryForm2Loader final : public Form2Loader {
public:
    explicit MemoryForm2Loader(controls::memory::Gui& gui) : m_gui(gui) {}
    Form2Controls load() override;
    void unload() override;

private:
    controls::memory::Gui& m_gui;
};

} // namespace ui
