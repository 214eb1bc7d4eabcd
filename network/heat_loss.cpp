#include "network/heat_loss.h"

#include "calc/elementary.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>
#include <span>

namespace network::heat {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kEpsilon = std::numeric_limits<double>::epsilon();

// The conductivity and its slope with the mean temperature, which the surface's Newton step
// needs.
struct Conductivity {
    double value; // W/(m·K)
    double slope; // W/(m·K²)
};

// GB 50264-2013 Appendix A, tm in ℃. Rock wool's two pieces do not meet at 100 ℃ (0.0488
// below, 0.04924 above): the standard's own step, kept as it is printed (see surfaceRise).
Conductivity conductivityAt(const Insulation& insulation, double tm) {
    if (const double* constant = std::get_if<double>(&insulation))
        return {*constant, 0};
    switch (std::get<Material>(insulation)) {
    case Material::RockWool:
        if (tm <= 100)
            return {0.0337 + 0.000151 * tm, 0.000151};
        return {0.0395 + 4.71e-5 * tm + 5.03e-7 * tm * tm, 4.71e-5 + 2 * 5.03e-7 * tm};
    case Material::GlassWool:
        return {0.041 + 0.00017 * (tm - 70), 0.00017};
    case Material::CompositeSilicate:
        return {0.043 + 0.00015 * (tm - 70), 0.00015};
    case Material::CalciumSilicate:
        return {0.0479 + 1.0185e-4 * tm + 9.65e-11 * tm * tm * tm,
                1.0185e-4 + 3 * 9.65e-11 * tm * tm};
    }
    return {0, 0};
}

// An overhead pipe's convection coefficient αc in W/(m²·K), by the wind and the surface's
// diameter alone.
double windConvection(double wind, double diameterM) {
    using calc::elementary::pow;
    return wind * diameterM <= 0.8
               ? 0.08 / diameterM + 4.2 * pow(wind, 0.618) / pow(diameterM, 0.382)
               : 4.53 * pow(wind, 0.805) / pow(diameterM, 0.195);
}

// What a surface of one diameter loses to the air per square metre, as a function of its rise
// above the air, Ts − ta. The wind's convection comes worked out, so that the surface
// temperature's iteration costs no pow or log: the still air's fourth root is two square roots
// (exact in IEEE arithmetic, the same bits everywhere) and the radiation is a polynomial.
class SurfaceFlux {
public:
    SurfaceFlux(const Surroundings& air, Laying laying, double diameterM, double windConvection)
        : m_fixed(air.surfaceCoefficient), m_diameter(diameterM),
          // 5.669·ε·[(Ts+273)⁴ − (ta+273)⁴]/100⁴ over (Ts − ta) = 5.669·ε/100·(a + b)(a² + b²)
          // with a, b the temperatures over 100: no division by the rise, which may be 0.
          m_radiation(5.669 * air.emissivity / 100), m_airOver100((273 + air.ambient) / 100),
          m_stillAir(laying == Laying::Indoor), m_stillBase(297 + air.ambient),
          m_wind(windConvection) {}

    struct Value {
        double coefficient; // αs, W/(m²·K)
        double flux;        // Q = αs·(Ts − ta), W/m²
        double slope;       // dQ/dTs, W/(m²·K)
    };

    Value at(double rise) const {
        if (m_fixed)
            return {*m_fixed, *m_fixed * rise, *m_fixed};
        const double b = m_airOver100;
        const double a = b + rise / 100;
        const double radiation = m_radiation * (a + b) * (a * a + b * b);
        double slope = m_radiation * 4 * a * a * a;
        double convection = m_wind;
        if (m_stillAir) {
            // 26.4/√(297 + (Ts + ta)/2)·((Ts − ta)/D)^0.25, whose rise times it has the slope
            // αc·(5/4 − rise/(4s)).
            const double s = m_stillBase + rise / 2;
            convection = 26.4 / std::sqrt(s) * std::sqrt(std::sqrt(std::abs(rise) / m_diameter));
            slope += convection * (1.25 - 0.25 * rise / s);
        } else {
            slope += convection;
        }
        const double coefficient = radiation + convection;
        return {coefficient, coefficient * rise, slope};
    }

