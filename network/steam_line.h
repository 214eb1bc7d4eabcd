#pragma once

#include "calc/elementary.h"
#include "steam/if97.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

// The steam along a network's pipes and Φ, the integral of its density over the pressure, which
// the solver inverts for each segment's outlet pressure (solver.cpp says why it is exact). The
// solver's own, and the profile's, which follows a segment's interior by the same Φ.
namespace network::steam_line {

namespace if97 = steam::if97;

inline constexpr double kLowest = if97::kLowestSaturationPressure; // MPa
inline constexpr double kSaturationTop = 623.15; // K: above it the saturation line leaves region 2
inline constexpr double kHighestKelvin = 1073.15;

inline double saturatedEnthalpy(double mpa) {
    return if97::region2(mpa, if97::saturationTemperature(mpa)).enthalpy;
}

inline double saturationTopPressure() {
    static const double top = if97::saturationPressure(kSaturationTop);
    return top;
}

// The steam at each pressure along the pipes: saturated steam stays dry saturated vapour;
// superheated steam keeps the source's enthalpy, and is dry saturated vapour wherever that
// enthalpy lies below the saturated vapour's.
class SteamByPressure {
public:
    SteamByPressure(bool superheated, double sourceMpa, double sourceKelvin)
        : m_superheated(superheated), m_sourceKelvin(sourceKelvin) {
        if (superheated)
            m_enthalpy = if97::region2(sourceMpa, sourceKelvin).enthalpy;
    }

    double density(double mpa) {
        if (!m_superheated || mpa <= saturationTopPressure()) {
            const double kelvin = if97::saturationTemperature(mpa);
            const if97::SteamProperties saturated = if97::region2(mpa, kelvin);
            if (!m_superheated || m_enthalpy <= saturated.enthalpy)
                return saturated.density;
            return superheated(mpa, kelvin);
        }
        // Above 350 ℃ on the saturation line region 2 ends at the boundary to region 3. The
        // enthalpy along that boundary is highest near 22.7 MPa, so steam that starts just inside
        // region 2 at 30 MPa crosses into region 3 as it throttles down to there.
        const double kelvin = std::max(kSaturationTop, if97::b23Temperature(mpa));
        const double enthalpy = if97::region2(mpa, kelvin).enthalpy;
        if (m_enthalpy < enthalpy) {
            m_outside = true;
            return if97::region2(mpa, kelvin).density;
        }
        return superheated(mpa, kelvin);
    }

    // Whether some density was asked of a state outside region 2 and the saturation line.
    bool outside() const { return m_outside; }

