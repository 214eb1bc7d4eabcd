#include "ui/qt/app.h"

#include "ui/qt/icons.h"

#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

namespace controls::qt {

void prepareApplication(QApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);

    const QStringList families = QFontDatabase::families();
    for (const char* name : {"Noto Sans CJK SC", "WenQuanYi Micro Hei", "Noto Sans SC"}) {
        const QString family = QString::fromUtf8(name);
        if (families.contains(family)) {
            QFont font(family);
            font.setPixelSize(12);
            QApplication::setFont(font);
            return;
        }
    }
}

App::App()
    : m_form1(ui::Form1Controls::from(m_view->controls()),
              {.form2 = m_form2, .form3 = m_form3, .form4 = m_form4, .form5 = m_form5}) {}

} // namespace controls::qt
