#include "ui/qt/app.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpontaneKeyEvent>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

#include <cmath>
#include <fstream>
#include <string>

#include <malloc.h>

#include <gtest/gtest.h>

namespace {

// What users of desktop software expect of the real windows, offscreen.
class Desktop : public ::testing::Test {
protected:
    Desktop() { app.start(); }

    QWidget* window(bool lookup) {
        return lookup ? app.form2().view()->widget() : app.view().widget();
    }
    // The keyboard focus, in the active window as a user's would be.
    static void focus(QWidget* widget) {
        EXPECT_TRUE(QTest::qWaitForWindowActive(widget->window()));
        widget->setFocus(Qt::OtherFocusReason);
    }
    template <class T> T* find(bool lookup, const char* name) {
        T* widget = window(lookup)->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // 10 t/h at 5.642335 kg/m3 typed into the main window; its sizing table recommends DN150.
    void typeFlowAndDensity() {
        for (const auto& [name, keys] :
             {std::pair{"Text1", "10"}, std::pair{"Text3", "5.642335"}}) {
            auto* edit = find<QLineEdit>(false, name);
            focus(edit);
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, QString::fromUtf8(keys));
        }
    }
    // One notch of the wheel over a widget, delivered as the window system delivers it.
    static void wheel(QWidget* widget, int delta) {
        const QPointF centre = QRectF(widget->rect()).center();
        QWheelEvent event(centre, widget->mapToGlobal(centre), {}, {0, delta}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&event);
        QApplication::sendEvent(widget, &event);
    }

