// Renders both windows offscreen as the program shows them and saves them as PNG files, so
// that the README's pictures always show the current look.
#include "ui/qt/app.h"

#include <QPushButton>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s MAIN.png LOOKUP.png\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    controls::qt::prepareApplication(application);
    controls::qt::App app;
    app.start();
    // A typical entry: 10 t/h through DN200 at 5 kg/m3.
    app.view().text1.setText("10");
    app.view().text3.setText("5");
    app.view().combo3.setText("DN200");
    QApplication::processEvents();
    bool saved = app.view().widget()->grab().save(QString::fromLocal8Bit(argv[1]));

    app.view().widget()->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    QApplication::processEvents();
    saved = app.form2().view()->widget()->grab().save(QString::fromLocal8Bit(argv[2])) && saved;
    return saved ? 0 : 1;
}
