#include "ui/control_set.h"

#include <stdexcept>

namespace ui {

ControlSet::ControlSet(const WindowDescription& design)
    : m_design(&design), m_controls(design.controls.size()) {}

void ControlSet::add(std::string_view name, AnyControl control) {
    const ControlDescription* described = m_design->find(name);
    if (!described || described->kind != kindOf(control))
        throw std::logic_error(m_design->qualified(name) + " is made as a " +
                               std::string(kindName(kindOf(control))) + ", described as " +
                               (described ? std::string(kindName(described->kind)) : "nothing"));
    m_controls[static_cast<std::size_t>(described - m_design->controls.data())] = control;
}

controls::Window& ControlSet::window() const {
    if (!m_window)
        throw std::logic_error(std::string(m_design->name) + " has no window");
    return *m_window;
}

const AnyControl& ControlSet::find(std::string_view name, Kind kind) const {
    const ControlDescription* described = m_design->find(name);
    if (!described || described->kind != kind)
        throw std::logic_error(m_design->qualified(name) + " is taken as a " +
                               std::string(kindName(kind)) + ", described as " +
                               (described ? std::string(kindName(described->kind)) : "nothing"));
    const auto& control = m_controls[static_cast<std::size_t>(described - m_design->controls.data())];
    if (!control)
        throw std::logic_error(m_design->qualified(name) + " was never made");
    return *control;
}

} // namespace ui
