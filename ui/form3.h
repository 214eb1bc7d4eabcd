#pragma once

#include "pipes/sizing.h"
#include "ui/control_set.h"
#include "ui/controls/controls.h"
#include "ui/form3_properties.h"
#include "ui/loaded_window.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

// The controls of the steam-property window, created afresh each time it is loaded.
struct Form3Controls {
    controls::Window& window;
    controls::TextBox& text1;
    controls::DropDownList& combo1;
    controls::OptionButton& option1;
    controls::OptionButton& option2;
    controls::TextBox& text2;
    controls::PushButton& command1;
    controls::PushButton& command2;
    controls::PushButton& command3;
    controls::Clipboard& clipboard;
    controls::Label& label7;
    controls::StatusText& label8;
    controls::Label& label9;
    controls::Label& label10;
    controls::Label& label11;

    // The controls of a window made from its description, each checked for its kind.
    static Form3Controls from(const ControlSet& set);
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
class Form3 {
public:
    // `unload` asks the owner to unload this window, which runs Form_Unload; `adopted` hears the
    // steam whose density was just handed to the main window; `remembered` holds the inputs as
    // the window was last left, none before it was first opened.
    Form3(Form3Controls controls, controls::TextBox& form1Text3, controls::Window& form1,
          std::function<void(const pipes::KnownSteam&)> adopted,
          std::optional<PropertyInputs>& remembered, std::function<void()> unload,
          HandlingTrace trace = {});

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Form_Unload();

private:
    Form3Controls m_controls;
    controls::TextBox& m_form1Text3;
    controls::Window& m_form1;
    std::function<void(const pipes::KnownSteam&)> m_adopted;
    std::optional<PropertyInputs>& m_remembered;
    std::function<void()> m_unload;
    HandlingTrace m_trace;
    steam::PropertyHandlings m_properties;
};

} // namespace ui