    controls::qt::App app;
};

TEST_F(Desktop, TheWheelTurnsOnlyAFocusedList) {
    // Each list with the pipe option that enables it.
    const std::pair<const char*, const char*> lists[] = {
        {"Combo1", "Option1"}, {"Combo2", "Option1"}, {"Combo3", "Option1"},
        {"Combo4", "Option2"}, {"Combo5", "Option2"},
    };
    ASSERT_TRUE(QTest::qWaitForWindowActive(window(false))) << "the wheel focuses only there";
    for (const auto& [name, option] : lists) {
        QTest::mouseClick(find<QRadioButton>(false, option), Qt::LeftButton);
        auto* combo = find<QComboBox>(false, name);
        const int shown = combo->currentIndex();
        const int step = shown + 1 < combo->count() ? 1 : -1;
        wheel(combo, -120 * step);
        EXPECT_EQ(combo->currentIndex(), shown) << name << " turned without the focus";
        focus(combo);
        wheel(combo, -120 * step);
        EXPECT_EQ(combo->currentIndex(), shown + step) << name << " did not turn with the focus";
    }
    // The lookup window's list scrolls under the wheel; the row stays picked.
    QTest::mouseClick(find<QPushButton>(false, "Command2"), Qt::LeftButton);
    auto* rows = find<QListWidget>(true, "Combo1");
    wheel(rows->viewport(), -120);
    EXPECT_EQ(rows->currentRow(), 12);
    EXPECT_EQ(find<QLineEdit>(false, "Text3")->text(), QStringLiteral("1.122"));
}

// A result is selected by a drag, as text in any program, while the box being typed into keeps
// the focus: a click on a result must not end its edit.
TEST_F(Desktop, AResultIsSelectedWithoutTakingTheFocus) {
    auto* density = find<QLineEdit>(false, "Text3");
    focus(density);
    auto* velocity = find<QLabel>(false, "Label4");
    QTest::mousePress(velocity, Qt::LeftButton, {}, QPoint(2, velocity->height() / 2));
    QTest::mouseMove(velocity, QPoint(velocity->width() - 2, velocity->height() / 2));
    QTest::mouseRelease(velocity, Qt::LeftButton, {},
                        QPoint(velocity->width() - 2, velocity->height() / 2));
    EXPECT_EQ(QApplication::focusWidget(), density);
    EXPECT_EQ(velocity->selectedText(), velocity->text().trimmed());
}

// WCAG 2 contrast ratio, written out here so the test does not trust the program's own.
double contrast(const QColor& one, const QColor& other) {
    auto luminance = [](const QColor& c) {
        auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double a = luminance(one) + 0.05, b = luminance(other) + 0.05;
    return std::max(a, b) / std::min(a, b);
}

TEST_F(Desktop, RowCaptionsStayBlueAndReadableOnEveryWindowColour) {
    QLabel* caption = nullptr;
    for (QLabel* label : window(false)->findChildren<QLabel*>())
        if (label->text() == QString::fromUtf8("蒸汽流速"))
            caption = label;
    ASSERT_NE(caption, nullptr);
    auto shown = [caption] { return caption->palette().color(QPalette::WindowText); };
    EXPECT_EQ(shown(), QColor(0, 0, 255)) << "the default palette keeps the specified blue";

    const QPalette original = QApplication::palette();
    const struct {
        const char* theme;
        QColor window, link;
    } themes[] = {
        {"dark grey, dark link", QColor(0x35, 0x35, 0x35), QColor(0x2a, 0x82, 0xda)},
        {"black, light link", QColor(0, 0, 0), QColor(0x8a, 0xb4, 0xf8)},
        {"mid grey", QColor(0x80, 0x80, 0x80), QColor(0, 0, 255)},
    };
    for (const auto& theme : themes) {
        QPalette palette = original;
        palette.setColor(QPalette::Window, theme.window);
        palette.setColor(QPalette::Link, theme.link);
        QApplication::setPalette(palette); // reaches the widgets as a posted event
        QApplication::processEvents();
        EXPECT_GE(contrast(shown(), theme.window), 4.5) << theme.theme;
        EXPECT_GT(shown().blue(), std::max(shown().red(), shown().green())) << theme.theme;
    }
    QApplication::setPalette(original);
    QApplication::processEvents();
    EXPECT_EQ(shown(), QColor(0, 0, 255)) << "back on the light palette";
}

// The property window says a fault in red: a red that reads on the window in a light and in a
// dark theme, and that goes back to the theme's text colour once the state is steam again.
TEST_F(Desktop, AFaultIsSaidInAReadableRed) {
    find<QAction>(false, "mnuSteam")->trigger();
    QWidget* steam = app.propertyWindow().view()->widget();
    auto* state = steam->findChild<QLabel*>(QStringLiteral("state"));
    auto* temperature = steam->findChild<QLineEdit*>(QStringLiteral("temperature"));
    auto typeTemperature = [temperature](const char* keys) {
        QTest::keyClick(temperature, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(temperature, QString::fromUtf8(keys));
    };
    auto shown = [state] { return state->palette().color(QPalette::WindowText); };
    QTest::mouseClick(steam->findChild<QRadioButton*>(QStringLiteral("superheated")),
                      Qt::LeftButton);
    typeTemperature("150"); // below the saturation temperature at 1 MPa gauge

    const QPalette original = QApplication::palette();
    QPalette dark = original;
    dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, Qt::white);
    for (const QPalette& palette : {original, dark}) {
        QApplication::setPalette(palette);
        QApplication::processEvents();
        const QColor window = palette.color(QPalette::Window);
        EXPECT_GE(contrast(shown(), window), 4.5) << window.name().toStdString();
        EXPECT_GT(shown().red(), std::max(shown().green(), shown().blue()) + 60)
            << shown().name().toStdString();
    }
    typeTemperature("250");
    EXPECT_EQ(shown(), QColor(Qt::white)) << "a state without fault in the theme's colour";
    QApplication::setPalette(original);
    QApplication::processEvents();
    EXPECT_EQ(shown(), original.color(QPalette::WindowText));

    // The longest fault fits the field in the window's font, wrapped.
    const QString longest =
        QString::fromUtf8("饱和蒸汽的压力须在 611.213 Pa～22.064 MPa（绝压）之间");
    const QRect needed = state->fontMetrics().boundingRect(QRect(0, 0, state->width(), 1000),
                                                           Qt::TextWordWrap, longest);
    EXPECT_LE(needed.height(), state->height());
}

// The menus by keyboard alone (Alt and the menu's letter, or F10 and the arrows, then the
// command's letter) and by the mouse.
TEST_F(Desktop, TheMenusOpenByKeyboardAndByMouse) {
    QWidget* main = window(false);
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    auto popup = [] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); };
    // Each Help window is modal to the main window; what was shown, by title.
    QStringList shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            shown << dialog->windowTitle();
            EXPECT_EQ(dialog->parentWidget(), main);
            dialog->reject();
        }
    });
    closer.start(0);

    QTest::keyClick(main, Qt::Key_H, Qt::AltModifier);
    ASSERT_NE(popup(), nullptr);
    EXPECT_EQ(popup()->title(), QString::fromUtf8("帮助(&H)"));
    QTest::keyClick(popup(), Qt::Key_G);
    // As the window manager does once a dialog has closed.
    auto activate = [main] {
        main->activateWindow();
        return QTest::qWaitForWindowActive(main);
    };
    ASSERT_TRUE(activate());
    QTest::keyClick(main, Qt::Key_F10);
    ASSERT_NE(popup(), nullptr);
    EXPECT_EQ(popup()->title(), QString::fromUtf8("工具(&T)"));
    QTest::keyClick(popup(), Qt::Key_Right);
    ASSERT_NE(popup(), nullptr);
    QTest::keyClick(popup(), Qt::Key_A);
    EXPECT_EQ(shown.join(QLatin1Char(' ')), QString::fromUtf8("使用说明 关于"));

    // A tool window by Alt+T and its letter, left by Esc as 返  回 leaves it.
    const auto openAndLeave = [&](Qt::Key letter, auto view) {
        ASSERT_TRUE(activate());
        QTest::keyClick(main, Qt::Key_T, Qt::AltModifier);
        ASSERT_NE(popup(), nullptr);
        QTest::keyClick(popup(), letter);
        ASSERT_NE(view(), nullptr) << "Alt+T, " << letter;
        ASSERT_TRUE(QTest::qWaitForWindowActive(view()->widget()));
        QTest::keyClick(view()->widget(), Qt::Key_Escape);
        EXPECT_EQ(view(), nullptr) << "Esc, " << letter;
        EXPECT_TRUE(main->isVisible());
    };
    openAndLeave(Qt::Key_S, [&] { return app.propertyWindow().view(); });
    openAndLeave(Qt::Key_D, [&] { return app.sizingWindow().view(); });

    auto* bar = main->findChild<QMenuBar*>();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions()[0]).center());
    QMenu* tools = popup();
    ASSERT_NE(tools, nullptr);
    QAction* command = find<QAction>(false, "mnuSteam");
    QTest::mouseClick(tools, Qt::LeftButton, {}, tools->actionGeometry(command).center());
    EXPECT_NE(app.propertyWindow().view(), nullptr) << "by mouse";
    EXPECT_FALSE(main->isVisible());
}

