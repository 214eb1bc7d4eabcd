#include "ui/qt/app.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <vector>

// A size as a failure prints it, rather than as its bytes.
void PrintTo(const QSize& size, std::ostream* out) {
    *out << size.width() << "x" << size.height();
}

namespace {

using controls::qt::App;

// The real windows, offscreen, driven by key and mouse events.
class QtWindows : public ::testing::Test {
protected:
    QtWindows() { app.start(); }

    QWidget* form1() { return app.view().widget(); }
    template <class T> T* find(QWidget* window, const char* name) {
        T* widget = window->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void typeInto(const char* name, const char* keys) {
        auto* edit = find<QLineEdit>(form1(), name);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, QString::fromUtf8(keys));
    }

    App app;
};

// The look a user sees and no in-memory test can: the title, and the specified layout of the
// client area below the menu bar, which the window grows by.
TEST_F(QtWindows, MainWindowKeepsItsLayoutBelowTheMenuBar) {
    EXPECT_EQ(form1()->windowTitle(), QString::fromUtf8("蒸汽流速计算"));
    auto* bar = form1()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 433, bar->sizeHint().height()));
    EXPECT_GT(bar->height(), 0);
    EXPECT_EQ(form1()->size(), QSize(433, 441 + bar->height()));

    // Pixels from the twips of the layout, in the client area: frame, then control in it.
    const struct {
        const char* name;
        QRect client;
    } placed[] = {
        {"Text1", QRect(8 + 8, 16 + 24, 89, 20)},
        {"Combo2", QRect(8 + 104, 88 + 24, 89, 20)},
        {"Text4", QRect(8 + 120, 296 + 112, 73, 18)},
        {"Label13", QRect(224 + 40, 16 + 104, 145, 17)},
        {"Label5", QRect(224 + 40, 16 + 352, 145, 17)},
        {"Command3", QRect(224, 408, 201, 25)},
    };
    for (const auto& entry : placed) {
        auto* widget = find<QWidget>(form1(), entry.name);
        const QPoint inWindow = widget->mapTo(form1(), QPoint(0, 0));
        EXPECT_EQ(QRect(inWindow - QPoint(0, bar->height()), widget->size()), entry.client)
            << entry.name;
    }
}

// Every window as its description has it: each control's widget under its name and driven by the
// control of that name, with the name and description a screen reader says, and Tab going round
// them in the described order.
TEST(Views, EveryWindowIsMadeAsDescribed) {
    using ui::Kind;
    for (const ui::WindowDescription* design : ui::kDesigns) {
        SCOPED_TRACE(std::string(design->name));
        const auto view = design == &ui::kForm1Design ? controls::qt::form1View()
                                                      : controls::qt::openedView(*design, {});
        std::map<int, QStringList> tabs;
        QWidget* first = nullptr;
        for (const ui::ControlDescription& control : design->controls) {
            const Kind kind = control.kind;
            if (kind != Kind::Frame && kind != Kind::Grid && kind != Kind::NetworkPictures &&
                (kind < Kind::TextBox || kind > Kind::StatusText))
                continue; // no widget: a caption, a menu command, the message box, a dialog
            // A simple combo is its list, then its edit field, which its name is said of.
            const std::vector<QWidget*> widgets = view->widgetsOf(control);
            ASSERT_FALSE(widgets.empty()) << control.name;
            EXPECT_EQ(view->widget()->findChild<QWidget*>(QString::fromUtf8(control.name)),
                      widgets.front())
                << control.name;
            EXPECT_EQ(widgets.back()->accessibleName().toStdString(), control.accessibleName);
            EXPECT_EQ(widgets.front()->accessibleDescription().toStdString(), control.description);
            for (QWidget* widget : widgets)
                if (control.tab > 0)
                    tabs[control.tab] << widget->objectName();
            if (control.tab == 1)
                first = widgets.front();
        }
        // The control the logic is handed drives the widget of its name.
        view->controls().forEach(
            [](const ui::ControlDescription& control, const ui::AnyControl& made) {
                const auto* over = std::visit(
                    [](auto* real) { return dynamic_cast<const controls::qt::OverWidget*>(real); },
                    made);
                if (over) {
                    EXPECT_EQ(over->widget()->objectName().toStdString(), control.name);
                }
            });
        QStringList described, visited;
        for (const auto& [tab, names] : tabs)
            described << names;
        QWidget* widget = first;
        do {
            if (widget->focusPolicy() & Qt::TabFocus)
                visited << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != first);
        EXPECT_EQ(visited.join(QLatin1Char(' ')).toStdString(),
                  described.join(QLatin1Char(' ')).toStdString());
    }
}

