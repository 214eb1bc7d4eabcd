#include "ui/memory_windows.h"

namespace ui {

namespace {

// A grid's column headings, which its description gives as one text, separated by tabs.
std::vector<std::string> headings(std::string_view text) {
    std::vector<std::string> out;
    if (text.empty())
        return out;
    for (std::size_t start = 0;;) {
        const std::size_t tab = text.find('\t', start);
        out.emplace_back(text.substr(start, tab - start));
        if (tab == std::string_view::npos)
            return out;
        start = tab + 1;
    }
}

} // namespace

ControlSet memoryWindow(controls::memory::Gui& gui, const WindowDescription& design) {
    ControlSet set(design);
    set.setWindow(gui.window(std::string(design.name)));
    for (const ControlDescription& control : design.controls) {
        const std::string name = design.qualified(control.name);
        const std::string text(control.text);
        switch (control.kind) {
        case Kind::TextBox:
            set.add(control.name, &gui.textBox(name, text));
            break;
        case Kind::DropDownList:
            set.add(control.name, &gui.dropDownList(name));
            break;
        case Kind::SimpleCombo:
            set.add(control.name, &gui.simpleCombo(name));
            break;
        case Kind::TableList:
            set.add(control.name, &gui.tableList(name));
            break;
        case Kind::OptionButton:
            set.add(control.name, &gui.optionButton(name, design.qualified(control.parent)));
            break;
        case Kind::PushButton:
            set.add(control.name, &gui.pushButton(name));
            break;
        case Kind::Label:
            set.add(control.name, &gui.label(name, text));
            break;
        case Kind::StatusText:
            set.add(control.name, &gui.statusText(name));
            break;
        case Kind::MenuCommand:
            set.add(control.name, &gui.menuCommand(name, text));
            break;
        case Kind::MessageBox:
            set.add(control.name, &gui.messageBox());
            break;
        case Kind::HelpWindows:
            set.add(control.name, &gui.helpWindows());
            break;
        case Kind::Program:
            set.add(control.name, &gui.program());
            break;
        case Kind::Grid:
            set.add(control.name, &gui.grid(name, headings(control.text)));
            break;
        case Kind::Question:
            set.add(control.name, &gui.question(name));
            break;
        case Kind::FileDialogs:
            set.add(control.name, &gui.fileDialogs(name));
            break;
        case Kind::Clipboard:
            set.add(control.name, &gui.clipboard(name));
            break;
        case Kind::SheetOutput:
            set.add(control.name, &gui.sheetOutput(name));
            break;
        case Kind::RecentFiles:
            set.add(control.name, &gui.recentFiles(name));
            break;
        case Kind::NetworkPictures:
            set.add(control.name, &gui.networkPictures(name));
            break;
        case Kind::Window:
        case Kind::Frame:
        case Kind::Caption:
            break;
        }
    }
    return set;
}

ControlSet MemoryLoader::load() {
    m_gui.recordWindowOp("load", std::string(m_design.name));
    return memoryWindow(m_gui, m_design);
}

void MemoryLoader::unload() {
    m_gui.recordWindowOp("unload", std::string(m_design.name));
    m_unloaded = m_gui.takeWindow(std::string(m_design.name));
}

} // namespace ui
