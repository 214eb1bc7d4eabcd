#pragma once

#include "ui/controls/controls.h"
#include "ui/qt/qt_control.h"

class QAction;
class QPushButton;
class QRadioButton;

namespace controls::qt {

class QtOptionButton final : public OptionButton, public OverWidget {
public:
    explicit QtOptionButton(QRadioButton* button);
    bool isChecked() const override;
    void setChecked(bool on) override;
    void onClick(Handler handler) override { m_onClick = std::move(handler); }

private:
    QRadioButton* m_button;
    Handler m_onClick;
};

class QtPushButton final : public PushButton, public OverWidget {
public:
    explicit QtPushButton(QPushButton* button);
    void setEnabled(bool on) override;
    void onClick(Handler handler) override { m_onClick = std::move(handler); }

private:
    QPushButton* m_button;
    Handler m_onClick;
};

// A menu command: the user's click, or its shortcut, triggers the action; a disabled action
// takes neither.
class QtMenuCommand final : public MenuCommand {
public:
    explicit QtMenuCommand(QAction* action);
    void setCaption(std::string_view caption) override;
    void setEnabled(bool on) override;
    void onClick(Handler handler) override { m_onClick = std::move(handler); }

private:
    QAction* m_action;
    Handler m_onClick;
};

} // namespace controls::qt
