#include "ui/qt/view.h"

#include <QFontDatabase>

namespace controls::qt {

// The lookup window.
std::unique_ptr<View> form2View(const QIcon& icon) {
    auto view = std::make_unique<View>(ui::kForm2Design, icon);
    view->widget()->setAttribute(Qt::WA_DeleteOnClose, false);
    view->build();
    // The rows are columns of digits, so they need a font in which every character has one width.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(10);
    for (const ui::ControlDescription& control : view->design().controls)
        if (control.kind == ui::Kind::SimpleCombo)
            for (QWidget* widget : view->widgetsOf(control))
                widget->setFont(fixed);
    view->finish();
    return view;
}

} // namespace controls::qt
