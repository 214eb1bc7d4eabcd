#pragma once

#include "network/network.h"
#include "sheet/sheet.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace network {

// What a network's sheet draws after its tables: the profile to the most unfavourable user and
// the tree, which the Qt layer draws from the network and its result.
struct SheetDrawings final : sheet::Drawings {
    SheetDrawings(Network network, Result result)
        : network(std::move(network)), result(std::move(result)) {}
    Network network;
    Result result;
};

// The calculation sheet of a computed network (whose result has no fault): the source's state, the
// units, the roughness, series and limit, the heat's settings (or that heat loss is not counted),
// the method, the segments as entered, the window's result tables cell for cell with their
// verdicts' looks (the segments' in two tables with heat loss, the hydraulics' and the heat's),
// the totals, and the status line's findings (the most unfavourable user, the verdicts to look
// at). The tables' pressures carry the source's unit in their headings, since a table copied on
// its own loses the line above it that names the unit. Its drawings are SheetDrawings.
sheet::Sheet networkSheet(const Network& network, const Result& result, std::string_view date);

// The sheet's method: paragraphs of the formulas and their sources, with heat loss the standard's
// for the network's insulation and air.
std::vector<std::string> networkMethod(const Network& network);

// The insulation as the sheet names it: "岩棉", or "导热系数 0.05 W/(m·K)" for a typed one.
std::string insulationWords(const heat::Insulation& insulation);

} // namespace network
