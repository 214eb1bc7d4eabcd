#include "ui/qt/app.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    controls::qt::prepareApplication(application);
    // The network's recovery copy: in the user's data folder, ~/.local/share/steam-velocity/
    // steam-velocity on a desktop, which the program's settings' names give.
    controls::qt::App app(
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toUtf8().toStdString());
    app.start();
    return QApplication::exec();
}
