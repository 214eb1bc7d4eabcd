#include "ui/qt/widgets/copyable_label.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>

namespace controls::qt {

void makeCopyable(QLabel* label) {
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Selectable by the mouse alone, a label is given no focus; said again so that no later
    // change of flags gives it one.
    label->setFocusPolicy(Qt::NoFocus);
    label->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(label, &QLabel::customContextMenuRequested, label, [label](QPoint at) {
        QMenu menu(label);
        QAction* copy = menu.addAction(QString::fromUtf8("复制(&C)"));
        copy->setEnabled(!label->text().trimmed().isEmpty());
        if (menu.exec(label->mapToGlobal(at)) == copy)
            QGuiApplication::clipboard()->setText(
                label->hasSelectedText() ? label->selectedText() : label->text().trimmed());
    });
}

} // namespace controls::qt
