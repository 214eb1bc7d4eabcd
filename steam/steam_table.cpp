#include "steam/steam_table.h"

#include "calc/numbers.h"

namespace steam {

namespace {

// Places `field` so that its decimal point stands in `pointColumn` (1-based).
void placeAtPoint(std::string& line, std::string_view field, std::size_t pointColumn) {
    const std::size_t point = field.find('.');
    const std::size_t start = pointColumn - 1 - point;
    if (line.size() < start)
        line.append(start - line.size(), ' ');
    line.append(field);
}

} // namespace

std::string rowText(std::size_t entry) {
    const SteamEntry& row = steamTable.at(entry);
    const std::string temperature = std::to_string(row.temperature);
    std::string line(5 - temperature.size(), ' ');
    line += temperature;
    placeAtPoint(line, row.pressure, 14);
    placeAtPoint(line, row.density, 29);
    placeAtPoint(line, row.latentHeat, 47);
    return line;
}

std::optional<DensityChoice> densityChoice(int index) {
    if (index < 0 || index >= static_cast<int>(steamTable.size()))
        return std::nullopt;
    // The shortest text that reads back as the same value: no trailing zeros, and no exponent
    // for any density of the table, whose fixed forms are the shorter.
    std::string density =
        " " + calc::shortestText(steamTable[static_cast<std::size_t>(index)].densityValue);
    return DensityChoice{"蒸汽密度： " + density + " kg/m3", density};
}

} // namespace steam