    // The pressures below `top` where the enthalpy meets the saturated vapour's: ρ(p) has a
    // kink there, and a panel edge must fall on it. The vapour's enthalpy rises from the lowest
    // pressure to its maximum near 3 MPa and falls from there, so there are at most two.
    std::vector<double> kinks(double top) const {
        if (!m_superheated)
            return {};
        const auto excess = [this](double mpa) { return saturatedEnthalpy(mpa) - m_enthalpy; };
        const double high = std::min(top, saturationTopPressure());
        // The maximum, found once: golden-section search in the logarithm of the pressure.
        static const double peak = [] {
            double a = calc::elementary::log(kLowest),
                   b = calc::elementary::log(saturationTopPressure());
            const double ratio = (std::sqrt(5.0) - 1) / 2;
            for (int i = 0; i < 100 && b - a > 1e-12; ++i) {
                const double c = b - ratio * (b - a), d = a + ratio * (b - a);
                if (saturatedEnthalpy(calc::elementary::exp(c)) >
                    saturatedEnthalpy(calc::elementary::exp(d)))
                    b = d;
                else
                    a = c;
            }
            return calc::elementary::exp(0.5 * (a + b));
        }();
        std::vector<double> found;
        const auto crossing = [&](double low, double high) {
            const double lowExcess = excess(low);
            if ((lowExcess > 0) == (excess(high) > 0))
                return;
            for (int i = 0; i < 200 && high - low > 1e-13 * high; ++i) {
                const double middle = 0.5 * (low + high);
                ((excess(middle) > 0) == (lowExcess > 0) ? low : high) = middle;
            }
            found.push_back(0.5 * (low + high));
        };
        if (peak < high) {
            crossing(peak, high);
            crossing(kLowest, peak);
        } else {
            crossing(kLowest, high);
        }
        return found;
    }

private:
    // The temperature at which region 2 gives the source's enthalpy, above `low` (where the
    // enthalpy is below the source's) and at most 800 ℃: Newton's method with the slope of its
    // last two points, from the source temperature, and bisection where a step would leave the
    // bracket. The start depends on nothing but the source, so ρ(p) is a function of p alone,
    // to the bit, whatever was asked before.
    double superheated(double mpa, double low) {
        double high = kHighestKelvin;
        double kelvin = std::clamp(m_sourceKelvin, low, high);
        if97::SteamProperties state = if97::region2(mpa, kelvin);
        double excess = state.enthalpy - m_enthalpy;
        double slope = 2.0; // kJ/(kg·K), about the heat capacity of such steam
        for (int i = 0; i < 100 && excess != 0; ++i) {
            (excess < 0 ? low : high) = kelvin;
            double next = kelvin - excess / slope;
            if (!(next > low && next < high))
                next = 0.5 * (low + high);
            const if97::SteamProperties nextState = if97::region2(mpa, next);
            const double nextExcess = nextState.enthalpy - m_enthalpy;
            if ((nextExcess - excess) / (next - kelvin) > 0)
                slope = (nextExcess - excess) / (next - kelvin);
            const bool converged = std::abs(next - kelvin) <= 1e-11 * kelvin;
            kelvin = next, state = nextState, excess = nextExcess;
            if (converged)
                break;
        }
        // Throttling cools steam of region 2, so the temperature never reaches the 800 ℃ bound.
        return state.density;
    }

    bool m_superheated;
    double m_sourceKelvin;
    double m_enthalpy = 0;
    bool m_outside = false;
};

// Gauss-Legendre nodes and weights of order 8 on [-1, 1].
inline constexpr std::array<double, 8> kNodes{
    -0.9602898564975363, -0.7966664774136267, -0.5255324099163290, -0.1834346424956498,
    0.1834346424956498,  0.5255324099163290,  0.7966664774136267,  0.9602898564975363};
inline constexpr std::array<double, 8> kWeights{
    0.1012285362903763, 0.2223810344533745, 0.3137066458778873, 0.3626837833783620,
    0.3626837833783620, 0.3137066458778873, 0.2223810344533745, 0.1012285362903763};

// P_0(x) … P_8(x).
inline std::array<double, 9> legendre(double x) {
    std::array<double, 9> p{1.0, x};
    for (int n = 1; n < 8; ++n)
        p[n + 1] = ((2 * n + 1) * x * p[n] - n * p[n - 1]) / (n + 1);
    return p;
}

// A stretch of pressure over which ρ(p) is smooth, with ρ as its Legendre series.
struct Panel {
    double low, high; // MPa
    double phiHigh;   // Φ(high)
    std::array<double, 8> series;

    double half() const { return 0.5 * (high - low); }
    double x(double mpa) const { return (mpa - 0.5 * (low + high)) / half(); }
    double density(double x) const {
        const auto p = legendre(x);
        double sum = 0;
        for (std::size_t n = 0; n < series.size(); ++n)
            sum += series[n] * p[n];
        return sum;
    }
    // ∫ from x to 1 of the series, in the panel's pressure.
    double integralAbove(double x) const {
        const auto p = legendre(x);
        double sum = series[0] * (1 - x);
        for (std::size_t n = 1; n < series.size(); ++n)
            sum += series[n] * (p[n - 1] - p[n + 1]) / static_cast<double>(2 * n + 1);
        return half() * sum;
    }
    double phiLow() const { return phiHigh + half() * 2 * series[0]; }
};

// Φ(p) = ∫ from p to the source pressure of ρ, built panel by panel as far down as a segment
// needs it.
class Antiderivative {
public:
    Antiderivative(SteamByPressure& line, double source) : m_line(line) {
        // Each panel spans a tenth of its upper pressure: ρ is nearly proportional to p there,
        // and eight nodes leave an error below 1e-9 of the inlet pressure, the tolerance the
        // solver's test holds an outlet pressure to against a fine march.
        constexpr double kRatio = 0.9;
        // The source is an edge however close to the line's end it is: else a source within 5 %
        // of it would leave no panel, and Φ nothing to integrate.
        std::vector<double> edges{kLowest};
        if (source > kLowest)
            edges.push_back(source);
        for (double p = source * kRatio; p > kLowest * 1.05; p *= kRatio)
            edges.push_back(p);
        for (double kink : line.kinks(source))
            if (kink > kLowest && kink < source)
                edges.push_back(kink);
        std::sort(edges.begin(), edges.end(), std::greater<>());
        edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
        m_edges = std::move(edges);
    }