// The network window by the keyboard: Alt+T, N opens it with the keyboard in the grid, and 添加
// leaves it there; a cell is typed into and Enter commits it, Esc abandons an
// edit and leaves the window open; Ctrl+Z while a cell is typed into takes back the typing, and
// in a box the window's last step, Ctrl+Y and Ctrl+Shift+Z redo; Ctrl+S asks where to save, and
// Ctrl+N asks before the unsaved segment is lost, each dialog over the network window and
// cancelled by Esc.
TEST_F(Desktop, TheNetworkWindowWorksByTheKeyboard) {
    QWidget* main = window(false);
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    QTest::keyClick(main, Qt::Key_T, Qt::AltModifier);
    auto* tools = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(tools, nullptr);
    QTest::keyClick(tools, Qt::Key_N);
    ASSERT_NE(app.networkWindow().view(), nullptr) << "Alt+T, N";
    QWidget* network = app.networkWindow().view()->widget();
    ASSERT_TRUE(QTest::qWaitForWindowActive(network));
    auto* grid = network->findChild<QTableWidget*>(QStringLiteral("segments"));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), grid);
    QTest::mouseClick(network->findChild<QPushButton*>(QStringLiteral("add")), Qt::LeftButton);
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(QApplication::focusWidget(), grid) << "not left on the button";

    constexpr int kLoad = 6;
    focus(grid);
    grid->setCurrentCell(0, kLoad);
    QTest::keyClicks(grid, QStringLiteral("5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(grid->item(0, kLoad)->text(), QStringLiteral("5"));

    QTest::keyClicks(grid, QStringLiteral("7"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(grid->item(0, kLoad)->text(), QStringLiteral("5"));
    EXPECT_TRUE(network->isVisible()) << "Esc in a cell does not leave the window";

    QTest::keyClick(grid, Qt::Key_F2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_7);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(grid->item(0, kLoad)->text(), QStringLiteral("5")) << "the 7 taken back alone";
    auto* pressure = network->findChild<QLineEdit*>(QStringLiteral("sourcePressure"));
    focus(pressure);
    QTest::keyClick(pressure, Qt::Key_End);
    QTest::keyClicks(pressure, QStringLiteral(".25"));
    const struct {
        QKeyCombination keys;
        const char* pressure;
        const char* load;
    } presses[] = {
        {Qt::ControlModifier | Qt::Key_Z, "1", "5"}, // the three keys, one step
        {Qt::ControlModifier | Qt::Key_Z, "1", "0"},
        {Qt::ControlModifier | Qt::Key_Y, "1", "5"},
        {Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z, "1.25", "5"},
    };
    for (const auto& press : presses) {
        QTest::keyClick(pressure, press.keys.key(), press.keys.keyboardModifiers());
        EXPECT_EQ(pressure->text(), QString::fromUtf8(press.pressure));
        EXPECT_EQ(grid->item(0, kLoad)->text(), QString::fromUtf8(press.load));
    }
    EXPECT_EQ(grid->rowCount(), 1);

    QStringList asked;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            asked << dialog->windowTitle();
            EXPECT_EQ(dialog->parentWidget(), network);
            QTest::keyClick(dialog, Qt::Key_Escape);
        }
    });
    closer.start(50);
    for (const Qt::Key key : {Qt::Key_S, Qt::Key_N}) {
        // As the window manager does once a dialog has closed.
        network->activateWindow();
        focus(grid);
        QTest::keyClick(grid, key, Qt::ControlModifier);
    }
    closer.stop();
    EXPECT_EQ(asked.join(QLatin1Char(' ')), QString::fromUtf8("保存蒸汽管网 蒸汽管网水力计算"));
    EXPECT_EQ(grid->rowCount(), 1) << "Esc answers the question with 取消";
}

