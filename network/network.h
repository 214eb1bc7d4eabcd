#pragma once

#include "network/heat_line.h"
#include "network/heat_loss.h"
#include "pipes/catalogue.h"
#include "steam/properties.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

// A steam network: a tree of pipe segments hanging from one source node, each segment's
// to-node a user with its load and, where it has one, the pressure it needs.
//
// Each is compared member by member through a tie of all its members rather than by a defaulted
// comparison, whose branch for each member GCC counts here and only a differing read-back would
// take; binding every member by name keeps a member added later from going uncompared.
namespace network {

inline constexpr std::string_view kAutoPipe = "auto";

struct Source {
    std::string node;
    double pressure = 0; // in `unit`
    steam::PressureUnit unit = steam::kMPaGauge;
    bool superheated = false;
    double temperature = 0; // ℃, for superheated steam only

    auto members() const {
        const auto& [node, pressure, unit, superheated, temperature] = *this;
        return std::tie(node, pressure, unit, superheated, temperature);
    }
    bool operator==(const Source& other) const { return members() == other.members(); }
};

struct Segment {
    std::string name;
    std::string from;
    std::string to;
    double length = 0;    // m
    double localLoss = 0; // local losses, % of the friction loss
    std::string pipe{kAutoPipe};
    double load = 0;                          // t/h taken at the to-node
    std::optional<double> requiredPressure{}; // at the to-node, in the source's unit
    // What its heat loss depends on: read and kept whether the network's heat loss is on or not,
    // so that switching it off and on again loses nothing typed.
    double insulation = 0; // mm, 0 for a bare pipe
    heat::Laying laying = heat::Laying::Overhead;
    std::optional<double> requiredTemperature{}; // ℃ at the to-node

    auto members() const {
        const auto& [name, from, to, length, localLoss, pipe, load, requiredPressure, insulation,
                     laying, requiredTemperature] = *this;
        return std::tie(name, from, to, length, localLoss, pipe, load, requiredPressure, insulation,
                        laying, requiredTemperature);
    }
    bool operator==(const Segment& other) const { return members() == other.members(); }
};

// How the network's pipes lose heat; a network without it loses none.
struct HeatLoss {
    heat::Surroundings air;
    heat::Insulation insulation = heat::Material::RockWool;
    double factor = 1.2; // the additional losses of supports, valves and flanges, ≥ 1
    heat::Operation operation = heat::Operation::YearRound;

    auto members() const {
        const auto& [air, insulation, factor, operation] = *this;
        return std::tie(air, insulation, factor, operation);
    }
    bool operator==(const HeatLoss& other) const { return members() == other.members(); }
};

struct Network {
    std::string title;
    Source source;
    double roughness = 0.2; // mm
    pipes::Series series = pipes::Series::Seamless;
    std::optional<double> maxSpecificLoss{}; // Pa/m
    std::vector<Segment> segments;
    std::optional<HeatLoss> heatLoss{};

