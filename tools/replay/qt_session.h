#pragma once

#include "tools/replay/invariants.h"
#include "tools/replay/recording.h"
#include "tools/replay/session.h"
#include "ui/qt/app.h"

#include <QObject>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QDialog;
class QTableWidget;
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

    bool ended() const { return m_main.ended(); }
    // The answers given ahead to a question or a file dialogs' control and not yet taken.
    std::size_t pendingAnswers(const std::string& target) const;
    // The visible window's widget, for actions beyond the script's events.
    QWidget* visibleWindow() const;
    // What is wrong since the previous check; empty when every invariant holds.
    std::vector<std::string> check();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Opened;
    Opened& opened(const ui::WindowDescription& design) const;
    // The view of a loaded window, the main window's always.
    const controls::qt::View* viewOf(const ui::WindowDescription& design) const;
    QWidget* widget(const std::string& control) const;
    // The program's windows that are loaded, the main window first.
    std::vector<QWidget*> windows() const;
    // A command of the main window's menu bar, or null.
    QAction* menuCommand(const std::string& control) const;
    bool usable(const std::string& control) const;
    // Answers a question or file dialog of the program's with the answer given ahead for it.
    void answer(QDialog* dialog);
    // Clicks a grid's cell and opens its editor with F2; null where the cell has none.
    QWidget* startEditing(QTableWidget* grid, int row, int column);
    void gridCommand(QTableWidget* grid, controls::GridCommand command);
    ResultCaptions resultCaptions() const;

    JsonLog& m_log;
    // The answers given ahead, by the control they are for; a window's go when it is unloaded.
    std::map<std::string, std::deque<std::string>> m_answers;
    OpSink m_sink;
    std::vector<std::string> m_faults;
    CaptionWatch m_captions;
    std::unique_ptr<controls::qt::View> m_view = controls::qt::form1View();
    // The windows the main window opens, in the order of their descriptions; every window's
    // controls are logged under the names of the widgets its view hands the logic.
    std::vector<std::unique_ptr<Opened>> m_opened;
    RecordedWindow m_main;
    ui::Form1 m_form1;
};

} // namespace replay