// The window opens from the menu over the hidden main window and gives it back unchanged.
TEST_F(QtWindows, SteamMenuOpensThePropertyWindowAndReturnGivesTheMainWindowBack) {
    find<QAction>(form1(), "mnuSteam")->trigger();
    ASSERT_NE(app.propertyWindow().view(), nullptr);
    QWidget* steam = app.propertyWindow().view()->widget();
    EXPECT_TRUE(steam->isVisible());
    EXPECT_FALSE(form1()->isVisible());
    EXPECT_EQ(steam->windowTitle(), QString::fromUtf8("蒸汽物性计算"));
    auto* pressure = find<QLineEdit>(steam, "pressure");
    QTest::keyClicks(pressure, QStringLiteral("1.6"));
    EXPECT_EQ(pressure->text(), QStringLiteral("1.6")) << "the first keys replace the default";

    QTest::mouseClick(find<QPushButton>(steam, "back"), Qt::LeftButton);
    EXPECT_FALSE(steam->isVisible());
    EXPECT_TRUE(form1()->isVisible());
    EXPECT_EQ(app.propertyWindow().view(), nullptr);
    EXPECT_EQ(find<QLineEdit>(form1(), "Text3")->text(), QStringLiteral("1"));
}

// Every size at once for the main window's flow and density: the columns under their headings
// and whole, the recommended row in view.
TEST_F(QtWindows, SizingMenuOpensTheTableWithEveryCellWholeAndTheRecommendedRowInView) {
    typeInto("Text1", "10");
    typeInto("Text3", "5.642335");
    find<QAction>(form1(), "mnuSizing")->trigger();
    ASSERT_NE(app.sizingWindow().view(), nullptr);
    QWidget* sizing = app.sizingWindow().view()->widget();
    EXPECT_EQ(sizing->windowTitle(), QString::fromUtf8("管径选择"));

    auto* table = find<QTreeWidget>(sizing, "table");
    QStringList headings;
    for (int i = 0; i < table->columnCount(); ++i)
        headings << table->headerItem()->text(i);
    EXPECT_EQ(headings.join(QLatin1Char('|')).toStdString(),
              "管径|内径 (mm)|流速 (m/s)|比摩阻 R (Pa/m)|管段压降 ΔP (kPa)|推荐流速 (m/s)|评价");
    QHeaderView* header = table->header();
    EXPECT_LE(header->sectionPosition(6) + header->sectionSize(6), table->viewport()->width())
        << "every column in view without scrolling sideways";
    // Each cell whole in its column, in the row's own font: a bold or long figure elided would
    // show "…" instead of its digits.
    const int margins =
        2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1);
    for (int row = 0; row < table->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = table->topLevelItem(row);
        for (int column = 0; column < 7; ++column) {
            const int needed =
                QFontMetrics(item->font(column)).horizontalAdvance(item->text(column));
            EXPECT_LE(needed + margins, header->sectionSize(column))
                << item->text(0).toStdString() << " " << item->text(column).toStdString();
        }
    }

    // 10 t/h at 5.642335 kg/m3 is 40.1 m/s in DN125 and 27.9 m/s in DN150, saturated steam's
    // band for DN100 to DN200 being 25 to 35 m/s.
    const QList<QTreeWidgetItem*> selected = table->selectedItems();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0]->text(0), QStringLiteral("DN150"));
    EXPECT_TRUE(selected[0]->font(0).bold());
    EXPECT_TRUE(table->viewport()->rect().contains(table->visualItemRect(selected[0])))
        << "the recommended row in view";
}

