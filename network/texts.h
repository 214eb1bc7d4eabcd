#pragma once

#include "network/network.h"
#include "pipes/catalogue.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

// A network as the texts its window's boxes and grid hold: the texts that show a network, and
// the network a window's texts describe or the words of their first fault.
namespace network {

// The grid's columns, in the order of its headings.
enum Column { Name, From, To, Length, LocalLoss, Pipe, Load, Required, kColumns };

// The pipe cell's word for a pipe chosen by the calculation.
inline constexpr std::string_view kAutoShown = "自动";

using SegmentTexts = std::array<std::string, kColumns>;

// The grid's headings, one a tab, in the order of Column; the window's description and the
// calculation sheet both show them.
inline constexpr std::string_view kGridHeadings =
    "管段\t起点\t终点\t长度 (m)\t局部损失 (%)\t管子\t负荷 (t/h)\t要求压力";

// Everything the window's inputs hold, as typed; a new network's texts by default.
struct NetworkTexts {
    std::string node = "S";
    std::string pressure = "1";
    std::string unit = "MPa(表压)";
    bool superheated = false;
    std::string temperature = "250";
    std::string roughness = "0.2";
    std::string series{pipes::kSeries[0].shown};
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

// A text without the blanks around it, as a name or a cell is read.
std::string trimmed(std::string_view text);

} // namespace network
