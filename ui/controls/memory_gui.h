#pragma once

#include "ui/controls/memory_buttons.h"
#include "ui/controls/memory_dialogs.h"
#include "ui/controls/memory_grid.h"
#include "ui/controls/memory_lists.h"
#include "ui/controls/memory_pictures.h"
#include "ui/controls/memory_text_controls.h"
#include "ui/controls/memory_window.h"

#include <map>

namespace controls::memory {

// Owns the controls by their window-qualified names ("Form1.Text3"), creating each on first use.
// Asking for a control under a name another kind holds is a fault of the caller: it throws.
class Gui {
public:
    Gui();

    MemoryTextBox& textBox(const std::string& name, std::string designText = {}) {
        return obtain<MemoryTextBox>(name, std::move(designText));
    }
    MemoryDropDownList& dropDownList(const std::string& name) {
        return obtain<MemoryDropDownList>(name);
    }
    MemorySimpleCombo& simpleCombo(const std::string& name) {
        return obtain<MemorySimpleCombo>(name);
    }
    MemoryTableList& tableList(const std::string& name) { return obtain<MemoryTableList>(name); }
    // The headings count only where the grid is made.
    MemoryGrid& grid(const std::string& name, std::vector<std::string> headings = {}) {
        return obtain<MemoryGrid>(name, std::move(headings));
    }
    MemoryQuestion& question(const std::string& name) { return obtain<MemoryQuestion>(name); }
    MemoryFileDialogs& fileDialogs(const std::string& name) {
        return obtain<MemoryFileDialogs>(name);
    }
    MemoryClipboard& clipboard(const std::string& name) { return obtain<MemoryClipboard>(name); }
    MemorySheetOutput& sheetOutput(const std::string& name) {
        return obtain<MemorySheetOutput>(name);
    }
    MemoryRecentFiles& recentFiles(const std::string& name) {
        return obtain<MemoryRecentFiles>(name, m_stored[name]);
    }
    MemoryNetworkPictures& networkPictures(const std::string& name) {
        return obtain<MemoryNetworkPictures>(name);
    }
    MemoryOptionButton& optionButton(const std::string& name, const std::string& group);
    MemoryPushButton& pushButton(const std::string& name) { return obtain<MemoryPushButton>(name); }
    MemoryLabel& label(const std::string& name, std::string designCaption = {}) {
        return obtain<MemoryLabel>(name, std::move(designCaption));
    }
    MemoryStatusText& statusText(const std::string& name) { return obtain<MemoryStatusText>(name); }
    MemoryMenuCommand& menuCommand(const std::string& name, std::string designCaption = {}) {
        return obtain<MemoryMenuCommand>(name, std::move(designCaption));
    }
    MemoryWindow& window(const std::string& name) { return obtain<MemoryWindow>(name); }
    MemoryMessageBox& messageBox() { return m_messageBox; }
    MemoryHelpWindows& helpWindows() { return m_helpWindows; }
    MemoryProgram& program() { return m_program; }
    const MemoryProgram& program() const { return m_program; }

    // The control of that name, null while there is none.
    Control* find(const std::string& name) const;
    // Takes every control of a window ("Form2") out, so that the next use creates it afresh;
    // the caller decides when they are destroyed.
    std::vector<std::unique_ptr<Control>> takeWindow(const std::string& window);
    // Records a load or unload of a window, which the windows' logic performs.
    void recordWindowOp(std::string_view kind, const std::string& window);

    Recorder& recorder() { return m_recorder; }
    const std::string& focused() const { return m_recorder.focused(); }

private:
    template <class T, class... Args> T& obtain(const std::string& name, Args&&... args) {
        auto& slot = m_controls[name];
        if (!slot)
            slot = std::make_unique<T>(m_recorder, name, std::forward<Args>(args)...);
        return dynamic_cast<T&>(*slot);
    }

    Recorder m_recorder;
    MemoryMessageBox m_messageBox;
    MemoryHelpWindows m_helpWindows;
    MemoryProgram m_program;
    std::map<std::string, std::unique_ptr<Control>> m_controls;
    std::map<std::string, OptionGroup> m_optionGroups;
    // What the recent files' lists keep while their windows are unloaded, by control.
    std::map<std::string, std::vector<std::string>> m_stored;
};

} // namespace controls::memory
