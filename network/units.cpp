#include "network/network.h"

#include "steam/properties.h"

#include <cstddef>

namespace network {

namespace {

// The property window's list is in the order of PressureUnit, so a network's source reads as
// the same absolute pressure there and here.
static_assert(steam::kPressureUnits.size() == static_cast<std::size_t>(PressureUnit::KgfGauge) + 1);

const steam::PressureUnit& unitRow(PressureUnit unit) {
    return steam::kPressureUnits[static_cast<std::size_t>(unit)];
}

} // namespace

double absoluteMpa(double reading, PressureUnit unit) {
    const steam::PressureUnit& row = unitRow(unit);
    return reading * row.megapascals + (row.gauge ? steam::kAtmosphereMpa : 0.0);
}

double reading(double absoluteMpa, PressureUnit unit) {
    const steam::PressureUnit& row = unitRow(unit);
    return (absoluteMpa - (row.gauge ? steam::kAtmosphereMpa : 0.0)) / row.megapascals;
}

std::string_view unitLabel(PressureUnit unit) {
    return unitRow(unit).label;
}

} // namespace network