// What sticks out of the widget that holds it, among the visible widgets of a window: a squeezed
// layout draws a control over its frame's edge or past the window's.
std::string outsideTheirParents(QWidget* window) {
    QStringList outside;
    for (QWidget* widget : window->findChildren<QWidget*>())
        if (widget->isVisibleTo(window) && !widget->isWindow() &&
            !widget->parentWidget()->rect().contains(widget->geometry()))
            outside << QStringLiteral("%1 %2").arg(
                QString::fromUtf8(widget->metaObject()->className()), widget->objectName());
    return outside.join(QLatin1Char(',')).toStdString();
}

// 1920×1080 at 200 % is a screen of 960×540 logical pixels, 1366×768 at 140 % hardly more. The
// sizing window's least size fits that with its title bar and frame, all of it still inside it;
// the room it is given beyond goes to the table; a long status and one more input of its run
// take another line instead of widening it.
TEST_F(QtWindows, SizingWindowFitsASmallScreenAndGivesItsRoomToTheTable) {
    find<QAction>(form1(), "mnuSizing")->trigger();
    ASSERT_NE(app.sizingWindow().view(), nullptr);
    QWidget* sizing = app.sizingWindow().view()->widget();
    auto* table = find<QTreeWidget>(sizing, "table");
    auto resize = [sizing](QSize size) {
        sizing->resize(size);
        QApplication::processEvents();
    };
    // A title bar and the frame's edges as the common desktops draw them, in logical pixels.
    const QSize decoration(16, 48);
    const QSize least = sizing->minimumSize();
    EXPECT_LE(least.width() + decoration.width(), 960);
    EXPECT_LE(least.height() + decoration.height(), 540);
    resize(least);
    EXPECT_EQ(sizing->size(), least);
    EXPECT_EQ(outsideTheirParents(sizing), "");
    EXPECT_LE(table->header()->length(), table->viewport()->width()) << "every column whole";
    // The recommended row and two sizes either side of it.
    EXPECT_GE(table->viewport()->height(),
              5 * table->visualItemRect(table->topLevelItem(0)).height());

    // Taller, the table takes all of it; wider too, also the lines the inputs no longer wrap to.
    const QSize tableAtLeast = table->size();
    resize(least + QSize(0, 150));
    EXPECT_EQ(table->size(), tableAtLeast + QSize(0, 150));
    resize(least + QSize(200, 150));
    EXPECT_EQ(table->width(), tableAtLeast.width() + 200);
    EXPECT_GE(table->height(), tableAtLeast.height() + 150);
    EXPECT_EQ(table->header()->length(), table->viewport()->width()) << "no empty band beside them";

    const QString status =
        QString::fromUtf8("推荐 D1020×12：流速不高于推荐范围的最小管径。按推荐流速的上限，"
                          "最大的管径也只能输送约一半的流量，请考虑并联管道");
    app.sizingWindow().view()->controls().get<controls::StatusText>("status").setStatus(
        status.toStdString(), false);
    resize(least);
    EXPECT_EQ(sizing->minimumSize(), least);
    auto* shown = find<QLabel>(sizing, "status");
    EXPECT_LE(shown->fontMetrics()
                  .boundingRect(QRect(0, 0, shown->width(), 1000), Qt::TextWordWrap, status)
                  .height(),
              shown->height());

    EXPECT_EQ(outsideTheirParents(sizing), "");
}

