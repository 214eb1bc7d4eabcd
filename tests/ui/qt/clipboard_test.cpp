// Copy and paste through a real X server's clipboard: the rows Ctrl+C copies from the sizing and
// the network tables, read back by xclip, a program of its own, as another program pastes them.
#include "ui/qt/app.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using controls::qt::View;

// The clipboard as xclip pastes it; the program must answer xclip's request meanwhile.
std::string pasted() {
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return xclip.state() == QProcess::NotRunning; }, 10000));
    return xclip.readAllStandardOutput().toStdString();
}

std::vector<std::vector<std::string>> rowsOf(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream cells(line);
        auto& row = rows.emplace_back();
        for (std::string cell; std::getline(cells, cell, '\t');)
            row.push_back(cell);
    }
    return rows;
}

// Every row of a table selected and copied by the keys a user presses.
std::string copyAll(const View& view, std::string_view table) {
    auto* shown = static_cast<QTreeWidget*>(view.widgetOf(*view.design().find(table)));
    shown->setFocus();
    QTest::keyClick(shown, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(shown, Qt::Key_C, Qt::ControlModifier);
    return pasted();
}

void trigger(const View& view, std::string_view command) {
    view.actionOf(*view.design().find(command))->trigger();
    QApplication::processEvents();
}

// 10 t/h at 5 kg/m3: the velocity in each welded pipe by the README's formula, worked here in
// floats as the main window works it, v = G ÷ 3.6 ÷ (3.14159 ÷ 4 × d²) ÷ ρ.
TEST(RealClipboard, TheSizingTablePastesAsCellsUnderItsHeadings) {
    controls::qt::App app;
    app.start();
    const View& main = app.view();
    main.controls().get<controls::TextBox>("Text1").setText("10");
    main.controls().get<controls::TextBox>("Text3").setText("5");
    trigger(main, "mnuSizing");
    const auto rows = rowsOf(copyAll(*app.sizingWindow().view(), "table"));
    ASSERT_EQ(rows.size(), 28u) << "the headings and the 27 welded sizes";
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"管径", "内径 (mm)", "流速 (m/s)", "比摩阻 R (Pa/m)",
                                        "管段压降 ΔP (kPa)", "推荐流速 (m/s)", "评价"}));
    // DN200, 0.2 m: the twelfth size, after DN15 to DN150.
    ASSERT_EQ(rows[12].size(), 7u);
    EXPECT_EQ(rows[12][0], "DN200");
    const float velocity = 10.0f / 3.6f / (3.14159f / 4 * 0.2f * 0.2f) / 5.0f;
    EXPECT_NEAR(std::stod(rows[12][2]), velocity, velocity * 1e-6);
    EXPECT_EQ(rows[12][2].find(' '), std::string::npos) << "no sign blank in a pasted cell";
}

// The example network's segments as its table shows them, a cell a column: the figures
// themselves are the command line's, which SameFigures proves.
TEST(RealClipboard, TheNetworkTablePastesWhatItShows) {
    controls::qt::App app;
    app.start();
    trigger(app.view(), "mnuNetwork");
    const View& network = *app.networkWindow().view();
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            dialog->selectFile(QStringLiteral(STEAM_NETWORK_EXAMPLES "/superheated-network.json"));
            static_cast<QDialog*>(dialog)->accept();
        }
    });
    trigger(network, "openFile");
    const auto* shown =
        static_cast<QTreeWidget*>(network.widgetOf(*network.design().find("results")));
    const auto rows = rowsOf(copyAll(network, "results"));
    ASSERT_GT(shown->topLevelItemCount(), 0);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(shown->topLevelItemCount()) + 1);
    // The headings and every cell as the table shows them, one value a cell.
    const int columns = shown->columnCount();
    ASSERT_EQ(rows[0].size(), static_cast<std::size_t>(columns));
    for (int k = 0; k < columns; ++k)
        EXPECT_EQ(rows[0][k], shown->headerItem()->text(k).toStdString()) << k;
    for (int i = 0; i < shown->topLevelItemCount(); ++i) {
        ASSERT_EQ(rows[i + 1].size(), static_cast<std::size_t>(columns)) << i;
        for (int k = 0; k < columns; ++k)
            EXPECT_EQ(rows[i + 1][k], shown->topLevelItem(i)->text(k).trimmed().toStdString())
                << i << " " << k;
    }
}

} // namespace