// The sizing table says a size above its band in red and one below it in grey, each readable
// on the rows' background in a light and a dark theme; the recommended size in the theme's own
// text colour.
TEST_F(Desktop, TheSizingTableReadsInAnyTheme) {
    typeFlowAndDensity();
    find<QAction>(false, "mnuSizing")->trigger();
    QWidget* sizing = app.sizingWindow().view()->widget();
    auto* table = sizing->findChild<QTreeWidget*>(QStringLiteral("table"));
    ASSERT_NE(table, nullptr);
    auto row = [table](const char* size) {
        return table->findItems(QString::fromUtf8(size), Qt::MatchExactly).value(0);
    };
    // 10 t/h at 5.642335 kg/m3: 2786 m/s in DN15, 15.7 m/s in DN200, saturated steam.
    const QTreeWidgetItem* above = row("DN15");
    const QTreeWidgetItem* below = row("DN200");
    const QTreeWidgetItem* recommended = table->selectedItems().value(0);
    ASSERT_TRUE(above && below && recommended);
    ASSERT_EQ(above->text(6), QString::fromUtf8("偏高"));
    ASSERT_EQ(below->text(6), QString::fromUtf8("偏低"));

    const QPalette original = QApplication::palette();
    QPalette dark = original;
    dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    dark.setColor(QPalette::Text, Qt::white);
    for (const QPalette& palette : {original, dark}) {
        QApplication::setPalette(palette);
        QApplication::processEvents();
        const QColor base = palette.color(QPalette::Base);
        const QColor red = above->foreground(6).color();
        const QColor grey = below->foreground(6).color();
        EXPECT_GE(contrast(red, base), 4.5) << red.name().toStdString();
        EXPECT_GT(red.red(), std::max(red.green(), red.blue()) + 60) << red.name().toStdString();
        EXPECT_GE(contrast(grey, base), 4.5) << grey.name().toStdString();
        EXPECT_EQ(grey.red(), grey.green());
        EXPECT_EQ(grey.green(), grey.blue());
        EXPECT_GE(contrast(grey, palette.color(QPalette::Text)), 2.0)
            << "grey stands apart from the text colour";
        EXPECT_EQ(recommended->foreground(6).style(), Qt::NoBrush);
    }
    QApplication::setPalette(original);
}

// Enter on a size in the sizing table chooses it as 选用 does, by either Enter key; not while
// 选用 is disabled.
TEST_F(Desktop, EnterOnASizeChoosesItAsUseDoes) {
    typeFlowAndDensity();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int down;
        const char* chosen;
    } enters[] = {
        {Qt::Key_Return, Qt::NoModifier, 1, "DN200"}, // the recommended row is DN150
        {Qt::Key_Enter, Qt::KeypadModifier, 2, "DN250"},
    };
    for (const auto& enter : enters) {
        find<QAction>(false, "mnuSizing")->trigger();
        QWidget* sizing = app.sizingWindow().view()->widget();
        auto* table = sizing->findChild<QTreeWidget*>(QStringLiteral("table"));
        QSignalSpy used(sizing->findChild<QPushButton*>(QStringLiteral("choose")),
                        &QPushButton::clicked);
        focus(table);
        for (int i = 0; i < enter.down; ++i)
            QTest::keyClick(table, Qt::Key_Down);
        QTest::keyClick(table, enter.key, enter.modifiers);
        EXPECT_EQ(used.count(), 1) << enter.key;
        EXPECT_EQ(find<QComboBox>(false, "Combo3")->currentText().toStdString(), enter.chosen);
    }

    // A negative length empties the table and disables 选用.
    find<QAction>(false, "mnuSizing")->trigger();
    QWidget* sizing = app.sizingWindow().view()->widget();
    sizing->findChild<QLineEdit*>(QStringLiteral("length"))->setText(QStringLiteral("-1"));
    QSignalSpy used(sizing->findChild<QPushButton*>(QStringLiteral("choose")),
                    &QPushButton::clicked);
    focus(sizing->findChild<QTreeWidget*>(QStringLiteral("table")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(used.count(), 0);
}

// The guide opens with the keyboard in its text: PageDown and the arrows scroll it at once.
TEST_F(Desktop, TheGuideScrollsByKeyboardAsItOpens) {
    int paged = 0, stepped = 0;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return ADD_FAILURE() << "no guide";
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        const QScrollBar* bar = dialog->findChild<QTextBrowser*>()->verticalScrollBar();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        paged = bar->value();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        stepped = bar->value();
        dialog->reject();
    });
    find<QAction>(false, "mnuGuide")->trigger();
    EXPECT_GT(paged, 0);
    EXPECT_GT(stepped, paged);
}

