#pragma once

#include "tools/replay/recording.h"
#include "tools/replay/session.h"
#include "ui/qt/app.h"

#include <QObject>

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* widget(const std::string& control) const;
    bool usable(const std::string& control) const;

    JsonLog& m_log;
    OpSink m_sink;
    controls::qt::Form1View m_view;
    controls::qt::QtForm2Loader m_qtLoader;
    RecordingForm2Loader m_loader;
    RecordingControls m_controls;
    RecordingProgram m_program;
    ui::Form1 m_form1;
};

} // namespace replay
