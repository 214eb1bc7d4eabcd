#pragma once

#include "network/network.h"
#include "sheet/sheet.h"
#include "ui/controls/controls.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

// The network window's inputs as the texts its boxes and grid hold, the network they describe,
// and the tables and status line its results are shown in. No toolkit: the window's controls
// are reached through their interfaces.
namespace network {

// The grid's columns, in the order of its headings.
enum Column { Name, From, To, Length, LocalLoss, Pipe, Load, Required, kColumns };

// The series in the order of pipes::Series, as the list names them.
inline constexpr std::array<std::string_view, 2> kSeriesItems{"无缝钢管", "焊接钢管"};
// The pipe cell's word for a pipe chosen by the calculation.
inline constexpr std::string_view kAutoShown = "自动";

using SegmentTexts = std::array<std::string, kColumns>;

// The grid's headings, one a tab, in the order of Column; the window's description and the
// calculation sheet both show them.
inline constexpr std::string_view kGridHeadings =
    "管段\t起点\t终点\t长度 (m)\t局部损失 (%)\t管子\t负荷 (t/h)\t要求压力";

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

// Everything the window's inputs hold, as typed; a new network's texts by default.
struct NetworkTexts {
    std::string node = "S";
    std::string pressure = "1";
    std::string unit = "MPa(表压)";
    bool superheated = false;
    std::string temperature = "250";
    std::string roughness = "0.2";
    std::string series{kSeriesItems[0]};
    std::string limit;
    std::string title;
    std::vector<SegmentTexts> segments;

    // A tie rather than a defaulted comparison, as network.h says why.
    auto members() const {
        const auto& [node, pressure, unit, superheated, temperature, roughness, series, limit,
                     title, segments] = *this;
        return std::tie(node, pressure, unit, superheated, temperature, roughness, series, limit,
                        title, segments);
    }
    bool operator==(const NetworkTexts& other) const { return members() == other.members(); }
};

// The texts that show a network: numbers in their shortest exact form, pipes as the window
// names them.
NetworkTexts textsOf(const Network& network);

// The network the texts describe, or the words of the first fault: a box without a number, or
// with more after it, or the first fault network::validate finds, whichever comes first in the
// order of the fields and then of the segments. A segment's fault names it by its row.
struct TextReading {
    std::optional<Network> network;
    std::string fault;
};
TextReading readTexts(const NetworkTexts& texts);

// The segment result table's row for a segment, its look (none for a segment without a
// verdict), and the node table's rows; numbers as the other windows show them.
std::string segmentRow(const Segment& segment, const SegmentResult& result);
std::optional<controls::TableList::Look> segmentLook(const SegmentResult& result);
std::string nodeRow(const NodeResult& node);
std::optional<controls::TableList::Look> nodeLook(const Result& result, std::size_t node);
// The status line for a computed network: the most unfavourable user and the verdicts that need
// a look; `warned` when any does.
struct Status {
    std::string text;
    bool warned = false;
};
Status resultStatus(const Network& network, const Result& result);

// The controls the network handlings read and write.
struct NetworkControls {
    controls::TextBox& node;             // Form5.Text1
    controls::TextBox& pressure;         // Form5.Text2
    controls::DropDownList& unit;        // Form5.Combo1
    controls::OptionButton& saturated;   // Form5.Option1
    controls::OptionButton& superheated; // Form5.Option2
    controls::TextBox& temperature;      // Form5.Text3
    controls::TextBox& roughness;        // Form5.Text4
    controls::DropDownList& series;      // Form5.Combo2
    controls::TextBox& limit;            // Form5.Text5
    controls::TextBox& title;            // Form5.Text6
    controls::Grid& segments;            // Form5.Grid1
    controls::Label& unitNote;           // Form5.Label1
    controls::TableList& results;        // Form5.List1
    controls::TableList& nodes;          // Form5.List2
    controls::StatusText& status;        // Form5.Label2
    controls::PushButton& handOff;       // Form5.Command5
};

// The network window's input handlings: every change reads the inputs, solves the network and
// fills both tables anew; a fault is said in the status line, never in a message box, since a
// box at every keystroke would make the grid unusable.
class NetworkHandlings {
public:
    // `changed` hears the texts after each change has been shown.
    NetworkHandlings(NetworkControls controls, std::function<void(const NetworkTexts&)> changed)
        : m_controls(controls), m_changed(std::move(changed)) {}

    // Fills the lists' items; once, before the first show.
    void fillLists();
    // Puts the texts into the controls and shows their results once.
    void show(const NetworkTexts& texts);

    void Text_Change() { calculate(); }
    void Combo1_Click() { calculate(); }
    void Option_Click();
    void Combo2_Click();
    void Grid1_CellChange(int row, int column);

    // A new segment after the current one, or at the end: the next free name, from the current
    // segment's end or the source, a new end node, the automatic pipe.
    void addSegment();
    void removeSegment();
    void moveSegment(int by);

    // The network last computed and its result; none while the inputs are at fault.
    const std::optional<Network>& network() const { return m_network; }
    // The segment the user selected in the result table, while it shows one.
    std::optional<std::size_t> selectedSegment() const;
    const Result& result() const { return m_result; }
    // The calculation sheet of the network shown, made on `date`; none while the inputs are at
    // fault or the network cannot be computed.
    std::optional<sheet::Sheet> sheet(std::string_view date) const;
    void say(std::string_view text, bool fault) { m_controls.status.setStatus(text, fault); }

private:
    NetworkTexts read() const;
    void calculate();
    void pipeItems();
    void setRow(int row, const SegmentTexts& cells);

    NetworkControls m_controls;
    std::function<void(const NetworkTexts&)> m_changed;
    // While the program fills the controls, their changes wait for the one calculation after.
    bool m_filling = false;
    std::optional<Network> m_network;
    Result m_result;
};

} // namespace network
