#pragma once

#include "calc/friction.h"
#include "network/network.h"
#include "pipes/catalogue.h"
#include "pipes/sizing.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

// What the network's two solvers share, without heat loss (solver.cpp) and with it
// (heat_solver.cpp): the tree's order, the steam's state at a pressure and an enthalpy, the
// refusal of pipes too small at their inlet, and the nodes and totals made from the segments'
// results. The solvers' own, and the profile's, which follows their solution.
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

// T − T_sat(p) in K; none above the critical pressure, where there is no saturation.
std::optional<double> superheatAt(double mpa, const SteamPoint& steam);

// A pipe's flow area, m², from its bore in m, as the single pipe's calculation has it.
double area(double boreMetres);

// R · ρ in Pa/m · kg/m³ for a flow (t/h) in a bore (m): R at a density of 1 kg/m³. The friction's
// powers are kept by bore, since every pass and every segment tries the same few pipes; R from
// them is calc::specificFrictionLoss's to the bit.
class Friction {
public:
    explicit Friction(double roughnessMm) : m_roughness(roughnessMm / 1000) {}
    double lossTimesDensity(double flow, double boreMetres) const;

private:
    double m_roughness; // m
    mutable std::map<double, calc::FrictionPowers> m_powers;
};

// Whether an auto-sized segment refuses a pipe unseen: its velocity above the band of the steam's
// kind, or its R above the network's limit, at the inlet's flow (t/h) and density.
bool hopeless(const Network& network, pipes::SteamKind steam, const Friction& friction,
              const pipes::NamedPipe& pipe, double flow, double densityIn);

// Steam of the source's enthalpy at p (MPa, absolute), as the adiabatic pipe has it; Newton
// starts from `inletKelvin`, the temperature upstream.
SteamPoint adiabaticPoint(double mpa, double enthalpy, double inletKelvin);

// The segments' outlet temperatures and superheats from their outlet pressures (MPa, absolute,
// none where not computed) at a constant enthalpy, the source's: the adiabatic pipe's.
void adiabaticTemperatures(const Network& network, const std::vector<std::optional<double>>& mpaOut,
                           Result& result);

// A computed segment's verdicts on its end velocity, against the band of the steam's kind, and on
// its R, against the network's limit; whether its pipe fits: the end not faster than the band
// allows and R not above the limit.
bool judgeEnd(const Network& network, pipes::SteamKind steam, double boreMetres, SegmentResult& r);

// The nodes from the segments' results, the temperatures' verdicts and margins, the worst user
// and the source's flow. `sourceC` is the source's temperature, its steam's as given.
void placeNodes(const Network& network, double sourceC, Result& result);

// A segment's steam with heat loss along the first `length` metres of its pipe (bore in m),
// insulated as `insulated`, from `inlet`: the heat solver's integration, which the profile
// repeats to points inside the segment.
heat_line::Outlet integrateHeat(const Network& network, const Segment& segment,
                                const heat::InsulatedPipe& insulated, const Friction& friction,
                                double bore, const heat_line::Steam& inlet, double length,
                                double tolerance);

// The network with its pipes' heat loss: heat_solver.cpp.
Result solveWithHeatLoss(const Network& network);

} // namespace network::solver_parts
