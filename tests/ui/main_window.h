#pragma once

#include "files/save.h"
#include "ui/memory_windows.h"

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

// The program's data folder in the tests: a scratch folder of its own for each main window, made
// empty before it starts and removed after, never the user's own.
struct ScratchDataFolder {
    ScratchDataFolder() {
        static int made = 0;
        path = std::filesystem::temp_directory_path() /
               ("steam-velocity-data-" + std::to_string(::getpid()) + "-" + std::to_string(made++));
        std::filesystem::remove_all(path);
    }
    ~ScratchDataFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

// The main window over the in-memory controls, started as the program starts it. `before` runs
// before the start: a crash's leavings put in the data folder, a question's answer given.
struct MainWindow {
    // The clock of the in-memory program: the recovery copies' time.
    static constexpr std::string_view kNow = "2026-12-09 15:30:12";

    explicit MainWindow(const std::function<void(MainWindow&)>& before = {}) {
        if (before)
            before(*this);
        form1.start();
    }
    std::string caption(const std::string& label) { return gui.label("Form1." + label).caption(); }

    controls::memory::Gui gui;
    ui::MemoryLoaders loaders{gui};
    ScratchDataFolder data;
    controls::memory::MemoryTimer recoveryTimer;
    ui::Form1 form1{ui::Form1Controls::from(ui::memoryWindow(gui, ui::kForm1Design)), [this] {
                        ui::WindowLoaders made = loaders.loaders();
                        made.recovery = {.folder = files::utf8Of(data.path),
                                         .timer = &recoveryTimer,
                                         .now = [] { return std::string(kNow); }};
                        return made;
                    }()};
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
