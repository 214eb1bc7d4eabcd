#include "ui/control_set.h"

#include <stdexcept>

namespace ui {

namespace {

// The index of a described control of this kind; anything else is a fault of the program's,
// told by the window and the control.
std::size_t slot(const WindowDescription& design, std::string_view name, Kind kind,
                 std::string_view as) {
    const ControlDescription* described = design.find(name);
    if (described && described->kind == kind)
        return static_cast<std::size_t>(described - design.controls.data());
    throw std::logic_error(design.qualified(name) + " " + std::string(as) + " a " +
                           std::string(kindName(kind)) + ", described as " +
                           std::string(described ? kindName(described->kind) : "nothing"));
}

} // namespace

ControlSet::ControlSet(const WindowDescription& design)
    : m_design(&design), m_controls(design.controls.size()) {}

void ControlSet::add(std::string_view name, AnyControl control) {
    m_controls[slot(*m_design, name, kindOf(control), "is made as")] = control;
}

controls::Window& ControlSet::window() const {
    if (!m_window)
        throw std::logic_error(std::string(m_design->name) + " has no window");
    return *m_window;
}

const AnyControl& ControlSet::find(std::string_view name, Kind kind) const {
    const auto& control = m_controls[slot(*m_design, name, kind, "is taken as")];
    if (!control)
        throw std::logic_error(m_design->qualified(name) + " was never made");
    return *control;
}

} // namespace ui
