#pragma once

#include <array>
#include <string_view>

namespace pipes {

struct WeldedPipe {
    std::string_view label;
    float boreMetres;
};

// clang-format off
// Welded steel pipe by nominal size, DN15 to DN1000, the bore taken as the nominal size.
inline constexpr std::array<WeldedPipe, 27> kWeldedPipes{{
    {"DN15",   0.015f},
    {"DN20",   0.02f},
    {"DN25",   0.025f},
    {"DN32",   0.032f},
    {"DN40",   0.04f},
    {"DN50",   0.05f},
    {"DN65",   0.065f},
    {"DN80",   0.08f},
    {"DN100",  0.1f},
    {"DN125",  0.125f},
    {"DN150",  0.15f},
    {"DN200",  0.2f},
    {"DN250",  0.25f},
    {"DN300",  0.3f},
    {"DN350",  0.35f},
    {"DN400",  0.4f},
    {"DN450",  0.45f},
    {"DN500",  0.5f},
    {"DN550",  0.55f},
    {"DN600",  0.6f},
    {"DN650",  0.65f},
    {"DN700",  0.7f},
    {"DN750",  0.75f},
    {"DN800",  0.8f},
    {"DN850",  0.85f},
    {"DN900",  0.9f},
    {"DN1000", 1.0f},
}};
// clang-format on

} // namespace pipes
