#pragma once

#include "files/save.h"
#include "network/texts.h"
#include "ui/memory_windows.h"
#include "ui/network_handlings.h"

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
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
// before the start: a crash's leavings put in the data folder, a question's answer given. The
// network's solves run at once unless an executor is given.
struct MainWindow {
    // The clock of the in-memory program: the recovery copies' time.
    static constexpr std::string_view kNow = "2026-12-09 15:30:12";

    explicit MainWindow(const std::function<void(MainWindow&)>& before = {},
                        ui::SolveExecutor executor = {})
        : solveExecutor(std::move(executor)) {
        if (before)
            before(*this);
        form1.start();
    }
    std::string caption(const std::string& label) { return gui.label("Form1." + label).caption(); }

    controls::memory::Gui gui;
    ui::MemoryLoaders loaders{gui};
    ScratchDataFolder data;
    controls::memory::MemoryTimer recoveryTimer;
    ui::SolveExecutor solveExecutor;
    ui::Form1 form1{ui::Form1Controls::from(ui::memoryWindow(gui, ui::kForm1Design)), [this] {
                        ui::WindowLoaders made = loaders.loaders();
                        made.solveExecutor = solveExecutor;
                        made.recovery = {.folder = files::utf8Of(data.path),
                                         .timer = &recoveryTimer,
                                         .now = [] { return std::string(kNow); }};
                        return made;
                    }()};
};

// The main window with the network window opened from its menu, worked as a user works it.
struct NetworkMainWindow : MainWindow {
    explicit NetworkMainWindow(ui::SolveExecutor executor = {})
        : MainWindow({}, std::move(executor)) {
        gui.menuCommand("Form1.mnuNetwork").userClick();
    }
    controls::memory::MemoryGrid& grid() { return gui.grid("Network.segments"); }
    controls::memory::MemoryTableList& table(const std::string& name) {
        return gui.tableList("Network." + name);
    }
    void type(const std::string& box, const std::string& text) {
        gui.textBox("Network." + box).userType(text);
    }
    void edit(int row, network::Column column, const std::string& text) {
        grid().userEdit(row, column, text);
    }
    // Makes a row the current one, as a click into one of its cells does.
    void select(int row) { edit(row, network::Name, grid().cell(row, network::Name)); }
    void press(const std::string& button) { gui.pushButton("Network." + button).userClick(); }
    void menu(const std::string& command) { gui.menuCommand("Network." + command).userClick(); }
    // 打开… with its dialog given the file.
    void openFile(const std::filesystem::path& file) {
        gui.fileDialogs("Network.files").answerNext(files::utf8Of(file));
        menu("openFile");
    }
    std::string status() { return gui.statusText("Network.status").text(); }
    std::string title() { return gui.window("Network").title(); }
    controls::memory::MemoryNetworkPictures& pictures() {
        return gui.networkPictures("Network.pictures");
    }
    // The node the profile was asked to go to; empty for the default, the most unfavourable user.
    std::string profileTo() {
        const auto node = pictures().node();
        return node ? pictures().result().nodes.at(*node).name : std::string();
    }
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
