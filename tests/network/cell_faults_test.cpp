#include "network/texts.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Where the window's texts are at fault: each cell that cannot be used with its words, the first
// fault's cell, whether another segment made it, and the words for an edit that made it. The
// places and words are worked by hand from the grid below.
namespace {

using network::CellFault;
using network::CellPlace;
using network::Column;
using network::FaultTie;
using network::NetworkTexts;
using network::Tie;

// S feeds T1 and 3; T1 feeds 2: as typed into the grid.
NetworkTexts aGrid() {
    NetworkTexts texts;
    texts.node = "S";
    texts.segments = {
        {"1", "S", "T1", "100", "30", "自动", "0", "", "100", "架空", ""},
        {"2", "T1", "2", "100", "30", "自动", "5", "", "100", "架空", ""},
        {"3", "S", "3", "100", "30", "自动", "2", "", "100", "架空", ""},
    };
    return texts;
}

TEST(CellFaults, EachCellAtFaultAndWhatAnEditMadeElsewhere) {
    struct Row {
        const char* name;
        std::function<void(NetworkTexts&)> change;
        CellPlace edited;
        std::optional<CellPlace> place;
        std::optional<FaultTie> tie;
        std::vector<CellFault> cells;
        const char* edit; // the words for the edit, empty for none
    };
    // clang-format off
    const Row rows[] = {
        {"the issue's end node typed as 52: the next segment cut off",
         [](NetworkTexts& t) { t.segments[0][Column::To] = "52"; }, {0, Column::To},
         CellPlace{1, Column::From}, FaultTie{Tie::Unreached, std::nullopt},
         {{{1, Column::From}, "第 2 段“2”：起点 “T1” 不是热源，也没有管段通到它"}},
         "第 1 段的终点改为“52”后，第 2 段的起点“T1”不再连通热源"},
        {"a name that a later segment has",
         [](NetworkTexts& t) { t.segments[0][Column::Name] = " 3"; }, {0, Column::Name},
         CellPlace{2, Column::Name}, FaultTie{Tie::SameName, 0},
         {{{2, Column::Name}, "第 3 段“3”：管段名称 “3” 与第 1 段重复"}},
         "第 1 段的管段改为“3”后，第 3 段的名称“3”与第 1 段重复"},
        {"a node a later segment feeds",
         [](NetworkTexts& t) { t.segments[1][Column::To] = "3"; }, {1, Column::To},
         CellPlace{2, Column::To}, FaultTie{Tie::SecondFeeder, 1},
         {{{2, Column::To}, "第 3 段“3”：节点 “3” 已由第 2 段供汽：一个节点只能由一个管段供汽"}},
         "第 2 段的终点改为“3”后，第 3 段的终点“3”也由第 2 段供汽：一个节点只能由一个管段供汽"},
        {"a feeder emptied below the segment it fed",
         [](NetworkTexts& t) { std::swap(t.segments[0], t.segments[1]); t.segments[1][Column::To] = ""; },
         {1, Column::To},
         CellPlace{0, Column::From}, FaultTie{Tie::Unreached, std::nullopt},
         {{{0, Column::From}, "第 1 段“2”：起点 “T1” 不是热源，也没有管段通到它"},
          {{1, Column::To}, "第 2 段“1”：终点节点的名称为空"}},
         "第 2 段的终点清空后，第 1 段的起点“T1”不再连通热源"},
        {"a loop through the edited cell is the cell's own",
         [](NetworkTexts& t) { t.segments[0][Column::From] = "2"; }, {0, Column::From},
         CellPlace{0, Column::From}, FaultTie{Tie::Unreached, std::nullopt},
         {{{0, Column::From}, "第 1 段“1”：起点 “2” 接在一个环路上，到不了热源：管网须是从热源出发的树"}},
         ""},
        {"a length cannot cut a node off",
         [](NetworkTexts& t) { t.segments[0][Column::To] = "52"; }, {2, Column::Length},
         CellPlace{1, Column::From}, FaultTie{Tie::Unreached, std::nullopt},
         {{{1, Column::From}, "第 2 段“2”：起点 “T1” 不是热源，也没有管段通到它"}},
         ""},
        {"a name repeated is not another segment's doing",
         [](NetworkTexts& t) { t.segments[0][Column::Name] = "3"; }, {1, Column::Name},
         CellPlace{2, Column::Name}, FaultTie{Tie::SameName, 0},
         {{{2, Column::Name}, "第 3 段“3”：管段名称 “3” 与第 1 段重复"}},
         ""},
        {"every cell that cannot be read, each once, the box's words before the check's",
         [](NetworkTexts& t) {
             t.segments[0][Column::Laid] = "地下";
             t.segments[1][Column::Length] = "abc";
             t.segments[1][Column::Pipe] = "";
             t.segments[2][Column::Load] = "-1";
             t.segments[2][Column::To] = "S";
         }, {2, Column::Load},
         CellPlace{0, Column::Laid}, std::nullopt,
         {{{0, Column::Laid}, "第 1 段“1”：请选择敷设方式：架空或室内"},
          {{1, Column::Length}, "第 2 段“2”：请输入长度"},
          {{1, Column::Pipe}, "第 2 段“2”：请选择管子，或选“自动”"},
          {{2, Column::To}, "第 3 段“3”：终点是热源 “S”：没有管段能通向热源"},
          {{2, Column::Load}, "第 3 段“3”：负荷不得为负"}},
         ""},
        {"a box's fault first, the cells marked all the same",
         [](NetworkTexts& t) { t.pressure = ""; t.segments[2][Column::Length] = "x"; }, {2, Column::Length},
         std::nullopt, std::nullopt,
         {{{2, Column::Length}, "第 3 段“3”：请输入长度"}},
         ""},
    };
    // clang-format on
    ASSERT_TRUE(network::readTexts(aGrid()).network) << "the grid unchanged is usable";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        NetworkTexts texts = aGrid();
        row.change(texts);
        const network::TextReading reading = network::readTexts(texts);
        EXPECT_FALSE(reading.network);
        EXPECT_EQ(reading.place, row.place);
        EXPECT_EQ(reading.tie, row.tie);
        ASSERT_EQ(reading.cells.size(), row.cells.size());
        for (std::size_t i = 0; i < row.cells.size(); ++i) {
            EXPECT_EQ(reading.cells[i].place, row.cells[i].place) << i;
            EXPECT_EQ(reading.cells[i].words, row.cells[i].words) << i;
        }
        EXPECT_EQ(network::editFault(reading, texts, row.edited), row.edit);
    }
}

} // namespace