    // The pressure at which Φ reaches `target` (≥ 0), none when even the lowest pressure of the
    // saturation line leaves it short.
    std::optional<double> pressureAt(double target) {
        std::size_t k = 0;
        for (;; ++k) {
            if (k + 1 >= m_edges.size())
                return std::nullopt;
            const Panel& panel = this->panel(k);
            if (panel.phiLow() >= target)
                break;
            // ρ rises with the pressure, so below `low` Φ grows by less than ρ(low) · low.
            if (target - panel.phiLow() > panel.density(-1) * 1.001 * (panel.low - kLowest) &&
                k + 2 < m_edges.size())
                return std::nullopt;
        }
        const Panel& panel = m_panels[k];
        const double need = target - panel.phiHigh;
        double low = -1, high = 1;
        double x = 1 - 2 * need / (panel.phiLow() - panel.phiHigh);
        for (int i = 0; i < 60; ++i) {
            const double excess = panel.integralAbove(x) - need; // falls as x rises
            (excess > 0 ? low : high) = x;
            double next = x + excess / (panel.half() * panel.density(x));
            if (!(next > low && next < high))
                next = 0.5 * (low + high);
            if (std::abs(next - x) <= 1e-16 || high - low <= 1e-16)
                return panel.low + panel.half() * (next + 1);
            x = next;
        }
        return panel.low + panel.half() * (x + 1);
    }

    // Φ(p) down to the saturation line's lowest pressure, the panels built as far as it needs.
    double phiAt(double mpa) {
        for (std::size_t k = 0; k + 1 < m_edges.size(); ++k)
            if (const Panel& panel = this->panel(k); mpa >= panel.low)
                return panel.phiHigh + panel.integralAbove(panel.x(mpa));
        // No panel: the source is at the line's lowest pressure, where Φ starts and ends.
        return m_panels.empty() ? 0.0 : m_panels.back().phiLow();
    }

    // ρ from the panels' series, at a pressure they already reach: the curve Φ integrates.
    double density(double mpa) const {
        for (const Panel& panel : m_panels)
            if (mpa >= panel.low)
                return panel.density(panel.x(mpa));
        return m_panels.back().density(-1);
    }

private:
    const Panel& panel(std::size_t k) {
        while (m_panels.size() <= k) {
            const std::size_t i = m_panels.size();
            Panel panel{.low = m_edges[i + 1],
                        .high = m_edges[i],
                        .phiHigh = i == 0 ? 0.0 : m_panels.back().phiLow(),
                        .series = {}};
            std::array<double, 8> weighted{};
            for (std::size_t j = 0; j < kNodes.size(); ++j)
                weighted[j] =
                    kWeights[j] * m_line.density(panel.low + panel.half() * (kNodes[j] + 1));
            for (std::size_t j = 0; j < kNodes.size(); ++j) {
                const auto p = legendre(kNodes[j]);
                for (std::size_t n = 0; n < panel.series.size(); ++n)
                    panel.series[n] += (2.0 * n + 1) / 2 * weighted[j] * p[n];
            }
            m_panels.push_back(panel);
        }
        return m_panels[k];
    }

    SteamByPressure& m_line;
    std::vector<double> m_edges;
    std::deque<Panel> m_panels; // stable references as it grows
};

} // namespace network::steam_line
