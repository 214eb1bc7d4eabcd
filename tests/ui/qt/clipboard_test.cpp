// Copy and paste through a real X server's clipboard: the rows Ctrl+C copies from the sizing table
// and the network's grid, read back by xclip, a program of its own, as another program pastes
// them; and rows another program put there pasted into the grid.
#include "ui/qt/app.h"

#include "ui/qt/widgets/grid_table.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QProcess>
#include <QTest>
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

// Puts a text on the clipboard as another program: xclip keeps serving it once it has forked.
void putByXclip(const std::string& text) {
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-i"), QStringLiteral("-selection"), QStringLiteral("clipboard")});
    ASSERT_TRUE(xclip.waitForStarted(10000));
    xclip.write(text.data(), static_cast<qint64>(text.size()));
    xclip.closeWriteChannel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return xclip.state() == QProcess::NotRunning; }, 10000));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return QApplication::clipboard()->text() == QString::fromStdString(text); }));
}

controls::qt::GridTable* gridOf(const View& network) {
    return static_cast<controls::qt::GridTable*>(
        network.widgetOf(*network.design().find("segments")));
}

// Two rows as a spreadsheet copies them, tab-separated with CRLF and a last line end, pasted
// with Ctrl+V into a new network's grid, each cell under its heading, and computed.
TEST(RealClipboard, RowsFromASpreadsheetPasteIntoTheGridAndCompute) {
    controls::qt::App app;
    app.start();
    trigger(app.view(), "mnuNetwork");
    const View& network = *app.networkWindow().view();
    putByXclip("管段\t起点\t终点\t长度 (m)\t负荷 (t/h)\r\n1\tS\tA\t100\t5\r\n"
               "2\tA\tB\t50\t3\r\n");
    auto* grid = gridOf(network);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    QApplication::processEvents();
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->cellText(0, 6).toStdString(), "5");
    EXPECT_EQ(grid->cellText(1, 2).toStdString(), "B");
    // Computed at once: the first segment carries both loads, 5 + 3 = 8 t/h, the second its 3.
    const auto* results =
        static_cast<QTreeWidget*>(network.widgetOf(*network.design().find("results")));
    ASSERT_EQ(results->topLevelItemCount(), 2);
    EXPECT_EQ(results->headerItem()->text(3), QStringLiteral("流量 (t/h)"));
    EXPECT_EQ(results->topLevelItem(0)->text(3).trimmed(), QStringLiteral("8"));
    EXPECT_EQ(results->topLevelItem(1)->text(3).trimmed(), QStringLiteral("3"));
}

// The grid's rows selected and copied with Ctrl+C, read back by xclip and read from its output
// by Python's csv module, another program's reader: the headings as the grid shows them, the cells
// as typed, a name a spreadsheet would run behind the guard's apostrophe.
TEST(RealClipboard, RowsCopiedFromTheGridReadBackInPythonsCsv) {
    controls::qt::App app;
    app.start();
    trigger(app.view(), "mnuNetwork");
    const View& network = *app.networkWindow().view();
    // Put by the program itself: synthetic key events carry no X time, and the server refuses an
    // owner older than the last (xclip's); a user's real keys carry theirs.
    QApplication::clipboard()->setText(QStringLiteral("1\tS\tA\t100\r\n+1+1\tA\tB\t50\r\n"));
    auto* grid = gridOf(network);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(grid->rowCount(), 2);
    // Both rows selected from the first cell to the last with Shift, as a spreadsheet's user does.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(0, 0)).center());
    grid->scrollToItem(grid->item(1, grid->columnCount() - 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      grid->visualItemRect(grid->item(1, grid->columnCount() - 1)).center());
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    const std::string text = pasted();
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv,io,sys\n"
                                 "lines = io.TextIOWrapper(sys.stdin.buffer, 'utf-8', newline='')\n"
                                 "for row in csv.reader(lines, delimiter='\\t'):\n"
                                 "    print('|'.join(row))")});
    python.write(text.data(), static_cast<qint64>(text.size()));
    python.closeWriteChannel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return python.state() == QProcess::NotRunning; }, 20000));
    const QStringList lines =
        QString::fromUtf8(python.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << python.readAllStandardError().toStdString()
                               << lines.join(u'\n').toStdString();
    EXPECT_EQ(lines[0].toStdString(), "管段|起点|终点|长度 (m)|局部损失 (%)|管子|负荷 (t/h)|"
                                      "要求压力|保温厚度 (mm)|敷设|要求温度 (℃)");
    EXPECT_EQ(lines[1].toStdString(), "1|S|A|100|30|自动|0||100|架空|");
    EXPECT_EQ(lines[2].toStdString(), "'+1+1|A|B|50|30|自动|0||100|架空|");
}

} // namespace
