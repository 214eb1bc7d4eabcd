#include "ui/qt/app.h"

#include <QApplication>

#include <gtest/gtest.h>

// The real windows' tests run offscreen in an application prepared as the program prepares its
// own, so fonts and styles are the ones users see.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    controls::qt::prepareApplication(application);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
