#pragma once

#include "network/network.h"
#include "sheet/sheet.h"

#include <string_view>

namespace network {

// The calculation sheet of a computed network (whose result has no fault): the source's state, the
// units, the roughness, series and limit, the method, the segments as entered, the window's two
// result tables cell for cell with their verdicts' looks, and the status line's findings (the most
// unfavourable user, the verdicts to look at). The tables' pressures carry the source's unit in
// their headings, since a table copied on its own loses the line above it that names the unit.
sheet::Sheet networkSheet(const Network& network, const Result& result, std::string_view date);

} // namespace network
