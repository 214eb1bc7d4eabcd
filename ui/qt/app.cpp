#include "ui/qt/app.h"

#include "ui/qt/chinese_font.h"
#include "ui/qt/icons.h"

#include <QFont>
#include <QLibraryInfo>
#include <QMetaObject>
#include <QThreadPool>
#include <QTranslator>

#include <memory>
#include <utility>

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

namespace {

// A solve on a worker of Qt's pool, its result handed back through the application's event
// queue, so that `done` runs on the GUI thread between two events and never during a keystroke.
// The application outlives every window; a result that comes after its window is gone finds
// the window's handlings gone and is ignored there. The pool waits for its workers when the
// application ends.
void solveOnWorker(ui::SolveJob job, ui::SolveDone done) {
    QThreadPool::globalInstance()->start([job = std::move(job), done = std::move(done)]() mutable {
        auto result = std::make_shared<network::Result>(job());
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [done = std::move(done), result] { done(std::move(*result)); }, Qt::QueuedConnection);
    });
}

} // namespace

App::App()
    : m_form1(ui::Form1Controls::from(m_view->controls()), {.form2 = m_form2,
                                                            .propertyWindow = m_propertyWindow,
                                                            .sizingWindow = m_sizingWindow,
                                                            .networkWindow = m_networkWindow,
                                                            .solveExecutor = solveOnWorker}) {}

} // namespace controls::qt
