#pragma once

#include "pipes/sizing.h"
#include "ui/control_set.h"
#include "ui/controls/controls.h"
#include "ui/loaded_window.h"
#include "ui/property_handlings.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

// The controls of the steam-property window, created afresh each time it is loaded.
struct PropertyWindowControls {
    controls::Window& window;
    controls::TextBox& pressure;
    controls::DropDownList& unit;
    controls::OptionButton& saturated;
    controls::OptionButton& superheated;
    controls::TextBox& temperature;
    controls::PushButton& adopt;
    controls::PushButton& back;
    controls::PushButton& copy;
    controls::Clipboard& clipboard;
    controls::Label& saturation;
    controls::StatusText& state;
    controls::Label& density;
    controls::Label& volume;
    controls::Label& enthalpy;

    // The controls of a window made from its description, each checked for its kind.
    static PropertyWindowControls from(const ControlSet& set);
};

// The property window's inputs as the user left it, shown again when it is next opened.
struct PropertyInputs {
    std::string pressure;
    std::string unit;
    bool superheated;
    std::string temperature;
};

// The steam-property window: steam at the engineer's own pressure and temperature, whose
// density goes to the main window's density box.
class PropertyWindow {
public:
    // `unload` asks the owner to unload this window, which runs Form_Unload; `adopted` hears the
    // steam whose density was just handed to the main window; `remembered` holds the inputs as
    // the window was last left, none before it was first opened.
    PropertyWindow(PropertyWindowControls controls, controls::TextBox& form1Text3,
                   controls::Window& form1, std::function<void(const pipes::KnownSteam&)> adopted,
                   std::optional<PropertyInputs>& remembered, std::function<void()> unload,
                   HandlingTrace trace = {});

    void Form_Load();
    void adopt_Click();
    void back_Click();
    void copy_Click();
    void Form_Unload();

private:
    PropertyWindowControls m_controls;
    controls::TextBox& m_form1Text3;
    controls::Window& m_form1;
    std::function<void(const pipes::KnownSteam&)> m_adopted;
    std::optional<PropertyInputs>& m_remembered;
    std::function<void()> m_unload;
    HandlingTrace m_trace;
    PropertyHandlings m_properties;
};

} // namespace ui
