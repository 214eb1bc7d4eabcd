#include "calc/elementary.h"
#include "steam/if97.h"
#include "steam/if97_terms.h"

#include <array>

namespace steam::if97 {

namespace {

using terms::kGasConstant;
using terms::kRegion1;
using terms::Term;

// Region 1 reaches up to 623.15 K; above it the saturated liquid lies in region 3.
constexpr double kRegion1Temperature = 623.15;

} // namespace

SteamProperties region1(double mpa, double kelvin) {
    const double pi = mpa / 16.53;      // p* = 16.53 MPa
    const double tau = 1386.0 / kelvin; // T* = 1386 K
    const double x = 7.1 - pi;
    const double y = tau - 1.222;
    double gamma = 0.0;
    double gammaPi = 0.0;
    double gammaTau = 0.0;
    for (const Term& t : kRegion1) {
        const double xI = calc::elementary::pow(x, t.i);
        const double yJ = calc::elementary::pow(y, t.j);
        gamma += t.n * xI * yJ;
        gammaPi -= t.n * t.i * calc::elementary::pow(x, t.i - 1) * yJ;
        gammaTau += t.n * xI * t.j * calc::elementary::pow(y, t.j - 1);
    }
    const double volume = kGasConstant * kelvin / (mpa * 1000.0) * pi * gammaPi;
    return {1.0 / volume, volume, kGasConstant * kelvin * tau * gammaTau,
            kGasConstant * (tau * gammaTau - gamma)};
}

std::optional<SteamProperties> saturatedWater(double mpa) {
    static const double top = saturationPressure(kRegion1Temperature);
    if (!(mpa >= kLowestSaturationPressure && mpa <= top))
        return std::nullopt;
    return region1(mpa, saturationTemperature(mpa));
}

} // namespace steam::if97