    // αs roughly, for a first estimate of the surface's temperature: the radiation at the air's
    // temperature, and still air's convection at a rise of some 20 K on a pipe of some 0.3 m.
    double roughCoefficient() const {
        if (m_fixed)
            return *m_fixed;
        return m_radiation * 4 * m_airOver100 * m_airOver100 * m_airOver100 +
               (m_stillAir ? 4 : m_wind);
    }

private:
    std::optional<double> m_fixed;
    double m_diameter;
    double m_radiation;
    double m_airOver100;
    bool m_stillAir;
    double m_stillBase;
    double m_wind; // the overhead pipe's αc
};

// The surface's rise u = Ts − ta, in (0, rise), where the conduction through the insulation
// meets the surface's loss. The standard's (T − Ts)·2λ(tm)/(D1·ln(D1/D0)) = αs·(Ts − ta) is
// taken times R = D1·ln(D1/D0)/2, (rise − u)·λ(tm) = R·Q(u), so that a layer too thin to give
// R > 0 divides by nothing; and solved for u rather than Ts, so that a small rise keeps its
// relative precision. Newton's steps, kept inside the bracket by bisection where they leave it
// or stop halving it, to the last bits: the loss is integrated at a relative 1e-10 and must be
// smooth in T far below that.
double surfaceRise(double steamC, double ambientC, double resistanceM, const Insulation& insulation,
                   const SurfaceFlux& surface) {
    const double rise = steamC - ambientC;
    struct Balance {
        double value, slope;
    };
    const auto balanceAt = [&](double u, double tm) {
        const Conductivity lambda = conductivityAt(insulation, tm);
        const SurfaceFlux::Value loss = surface.at(u);
        return Balance{(rise - u) * lambda.value - resistanceM * loss.flux,
                       (rise - u) * lambda.slope / 2 - lambda.value - resistanceM * loss.slope};
    };
    double low = 0; // the balance is positive here: all conduction, no loss yet
    double high = rise;
    // Rock wool's step at tm = 100 ℃ raises the balance, so near it there may be a root on
    // either side, with a change of sign between them that balances nothing. The root with
    // tm ≤ 100 is taken wherever there is one, the first formula's range as the standard
    // bounds it; the loss then steps up by about 1 % where that root leaves the range, once,
    // and each side is smooth for Newton's steps.
    const double stepRise = 200 - steamC - ambientC;
    if (insulation == Insulation(Material::RockWool) && stepRise > low && stepRise < high)
        (balanceAt(stepRise, 100).value > 0 ? low : high) = stepRise;
    // The balance with λ at the steam's and the air's mean and αs roughly: Newton then starts
    // within a few percent of the root.
    const double start = conductivityAt(insulation, (steamC + ambientC) / 2).value;
    double u = rise * start / (start + surface.roughCoefficient() * resistanceM);
    if (!(u > low && u < high))
        u = low + (high - low) / 2;
    double step = high - low;
    double earlierStep = step;
    // Each pass halves the bracket or takes a Newton step under half the one before the last,
    // so the bracket closes to the rounding of its ends; the count only guards against a
    // balance that is not a number (inputs far outside what the checks allow).
    for (int pass = 0; pass < 400; ++pass) {
        const Balance balance = balanceAt(u, (steamC + ambientC + u) / 2);
        if (balance.value > 0)
            low = u;
        else if (balance.value < 0)
            high = u;
        else
            return u;
        const double newton =
            balance.slope != 0 ? balance.value / balance.slope : high - low; // then bisected
        const bool halvesEnough = 2 * std::abs(newton) < std::abs(earlierStep);
        earlierStep = step;
        if (u - newton > low && u - newton < high && halvesEnough) {
            step = newton;
            u -= newton;
        } else {
            step = (high - low) / 2;
            u = low + step;
        }
        if (std::abs(step) <= 2 * kEpsilon * u || high - low <= 2 * kEpsilon * high)
            return u;
    }
    return u;
}

// The balance at rock wool's step, u = 200 − T − ta where tm = 100 ℃, with the first formula's
// λ: as surfaceRise works it out, so that a steam temperature lies on the side it chooses.
double stepBalance(double steamC, double ambientC, double resistanceM, const SurfaceFlux& surface) {
    const double rise = steamC - ambientC;
    const double stepRise = 200 - steamC - ambientC;
    const Conductivity lambda = conductivityAt(Material::RockWool, 100);
    return (rise - stepRise) * lambda.value - resistanceM * surface.at(stepRise).flux;
}

// GB 50264-2013 Appendix B, the largest allowed heat loss of an insulated surface, W/m², at
// 50, 100, 150 … ℃: year-round operation to 850 ℃, seasonal to 300 ℃.
constexpr std::array<double, 17> kYearRound{52,  84,  104, 126, 147, 167, 188, 204, 220,
                                            236, 251, 266, 283, 297, 311, 324, 338};
constexpr std::array<double, 6> kSeasonal{104, 147, 183, 220, 251, 272};

} // namespace

