// The program's own start, as main() does it, ending at the main window's first paint.
#include "bench/first_paint.h"
#include "ui/qt/app.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    controls::qt::prepareApplication(application);
    controls::qt::App app;
    bench::reportFirstPaint(app.view().widget());
    app.start();
    return QApplication::exec();
}
