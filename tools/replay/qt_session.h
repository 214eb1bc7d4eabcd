#pragma once

#include "tools/replay/invariants.h"
#include "tools/replay/recording.h"
#include "tools/replay/session.h"
#include "ui/qt/app.h"

#include <QObject>

#include <array>
#include <string>
#include <vector>

class QWidget;

namespace replay {

// The program over the real Qt windows (offscreen), acted on through QTest key and mouse
// events; each message box is answered with OK as soon as it shows.
class QtSession final : public QObject, public Driver {
public:
    explicit QtSession(JsonLog& log);
    ~QtSession() override;

    void start() override;
    bool canPerform(const Event& event) override;
    void perform(const Event& event) override;
    const calc::CalcState& state() const override { return m_form1.state(); }

    bool ended() const { return m_program.ended(); }
    // The visible window's widget, for actions beyond the script's events.
    QWidget* visibleWindow() const;
    // What is wrong since the previous check; empty when every invariant holds.
    std::vector<std::string> check();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* widget(const std::string& control) const;
    bool usable(const std::string& control) const;
    ResultCaptions resultCaptions() const;

    JsonLog& m_log;
    OpSink m_sink;
    std::vector<std::string> m_faults;
    CaptionWatch m_captions;
    controls::qt::Form1View m_view;
    controls::qt::QtForm2Loader m_qtLoader;
    RecordingForm2Loader m_loader;
    RecordingControls m_controls;
    RecordingProgram m_program;
    ui::Form1 m_form1;
};

} // namespace replay
