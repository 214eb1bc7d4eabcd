#pragma once

#include "network/heat_line.h"
#include "network/heat_loss.h"

// One segment's steam with its pipe's heat loss, as the network's solver integrates it: the loss
// per metre composed from the insulation's formulas, and a jump of that loss located rather than
// stepped over. The solver's own: nothing else includes it.
namespace network::segment_heat {

struct Insulated {
    double outerM = 0;     // the pipe's outer diameter
    double thicknessM = 0; // of its insulation, 0 bare
    heat::Laying laying = heat::Laying::Overhead;
};

// The outlet of `pipe` from `inlet` losing factor × q per metre.
heat_line::Outlet integrate(const heat_line::Steam& inlet, double inletKelvin,
                            const heat_line::Pipe& pipe, const Insulated& insulated,
                            const heat::Insulation& insulation, const heat::Surroundings& air,
                            double factor);

} // namespace network::segment_heat
