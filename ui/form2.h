#pragma once

#include "steam/hand_off.h"
#include "ui/controls/controls.h"

#include <functional>
#include <string_view>

namespace ui {

// The controls of the density lookup window, created afresh each time it is loaded.
struct Form2Controls {
    controls::Window& window;
    controls::SimpleCombo& combo1;
    controls::Label& label9;
    controls::PushButton& command1;
};

// Hears the name of a handling as it starts. Names shared by both windows carry their window
// ("Form2.Combo1_Click"), the others stand alone ("Text3_Change").
using HandlingTrace = std::function<void(std::string_view)>;

// The toolkit's side of loading and unloading the lookup window. The window is unloaded from
// inside its own handlings, which still run on its controls: unload() only takes it from the
// user, and its controls live until discard(), which the owner calls once none of its
// handlings runs any more. The loader keeps at most one unloaded window.
class Form2Loader {
public:
    virtual ~Form2Loader() = default;
    // Creates the window and its controls, not yet visible.
    virtual Form2Controls load() = 0;
    // Takes the window from the user; the next load starts afresh.
    virtual void unload() = 0;
    // Destroys the controls of the window unloaded last, if any.
    virtual void discard() = 0;
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
    void trace(std::string_view handling) const;

    Form2Controls m_controls;
    controls::TextBox& m_form1Text3;
    controls::Window& m_form1;
    std::function<void()> m_unload;
    HandlingTrace m_trace;
    steam::DensityHandOff m_handOff;
};

} // namespace ui
