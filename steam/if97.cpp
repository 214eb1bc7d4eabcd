#include "steam/if97.h"

#include "calc/elementary.h"
#include "steam/if97_terms.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace steam::if97 {

namespace {

using terms::kGasConstant;
using terms::kRegion2Ideal;
using terms::kRegion2Residual;
using terms::kSaturation;
using terms::Term;
constexpr double kRegion13Temperature = 623.15;
constexpr double kLowestTemperature = 273.15;
constexpr double kHighestTemperature = 1073.15;
constexpr double kHighestPressure = 100.0;

// clang-format off
// Boundary between regions 2 and 3: n1 to n5 (IF97, Table 1).
constexpr std::array<double, 5> kB23{{
     0.34805185628969e3,  -0.11671859879975e1,  0.10192970039326e-2,
     0.57254459862746e3,   0.13918839778870e2,
}};

// Region 3: n1 multiplies ln δ; then I, J, n of n2 to n40 (IF97, Table 30).
constexpr double kRegion3LogTerm = 0.10658070028513e1;
constexpr std::array<Term, 39> kRegion3{{
    {0,   0, -0.15732845290239e2},
    {0,   1,  0.20944396974307e2},
    {0,   2, -0.76867707878716e1},
    {0,   7,  0.26185947787954e1},
    {0,  10, -0.28080781148620e1},
    {0,  12,  0.12053369696517e1},
    {0,  23, -0.84566812812502e-2},
    {1,   2, -0.12654315477714e1},
    {1,   6, -0.11524407806681e1},
    {1,  15,  0.88521043984318},
    {1,  17, -0.64207765181607},
    {2,   0,  0.38493460186671},
    {2,   2, -0.85214708824206},
    {2,   6,  0.48972281541877e1},
    {2,   7, -0.30502617256965e1},
    {2,  22,  0.39420536879154e-1},
    {2,  26,  0.12558408424308},
    {3,   0, -0.27999329698710},
    {3,   2,  0.13899799569460e1},
    {3,   4, -0.20189915023570e1},
    {3,  16, -0.82147637173963e-2},
    {3,  26, -0.47596035734923},
    {4,   0,  0.43984074473500e-1},
    {4,   2, -0.44476435428739},
    {4,   4,  0.90572070719733},
    {4,  26,  0.70522450087967},
    {5,   1,  0.10770512626332},
    {5,   3, -0.32913623258954},
    {5,  26, -0.50871062041158},
    {6,   0, -0.22175400873096e-1},
    {6,   2,  0.94260751665092e-1},
    {6,  26,  0.16436278447961},
    {7,   2, -0.13503372241348e-1},
    {8,  26, -0.14834345352472e-1},
    {9,   2,  0.57922953628084e-3},
    {9,  26,  0.32308904703711e-2},
    {10,  0,  0.80964802996215e-4},
    {10,  1, -0.16557679795037e-3},
    {11, 26, -0.44923899061815e-4},
}};
// clang-format on

// The dimensionless Helmholtz free energy of region 3 and the derivatives its properties need.
struct Helmholtz {
    double phi, phiDelta, phiDeltaDelta, phiTau;
};

Helmholtz helmholtz(double delta, double tau) {
    Helmholtz f{kRegion3LogTerm * calc::elementary::log(delta), kRegion3LogTerm / delta,
                -kRegion3LogTerm / (delta * delta), 0.0};
    for (const Term& t : kRegion3) {
        const double tauJ = calc::elementary::pow(tau, t.j);
        f.phi += t.n * calc::elementary::pow(delta, t.i) * tauJ;
        f.phiDelta += t.n * t.i * calc::elementary::pow(delta, t.i - 1) * tauJ;
        f.phiDeltaDelta += t.n * t.i * (t.i - 1) * calc::elementary::pow(delta, t.i - 2) * tauJ;
        f.phiTau +=
            t.n * calc::elementary::pow(delta, t.i) * t.j * calc::elementary::pow(tau, t.j - 1);
    }
    return f;
}

// dp/dρ at constant T in MPa per kg/m³.
double region3Slope(double density, double kelvin) {
    const double delta = density / kCriticalDensity;
    const Helmholtz f = helmholtz(delta, kCriticalTemperature / kelvin);
    return kGasConstant * kelvin / 1000.0 *
           (2.0 * delta * f.phiDelta + delta * delta * f.phiDeltaDelta);
}

// The density in [low, high] at which region 3 gives `mpa`, where p(ρ, T) rises from below `mpa`
// at `low` to at least `mpa` at `high`. Newton steps, but a step that leaves the shrinking bracket
// is replaced by bisection: near the critical point p(ρ) is nearly flat and Newton alone would
// jump to another branch.
double solveDensity(double low, double high, double mpa, double kelvin) {
    constexpr double kTolerance = 1e-13;
    double density = 0.5 * (low + high);
    for (int iteration = 0; iteration < 200; ++iteration) {
        const double excess = region3Pressure(density, kelvin) - mpa;
        if (excess == 0.0)
            return density;
        (excess < 0.0 ? low : high) = density;
        double next = 0.5 * (low + high);
        const double slope = region3Slope(density, kelvin);
        if (slope > 0.0 && density - excess / slope > low && density - excess / slope < high)
            next = density - excess / slope;
        const bool converged = std::abs(next - density) <= kTolerance * density;
        density = next;
        if (converged || high - low <= kTolerance * high)
            break;
    }
    return density;
}

// Where the sign of dp/dρ changes between `rising` (dp/dρ > 0) and `falling` (dp/dρ ≤ 0).
double spinodal(double rising, double falling, double kelvin) {
    for (int iteration = 0; iteration < 100 && std::abs(falling - rising) > 1e-13 * rising;
         ++iteration) {
        const double middle = 0.5 * (rising + falling);
        (region3Slope(middle, kelvin) > 0.0 ? rising : falling) = middle;
    }
    return rising;
}

// The lowest density at which region 3 gives `mpa` at `kelvin`: the vapour where there is one.
// Below the critical temperature p(ρ) rises to the vapour spinodal, falls through the unstable
// states and rises again along the liquid; the vapour root lies before the maximum. Above the
// critical pressure at such a temperature only the liquid root is left: past the maximum p(ρ)
// stays below `mpa` until it crosses it once, so the bracket may start at the maximum itself.
double region3Density(double mpa, double kelvin) {
    constexpr double kLowDensity = 10.0;   // below every vapour density of region 3
    constexpr double kHighDensity = 900.0; // above every density of region 3 up to 100 MPa
    if (kelvin >= kCriticalTemperature)
        return solveDensity(kLowDensity, kHighDensity, mpa, kelvin);
    const double vapourTop = spinodal(kLowDensity, kCriticalDensity, kelvin);
    if (region3Pressure(vapourTop, kelvin) >= mpa)
        return solveDensity(kLowDensity, vapourTop, mpa, kelvin);
    return solveDensity(vapourTop, kHighDensity, mpa, kelvin);
}

} // namespace

