#pragma once

#include "ui/memory_windows.h"

#include <string>

// The main window over the in-memory controls, started as the program starts it.
struct MainWindow {
    MainWindow() { form1.start(); }
    std::string caption(const std::string& label) { return gui.label("Form1." + label).caption(); }

    controls::memory::Gui gui;
    ui::MemoryLoaders loaders{gui};
    ui::Form1 form1{ui::Form1Controls::from(ui::memoryWindow(gui, ui::kForm1Design)),
                    loaders.loaders()};
};
