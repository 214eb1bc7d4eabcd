#pragma once

#include "ui/controls/memory_gui.h"
#include "ui/form1.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The windows over in-memory controls, as the tests and the developer tools drive them.
namespace ui {

// The main window's controls with their design-time texts.
Form1Controls memoryForm1Controls(controls::memory::Gui& gui);

template <class Controls> class MemoryLoader final : public WindowLoader<Controls> {
public:
    using Make = Controls (*)(controls::memory::Gui&);
    MemoryLoader(controls::memory::Gui& gui, std::string window, Make make)
        : m_gui(gui), m_window(std::move(window)), m_make(make) {}

    Controls load() override {
        m_gui.recordWindowOp("load", m_window);
        return m_make(m_gui);
    }
    void unload() override {
        m_gui.recordWindowOp("unload", m_window);
        m_unloaded = m_gui.takeWindow(m_window);
    }
    void discard() override { m_unloaded.clear(); }

private:
    controls::memory::Gui& m_gui;
    std::string m_window;
    Make m_make;
    std::vector<std::unique_ptr<controls::memory::Control>> m_unloaded;
};

// The loaders of the windows the main window opens, over one in-memory GUI.
class MemoryLoaders {
public:
    explicit MemoryLoaders(controls::memory::Gui& gui);
    WindowLoaders loaders() { return {.form2 = m_form2, .form3 = m_form3, .form4 = m_form4}; }

private:
    MemoryLoader<Form2Controls> m_form2;
    MemoryLoader<Form3Controls> m_form3;
    MemoryLoader<Form4Controls> m_form4;
};

} // namespace ui