double saturationPressure(double kelvin) {
    const auto& n = kSaturation;
    const double theta = kelvin + n[8] / (kelvin - n[9]);
    const double a = theta * theta + n[0] * theta + n[1];
    const double b = n[2] * theta * theta + n[3] * theta + n[4];
    const double c = n[5] * theta * theta + n[6] * theta + n[7];
    return calc::elementary::pow(2.0 * c / (-b + std::sqrt(b * b - 4.0 * a * c)), 4);
}

double saturationTemperature(double mpa) {
    const auto& n = kSaturation;
    const double beta = calc::elementary::pow(mpa, 0.25);
    const double e = beta * beta + n[2] * beta + n[5];
    const double f = n[0] * beta * beta + n[3] * beta + n[6];
    const double g = n[1] * beta * beta + n[4] * beta + n[7];
    const double d = 2.0 * g / (-f - std::sqrt(f * f - 4.0 * e * g));
    return 0.5 * (n[9] + d - std::sqrt((n[9] + d) * (n[9] + d) - 4.0 * (n[8] + n[9] * d)));
}

double b23Pressure(double kelvin) {
    return kB23[0] + kB23[1] * kelvin + kB23[2] * kelvin * kelvin;
}

double b23Temperature(double mpa) {
    return kB23[3] + std::sqrt((mpa - kB23[4]) / kB23[2]);
}

