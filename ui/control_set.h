#pragma once

#include "ui/controls/controls.h"
#include "ui/design.h"

#include <array>
#include <optional>
#include <type_traits>
#include <variant>
#include <vector>

namespace ui {

// One control of any kind the logic drives.
using AnyControl =
    std::variant<controls::Window*, controls::TextBox*, controls::DropDownList*,
                 controls::SimpleCombo*, controls::TableList*, controls::OptionButton*,
                 controls::PushButton*, controls::Label*, controls::StatusText*,
                 controls::MenuCommand*, controls::MessageBox*, controls::HelpWindows*,
                 controls::Program*, controls::Grid*, controls::Question*, controls::FileDialogs*,
                 controls::Clipboard*, controls::SheetOutput*, controls::RecentFiles*,
                 controls::NetworkPictures*>;

// The kind of each alternative, in order: the kinds of Kind up to Program, then those added
// after frames and captions, which are no controls.
inline constexpr std::array<Kind, std::variant_size_v<AnyControl>> kAlternativeKinds{
    Kind::Window,     Kind::TextBox,      Kind::DropDownList, Kind::SimpleCombo,
    Kind::TableList,  Kind::OptionButton, Kind::PushButton,   Kind::Label,
    Kind::StatusText, Kind::MenuCommand,  Kind::MessageBox,   Kind::HelpWindows,
    Kind::Program,    Kind::Grid,         Kind::Question,     Kind::FileDialogs,
    Kind::Clipboard,  Kind::SheetOutput,  Kind::RecentFiles,  Kind::NetworkPictures};

inline Kind kindOf(const AnyControl& control) {
    return kAlternativeKinds[control.index()];
}

// The kind of a control interface: that of its alternative in AnyControl.
template <class Control, std::size_t I = 0> constexpr Kind kindFor() {
    if constexpr (std::is_same_v<std::variant_alternative_t<I, AnyControl>, Control*>)
        return kAlternativeKinds[I];
    else
        return kindFor<Control, I + 1>();
}

// The controls of one window by the names of its description, as a toolkit made them. Adding a
// control of another kind than the description's, or asking for one as another kind, is a fault
// of the program: it throws at the window's first opening, whichever toolkit it runs on.
class ControlSet {
public:
    explicit ControlSet(const WindowDescription& design);

    const WindowDescription& design() const { return *m_design; }

    void setWindow(controls::Window& window) { m_window = &window; }
    void add(std::string_view name, AnyControl control);

    controls::Window& window() const;
    template <class Control> Control& get(std::string_view name) const {
        return *std::get<Control*>(find(name, kindFor<Control>()));
    }

    // Each control with its description, in the description's order; frames and captions,
    // which are no controls, are left out.
    template <class Visit> void forEach(Visit&& visit) const {
        for (std::size_t i = 0; i < m_controls.size(); ++i)
            if (m_controls[i])
                visit(m_design->controls[i], *m_controls[i]);
    }

private:
    const AnyControl& find(std::string_view name, Kind kind) const;

    const WindowDescription* m_design;
    controls::Window* m_window = nullptr;
    // Parallel to the description's controls.
    std::vector<std::optional<AnyControl>> m_controls;
};

} // namespace ui
