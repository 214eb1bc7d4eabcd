// The empty window with one Chinese caption in the program's font: what showing any text at
// all adds to the empty window, to tell the program's own cost from that of drawing Chinese.
#include "bench/first_paint.h"
#include "ui/qt/app.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    controls::qt::prepareApplication(application);
    QWidget window;
    window.resize(433, 441);
    QLabel caption(QString::fromUtf8("蒸汽流速计算"), &window);
    caption.move(16, 16);
    bench::reportFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
