#pragma once

#include "ui/controls/controls.h"
#include "ui/qt/qt_control.h"
#include "ui/qt/widgets/status_label.h"

#include <QLabel>
#include <QLineEdit>

namespace controls::qt {

// A line edit that reports each user edit once. Qt replaces a selection in two steps (delete,
// then insert), each with its own textChanged; typing over a selected "2" in the density box
// would otherwise run the handling on an empty text first and show two error messages.
class EditBox final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    void setChangeHandler(Handler handler) { m_onChange = std::move(handler); }

protected:
    bool event(QEvent* event) override;

private:
    void programChanged();

    Handler m_onChange;
    QString m_before;
    int m_depth = 0;
    friend class QtTextBox;
};

class QtTextBox final : public TextBox, public OverWidget {
public:
    explicit QtTextBox(EditBox* edit);
    std::string text() const override;
    void setText(std::string_view text) override;
    void setEnabled(bool on) override;
    void setFocus() override;
    void onChange(Handler handler) override { m_edit->setChangeHandler(std::move(handler)); }

private:
    EditBox* m_edit;
};

class QtLabel final : public Label, public OverWidget {
public:
    explicit QtLabel(QLabel* label);
    void setCaption(std::string_view caption) override;

private:
    QLabel* m_label;
};

class QtStatusText final : public StatusText, public OverWidget {
public:
    explicit QtStatusText(StatusLabel* label);
    void setStatus(std::string_view text, bool fault) override;
    void setClickable(bool on) override { m_label->setClickable(on); }
    void onClick(Handler handler) override { m_onClick = std::move(handler); }

private:
    StatusLabel* m_label;
    Handler m_onClick;
};

} // namespace controls::qt
