// Renders the windows offscreen as the program shows them and saves them as PNG files, so
// that the README's pictures always show the current look; --dark shows them in a dark theme.
// With --pictures, the network window's pictures for the saturated, superheated and
// forty-segment examples instead.
#include "ui/qt/app.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>
#include <QToolButton>

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

using controls::qt::View;

// A control's widget and the control over it, by the control's name in the window's description.
template <class W> W* widget(const View& view, std::string_view name) {
    return static_cast<W*>(view.widgetOf(*view.design().find(name)));
}
controls::TextBox& box(const View& view, std::string_view name) {
    return view.controls().get<controls::TextBox>(name);
}
void press(const View& view, std::string_view name) {
    widget<QPushButton>(view, name)->click();
}

// Opens an example as the user opens a file, through the window's own dialog; with heat loss,
// its result let in from the worker that solved it.
void open(const View& network, const char* folder, const char* example) {
    const QString path =
        QString::fromUtf8(folder) + QStringLiteral("/") + QString::fromUtf8(example);
    QTimer::singleShot(0, [path] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();
        }
    });
    network.actionOf(*network.design().find("openFile"))->trigger();
    QThreadPool::globalInstance()->waitForDone();
    QApplication::processEvents();
}

// The pictures' tab turned to and the tree fitted to its view, as a user looking at them would.
bool savePictures(const View& network, const char* example, const QString& file) {
    open(network, STEAM_EXAMPLES, example);
    QWidget* window = network.widget();
    window->findChild<QTabBar*>(QStringLiteral("pages"))->setCurrentIndex(1);
    QWidget* pictures = widget<QWidget>(network, "pictures");
    QApplication::processEvents();
    pictures->findChild<QToolButton*>(QStringLiteral("fit"))->click();
    QApplication::processEvents();
    return window->grab().save(file);
}

} // namespace

int main(int argc, char** argv) {
    const bool pictures = argc > 1 && std::strcmp(argv[1], "--pictures") == 0;
    const int flags = pictures ? 1 : 0;
    const bool dark = argc > 1 + flags && std::strcmp(argv[1 + flags], "--dark") == 0;
    const int files = argc - 1 - flags - (dark ? 1 : 0);
    if (pictures ? files != 3
                 : files != 2 && files != 5 && files != 7 && files != 9 && files != 11) {
        std::fprintf(stderr,
                     "usage: %s [--dark] MAIN.png LOOKUP.png "
                     "[SATURATED.png SUPERHEATED.png FAULT.png [SIZING-WELDED.png "
                     "SIZING-SEAMLESS.png [NETWORK-SATURATED.png NETWORK-SUPERHEATED.png "
                     "[HEAT-SATURATED.png HEAT-SUPERHEATED.png]]]]\n"
                     "       %s --pictures [--dark] SATURATED.png SUPERHEATED.png FORTY.png\n",
                     argv[0], argv[0]);
        return 2;
    }
    const int first = 1 + flags + (dark ? 1 : 0);
    auto file = [&](int index) { return QString::fromLocal8Bit(argv[first + index]); };
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The examples opened here are not the developer's recent files.
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    QApplication application(argc, argv);
    controls::qt::prepareApplication(application);
    if (dark)
        QApplication::setPalette(darkPalette());
    controls::qt::App app;
    app.start();
    const View& main = app.view();
    if (pictures) {
        main.actionOf(*main.design().find("mnuNetwork"))->trigger();
        const View& network = *app.networkWindow().view();
        network.widget()->resize(network.widget()->sizeHint());
        bool saved = true;
        const char* const examples[] = {"saturated-network.json", "superheated-network.json",
                                        "forty-segments.json"};
        for (int i = 0; i < 3; ++i)
            saved = savePictures(network, examples[i], file(i)) && saved;
        return saved ? 0 : 1;
    }
    // A typical entry: 10 t/h through DN200 at 5 kg/m3.
    box(main, "Text1").setText("10");
    box(main, "Text3").setText("5");
    main.controls().get<controls::DropDownList>("Combo3").setText("DN200");
    QApplication::processEvents();
    bool saved = main.widget()->grab().save(file(0));

    press(main, "Command2");
    QApplication::processEvents();
    saved = app.form2().view()->widget()->grab().save(file(1)) && saved;
    if (files == 2)
        return saved ? 0 : 1;

    press(*app.form2().view(), "Command1");
    main.actionOf(*main.design().find("mnuSteam"))->trigger();
    const View& steam = *app.propertyWindow().view();
    // As it opens: 1 MPa gauge, saturated.
    QApplication::processEvents();
    saved = steam.widget()->grab().save(file(2)) && saved;
    // A superheated main at 250 ℃.
    steam.controls().get<controls::OptionButton>("superheated").setChecked(true);
    QApplication::processEvents();
    saved = steam.widget()->grab().save(file(3)) && saved;
    // An emptied pressure box is no pressure: it asks for one instead of computing 1 atm.
    box(steam, "pressure").setText("");
    QApplication::processEvents();
    saved = steam.widget()->grab().save(file(4)) && saved;
    if (files == 5)
        return saved ? 0 : 1;

    // 1 MPa gauge at 250 ℃ handed over for 20 t/h: the sizing window knows the steam.
    box(main, "Text1").setText("20");
    box(steam, "pressure").setText("1");
    QApplication::processEvents();
    press(steam, "adopt");
    main.actionOf(*main.design().find("mnuSizing"))->trigger();
    const View& sizing = *app.sizingWindow().view();
    // An 800 m run with 15 % local losses and R at most 100 Pa/m: DN250 is recommended, and
    // the sizes that lose more than a tenth of the pressure are marked.
    box(sizing, "length").setText("800");
    box(sizing, "localLoss").setText("15");
    box(sizing, "limit").setText("100");
    QApplication::processEvents();
    saved = sizing.widget()->grab().save(file(5)) && saved;
    sizing.controls().get<controls::DropDownList>("series").setText("无缝钢管");
    QApplication::processEvents();
    saved = sizing.widget()->grab().save(file(6)) && saved;
    if (files == 7)
        return saved ? 0 : 1;

    press(sizing, "back");
    main.actionOf(*main.design().find("mnuNetwork"))->trigger();
    const View& network = *app.networkWindow().view();
    QWidget* window = network.widget();
    // As large as it asks to be: ten segments in the grid and in the table.
    window->resize(window->sizeHint());
    // Each example opened as the user opens a file, through the window's own dialog, with the
    // segment that feeds the most unfavourable user selected; with heat loss, its result let in
    // from the worker that solved it.
    const struct {
        const char* folder;
        const char* example;
        int index;
    } examples[] = {
        {STEAM_EXAMPLES, "saturated-network.json", 7},
        {STEAM_EXAMPLES, "superheated-network.json", 8},
        {STEAM_HEAT_EXAMPLES, "saturated-heat-loss.json", 9},
        {STEAM_HEAT_EXAMPLES, "superheated-heat-loss.json", 10},
    };
    for (const auto& [folder, example, index] : examples) {
        if (index >= files)
            break;
        open(network, folder, example);
        std::fprintf(stderr, "%s: %d×%d, at least %d×%d\n", example, window->width(),
                     window->height(), window->minimumWidth(), window->minimumHeight());
        saved = window->grab().save(file(index)) && saved;
    }
    return saved ? 0 : 1;
}
