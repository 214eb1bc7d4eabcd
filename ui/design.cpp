#include "ui/design.h"

#include <algorithm>

namespace ui {

std::string_view kindName(Kind kind) {
    constexpr std::string_view kNames[] = {
        "window",        "text box",        "drop-down list", "simple combo", "table",
        "option button", "push button",     "label",          "status text",  "menu command",
        "message box",   "help windows",    "program",        "frame",        "caption",
        "grid",          "question",        "file dialogs",   "clipboard",    "sheet output",
        "recent files",  "network pictures"};
    return kNames[static_cast<std::size_t>(kind)];
}

const ControlDescription* WindowDescription::find(std::string_view control) const {
    if (control.empty())
        return nullptr;
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [&](const ControlDescription& c) { return c.name == control; });
    return found == controls.end() ? nullptr : &*found;
}

std::string WindowDescription::qualified(std::string_view control) const {
    std::string out(name);
    if (!control.empty())
        out.append(".").append(control);
    return out;
}

const WindowDescription* designOf(std::string_view qualified) {
    const std::string_view window = qualified.substr(0, qualified.find('.'));
    for (const WindowDescription* design : kDesigns)
        if (design->name == window)
            return design;
    return nullptr;
}

const ControlDescription* controlOf(std::string_view qualified) {
    const std::size_t dot = qualified.find('.');
    const WindowDescription* design = designOf(qualified);
    return design && dot != std::string_view::npos ? design->find(qualified.substr(dot + 1))
                                                   : nullptr;
}

} // namespace ui
