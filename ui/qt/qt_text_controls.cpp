#include "ui/qt/qt_text_controls.h"

#include "ui/qt/convert.h"

namespace controls::qt {

bool EditBox::event(QEvent* event) {
    // Every user edit arrives as an event of this widget (keys, input method, the context
    // menu's paste, drops): compare the text around the outermost one.
    if (m_depth++ == 0)
        m_before = text();
    const bool handled = QLineEdit::event(event);
    if (--m_depth == 0 && text() != m_before) {
        m_before = text();
        notify(m_onChange);
    }
    return handled;
}

void EditBox::programChanged() {
    if (m_depth == 0)
        notify(m_onChange);
}

QtTextBox::QtTextBox(EditBox* edit) : OverWidget(edit), m_edit(edit) {
    QObject::connect(m_edit, &QLineEdit::textChanged, m_edit, [this] { m_edit->programChanged(); });
}

std::string QtTextBox::text() const {
    return toUtf8(m_edit->text());
}

void QtTextBox::setText(std::string_view text) {
    const QString wanted = fromUtf8(text);
    if (m_edit->text() == wanted)
        return;
    m_edit->setText(wanted);
}

void QtTextBox::setEnabled(bool on) {
    m_edit->setEnabled(on);
}
void QtTextBox::setFocus() {
    m_edit->setFocus(Qt::OtherFocusReason);
}

QtLabel::QtLabel(QLabel* label) : OverWidget(label), m_label(label) {
    m_label->setTextFormat(Qt::PlainText);
}

void QtLabel::setCaption(std::string_view caption) {
    m_label->setText(fromUtf8(caption));
}

QtStatusText::QtStatusText(StatusLabel* label) : OverWidget(label), m_label(label) {
    m_label->setTextFormat(Qt::PlainText);
    m_label->setClickHandler([this] { notify(m_onClick); });
}

void QtStatusText::setStatus(std::string_view text, bool fault) {
    m_label->setStatus(fromUtf8(text));
    m_label->setFault(fault);
    m_label->setClickable(false);
}

} // namespace controls::qt
