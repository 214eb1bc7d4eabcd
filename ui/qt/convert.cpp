#include "ui/qt/convert.h"

#include <QWidget>

namespace controls::qt {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void place(QWidget* widget, const ui::Twips& at) {
    widget->setGeometry(twips(at.left), twips(at.top), twips(at.width), twips(at.height));
}

std::string toUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

} // namespace controls::qt