    auto members() const {
        const auto& [title, source, roughness, series, maxSpecificLoss, segments, heatLoss] = *this;
        return std::tie(title, source, roughness, series, maxSpecificLoss, segments, heatLoss);
    }
    bool operator==(const Network& other) const { return members() == other.members(); }
};

// The unit as the windows' lists name it.
inline std::string_view unitLabel(const steam::PressureUnit& unit) {
    return unit.label;
}

// The first fault that makes a network unusable, in the order of its fields and then of its
// segments: where it is (the field, and the segment by its index and name) and why.
struct Fault {
    std::string field;                  // the file's key: "length", "source.pressure", ...
    std::optional<std::size_t> segment; // index into segments
    std::string why;                    // the words a user reads
};
std::optional<Fault> validate(const Network& network);
// Every fault a segment's own fields show, whatever the other segments hold, segment by segment
// in the order of the fields, the first of each field: validate's checks but those against the
// other segments (a name repeated, a from-node the source does not reach, a node fed twice), so
// that each field a user must mend is known, not only the first.
std::vector<Fault> ownFaults(const Network& network);

// A segment's verdicts, each with the code the command line writes.
enum class Verdict {
    VelocityAbove,  // "velocity-above": the end velocity above the band for its bore
    VelocityBelow,  // "velocity-below"
    LossAboveLimit, // "loss-above-limit": R above the network's maxSpecificLoss
    // "loss-above-range": without a maxSpecificLoss, R above pipes::kHighestSpecificLoss
    LossAboveRange,
    PressureExhausted, // "pressure-exhausted": not even 611.213 Pa at the end would do
    UpstreamExhausted, // "upstream-exhausted": a segment above it is exhausted
    NoSuitablePipe,    // "no-suitable-pipe": auto-sizing found none and took the largest
    NonStandardPipe,   // "non-standard-pipe": a pipe typed in whose size is not of the series
    // With heat loss only, but the last:
    Condensing,               // "condensing": superheated steam reached saturation in it
    HeatLossAboveAllowed,     // "heat-loss-above-allowed": Q at the inlet above Appendix B's
    SurfaceHot,               // "surface-hot": indoors, a surface above 60 ℃ at the inlet
    TemperatureBelowRequired, // "temperature-below-required": colder at the to-node than needed
};
std::string_view verdictCode(Verdict verdict);

struct SegmentResult {
    double flow = 0;  // t/h entering the segment
    std::string pipe; // the pipe used, auto-sized or not, as a file names it
    double bore = 0;  // mm
    // Pressures in the source's unit; none where the segment was not computed.
    std::optional<double> pIn, pOut;
    std::optional<double> densityIn, densityOut; // kg/m³
    // The density at the mean of the two pressures, which the main window is handed; with heat
    // loss, at the mean of the inlet's and the outlet's pressure and enthalpy.
    std::optional<double> densityMean;
    std::optional<double> velocityIn, velocityOut; // m/s
    std::optional<double> specificLoss;            // Pa/m, Δp / (L · (1 + α))
    std::optional<double> pressureDrop;            // kPa
    std::vector<Verdict> verdicts;
    // t/h leaving it: the inlet flow less the condensate (the inlet flow without heat loss).
    double flowOut = 0;
    std::optional<double> tIn, tOut;    // ℃; without heat loss the adiabatic ones
    std::optional<double> superheatOut; // T − T_sat(p) at the outlet, 0 saturated
    // With heat loss only, none without it (and none where the segment was not computed):
    std::optional<double> heatLoss;   // kW, with the additional-loss factor
    std::optional<double> condensate; // kg/h drained along it
    // At the inlet's temperature, before the additional-loss factor; none for a segment that
    // carries nothing.
    std::optional<double> qIn;                // W/m
    std::optional<double> surfaceIn;          // ℃
    std::optional<double> lossPerAreaIn;      // W/m² of the outer surface
    std::optional<double> allowedLossPerArea; // W/m², Appendix B at tIn
    // With heat loss only: the states its integration accepted, the inlet first, where the
    // pressure ran out last; the profile draws the solution's own curve through them.
    std::vector<heat_line::Point> points;

    // An auto-sized segment below an exhausted one has no pipe, and so no bore either: shown
    // as a blank, never as a bore of 0.
    std::optional<double> shownBore() const {
        return pipe.empty() ? std::nullopt : std::optional<double>(bore);
    }
};

struct NodeResult {
    std::string name;
    std::optional<double> pressure{}; // in the source's unit
    std::optional<double> required{};
    std::optional<double> margin{};      // pressure - required
    std::optional<double> temperature{}; // ℃
    std::optional<double> superheat{};   // T − T_sat(p), 0 saturated
    std::optional<double> requiredTemperature{};
    std::optional<double> temperatureMargin{}; // temperature - requiredTemperature
};

struct Result {
    // Why nothing was computed (the network is unusable); empty when it was.
    std::string fault;
    // The code a script reads for a fault that has one: "not-converged" where the flows with
    // heat loss did not settle in 100 passes; empty otherwise.
    std::string faultCode;
    std::vector<SegmentResult> segments; // in the network's order
    std::vector<NodeResult> nodes;       // the source, then each segment's to-node in order
    // The most unfavourable user: the least margin among nodes with a required pressure, or
    // the lowest pressure where none has one; an exhausted user before every other.
    std::optional<std::size_t> worstNode;
    // The source's flow, t/h: the loads, and with heat loss every condensate.
    double sourceFlow = 0;
    // With heat loss only: the heat lost, kW, and the condensate drained, kg/h, of them all.
    std::optional<double> heatLoss, condensate;
    int passes = 0; // with heat loss, the passes from the source outwards the flows took
};

// Every segment from the source outwards, exactly: see network/solver.cpp for the method, and
// network/heat_solver.cpp for it with heat loss.
Result solve(const Network& network);

} // namespace network
