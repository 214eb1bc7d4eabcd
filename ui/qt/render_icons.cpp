// Writes the program's icon at the sizes of the hicolor theme: DIR/NxN/apps/NAME.png.
#include "ui/qt/icons.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int size : {16, 32, 48, 64, 128}) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        if (!QDir().mkpath(dir) || !controls::qt::mainWindowPicture(size).save(
                                       dir + QLatin1Char('/') + name + QStringLiteral(".png")))
            return 1;
    }
    return 0;
}
