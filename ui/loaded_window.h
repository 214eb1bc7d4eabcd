#pragma once

#include "ui/control_set.h"
#include "ui/controls/controls.h"

#include <functional>
#include <memory>
#include <string_view>

namespace ui {

// Hears the name of a handling as it starts. Names shared by the first two windows carry their
// window ("Form2.Combo1_Click"), the others stand alone ("Text3_Change"); every handling of a
// later window carries its window ("Property.pressure_Change").
using HandlingTrace = std::function<void(std::string_view)>;

inline void announce(const HandlingTrace& trace, std::string_view handling) {
    if (trace)
        trace(handling);
}

// A handling announced under its name before its body runs. `trace` belongs to the window,
// which outlives the controls that call the handling.
controls::Handler traced(const HandlingTrace& trace, std::string_view handling,
                         controls::Handler body);

// The toolkit's side of loading and unloading a window the main window opens over itself. The
// window is unloaded from inside its own handlings, which still run on its controls: unload()
// only takes it from the user, and its controls live until discard(), which the owner calls
// once none of its handlings runs any more. The loader keeps at most one unloaded window.
class WindowLoader {
public:
    virtual ~WindowLoader() = default;
    virtual const WindowDescription& design() const = 0;
    // Creates the window and its controls, not yet visible.
    virtual ControlSet load() = 0;
    // Takes the window from the user; the next load starts afresh.
    virtual void unload() = 0;
    // Destroys the controls of the window unloaded last, if any.
    virtual void discard() = 0;
};

// The main window's hold on one such window: its logic while it is loaded, and the logic of the
// window unloaded last, which is destroyed with its controls at the next load, the one place
// that keeps an unloaded window alive.
template <class Form, class Controls> class LoadedWindow {
public:
    explicit LoadedWindow(WindowLoader& loader) : m_loader(loader) {}

    // Loads the window unless it is loaded, runs its Form_Load and shows it. `make` builds the
    // window's logic over its new controls.
    template <class Make> void open(Make make) {
        if (m_form)
            return;
        m_unloaded.reset();
        m_loader.discard();
        const Controls controls = Controls::from(m_loader.load());
        m_form = make(controls);
        m_form->Form_Load();
        controls.window.show();
    }

    // Runs Form_Unload and takes the window from the user.
    void unload() {
        if (!m_form)
            return;
        m_form->Form_Unload();
        m_unloaded = std::move(m_form);
        m_loader.unload();
    }

    bool loaded() const { return m_form != nullptr; }

private:
    WindowLoader& m_loader;
    std::unique_ptr<Form> m_form;
    std::unique_ptr<Form> m_unloaded;
};

} // namespace ui
