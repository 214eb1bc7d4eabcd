#pragma once

#include <array>
#include <string_view>

namespace calc {

struct Unit {
    std::string_view label;
    float factor;
};

// Flow units, factor to t/h.
inline constexpr std::array<Unit, 3> kFlowUnits{{
    {"t/h", 1.0f},
    {"kg/h", 0.001f},
    {"kg/s", 3.6f},
}};

// Roughness units, factor to m.
inline constexpr std::array<Unit, 3> kRoughnessUnits{{
    {"mm", 0.001f},
    {"in", 0.0254f},
    {"m", 1.0f},
}};

} // namespace calc
