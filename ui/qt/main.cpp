#include "ui/qt/app.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    controls::qt::prepareApplication(application);
    controls::qt::App app;
    app.start();
    return QApplication::exec();
}
