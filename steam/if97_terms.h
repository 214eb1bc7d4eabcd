#pragma once

// What the region equations of IF97 share; if97.cpp and if97_water.cpp only.
namespace steam::if97::terms {

inline constexpr double kGasConstant = 0.461526; // kJ/(kg·K), the release's specific R

// One term n·x^i·y^j of a region's free energy, as the release's tables list them.
struct Term {
    int i;
    int j;
    double n;
};

} // namespace steam::if97::terms
