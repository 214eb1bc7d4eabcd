#pragma once

#include "ui/control_set.h"
#include "ui/controls/memory_gui.h"
#include "ui/form1.h"

// The windows over in-memory controls, as the tests and the developer tools drive them.
namespace ui {

// A window's controls made in memory from its description, each under its qualified name
// ("Form1.Text1") with its design-time text; option buttons are grouped by their frame.
ControlSet memoryWindow(controls::memory::Gui& gui, const WindowDescription& design);

class MemoryLoader final : public WindowLoader {
public:
    MemoryLoader(controls::memory::Gui& gui, const WindowDescription& design)
        : m_gui(gui), m_design(design) {}

    const WindowDescription& design() const override { return m_design; }
    ControlSet load() override;
    void unload() override;
    void discard() override { m_unloaded.clear(); }

private:
    controls::memory::Gui& m_gui;
    const WindowDescription& m_design;
    std::vector<std::unique_ptr<controls::memory::Control>> m_unloaded;
};

// The loaders of the windows the main window opens, over one in-memory GUI.
class MemoryLoaders {
public:
    explicit MemoryLoaders(controls::memory::Gui& gui)
        : m_form2(gui, kForm2Design), m_propertyWindow(gui, kPropertyDesign),
          m_sizingWindow(gui, kSizingDesign), m_networkWindow(gui, kNetworkDesign) {}
    WindowLoaders loaders() {
        return {.form2 = m_form2,
                .propertyWindow = m_propertyWindow,
                .sizingWindow = m_sizingWindow,
                .networkWindow = m_networkWindow};
    }

private:
    MemoryLoader m_form2;
    MemoryLoader m_propertyWindow;
    MemoryLoader m_sizingWindow;
    MemoryLoader m_networkWindow;
};

} // namespace ui
