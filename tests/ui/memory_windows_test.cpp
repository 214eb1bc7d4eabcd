#include "ui/memory_windows.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

namespace {

using ui::Kind;

// A window of the kinds the network's window brings, described as any window is.
constexpr std::array<ui::ControlDescription, 4> kControls{{
    {.name = "Frame1", .kind = Kind::Frame},
    {.name = "Grid1", .kind = Kind::Grid, .text = "管段\t管径\t长度 (m)"},
    {.name = "Question1", .kind = Kind::Question},
    {.name = "Files1", .kind = Kind::FileDialogs},
}};
const ui::WindowDescription kDesign{
    .name = "Form9", .title = "管网", .widthTwips = 0, .heightTwips = 0, .controls = kControls};

// The grid's columns are its headings, given as one text separated by tabs, and each control is
// taken back as the kind it was described as, under the window's name, and walked in the
// description's order, the frame, which is no control, left out.
TEST(MemoryWindow, MakesTheGridWithItsHeadingsAndTheDialogsByTheirNames) {
    controls::memory::Gui gui;
    const ui::ControlSet set = ui::memoryWindow(gui, kDesign);

    controls::Grid& grid = set.get<controls::Grid>("Grid1");
    EXPECT_EQ(gui.grid("Form9.Grid1").headings(),
              (std::vector<std::string>{"管段", "管径", "长度 (m)"}));
    grid.insertRow(0);
    grid.setCell(0, 2, "120");
    EXPECT_EQ(grid.cell(0, 2), "120") << "the third heading is a third column";
    grid.setCell(0, 3, "beyond");
    EXPECT_EQ(grid.cell(0, 3), "") << "there is no fourth";

    gui.question("Form9.Question1").answerNext(controls::Question::Answer::Discard);
    EXPECT_EQ(set.get<controls::Question>("Question1").ask("?", "管网"),
              controls::Question::Answer::Discard);
    gui.fileDialogs("Form9.Files1").answerNext("/tmp/n.json");
    EXPECT_EQ(set.get<controls::FileDialogs>("Files1").savePath("另存为", "*.json", "n.json"),
              "/tmp/n.json");
    EXPECT_THROW(gui.optionButton("Form9.Grid1", "Form9.Frame1"), std::bad_cast);

    std::vector<std::string_view> walked;
    set.forEach(
        [&](const ui::ControlDescription& c, const ui::AnyControl&) { walked.push_back(c.name); });
    EXPECT_EQ(walked, (std::vector<std::string_view>{"Grid1", "Question1", "Files1"}));
}

} // namespace
