#pragma once

#include "network/network.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

// What the network's two solvers share, without heat loss (solver.cpp) and with it
// (heat_solver.cpp): the tree's order, the steam's state at a pressure and an enthalpy, and the
// nodes and totals made from the segments' results. The solvers' own: nothing else includes it.
namespace network::solver_parts {

struct Tree {
    std::map<std::string, std::vector<std::size_t>> below; // a node's outgoing segments
    std::vector<std::size_t> order;                        // from the source outwards
};
Tree tree(const Network& network);

// Steam of region 2 or dry saturated vapour at p (MPa, absolute) and h (kJ/kg): at or below the
// saturated vapour's enthalpy it is the saturated vapour.
struct SteamPoint {
    double kelvin = 0;
    double density = 0; // kg/m³
    bool saturated = false;
};
SteamPoint steamPoint(double mpa, double enthalpy);

// The segments' outlet temperatures and superheats from their outlet pressures (MPa, absolute,
// none where not computed) at a constant enthalpy, the source's: the adiabatic pipe's.
void adiabaticTemperatures(const Network& network, const std::vector<std::optional<double>>& mpaOut,
                           Result& result);

// The nodes from the segments' results, the temperatures' verdicts and margins, the worst user
// and the source's flow. `sourceC` is the source's temperature, its steam's as given.
void placeNodes(const Network& network, double sourceC, Result& result);

// The network with its pipes' heat loss: heat_solver.cpp.
Result solveWithHeatLoss(const Network& network);

} // namespace network::solver_parts
