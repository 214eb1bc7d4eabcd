// Rock wool's conductivity steps up at a mean temperature of 100 ℃ (the standard's two formulas
// do not meet), so an insulated pipe's loss jumps by about 1 % at one steam temperature T*. An
// adaptive integration stepping over that jump lands where its steps happen to fall: the
// condensate then moves by parts in 1e5 when the inlet flow moves by a part in 1e9, and the
// network's flows never settle. So T* is found once for the pipe (the surface's mean temperature
// crossing 100 ℃, by bisection in T), and a segment whose steam cools through it is integrated
// in two pieces, each with the loss of its own side only, the piece's end where the steam
// reaches T* found by the Illinois method on its length. The steam's temperature only falls
// along a pipe (cooling and throttling both lower it), so it crosses T* once at most.
#include "network/segment_heat.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace network::segment_heat {

namespace {

constexpr double kKelvin = 273.15;

struct Step {
    double below, above; // ℃: the loss of the lower side up to `below`, the upper from `above`
};

// Where an insulated pipe's loss jumps, if anywhere between 100 ℃ and 800 ℃.
std::optional<Step> jump(const Insulated& pipe, const heat::Insulation& insulation,
                         const heat::Surroundings& air) {
    if (!(pipe.thicknessM > 0) || insulation != heat::Insulation(heat::Material::RockWool))
        return std::nullopt;
    const auto upper = [&](double celsius) {
        const heat::PipeLoss loss =
            heat::pipeLoss(celsius, pipe.outerM, pipe.thicknessM, insulation, pipe.laying, air);
        return (celsius + loss.surface) / 2 > 100;
    };
    double low = std::max(100.0, air.ambient), high = 800;
    if (upper(low) || !upper(high))
        return std::nullopt;
    while (true) {
        const double middle = low + (high - low) / 2;
        if (middle <= low || middle >= high)
            break;
        (upper(middle) ? high : low) = middle;
    }
    return Step{low, high};
}

// The second piece's outlet after the first's, as one pipe's.
heat_line::Outlet joined(const heat_line::Steam& inlet, heat_line::Outlet first,
                         const heat_line::Outlet& second, double where) {
    heat_line::Outlet out = second;
    out.heatLoss += first.heatLoss;
    out.drainHeat += first.drainHeat;
    out.condensate = (inlet.flow - second.steam.flow) * 3600;
    out.condensing = first.condensing || second.condensing;
    out.outside = first.outside || second.outside;
    out.evaluations += first.evaluations;
    for (std::size_t i = 1; i < second.points.size(); ++i) {
        heat_line::Point point = second.points[i];
        point.x += where;
        first.points.push_back(point);
    }
    out.points = std::move(first.points);
    return out;
}

} // namespace

heat_line::Outlet integrate(const heat_line::Steam& inlet, double inletKelvin,
                            const heat_line::Pipe& pipe, const Insulated& insulated,
                            const heat::Insulation& insulation, const heat::Surroundings& air,
                            double factor) {
    const auto loss = [&](double celsius) {
        return factor * heat::pipeLoss(celsius, insulated.outerM, insulated.thicknessM, insulation,
                                       insulated.laying, air)
                            .perMetre;
    };
    const std::optional<Step> step =
        inlet.flow > 0 && pipe.length > 0 ? jump(insulated, insulation, air) : std::nullopt;
    if (!step)
        return heat_line::integrate(inlet, pipe, loss);
    // Each side's loss held at its end where a trial stage of a step strays past the jump.
    const auto lower = [&](double celsius) { return loss(std::min(celsius, step->below)); };
    const auto upper = [&](double celsius) { return loss(std::max(celsius, step->above)); };
    if (inletKelvin - kKelvin < step->above)
        return heat_line::integrate(inlet, pipe, lower);
    const heat_line::Outlet whole = heat_line::integrate(inlet, pipe, upper);
    const auto excess = [&](const heat_line::Outlet& out) {
        return out.kelvin - kKelvin - step->above;
    };
    if (whole.exhausted || whole.outside || excess(whole) >= 0)
        return whole;
    // Illinois on the first piece's length: the excess falls from positive at the inlet.
    double a = 0, b = pipe.length, fa = inletKelvin - kKelvin - step->above, fb = excess(whole);
    heat_line::Outlet first = whole;
    int side = 0;
    for (int i = 0; i < 100 && b - a > 1e-12 * pipe.length; ++i) {
        double c = b - fb * (b - a) / (fb - fa);
        if (!(c > a && c < b))
            c = a + (b - a) / 2;
        heat_line::Pipe piece = pipe;
        piece.length = c;
        heat_line::Outlet out = heat_line::integrate(inlet, piece, upper);
        const double fc = excess(out);
        if (fc < 0) {
            b = c, fb = fc;
            if (side == -1)
                fa /= 2;
            side = -1;
        } else {
            a = c, fa = fc, first = std::move(out);
            if (side == 1)
                fb /= 2;
            side = 1;
            if (fc == 0)
                break;
        }
    }
    if (a == 0)
        return heat_line::integrate(inlet, pipe, lower);
    heat_line::Pipe rest = pipe;
    rest.length = pipe.length - a;
    return joined(inlet, first, heat_line::integrate(first.steam, rest, lower), a);
}

} // namespace network::segment_heat