// The network window's least size fits the small screens laptops have, title bar and frame
// included, each of its tables keeping three rows; at the screen's size every command lies
// whole inside the window, and the room beyond its least size goes to the grid and the tables.
// In logical pixels: 1366×768 at 150 % is 910×512, 1920×1080 at 200 % 960×540.
TEST_F(QtWindows, NetworkWindowFitsSmallScreensWithEveryCommandInReach) {
    find<QAction>(form1(), "mnuNetwork")->trigger();
    ASSERT_NE(app.networkWindow().view(), nullptr);
    QWidget* network = app.networkWindow().view()->widget();
    // Its frames' least widths are known once the window is shown and laid out.
    QApplication::processEvents();
    auto resize = [network](QSize size) {
        network->resize(size);
        QApplication::processEvents();
    };
    const QSize decoration(16, 48);
    const QSize least = network->minimumSize();
    resize(least);
    EXPECT_EQ(network->size(), least);
    EXPECT_EQ(outsideTheirParents(network), "");
    auto* grid = find<QTableWidget>(network, "segments");
    auto* segments = find<QTreeWidget>(network, "results");
    auto* nodes = find<QTreeWidget>(network, "nodes");
    for (QAbstractItemView* table :
         std::initializer_list<QAbstractItemView*>{grid, segments, nodes})
        EXPECT_GE(table->viewport()->height(), 3 * QFontMetrics(table->font()).height())
            << table->objectName().toStdString();
    const QSize gridAtLeast = grid->size(), segmentsAtLeast = segments->size();
    const struct {
        const char* name;
        QSize screen;
    } screens[] = {
        {"1366x768 at 150 %", {910, 512}},
        {"1920x1080 at 200 %", {960, 540}},
        {"1024x600", {1024, 600}},
    };
    const char* const commands[] = {"add",    "remove",     "moveUp", "moveDown",
                                    "status", "showInMain", "back",   "pages"};
    for (const auto& screen : screens) {
        const QSize room = screen.screen - decoration;
        EXPECT_LE(least.width(), room.width()) << screen.name;
        EXPECT_LE(least.height(), room.height()) << screen.name;
        resize(room);
        EXPECT_EQ(network->size(), room) << screen.name;
        EXPECT_EQ(outsideTheirParents(network), "") << screen.name;
        for (const char* name : commands) {
            auto* command = find<QWidget>(network, name);
            const QRect placed(command->mapTo(network, QPoint(0, 0)), command->size());
            EXPECT_TRUE(command->isVisible() && network->rect().contains(placed))
                << screen.name << ": " << name << " at " << placed.x() << "," << placed.y();
        }
        auto* bar = network->findChild<QMenuBar*>();
        ASSERT_NE(bar, nullptr);
        for (QAction* menu : bar->actions())
            EXPECT_TRUE(network->rect().contains(bar->actionGeometry(menu)))
                << screen.name << ": " << menu->text().toStdString();
        // The room beyond the least size is the tables': the inputs above them take none.
        const int extra = room.height() - least.height();
        EXPECT_GE(grid->height() + segments->height(),
                  gridAtLeast.height() + segmentsAtLeast.height() + extra - 2)
            << screen.name;
        if (extra > 0) {
            EXPECT_GT(grid->height(), gridAtLeast.height()) << screen.name;
        }
    }
    resize(least + QSize(300, 300));
    EXPECT_GT(segments->width(), segmentsAtLeast.width());
}

