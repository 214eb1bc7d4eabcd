#include "ui/qt/qt_buttons.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>

namespace controls::qt {

QtOptionButton::QtOptionButton(QRadioButton* button) : OverWidget(button), m_button(button) {
    // toggled(true) comes only when the button really switches on, by the user or the program.
    QObject::connect(m_button, &QRadioButton::toggled, m_button, [this](bool on) {
        if (on)
            notify(m_onClick);
    });
}

bool QtOptionButton::isChecked() const {
    return m_button->isChecked();
}

void QtOptionButton::setChecked(bool on) {
    if (on) {
        m_button->setChecked(true);
        return;
    }
    // Qt keeps the checked button of an exclusive group from being switched off.
    m_button->setAutoExclusive(false);
    m_button->setChecked(false);
    m_button->setAutoExclusive(true);
}

QtPushButton::QtPushButton(QPushButton* button) : OverWidget(button), m_button(button) {
    QObject::connect(m_button, &QPushButton::clicked, m_button, [this] { notify(m_onClick); });
}

void QtPushButton::setEnabled(bool on) {
    m_button->setEnabled(on);
}

QtMenuCommand::QtMenuCommand(QAction* action) : m_action(action) {
    QObject::connect(m_action, &QAction::triggered, m_action, [this] { notify(m_onClick); });
}

void QtMenuCommand::setCaption(std::string_view caption) {
    m_action->setText(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

void QtMenuCommand::setEnabled(bool on) {
    m_action->setEnabled(on);
}

} // namespace controls::qt
