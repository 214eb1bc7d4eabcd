#include "steam/if97_fast.h"

#include "calc/double_double.h"
#include "steam/if97_terms.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

namespace steam::if97::fast {

namespace {

using terms::kGasConstant;
using terms::Term;
constexpr double kHighestTemperature = 1073.15;

// p^¼ rounded as calc::elementary::pow(p, 0.25) rounds it, correctly: √√p is within an ulp of
// it, and p against the fourth power of the midpoint to each neighbour, worked in double-double
// arithmetic (some 104 bits), says which of the three it is. Only a p^¼ within about 2^-100 of
// a midpoint could be decided otherwise than pow decides it, and pow is itself correct only
// beyond 2^-90 or so.
double quarterPower(double p) {
    const auto above = [p](double low, double high) { // p above ((low + high)/2)^4
        const calc::dd::DD fourth = calc::dd::square(calc::dd::square({low, (high - low) / 2}));
        const calc::dd::DD excess = calc::dd::add(fourth, -p);
        return excess.hi < 0 || (excess.hi == 0 && excess.lo < 0);
    };
    double r = std::sqrt(std::sqrt(p));
    const double up = std::nextafter(r, std::numeric_limits<double>::infinity());
    if (above(r, up))
        return up;
    const double down = std::nextafter(r, 0.0);
    return above(down, r) ? r : down;
}

// A residual term of region 2 with its factors for γ_π, γ_τ, γ_ττ and γ_πτ multiplied out once.
struct ResidualTerm {
    int i, j;
    double n, ni, nj, njj, nij; // n, n·i, n·j, n·j·(j − 1), n·i·j
};

constexpr std::array<ResidualTerm, terms::kRegion2Residual.size()> kResidual = [] {
    std::array<ResidualTerm, terms::kRegion2Residual.size()> out{};
    for (std::size_t k = 0; k < out.size(); ++k) {
        const Term& t = terms::kRegion2Residual[k];
        out[k] = {t.i, t.j, t.n, t.n * t.i, t.n * t.j, t.n * t.j * (t.j - 1), t.n * t.i * t.j};
    }
    return out;
}();

// Region 2 at (p, T) with the derivatives region2AtEnthalpy's Newton steps need besides.
struct Region2Point {
    Vapour vapour;
    double densitySlope; // (∂ρ/∂T) at constant p, kg/(m³·K)
};

// The release's region-2 equations as if97::region2 sums them, term by term in the same order,
// with γ_ττ for c_p = −R·τ²·γ_ττ and γ_πτ for (∂h/∂p)_T = R·T·τ·γ_πτ (the ideal-gas part has
// none) besides. Over region 2 the running products move ρ and h by a few units in the last
// place from pow's correctly rounded powers: about what the rounding of the sum does anyway.
Region2Point region2Point(double mpa, double kelvin) {
    const double pi = mpa;              // p* = 1 MPa
    const double tau = 540.0 / kelvin;  // T* = 540 K
    const double x = tau - 0.5;         // above 0.003 up to 1073.15 K
    std::array<double, 10> tauPowers{}; // τ^k of the ideal-gas part, k = −7 … 2 at k + 7
    std::array<double, 25> piPowers{};  // π^i
    std::array<double, 61> xPowers{};   // (τ − 0.5)^k, k = −2 … 58 at k + 2
    tauPowers[7] = 1.0;
    tauPowers[8] = tau;
    tauPowers[9] = tau * tau;
    const double overTau = 1.0 / tau;
    tauPowers[6] = overTau;
    for (int k = 5; k >= 0; --k)
        tauPowers[k] = tauPowers[k + 1] * overTau;
    // Two chains of products each, the odd and the even powers, so that each waits on half as
    // many multiplications before it.
    piPowers[0] = 1.0;
    piPowers[1] = pi;
    const double pi2 = pi * pi;
    for (std::size_t i = 2; i < piPowers.size(); ++i)
        piPowers[i] = piPowers[i - 2] * pi2;
    const double overX = 1.0 / x;
    xPowers[0] = overX * overX;
    xPowers[1] = overX;
    xPowers[2] = 1.0;
    xPowers[3] = x;
    const double x2 = x * x;
    for (std::size_t k = 4; k < xPowers.size(); ++k)
        xPowers[k] = xPowers[k - 2] * x2;

    double gammaTau = 0.0;
    double gammaTauTau = 0.0;
#pragma GCC unroll 16
    for (const Term& t : terms::kRegion2Ideal) {
        gammaTau += t.n * t.j * tauPowers[t.j - 1 + 7];
        gammaTauTau += t.n * t.j * (t.j - 1) * tauPowers[t.j - 2 + 7];
    }
    double gammaPi = 1.0 / pi;
    double gammaPiTau = 0.0;
    // Unrolled, each term's powers and factors are constants the compiler reads from the table:
    // a third fewer instructions, the same operations in the same order, so the same bits.
#pragma GCC unroll 64
    for (const ResidualTerm& t : kResidual) {
        const double piI = piPowers[t.i], piI1 = piPowers[t.i - 1];
        const double xJ1 = xPowers[t.j - 1 + 2];
        gammaPi += t.ni * piI1 * xPowers[t.j + 2];
        gammaTau += t.nj * piI * xJ1;
        gammaTauTau += t.njj * piI * xPowers[t.j - 2 + 2];
        gammaPiTau += t.nij * piI1 * xJ1;
    }
    const double volume = kGasConstant * kelvin / (mpa * 1000.0) * pi * gammaPi;
    const double density = 1.0 / volume;
    // v = R·T/p·π·γ_π, so ∂v/∂T = R/p·π·(γ_π − τ·γ_πτ), with dτ/dT = −τ/T.
    const double volumeSlope = kGasConstant / (mpa * 1000.0) * pi * (gammaPi - tau * gammaPiTau);
    const double rt = kGasConstant * kelvin;
    return {{density, rt * tau * gammaTau, -kGasConstant * tau * tau * gammaTauTau,
             rt * tau * gammaPiTau},
            -density * density * volumeSlope};
}

} // namespace

Vapour region2(double mpa, double kelvin) {
    return region2Point(mpa, kelvin).vapour;
}

namespace {

// T_s at β = p^¼ as if97::saturationTemperature works it out.
double saturationAt(double beta) {
    const auto& n = terms::kSaturation;
    const double e = beta * beta + n[2] * beta + n[5];
    const double f = n[0] * beta * beta + n[3] * beta + n[6];
    const double g = n[1] * beta * beta + n[4] * beta + n[7];
    const double d = 2.0 * g / (-f - std::sqrt(f * f - 4.0 * e * g));
    return 0.5 * (n[9] + d - std::sqrt((n[9] + d) * (n[9] + d) - 4.0 * (n[8] + n[9] * d)));
}

} // namespace

double saturationRoughly(double mpa) {
    return saturationAt(std::sqrt(std::sqrt(mpa)));
}

// The release's region-4 equation, β²·(ϑ² + n1ϑ + n2) + β·(n3ϑ² + n4ϑ + n5) + n6ϑ² + n7ϑ + n8 = 0
// with β = p^¼ and ϑ = T + n9/(T − n10), solved for T as if97::saturationTemperature solves it,
// operation for operation; and differentiated implicitly for its slope, dT/dp = −(∂F/∂β)/(∂F/∂ϑ)
// · dβ/dp / (dϑ/dT), which is the line's own: no difference quotient, no Clausius–Clapeyron
// with region 1 and 2 (consistent with the line only to the release's tolerances).
Saturation saturation(double mpa) {
    const auto& n = terms::kSaturation;
    const double beta = quarterPower(mpa);
    const double kelvin = saturationAt(beta);
    const double e = beta * beta + n[2] * beta + n[5];
    const double f = n[0] * beta * beta + n[3] * beta + n[6];
    // In ϑ the equation is E·ϑ² + F·ϑ + G = 0 with E, F, G the quadratics e, f, g in β.
    const double theta = kelvin + n[8] / (kelvin - n[9]);
    const double byBeta = theta * theta * (2.0 * beta + n[2]) + theta * (2.0 * n[0] * beta + n[3]) +
                          (2.0 * n[1] * beta + n[4]);
    const double byTheta = 2.0 * e * theta + f;
    const double thetaByKelvin = 1.0 - n[8] / ((kelvin - n[9]) * (kelvin - n[9]));
    const double betaByMpa = beta / (4.0 * mpa);
    return {kelvin, -byBeta / byTheta * betaByMpa / thetaByKelvin};
}

// γ_τ of region 1 as if97::region1 sums it, its powers running products.
double region1Enthalpy(double mpa, double kelvin) {
    const double pi = mpa / 16.53;      // p* = 16.53 MPa
    const double tau = 1386.0 / kelvin; // T* = 1386 K
    const double x = 7.1 - pi;
    const double y = tau - 1.222;
    std::array<double, 33> xPowers{}; // x^i
    std::array<double, 59> yPowers{}; // y^k, k = −42 … 16 at k + 42
    xPowers[0] = 1.0;
    for (std::size_t i = 1; i < xPowers.size(); ++i)
        xPowers[i] = xPowers[i - 1] * x;
    yPowers[42] = 1.0;
    for (std::size_t k = 43; k < yPowers.size(); ++k)
        yPowers[k] = yPowers[k - 1] * y;
    const double overY = 1.0 / y;
    yPowers[41] = overY;
    for (int k = 40; k >= 0; --k)
        yPowers[k] = yPowers[k + 1] * overY;
    double gammaTau = 0.0;
#pragma GCC unroll 64
    for (const Term& t : terms::kRegion1)
        gammaTau += t.n * xPowers[t.i] * t.j * yPowers[t.j - 1 + 42];
    return kGasConstant * kelvin * tau * gammaTau;
}

// Newton's steps with region 2's own c_p, a step that would leave the bracket bisecting it
// instead, as in if97::region2Temperature. A step of δ leaves an error of about c_p′/(2c_p)·δ²,
// under 0.05 K⁻¹·δ²: after a step below 1e-9·T, under a quarter of the last bit of T up to
// 1073.15 K. The density at the last point is carried the last step by its slope, which leaves
// an error of order (δ/T)², far under its last bit too: no further evaluation.
Superheated region2AtEnthalpy(double mpa, double enthalpy, double lowKelvin, double guessKelvin,
                              double stop) {
    double low = lowKelvin;
    double high = kHighestTemperature;
    double kelvin = guessKelvin > low && guessKelvin < high ? guessKelvin : low;
    const auto moved = [](const Region2Point& at, double by) {
        Vapour v = at.vapour;
        v.density += at.densitySlope * by;
        v.enthalpy += v.heatCapacity * by;
        return v;
    };
    // Bisection alone reaches the last bit of [273.15, 1073.15] K in about 50 halvings.
    for (int iteration = 0;; ++iteration) {
        const Region2Point at = region2Point(mpa, kelvin);
        const double excess = at.vapour.enthalpy - enthalpy;
        if (excess == 0.0 || iteration == 200)
            return {kelvin, at.vapour};
        (excess < 0.0 ? low : high) = kelvin;
        const double newton = kelvin - excess / at.vapour.heatCapacity;
        if (newton > low && newton < high) {
            if (std::abs(newton - kelvin) <= stop * kelvin)
                return {newton, moved(at, newton - kelvin)};
            kelvin = newton;
        } else {
            const double middle = 0.5 * (low + high);
            if (middle <= low || middle >= high)
                return {middle, moved(at, middle - kelvin)};
            kelvin = middle;
        }
    }
}

} // namespace steam::if97::fast
