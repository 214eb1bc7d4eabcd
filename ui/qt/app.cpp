#include "ui/qt/app.h"

#include "ui/qt/chinese_font.h"
#include "ui/qt/icons.h"

#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

namespace controls::qt {

void prepareApplication(QApplication& app) {
    // The settings' file: ~/.config/steam-velocity/steam-velocity.conf on a desktop.
    QCoreApplication::setOrganizationName(QStringLiteral("steam-velocity"));
    QCoreApplication::setApplicationName(QStringLiteral("steam-velocity"));
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);

    if (const QString family = chineseFamily(); !family.isEmpty()) {
        QFont font(family);
        font.setPixelSize(12);
        QApplication::setFont(font);
    }
}

App::App()
    : m_form1(ui::Form1Controls::from(m_view->controls()), {.form2 = m_form2,
                                                            .propertyWindow = m_propertyWindow,
                                                            .sizingWindow = m_sizingWindow,
                                                            .networkWindow = m_networkWindow}) {}

} // namespace controls::qt