SteamProperties region2(double mpa, double kelvin) {
    const double pi = mpa;             // p* = 1 MPa
    const double tau = 540.0 / kelvin; // T* = 540 K
    double gamma = calc::elementary::log(pi);
    double gammaPi = 1.0 / pi;
    double gammaTau = 0.0;
    for (const Term& t : kRegion2Ideal) {
        gamma += t.n * calc::elementary::pow(tau, t.j);
        gammaTau += t.n * t.j * calc::elementary::pow(tau, t.j - 1);
    }
    for (const Term& t : kRegion2Residual) {
        const double tauJ = calc::elementary::pow(tau - 0.5, t.j);
        gamma += t.n * calc::elementary::pow(pi, t.i) * tauJ;
        gammaPi += t.n * t.i * calc::elementary::pow(pi, t.i - 1) * tauJ;
        gammaTau +=
            t.n * calc::elementary::pow(pi, t.i) * t.j * calc::elementary::pow(tau - 0.5, t.j - 1);
    }
    const double volume = kGasConstant * kelvin / (mpa * 1000.0) * pi * gammaPi;
    return {1.0 / volume, volume, kGasConstant * kelvin * tau * gammaTau,
            kGasConstant * (tau * gammaTau - gamma)};
}

namespace {

struct EnthalpySlope {
    double enthalpy;     // kJ/kg
    double heatCapacity; // c_p = ∂h/∂T at constant p, kJ/(kg·K)
};

// Region 2's h and c_p = −R·τ²·γ_ττ at a tenth of region2's cost, for solving h(p, T) = h many
// times in an integration: each power comes from a running product instead of calc::elementary::pow
// term by term. Over region 2 that moves h by at most 8 units in its last place, about what the
// rounding of region2's own sum of 52 terms does, and it takes only + − × ÷, so the bits are the
// same on every system.
EnthalpySlope region2EnthalpySlope(double mpa, double kelvin) {
    const double tau = 540.0 / kelvin;
    const double x = tau - 0.5;        // above 0.003 up to 1073.15 K
    std::array<double, 9> tauPowers{}; // τ^(j − 1) of the ideal-gas part, at j + 5
    std::array<double, 25> piPowers{}; // π^i
    std::array<double, 59> xPowers{};  // (τ − 0.5)^(j − 1), at j
    tauPowers[6] = 1.0;
    tauPowers[7] = tau;
    tauPowers[8] = tau * tau;
    for (int k = 5; k >= 0; --k)
        tauPowers[k] = tauPowers[k + 1] / tau;
    piPowers[0] = 1.0;
    for (std::size_t i = 1; i < piPowers.size(); ++i)
        piPowers[i] = piPowers[i - 1] * mpa; // p* = 1 MPa
    xPowers[0] = 1.0 / x;
    xPowers[1] = 1.0;
    for (std::size_t j = 2; j < xPowers.size(); ++j)
        xPowers[j] = xPowers[j - 1] * x;
    double gammaTau = 0.0;
    double gammaTauTau = 0.0;
    for (const Term& t : kRegion2Ideal) {
        const double term = t.n * t.j * tauPowers[t.j + 5];
        gammaTau += term;
        gammaTauTau += term * (t.j - 1) / tau;
    }
    for (const Term& t : kRegion2Residual) {
        const double term = t.n * piPowers[t.i] * t.j * xPowers[t.j];
        gammaTau += term;
        gammaTauTau += term * (t.j - 1) / x;
    }
    return {kGasConstant * kelvin * tau * gammaTau, -kGasConstant * tau * tau * gammaTauTau};
}

} // namespace

