#pragma once

#include "ui/controls/memory_control.h"

namespace controls::memory {

class MemoryWindow final : public Control, public Window {
public:
    using Control::Control;

    void show() override;
    void hide() override;
    void setTitle(std::string_view title) override;
    void onClose(Handler handler) override { m_onClose = std::move(handler); }

    bool visible() const { return m_visible; }
    // Empty until the program sets one: the description's title stands.
    const std::string& title() const { return m_title; }
    // The user closes the window from its title bar.
    void userClose() { raise(m_onClose); }

private:
    bool m_visible = false;
    std::string m_title;
    Handler m_onClose;
};

class MemoryProgram final : public Program {
public:
    explicit MemoryProgram(Recorder& recorder) : m_recorder(recorder) {}
    void end() override;
    bool ended() const { return m_ended; }

private:
    Recorder& m_recorder;
    bool m_ended = false;
};

// Time passes only when a test says so: elapse() raises the timeout where the interval is over.
// Nothing is recorded: the timer shows nothing, and it restarts at every keystroke.
class MemoryTimer final : public Timer {
public:
    void start(int milliseconds) override;
    void stop() override { m_running = false; }
    void onTimeout(Handler handler) override { m_onTimeout = std::move(handler); }

    // `milliseconds` pass, as the event loop would let them.
    void elapse(int milliseconds);
    bool running() const { return m_running; }
    // The interval of the last start.
    int interval() const { return m_interval; }

private:
    bool m_running = false;
    int m_interval = 0;
    int m_left = 0;
    Handler m_onTimeout;
};

} // namespace controls::memory
