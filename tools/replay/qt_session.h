#pragma once

#include "tools/replay/invariants.h"
#include "tools/replay/recording.h"
#include "tools/replay/session.h"
#include "ui/qt/app.h"

#include <QObject>

#include <array>
#include <string>
#include <vector>

class QAction;
class QWidget;

namespace replay {

// The program over the real Qt windows (offscreen), acted on through QTest key and mouse
// events; each message box and help window is closed with Enter as soon as it shows.
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
    // The program's windows that are loaded, the main window first.
    std::vector<QWidget*> windows() const;
    // A command of the main window's menu bar, or null.
    QAction* menuCommand(const std::string& control) const;
    bool usable(const std::string& control) const;
    ResultCaptions resultCaptions() const;

    JsonLog& m_log;
    OpSink m_sink;
    std::vector<std::string> m_faults;
    CaptionWatch m_captions;
    controls::qt::Form1View m_view;
    controls::qt::QtForm2Loader m_qtForm2{controls::qt::lookupWindowIcon()};
    controls::qt::QtForm3Loader m_qtForm3{controls::qt::lookupWindowIcon()};
    controls::qt::QtForm4Loader m_qtForm4{controls::qt::lookupWindowIcon()};
    RecordingLoader<ui::Form2Controls> m_form2;
    RecordingLoader<ui::Form3Controls> m_form3;
    RecordingLoader<ui::Form4Controls> m_form4;
    RecordingControls m_controls;
    RecordingProgram m_program;
    ui::Form1 m_form1;
};

} // namespace replay