TEST_F(Desktop, EachOfTwoMessageBoxesInARowBelongsToTheMainWindow) {
    std::vector<QWidget*> parents;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            parents.push_back(box->parentWidget());
            QTest::keyClick(box, Qt::Key_Enter);
            // As on a real display: the window manager activates the main window again only
            // some time after the box has gone.
            QApplication::setActiveWindow(nullptr);
        }
    });
    answerer.start(0);
    auto* density = find<QLineEdit>(false, "Text3");
    focus(density);
    QTest::keyClick(density, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(density, Qt::Key_Delete);
    EXPECT_EQ(parents, (std::vector<QWidget*>{window(false), window(false)}));
}

TEST_F(Desktop, EnterPressesTheFocusedButtonAndEscLeavesTheLookupWindow) {
    const struct {
        bool lookup;
        const char* focused;
        Qt::Key key;
        const char* pressed;
    } presses[] = {
        {false, "Command1", Qt::Key_Return, "Command1"},
        {false, "Command2", Qt::Key_Enter, "Command2"}, // opens the lookup window
        {true, "Combo1", Qt::Key_Escape, "Command1"},   // leaves it
        {false, "Command2", Qt::Key_Return, "Command2"},
        {true, "Command1", Qt::Key_Enter, "Command1"},
        {false, "Command3", Qt::Key_Return, "Command3"}, // ends the program
    };
    for (const auto& press : presses) {
        ASSERT_TRUE(!press.lookup || app.form2().view()) << "the lookup window did not open";
        QSignalSpy clicked(find<QPushButton>(press.lookup, press.pressed), &QPushButton::clicked);
        auto* focused = find<QWidget>(press.lookup, press.focused);
        focus(focused);
        QTest::keyClick(focused, press.key,
                        press.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_EQ(clicked.count(), 1) << press.focused << " " << press.key;
    }
    EXPECT_FALSE(app.form1().form2Loaded());
    EXPECT_FALSE(window(false)->isVisible());
}

// The resident set in kB, after the allocator has handed back what it holds free: only memory
// still owned by someone counts.
long residentKb() {
    malloc_trim(0);
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:"))
            return std::stol(line.substr(6));
    return -1;
}

TEST_F(Desktop, OpeningAndClosingTheLookupWindowKeepsNothing) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the address sanitizer holds freed memory back in its quarantine";
#endif
    long afterTen = 0;
    for (int cycle = 1; cycle <= 1000; ++cycle) {
        QTest::mouseClick(find<QPushButton>(false, "Command2"), Qt::LeftButton);
        // The X11 platform hands the window manager the icon's picture of each size; offscreen
        // nobody asks for them, so the test does.
        const QIcon icon = window(true)->windowIcon();
        for (const QSize& size : icon.availableSizes())
            icon.pixmap(size);
        if (cycle % 2 == 0)
            QTest::mouseClick(find<QPushButton>(true, "Command1"), Qt::LeftButton);
        else
            window(true)->close(); // the title bar's close button
        ASSERT_FALSE(app.form1().form2Loaded()) << "cycle " << cycle;
        QApplication::processEvents();
        if (cycle == 10)
            afterTen = residentKb();
    }
    ASSERT_GT(afterTen, 0) << "no VmRSS in /proc/self/status";
    const long afterThousand = residentKb();
    EXPECT_LE(afterThousand, afterTen + afterTen / 100)
        << "after ten cycles " << afterTen << " kB, after 1000 " << afterThousand << " kB";
}

} // namespace