double conductivity(const Insulation& insulation, double meanC) {
    return conductivityAt(insulation, meanC).value;
}

double surfaceCoefficient(const Surroundings& air, Laying laying, double surfaceC,
                          double diameterM) {
    const double wind = laying == Laying::Overhead ? windConvection(air.wind, diameterM) : 0;
    return SurfaceFlux(air, laying, diameterM, wind).at(surfaceC - air.ambient).coefficient;
}

InsulatedPipe::InsulatedPipe(double outerM, double thicknessM, const Insulation& insulation,
                             Laying laying, const Surroundings& air)
    : m_outer(outerM), m_insulation(insulation), m_laying(laying), m_air(air), m_surface(outerM) {
    if (thicknessM > 0 && outerM > 0) {
        const double outer = outerM + 2 * thicknessM;
        const double resistance = outer * calc::elementary::log(outer / outerM) / 2;
        if (resistance > 0) {
            m_surface = outer;
            m_resistance = resistance;
        }
    }
    if (laying == Laying::Overhead && outerM > 0)
        m_windConvection = windConvection(air.wind, m_surface);
    if (!(insulation == Insulation(Material::RockWool) && m_resistance > 0 && air.ambient < 100))
        return;
    // surfaceRise takes the second formula's root where the step lies inside (0, rise), at
    // 100 < T < 200 − ta, and the balance there is positive: from the first such temperature
    // on, since the balance rises with T. Halved to neighbouring doubles.
    const SurfaceFlux surface(air, laying, m_surface, m_windConvection);
    double below = 100, above = 200 - air.ambient;
    while (true) {
        const double middle = below + (above - below) / 2;
        if (middle <= below || middle >= above)
            break;
        (stepBalance(middle, air.ambient, m_resistance, surface) > 0 ? above : below) = middle;
    }
    m_step = above;
}

PipeLoss InsulatedPipe::at(double steamC) const {
    // No flow through the insulation leaves no drop across it: the surface is at the steam's
    // temperature, as a bare pipe's is. (Steam colder than the air would gain heat; the
    // standard's formulas are for losses only.) A pipe of no diameter has no surface to lose
    // from.
    if (!(steamC > m_air.ambient) || !(m_outer > 0))
        return {0, steamC, 0};
    const SurfaceFlux surface(m_air, m_laying, m_surface, m_windConvection);
    if (!(m_resistance > 0)) {
        const double perArea = surface.at(steamC - m_air.ambient).flux;
        return {kPi * m_outer * perArea, steamC, perArea};
    }
    const double rise = surfaceRise(steamC, m_air.ambient, m_resistance, m_insulation, surface);
    const double perArea = surface.at(rise).flux;
    return {kPi * m_surface * perArea, m_air.ambient + rise, perArea};
}

PipeLoss pipeLoss(double steamC, double outerM, double thicknessM, const Insulation& insulation,
                  Laying laying, const Surroundings& air) {
    return InsulatedPipe(outerM, thicknessM, insulation, laying, air).at(steamC);
}

std::optional<double> allowedLossPerArea(double steamC, Operation operation) {
    const std::span<const double> limits =
        operation == Operation::YearRound ? std::span<const double>(kYearRound) : kSeasonal;
    if (!(steamC >= 50 && steamC <= 50 * static_cast<double>(limits.size())))
        return std::nullopt;
    // The point at or below the steam's temperature, the last interval's start at its end.
    const std::size_t below =
        std::min(static_cast<std::size_t>((steamC - 50) / 50), limits.size() - 2);
    const double fraction = (steamC - 50 * static_cast<double>(below + 1)) / 50;
    return limits[below] + (limits[below + 1] - limits[below]) * fraction;
}

} // namespace network::heat
