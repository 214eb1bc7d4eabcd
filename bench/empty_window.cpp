// The least a Qt Widgets program does to show a window: one empty window.
#include "bench/first_paint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(433, 441); // the main window's size: the same pixels to paint
    bench::reportFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
