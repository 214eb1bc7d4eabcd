#include "ui/qt/view.h"

namespace controls::qt {

// The steam-property window.
std::unique_ptr<View> propertyView(const QIcon& icon) {
    auto view = std::make_unique<View>(ui::kPropertyDesign, icon);
    view->build();
    const ui::WindowDescription& design = view->design();
    // A fault is said from the top of its column, wrapped.
    for (const ui::ControlDescription& control : design.controls)
        if (control.kind == ui::Kind::StatusText) {
            auto* status = static_cast<QLabel*>(view->widgetOf(control));
            status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            status->setWordWrap(true);
        }
    // The default pressure is selected, so that the engineer's first keys replace it.
    if (auto* box = qobject_cast<QLineEdit*>(view->widgetOf(*design.find(design.focus))))
        box->selectAll();
    view->finish();
    return view;
}

} // namespace controls::qt
