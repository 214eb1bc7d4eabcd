#include "ui/qt/convert.h"
#include "ui/qt/icons.h"
#include "ui/qt/view.h"
#include "ui/qt/widgets/copyable_label.h"

#include <QMenuBar>
#include <QShortcut>

namespace controls::qt {

// The main window: its menu bar over the client area, which holds every control at its place.
std::unique_ptr<View> form1View() {
    auto view = std::make_unique<View>(ui::kForm1Design, mainWindowIcon());
    FormWidget* widget = view->widget();
    auto* bar = new QMenuBar(widget);
    auto* client = new QWidget(widget);
    view->build(client, bar);

    // The bar sits in the window, not in a desktop's global menu, so that the window is the
    // same in every desktop: it grows by the bar's height and nothing in the client area moves.
    // The bar stays out of the controls' tab order; Alt and a menu's letter, F10 or the mouse
    // reach it.
    bar->setNativeMenuBar(false);
    bar->setFocusPolicy(Qt::NoFocus);
    const QSize area = widget->size();
    const int height = bar->heightForWidth(area.width());
    bar->setGeometry(0, 0, area.width(), height);
    client->setGeometry(0, height, area.width(), area.height());
    widget->setFixedSize(area.width(), area.height() + height);
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), widget);
    QObject::connect(f10, &QShortcut::activated, bar,
                     [bar] { bar->setActiveAction(bar->actions().constFirst()); });
    // The results, to be copied into a report.
    for (const ui::ControlDescription& control : view->design().controls)
        if (control.kind == ui::Kind::Label)
            makeCopyable(static_cast<QLabel*>(view->widgetOf(control)));
    view->finish();
    return view;
}

} // namespace controls::qt
