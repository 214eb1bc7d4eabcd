#include "ui/qt/app.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The real windows' tests run offscreen in an application prepared as the program prepares its
// own, so fonts and styles are the ones users see.
int main(int argc, char** argv) {
    // Offscreen, unless a test names a real display's platform.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The settings in a folder of the run's own: a test neither reads nor changes the user's.
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    QApplication application(argc, argv);
    controls::qt::prepareApplication(application);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
