#pragma once

#include "ui/control_set.h"
#include "ui/controls/controls.h"
#include "ui/form2_hand_off.h"
#include "ui/loaded_window.h"

#include <functional>
#include <string_view>

namespace ui {

// The controls of the density lookup window, created afresh each time it is loaded.
struct Form2Controls {
    controls::Window& window;
    controls::SimpleCombo& combo1;
    controls::Label& label9;
    controls::PushButton& command1;

    // The controls of a window made from its description, each checked for its kind.
    static Form2Controls from(const ControlSet& set);
};

// The density lookup window: the steam table as a list; a picked row's density goes to the
// main window's density box.
class Form2 {
public:
    // `unload` asks the owner to unload this window, which runs Form_Unload.
    Form2(Form2Controls controls, controls::TextBox& form1Text3, controls::Window& form1,
          std::function<void()> unload, HandlingTrace trace = {});

    void Form_Load();
    void Combo1_Click();
    void Combo1_DblClick();
    void Command1_Click();
    void Form_Unload();

private:
    Form2Controls m_controls;
    controls::TextBox& m_form1Text3;
    controls::Window& m_form1;
    std::function<void()> m_unload;
    HandlingTrace m_trace;
    steam::DensityHandOff m_handOff;
};

} // namespace ui
