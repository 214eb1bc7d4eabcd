#include "ui/qt/app.h"

#include "ui/qt/chinese_font.h"
#include "ui/qt/icons.h"

#include <QDateTime>
#include <QFont>
#include <QLibraryInfo>
#include <QMetaObject>
#include <QThreadPool>
#include <QTranslator>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
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

// A solve on a worker of Qt's pool. The keystroke that asked for it waits for it a few
// milliseconds, well under a frame: a small network's result is shown at once, as without heat
// loss, with no "computing" flashing in the status line at each key. A longer solve is left to
// run, and its result is handed back through the application's event queue, so that `done`
// runs on the GUI thread between two events and never during a keystroke. The application
// outlives every window; a result that comes after its window is gone finds the window's
// handlings gone and is ignored there. The pool waits for its workers when the application ends.
void solveOnWorker(ui::SolveJob job, ui::SolveDone done) {
    struct Meeting {
        std::mutex lock;
        std::condition_variable solved;
        std::optional<network::Result> result; // while the keystroke still waits
        bool gone = false;                     // the keystroke stopped waiting
        ui::SolveDone done;
    };
    auto meeting = std::make_shared<Meeting>();
    meeting->done = std::move(done);
    QThreadPool::globalInstance()->start([job = std::move(job), meeting] {
        network::Result result = job();
        const std::lock_guard<std::mutex> hold(meeting->lock);
        if (!meeting->gone) {
            meeting->result = std::move(result);
            meeting->solved.notify_one();
            return;
        }
        auto late = std::make_shared<network::Result>(std::move(result));
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [meeting, late] { meeting->done(std::move(*late)); },
            Qt::QueuedConnection);
    });
    constexpr std::chrono::milliseconds kWait{8}; // half a frame
    std::unique_lock<std::mutex> hold(meeting->lock);
    if (meeting->solved.wait_for(hold, kWait, [&] { return meeting->result.has_value(); })) {
        network::Result result = std::move(*meeting->result);
        hold.unlock();
        meeting->done(std::move(result));
        return;
    }
    meeting->gone = true;
}

} // namespace

App::App(std::string dataFolder)
    : m_form1(ui::Form1Controls::from(m_view->controls()),
              {.form2 = m_form2,
               .propertyWindow = m_propertyWindow,
               .sizingWindow = m_sizingWindow,
               .networkWindow = m_networkWindow,
               .solveExecutor = solveOnWorker,
               .recovery = {.folder = std::move(dataFolder), .timer = &m_recoveryTimer, .now = [] {
                                return QDateTime::currentDateTime()
                                    .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                    .toStdString();
                            }}}) {}

} // namespace controls::qt
