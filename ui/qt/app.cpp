#include "ui/qt/app.h"

#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

namespace controls::qt {

ui::Form2Controls QtForm2Loader::load() {
    m_view = std::make_unique<Form2View>();
    return {m_view->window, m_view->combo1, m_view->label9, m_view->command1};
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

App::App()
    : m_form1({m_view.window,   m_view.text1,   m_view.text2,    m_view.text3,    m_view.text4,
               m_view.combo1,   m_view.combo2,  m_view.combo3,   m_view.combo4,   m_view.combo5,
               m_view.option1,  m_view.option2, m_view.option3,  m_view.command1, m_view.command2,
               m_view.command3, m_view.label4,  m_view.label5,   m_view.label7,   m_view.label10,
               m_view.label11,  m_view.label13, m_view.messages, m_view.program},
              m_loader) {}

} // namespace controls::qt
