#include "ui/qt/app.h"

#include "ui/qt/icons.h"

#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

namespace controls::qt {

QtForm2Loader::QtForm2Loader() : m_icon(lookupWindowIcon()) {}

ui::Form2Controls QtForm2Loader::load() {
    m_view = std::make_unique<Form2View>(m_icon);
    return m_view->controls();
}

void QtForm2Loader::unload() {
    m_unloaded = std::move(m_view);
    if (m_unloaded)
        m_unloaded->widget()->hide();
}

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

App::App() : m_form1(m_view.controls(), m_loader) {}

} // namespace controls::qt