// A status line naming every user of a large network once made the window taller than the
// screen: it is two lines high whatever it says, the rest ended with "…" and the whole in its
// tooltip, and the window keeps its size.
TEST_F(QtWindows, NetworkStatusKeepsToTwoLinesWithTheWholeInItsTooltip) {
    find<QAction>(form1(), "mnuNetwork")->trigger();
    QWidget* network = app.networkWindow().view()->widget();
    QApplication::processEvents();
    const QSize least = network->minimumSize(), size = network->size();
    QString names;
    for (int i = 1; i <= 500; ++i)
        names += (i > 1 ? QString::fromUtf8("、") : QString()) + QStringLiteral("U%1").arg(i);
    const QString whole = QString::fromUtf8("最不利用户：U500，压力 0.9 MPa(表压)，要求 1.05。"
                                            "压力低于要求：节点 ") +
                          names;
    app.networkWindow().view()->controls().get<controls::StatusText>("status").setStatus(
        whole.toStdString(), true);
    QApplication::processEvents();
    auto* status = find<QLabel>(network, "status");
    const QFontMetrics metrics = status->fontMetrics();
    EXPECT_EQ(status->height(), metrics.boundingRect(QRect(), 0, QStringLiteral("1\n2")).height());
    EXPECT_EQ(status->toolTip(), whole);
    EXPECT_TRUE(status->text().endsWith(QChar(0x2026))) << status->text().toStdString();
    EXPECT_LE(
        metrics.boundingRect(status->contentsRect(), Qt::TextWordWrap, status->text()).height(),
        status->height())
        << "what it shows fits its two lines";
    EXPECT_EQ(network->minimumSize(), least);
    EXPECT_EQ(network->size(), size);
}

// A window asked to be larger than the screen is made as large as the screen's free area, frame
// included, and is moved wholly onto it from wherever it was to be centred.
TEST(PlaceOnScreen, AWindowLargerThanTheScreenIsBoundedByItAndLiesOnIt) {
    QWidget framed;
    framed.show();
    QWidget window;
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect area = screen->availableGeometry();
    controls::qt::placeOnScreen(window, *screen, area.size() * 2, area.topLeft(), &framed);
    const QSize decoration = framed.frameGeometry().size() - framed.geometry().size();
    EXPECT_EQ(window.size(), area.size() - decoration);
    EXPECT_EQ(window.pos(), area.topLeft());
}

// The replay logs record the message the program asks for; only this shows what the real box
// says, with which buttons and icon.
TEST_F(QtWindows, NegativeFlowIsAnsweredByARealMessageBox) {
    std::string text, title, button;
    int buttons = 0;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        text = box->text().toUtf8().toStdString();
        title = box->windowTitle().toUtf8().toStdString();
        buttons = static_cast<int>(box->buttons().size());
        button = box->buttons().front()->text().toUtf8().toStdString();
        icon = box->icon();
        QTest::keyClick(box, Qt::Key_Enter);
    });
    typeInto("Text1", "-2");

    EXPECT_EQ(text, "蒸汽质量流量不得小于0，点击确定按钮后重新输入蒸汽流量！");
    EXPECT_EQ(title, "错误提示");
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(button, "确定") << "Qt's own texts are in Simplified Chinese";
    EXPECT_EQ(icon, QMessageBox::NoIcon);
}

// Frames keep their drawing between repaints; whatever changes their look must draw them anew.
TEST_F(QtWindows, FramesDrawAnewWhenTheirLookChanges) {
    QGroupBox* results = nullptr;
    for (QGroupBox* frame : form1()->findChildren<QGroupBox*>())
        if (frame->title() == QString::fromUtf8("计算结果"))
            results = frame;
    ASSERT_NE(results, nullptr);
    // The frame alone: its labels would show a change of palette or state by themselves.
    auto frameOnly = [results] {
        QImage image(results->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        results->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        return image;
    };
    const QImage drawn = frameOnly();
    EXPECT_EQ(frameOnly(), drawn);

    const QPalette original = results->palette();
    QPalette red = original;
    red.setColor(QPalette::WindowText, Qt::red);
    results->setPalette(red);
    EXPECT_NE(frameOnly(), drawn) << "the title keeps its old colour";
    results->setPalette(original);
    EXPECT_EQ(frameOnly(), drawn);

    results->setEnabled(false);
    EXPECT_NE(frameOnly(), drawn) << "a disabled frame looks enabled";
    results->setEnabled(true);
    results->resize(results->width() - 20, results->height());
    EXPECT_NE(frameOnly(), drawn.copy(0, 0, results->width(), results->height()))
        << "the border stays where the old size put it";
}

} // namespace
