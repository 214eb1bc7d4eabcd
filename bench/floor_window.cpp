// The floor of the program's start: the real main window's widgets, with the font, icon and
// size main() gives them, showing what the program shows once started (texts, lists, captions,
// the checked option, the disabled controls), all set straight on the widgets: no logic runs.
#include "bench/first_paint.h"
#include "pipes/seamless.h"
#include "pipes/welded.h"
#include "ui/qt/app.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <string_view>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

using controls::qt::View;

template <class W> W* child(const View& view, const char* name) {
    return qobject_cast<W*>(view.widgetOf(*view.design().find(name)));
}

void fill(const View& form, const char* name, const QStringList& items, const char* selected) {
    auto* combo = child<QComboBox>(form, name);
    combo->addItems(items);
    combo->setCurrentText(QString::fromUtf8(selected));
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    controls::qt::prepareApplication(application);
    const std::unique_ptr<View> view = controls::qt::form1View();
    const View& form = *view;

    for (auto [name, shown] : {std::pair{"Text1", "0"},
                               {"Text2", "0.2"},
                               {"Text3", "1"},
                               {"Text4", "10"},
                               {"Label4", "0.000 m/s"},
                               {"Label5", "0.000 Pa/m"},
                               {"Label7", " 0 t/h"},
                               {"Label10", " 0.2 mm"},
                               {"Label11", " 15 mm"},
                               {"Label13", " 1 kg/m3"}}) {
        if (auto* box = child<QLineEdit>(form, name))
            box->setText(text(shown));
        else
            child<QLabel>(form, name)->setText(text(shown));
    }
    QStringList welded, seamless, thicknesses;
    for (const auto& pipe : pipes::kWeldedPipes)
        welded << text(pipe.label);
    for (const auto& pipe : pipes::kSeamlessPipes)
        seamless << text(pipe.entry);
    for (std::string_view thickness : pipes::kSeamlessPipes[2].thicknesses())
        thicknesses << text(thickness);
    fill(form, "Combo1", {u"t/h"_s, u"kg/h"_s, u"kg/s"_s}, "t/h");
    fill(form, "Combo2", {u"mm"_s, u"in"_s, u"m"_s}, "mm");
    fill(form, "Combo3", welded, "DN15");
    fill(form, "Combo4", seamless, "D18");
    fill(form, "Combo5", thicknesses, "3");
    child<QRadioButton>(form, "Option1")->setChecked(true);
    for (const char* name : {"Combo4", "Combo5", "Text4"})
        child<QWidget>(form, name)->setEnabled(false);

    bench::reportFirstPaint(view->widget());
    view->controls().window().show(); // centred and raised, as the program shows it
    return QApplication::exec();
}
