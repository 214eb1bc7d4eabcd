#pragma once

#include "ui/control_set.h"
#include "ui/controls/memory_gui.h"
#include "ui/loaded_window.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Controls that tell each operation the program performs to a sink, then pass it on to the
// real controls underneath, so that a toolkit that records nothing gives the same log as the
// in-memory controls.
namespace replay {

using OpSink = std::function<void(const controls::memory::Op&)>;

// The name a control's operations are logged under, given its name in the window's
// description (empty for the window itself) and the control the toolkit made.
using NameOf = std::function<std::string(std::string_view control, const ui::AnyControl&)>;

// One window's controls, each wrapped. The program's end is recorded and goes no further: the
// real end leaves the event loop, which a replay does not run, and every later event is ignored.
class RecordedWindow {
public:
    RecordedWindow(const ui::ControlSet& inner, const OpSink& sink, const NameOf& nameOf);
    const ui::ControlSet& controls() const { return m_controls; }
    bool ended() const { return m_mirrors.program().ended(); }

private:
    // The in-memory controls that log each operation as the in-memory windows do.
    controls::memory::Gui m_mirrors;
    ui::ControlSet m_controls;
    std::vector<std::shared_ptr<void>> m_kept;
};

// Loads a window through the toolkit's loader and wraps its controls; the wrappers of an
// unloaded window are discarded with the window's own controls.
class RecordingLoader final : public ui::WindowLoader {
public:
    RecordingLoader(ui::WindowLoader& inner, OpSink sink, NameOf nameOf)
        : m_inner(inner), m_sink(std::move(sink)), m_nameOf(std::move(nameOf)) {}

    const ui::WindowDescription& design() const override { return m_inner.design(); }
    ui::ControlSet load() override;
    void unload() override;
    void discard() override;

private:
    ui::WindowLoader& m_inner;
    OpSink m_sink;
    NameOf m_nameOf;
    std::unique_ptr<RecordedWindow> m_loaded;
    std::unique_ptr<RecordedWindow> m_unloaded;
};

} // namespace replay
