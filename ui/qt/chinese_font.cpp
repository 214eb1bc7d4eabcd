#include "ui/qt/chinese_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace controls::qt {

QString chineseFamily() {
    const QStringList families = QFontDatabase::families();
    for (const char* name : {"Noto Sans CJK SC", "WenQuanYi Micro Hei", "Noto Sans SC"}) {
        const QString family = QString::fromUtf8(name);
        if (families.contains(family))
            return family;
    }
    return {};
}

} // namespace controls::qt