// Newton's method with region 2's own c_p, from the low end. Near saturation c_p falls as T
// rises, h(T) is concave and the steps climb to the root without passing it; where c_p rises
// again one step may pass it, and from there they descend. A step that would leave the
// bracket bisects it instead. A Newton step of δ leaves an error of about c_p′/(2c_p)·δ², under
// 0.05 K⁻¹·δ² in region 2: after a step below 1e-10·T that is far under the last bit of T.
double region2Temperature(double mpa, double enthalpy, double lowKelvin) {
    double low = lowKelvin;
    double high = kHighestTemperature;
    double kelvin = lowKelvin;
    // Bisection alone reaches the last bit of [273.15, 1073.15] K in about 50 halvings.
    for (int iteration = 0; iteration < 200; ++iteration) {
        const EnthalpySlope at = region2EnthalpySlope(mpa, kelvin);
        const double excess = at.enthalpy - enthalpy;
        if (excess == 0.0)
            return kelvin;
        (excess < 0.0 ? low : high) = kelvin;
        const double newton = kelvin - excess / at.heatCapacity;
        if (newton > low && newton < high) {
            if (std::abs(newton - kelvin) <= 1e-10 * kelvin)
                return newton;
            kelvin = newton;
        } else {
            kelvin = 0.5 * (low + high);
            if (kelvin <= low || kelvin >= high)
                return kelvin;
        }
    }
    return kelvin;
}

double region3Pressure(double density, double kelvin) {
    const double delta = density / kCriticalDensity;
    const Helmholtz f = helmholtz(delta, kCriticalTemperature / kelvin);
    return density * kGasConstant * kelvin * delta * f.phiDelta / 1000.0;
}

SteamProperties region3(double density, double kelvin) {
    const double delta = density / kCriticalDensity;
    const double tau = kCriticalTemperature / kelvin;
    const Helmholtz f = helmholtz(delta, tau);
    return {density, 1.0 / density, kGasConstant * kelvin * (tau * f.phiTau + delta * f.phiDelta),
            kGasConstant * (tau * f.phiTau - f.phi)};
}

SteamState steamAt(double mpa, double kelvin) {
    if (!(mpa > 0.0 && mpa <= kHighestPressure && kelvin >= kLowestTemperature &&
          kelvin <= kHighestTemperature))
        return {Phase::OutOfRange, {}};
    if (mpa <= kCriticalPressure && mpa >= kLowestSaturationPressure) {
        const double saturation = saturationTemperature(mpa);
        if (kelvin < saturation)
            return {Phase::Water, {}};
        if (kelvin == saturation)
            return {Phase::Steam, *saturatedSteam(mpa)};
    } else if (mpa > kCriticalPressure && kelvin <= kRegion13Temperature) {
        return {Phase::Water, {}};
    }
    if (kelvin <= kRegion13Temperature || mpa <= b23Pressure(kelvin))
        return {Phase::Steam, region2(mpa, kelvin)};
    return {Phase::Steam, region3(region3Density(mpa, kelvin), kelvin)};
}

std::optional<SteamProperties> saturatedSteam(double mpa) {
    if (!(mpa >= kLowestSaturationPressure && mpa <= kCriticalPressure))
        return std::nullopt;
    // The line ends at the critical point, where p(ρ) is so flat that the last bit of
    // T_s(22.064 MPa) would move the root by a part in two thousand.
    if (mpa == kCriticalPressure)
        return region3(kCriticalDensity, kCriticalTemperature);
    const double kelvin = saturationTemperature(mpa);
    if (kelvin <= kRegion13Temperature)
        return region2(mpa, kelvin);
    return region3(region3Density(mpa, kelvin), kelvin);
}

} // namespace steam::if97
