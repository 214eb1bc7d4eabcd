// Prints the heat loss's results, every double in hexadecimal, so that the Windows build's can be
// compared with Linux's to the bit: the insulation's conductivity, the surface coefficient and a
// pipe's loss over the ranges a file allows, Appendix B's limits, segments integrated along their
// length (cooling, reaching saturation, condensing, running out of pressure), and networks
// solved with each insulation, laying and operation. steam-network's output shows these rounded;
// a difference in a last bit would show there only by chance.
#include "network/heat_line.h"
#include "network/heat_loss.h"
#include "network/network.h"
#include "steam/if97.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

namespace heat = network::heat;
namespace heat_line = network::heat_line;
using heat::Laying;
using heat::Material;

void print(const char* what, double value) {
    char text[64];
    *std::to_chars(text, text + sizeof text - 1, value, std::chars_format::hex).ptr = '\0';
    std::printf("%s %s\n", what, text);
}

void print(const char* what, const std::optional<double>& value) {
    if (value)
        print(what, *value);
    else
        std::printf("%s none\n", what);
}

void print(const char* what, const heat::PipeLoss& loss) {
    print(what, loss.perMetre);
    print(what, loss.surface);
    print(what, loss.perArea);
}

const heat::Insulation kInsulations[] = {Material::RockWool, Material::GlassWool,
                                         Material::CompositeSilicate, Material::CalciumSilicate,
                                         0.045};

// The air as the example has it, and at the edges a file allows.
const heat::Surroundings kAirs[] = {
    {},
    {.ambient = -50, .wind = 40, .emissivity = 1},
    {.ambient = 60, .wind = 0, .emissivity = 0.05},
    {.ambient = 12.9, .surfaceCoefficient = 11.63},
};

void printFormulas() {
    for (const heat::Insulation& insulation : kInsulations)
        for (double meanC = -50; meanC <= 900; meanC += 17.3)
            print("lambda", heat::conductivity(insulation, meanC));
    for (const heat::Surroundings& air : kAirs)
        for (const Laying laying : {Laying::Overhead, Laying::Indoor})
            for (const double diameter : {0.018, 0.057, 0.219, 0.5, 1.2, 2.6}) {
                for (double rise = 0.25; rise <= 700; rise *= 1.7)
                    print("alpha_s",
                          heat::surfaceCoefficient(air, laying, air.ambient + rise, diameter));
                for (const double thickness : {0.0, 0.02, 0.1, 0.35}) {
                    for (const heat::Insulation& insulation : kInsulations) {
                        const heat::InsulatedPipe pipe(diameter, thickness, insulation, laying,
                                                       air);
                        print("step", pipe.stepC());
                        for (double steamC = air.ambient - 1; steamC <= 600; steamC += 41.3)
                            print("q", pipe.at(steamC));
                    }
                }
            }
    for (const heat::Operation operation : {heat::Operation::YearRound, heat::Operation::Seasonal})
        for (double steamC = 40; steamC <= 900; steamC += 13.1)
            print("allowed", heat::allowedLossPerArea(steamC, operation));
}

// One segment of the pipes under rock wool in the air, as the solver composes it.
struct Line {
    double mpa, celsius; // the inlet; a temperature at or below T_s for saturated steam
    double tonnesPerHour, length, outer, bore, thickness;
    Laying laying;
};

void printLines() {
    // clang-format off
    const Line lines[] = {
        {1.30, 300, 30, 5000, 0.325, 0.309, 0.1, Laying::Overhead},  // the superheated main
        {0.8, 0, 10, 2000, 0.219, 0.207, 0.08, Laying::Overhead},    // its saturated main
        {1.0, 200, 0.5, 3000, 0.057, 0.050, 0.0, Laying::Overhead},  // bare: reaches saturation
        {1.2, 230, 3, 900, 0.159, 0.151, 0.03, Laying::Indoor},      // through rock wool's step
        {0.15, 0, 20, 4000, 0.108, 0.100, 0.05, Laying::Overhead},   // the pressure runs out
        {10.0, 450, 50, 1500, 0.273, 0.245, 0.12, Laying::Indoor},   // high pressure
    };
    // clang-format on
    const heat::Surroundings air{};
    for (const Line& line : lines) {
        const double kelvin = line.celsius + 273.15;
        const auto saturated = steam::if97::saturatedSteam(line.mpa);
        const double enthalpy = kelvin > steam::if97::saturationTemperature(line.mpa)
                                    ? steam::if97::region2(line.mpa, kelvin).enthalpy
                                    : saturated->enthalpy;
        const heat::InsulatedPipe insulated(line.outer, line.thickness, Material::RockWool,
                                            line.laying, air);
        const heat_line::LossPerMetre loss = [&](double celsius) {
            return 1.2 * insulated.at(celsius).perMetre;
        };
        const heat_line::Outlet out =
            heat_line::integrate({line.mpa, enthalpy, line.tonnesPerHour / 3.6},
                                 {line.length, 0.15, 0.0002, line.bore}, loss, insulated.stepC());
        print("line p", out.steam.mpa);
        print("line h", out.steam.enthalpy);
        print("line flow", out.steam.flow);
        print("line T", out.kelvin);
        print("line heat", out.heatLoss);
        print("line drained", out.drainHeat);
        print("line condensate", out.condensate);
        std::printf("line states %d %d %d %d, %zu points, %d evaluations\n", out.condensing,
                    out.saturatedOut, out.exhausted, out.outside, out.points.size(),
                    out.evaluations);
        for (const heat_line::Point& point : out.points) {
            print("point x", point.x);
            print("point p", point.mpa);
            print("point h", point.enthalpy);
            print("point flow", point.flow);
        }
    }
    for (double mpa = 0.001; mpa <= 16.5; mpa *= 1.21)
        print("dh''/dp", heat_line::saturatedEnthalpySlope(mpa));
}

