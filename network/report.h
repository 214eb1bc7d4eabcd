#pragma once

#include "network/network.h"
#include "sheet/sheet.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// A computed network as its window's two result tables and status line show it, and as its
// calculation sheet prints it: each row's cells, its look and the verdicts' words.
namespace network {

// The result tables' headings, in the order of segmentRow's and nodeRow's cells. The pressures
// are in the source's unit, which the window names in a line above the tables.
inline constexpr std::array<std::string_view, 13> kSegmentHeadings{"管段",
                                                                   "管子",
                                                                   "内径 (mm)",
                                                                   "流量 (t/h)",
                                                                   "起点压力",
                                                                   "终点压力",
                                                                   "起点密度 (kg/m3)",
                                                                   "终点密度 (kg/m3)",
                                                                   "起点流速 (m/s)",
                                                                   "终点流速 (m/s)",
                                                                   "比摩阻 (Pa/m)",
                                                                   "压降 (kPa)",
                                                                   "评价"};
inline constexpr std::array<std::string_view, 4> kNodeHeadings{"节点", "压力", "要求压力", "余量"};

// The segment result table's row for a segment, its look (none for a segment without a
// verdict is plain), and the node table's rows; numbers as the other windows show them.
std::string segmentRow(const Segment& segment, const SegmentResult& result);
sheet::Look segmentLook(const SegmentResult& result);
std::string nodeRow(const NodeResult& node);
sheet::Look nodeLook(const Result& result, std::size_t node);
// The status line for a computed network: the most unfavourable user and the verdicts that need
// a look; `warned` when any does.
struct Status {
    std::string text;
    bool warned = false;
};
Status resultStatus(const Network& network, const Result& result);

} // namespace network
