// Renders both windows offscreen as the program shows them and saves them as PNG files, so
// that the README's pictures always show the current look; --dark shows them in a dark theme.
#include "ui/qt/app.h"

#include <QPushButton>

#include <cstdio>
#include <cstring>

namespace {

// A dark desktop theme's palette, as a platform theme would hand it to the program.
QPalette darkPalette() {
    QPalette palette;
    const struct {
        QPalette::ColorRole role;
        QRgb colour;
    } roles[] = {
        {QPalette::Window, 0x353535},
        {QPalette::WindowText, 0xffffff},
        {QPalette::Base, 0x2a2a2a},
        {QPalette::AlternateBase, 0x424242},
        {QPalette::Text, 0xffffff},
        {QPalette::Button, 0x353535},
        {QPalette::ButtonText, 0xffffff},
        {QPalette::Highlight, 0x2a82da},
        {QPalette::HighlightedText, 0xffffff},
        {QPalette::Link, 0x2a82da},
        {QPalette::ToolTipBase, 0x2a2a2a},
        {QPalette::ToolTipText, 0xffffff},
        {QPalette::PlaceholderText, 0x8c8c8c},
        {QPalette::Light, 0x505050},
        {QPalette::Midlight, 0x424242},
        {QPalette::Mid, 0x2a2a2a},
        {QPalette::Dark, 0x202020},
        {QPalette::Shadow, 0x141414},
    };
    for (const auto& entry : roles)
        palette.setColor(entry.role, QColor(entry.colour));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(0x7f7f7f));
    return palette;
}

} // namespace

int main(int argc, char** argv) {
    const bool dark = argc == 4 && std::strcmp(argv[1], "--dark") == 0;
    if (argc != 3 && !dark) {
        std::fprintf(stderr, "usage: %s [--dark] MAIN.png LOOKUP.png\n", argv[0]);
        return 2;
    }
    const QString mainFile = QString::fromLocal8Bit(argv[argc - 2]);
    const QString lookupFile = QString::fromLocal8Bit(argv[argc - 1]);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    controls::qt::prepareApplication(application);
    if (dark)
        QApplication::setPalette(darkPalette());
    controls::qt::App app;
    app.start();
    // A typical entry: 10 t/h through DN200 at 5 kg/m3.
    app.view().text1.setText("10");
    app.view().text3.setText("5");
    app.view().combo3.setText("DN200");
    QApplication::processEvents();
    bool saved = app.view().widget()->grab().save(mainFile);

    app.view().widget()->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    QApplication::processEvents();
    saved = app.form2().view()->widget()->grab().save(lookupFile) && saved;
    return saved ? 0 : 1;
}
