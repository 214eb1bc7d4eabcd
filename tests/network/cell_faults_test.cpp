#include "network/texts.h"

#include <gtest/gtest.h>

#include <functional>

// Where the window's texts are at fault: the first fault's cell, whether another segment made
// it, every cell that cannot be used, and the words for an edit that made a fault elsewhere.
// Places and words worked by hand from the grid below.
namespace {

using network::CellPlace;
using network::FaultTie;
using network::Tie;
using enum network::Column;

TEST(CellFaults, EachCellAtFaultAndWhatAnEditMadeElsewhere) {
    // S feeds T1 and 3; T1 feeds 2.
    network::NetworkTexts grid;
    grid.segments = {{"1", "S", "T1", "100", "30", "自动", "0", "", "100", "架空", ""},
                     {"2", "T1", "2", "100", "30", "自动", "5", "", "100", "架空", ""},
                     {"3", "S", "3", "100", "30", "自动", "2", "", "100", "架空", ""}};
    const std::string cutOff = "第 2 段“2”：起点 “T1” 不是热源，也没有管段通到它";
    const struct {
        const char* name;
        std::function<void(network::NetworkTexts&)> change;
        CellPlace edited;
        std::optional<CellPlace> place;
        std::optional<FaultTie> tie;
        std::vector<std::string> cells; // "row,column words"
        std::string edit;
    } rows[] = {
        {"a to-node renamed cuts a segment off",
         [](auto& t) { t.segments[0][To] = "52"; },
         {0, To},
         CellPlace{1, From},
         FaultTie{Tie::Unreached, {}},
         {"1,1 " + cutOff},
         "第 1 段的终点改为“52”后，第 2 段的起点“T1”不再连通热源"},
        {"a later segment's name",
         [](auto& t) { t.segments[0][Name] = " 3"; },
         {0, Name},
         CellPlace{2, Name},
         FaultTie{Tie::SameName, 0},
         {"2,0 第 3 段“3”：管段名称 “3” 与第 1 段重复"},
         "第 1 段的管段改为“3”后，第 3 段的名称“3”与第 1 段重复"},
        {"a later segment's end",
         [](auto& t) { t.segments[1][To] = "3"; },
         {1, To},
         CellPlace{2, To},
         FaultTie{Tie::SecondFeeder, 1},
         {"2,2 第 3 段“3”：节点 “3” 已由第 2 段供汽：一个节点只能由一个管段供汽"},
         "第 2 段的终点改为“3”后，第 3 段的终点“3”也由第 2 段供汽：一个节点只能由一个管段供汽"},
        {"a feeder emptied below what it fed",
         [](auto& t) { std::swap(t.segments[0], t.segments[1]), t.segments[1][To] = ""; },
         {1, To},
         CellPlace{0, From},
         FaultTie{Tie::Unreached, {}},
         {"0,1 第 1 段“2”：起点 “T1” 不是热源，也没有管段通到它",
          "1,2 第 2 段“1”：终点节点的名称为空"},
         "第 2 段的终点清空后，第 1 段的起点“T1”不再连通热源"},
        {"a loop is the edited cell's own",
         [](auto& t) { t.segments[0][From] = "2"; },
         {0, From},
         CellPlace{0, From},
         FaultTie{Tie::Unreached, {}},
         {"0,1 第 1 段“1”：起点 “2” 接在一个环路上，到不了热源：管网须是从热源出发的树"},
         ""},
        {"a length cuts no node off",
         [](auto& t) { t.segments[0][To] = "52"; },
         {2, Length},
         CellPlace{1, From},
         FaultTie{Tie::Unreached, {}},
         {"1,1 " + cutOff},
         ""},
        {"every cell once, a box's words before a check's",
         [](auto& t) {
             t.segments[0][Laid] = "地下", t.segments[1][Length] = "abc";
             t.segments[1][Pipe] = "", t.segments[2][To] = "S", t.segments[2][Load] = "-1";
         },
         {2, Load},
         CellPlace{0, Laid},
         {},
         {"0,9 第 1 段“1”：请选择敷设方式：架空或室内", "1,3 第 2 段“2”：请输入长度",
          "1,5 第 2 段“2”：请选择管子，或选“自动”",
          "2,2 第 3 段“3”：终点是热源 “S”：没有管段能通向热源", "2,6 第 3 段“3”：负荷不得为负"},
         ""},
        {"a box's fault first, a cell's marked",
         [](auto& t) { t.pressure = "", t.segments[2][Length] = "x"; },
         {2, Length},
         {},
         {},
         {"2,3 第 3 段“3”：请输入长度"},
         ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        network::NetworkTexts texts = grid;
        row.change(texts);
        const network::TextReading reading = network::readTexts(texts);
        EXPECT_EQ(reading.place, row.place);
        EXPECT_EQ(reading.tie, row.tie);
        std::vector<std::string> cells;
        for (const network::CellFault& cell : reading.cells)
            cells.push_back(std::to_string(cell.place.row) + "," +
                            std::to_string(cell.place.column) + " " + cell.words);
        EXPECT_EQ(cells, row.cells);
        EXPECT_EQ(network::editFault(reading, texts, row.edited), row.edit);
    }
}

} // namespace
