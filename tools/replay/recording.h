#pragma once

#include "ui/controls/memory_gui.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/form4.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Controls that tell each operation the program performs to a sink, then pass it on to the
// real controls underneath, so that a toolkit that records nothing gives the same log as the
// in-memory controls.
namespace replay {

using OpSink = std::function<void(const controls::memory::Op&)>;

// One window's controls, each wrapped under its window-qualified name.
class RecordingControls {
public:
    explicit RecordingControls(OpSink sink) : m_sink(std::move(sink)) {}

    controls::TextBox& wrap(controls::TextBox& inner, std::string name);
    controls::DropDownList& wrap(controls::DropDownList& inner, std::string name);
    controls::SimpleCombo& wrap(controls::SimpleCombo& inner, std::string name);
    controls::TableList& wrap(controls::TableList& inner, std::string name);
    controls::OptionButton& wrap(controls::OptionButton& inner, std::string name);
    controls::PushButton& wrap(controls::PushButton& inner, std::string name);
    controls::Label& wrap(controls::Label& inner, std::string name);
    controls::StatusText& wrap(controls::StatusText& inner, std::string name);
    controls::Window& wrap(controls::Window& inner, std::string name);
    controls::MessageBox& wrap(controls::MessageBox& inner);
    controls::HelpWindows& wrap(controls::HelpWindows& inner);

private:
    template <class T> T& keep(std::unique_ptr<T> control);

    OpSink m_sink;
    std::vector<std::shared_ptr<void>> m_controls;
};

// The program's end as the replay sees it: recorded, and every later event ignored. The real
// program's end would leave the event loop, which a replay does not run.
class RecordingProgram final : public controls::Program {
public:
    explicit RecordingProgram(OpSink sink) : m_sink(std::move(sink)) {}
    void end() override;
    bool ended() const { return m_ended; }

private:
    OpSink m_sink;
    bool m_ended = false;
};

ui::Form1Controls recordingForm1(RecordingControls& wrapper, const ui::Form1Controls& inner,
                                 RecordingProgram& program);

// The controls of a window the main window opens, each wrapped under its name.
ui::Form2Controls recordingForm2(RecordingControls& wrapper, const ui::Form2Controls& inner);
ui::Form3Controls recordingForm3(RecordingControls& wrapper, const ui::Form3Controls& inner);
ui::Form4Controls recordingForm4(RecordingControls& wrapper, const ui::Form4Controls& inner);

// Loads a window through the toolkit's loader and wraps its controls; the wrappers of an
// unloaded window are discarded with the window's own controls.
template <class Controls> class RecordingLoader final : public ui::WindowLoader<Controls> {
public:
    using Wrap = Controls (*)(RecordingControls&, const Controls&);
    RecordingLoader(ui::WindowLoader<Controls>& inner, OpSink sink, std::string window, Wrap wrap)
        : m_inner(inner), m_sink(std::move(sink)), m_window(std::move(window)), m_wrap(wrap) {}

    Controls load() override {
        m_sink({.kind = "load", .control = m_window});
        const Controls inner = m_inner.load();
        m_loaded = std::make_unique<RecordingControls>(m_sink);
        return m_wrap(*m_loaded, inner);
    }
    void unload() override {
        m_sink({.kind = "unload", .control = m_window});
        m_unloaded = std::move(m_loaded);
        m_inner.unload();
    }
    void discard() override {
        m_unloaded.reset();
        m_inner.discard();
    }

private:
    ui::WindowLoader<Controls>& m_inner;
    OpSink m_sink;
    std::string m_window;
    Wrap m_wrap;
    std::unique_ptr<RecordingControls> m_loaded;
    std::unique_ptr<RecordingControls> m_unloaded;
};

} // namespace replay