network::Segment segment(std::string from, std::string to, double length, double load,
                         std::string pipe, double insulationMm, Laying laying) {
    return {.name = from + "-" + to,
            .from = std::move(from),
            .to = std::move(to),
            .length = length,
            .localLoss = 15,
            .pipe = std::move(pipe),
            .load = load,
            .requiredPressure = {},
            .insulation = insulationMm,
            .laying = laying,
            .requiredTemperature = 150};
}

void print(const network::Result& r) {
    std::printf("network fault \"%s\" \"%s\", %d passes\n", r.fault.c_str(), r.faultCode.c_str(),
                r.passes);
    print("source flow", r.sourceFlow);
    print("heat lost", r.heatLoss);
    print("condensate", r.condensate);
    for (const network::SegmentResult& s : r.segments) {
        std::printf("segment %s", s.pipe.c_str());
        for (const network::Verdict verdict : s.verdicts)
            std::printf(" %s", std::string(network::verdictCode(verdict)).c_str());
        std::printf("\n");
        for (const auto& [what, value] : {std::pair{"flow", std::optional<double>(s.flow)},
                                          {"flowOut", s.flowOut},
                                          {"pIn", s.pIn},
                                          {"pOut", s.pOut},
                                          {"densityIn", s.densityIn},
                                          {"densityOut", s.densityOut},
                                          {"densityMean", s.densityMean},
                                          {"velocityIn", s.velocityIn},
                                          {"velocityOut", s.velocityOut},
                                          {"specificLoss", s.specificLoss},
                                          {"pressureDrop", s.pressureDrop},
                                          {"tIn", s.tIn},
                                          {"tOut", s.tOut},
                                          {"superheatOut", s.superheatOut},
                                          {"heatLoss", s.heatLoss},
                                          {"condensate", s.condensate},
                                          {"qIn", s.qIn},
                                          {"surfaceIn", s.surfaceIn},
                                          {"lossPerAreaIn", s.lossPerAreaIn},
                                          {"allowedLossPerArea", s.allowedLossPerArea}})
            print(what, value);
    }
    for (const network::NodeResult& n : r.nodes)
        for (const auto& [what, value] : {std::pair{"pressure", n.pressure},
                                          {"margin", n.margin},
                                          {"temperature", n.temperature},
                                          {"superheat", n.superheat},
                                          {"temperatureMargin", n.temperatureMargin}})
            print(what, value);
}

// A tree from a superheated source whose branches reach saturation and condense, with a long
// pipe to a small user, a bare one, a branch without users, one whose pressure runs out and
// auto-sized pipes; then the saturated main. Each without heat loss, then with every
// insulation, air and operation in turn.
void printNetworks() {
    using network::Network;
    Network tree;
    tree.title = "tree";
    tree.source = {.node = "S",
                   .pressure = 1.2,
                   .unit = steam::kMPaAbsolute,
                   .superheated = true,
                   .temperature = 230};
    tree.segments = {segment("S", "a", 900, 3, "auto", 50, Laying::Overhead),
                     segment("a", "b", 1500, 0.3, "D76x4", 30, Laying::Overhead),
                     segment("a", "c", 700, 5, "auto", 40, Laying::Indoor),
                     segment("c", "d", 400, 0, "D89x4", 30, Laying::Overhead),
                     segment("c", "e", 300, 0.5, "D76x4", 0, Laying::Overhead),
                     segment("c", "f", 800, 1.2, "D45x3", 40, Laying::Overhead)};
    Network main = tree;
    main.title = "main";
    main.source = {.node = "S", .pressure = 0.7, .unit = steam::kMPaGauge, .superheated = false};
    main.segments = {segment("S", "end", 2000, 10, "D219x6", 80, Laying::Overhead)};
    for (Network network : {tree, main}) {
        network.heatLoss.reset();
        print(network::solve(network));
        for (const heat::Insulation& insulation : kInsulations)
            for (const heat::Surroundings& air : kAirs)
                for (const heat::Operation operation :
                     {heat::Operation::YearRound, heat::Operation::Seasonal}) {
                    network.heatLoss = network::HeatLoss{.air = air,
                                                         .insulation = insulation,
                                                         .factor = 1.2,
                                                         .operation = operation};
                    print(network::solve(network));
                }
    }
}

} // namespace

int main() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    printFormulas();
    printLines();
    printNetworks();
}
