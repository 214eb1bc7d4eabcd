#pragma once

#include "ui/memory_windows.h"

#include <string>
#include <vector>

// The main window over the in-memory controls, started as the program starts it.
struct MainWindow {
    MainWindow() { form1.start(); }
    std::string caption(const std::string& label) { return gui.label("Form1." + label).caption(); }

    controls::memory::Gui gui;
    ui::MemoryLoaders loaders{gui};
    ui::Form1 form1{ui::Form1Controls::from(ui::memoryWindow(gui, ui::kForm1Design)),
                    loaders.loaders()};
};

// A table row's cells, as its tabs part them.
inline std::vector<std::string> cells(const std::string& row) {
    std::vector<std::string> out;
    for (std::size_t start = 0;;) {
        const std::size_t tab = row.find('\t', start);
        out.push_back(row.substr(start, tab - start));
        if (tab == std::string::npos)
            return out;
        start = tab + 1;
    }
}
