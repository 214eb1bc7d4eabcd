// The network's recomputation at a keystroke: a 200-segment network, half of it auto-sized,
// solved afresh without heat loss and with it, against 200 IF97 density evaluations, the least
// that shows a density at every segment.
#include "bench/ratios.h"
#include "network/network.h"
#include "steam/if97.h"

#include <benchmark/benchmark.h>

#include <string>
#include <utility>

namespace {

// A main of 20 segments, each of its nodes feeding a chain of 9 branch segments; every other
// segment auto-sized. Superheated steam, the costlier kind: each density needs a temperature.
network::Network typicalNetwork() {
    network::Network n;
    n.source = {.node = "热源",
                .pressure = 1.0,
                .unit = steam::kMPaGauge,
                .superheated = true,
                .temperature = 250};
    n.maxSpecificLoss = 300;
    std::string main = n.source.node;
    for (int m = 0; m < 20; ++m) {
        const std::string node = "m" + std::to_string(m);
        n.segments.push_back({.name = std::to_string(n.segments.size() + 1),
                              .from = main,
                              .to = node,
                              .length = 100,
                              .localLoss = 20,
                              .pipe = m % 2 ? "auto" : "D426x9",
                              .load = 0.5,
                              .requiredPressure = std::nullopt});
        std::string branch = node;
        for (int b = 0; b < 9; ++b) {
            const std::string user = node + "-" + std::to_string(b);
            n.segments.push_back({.name = std::to_string(n.segments.size() + 1),
                                  .from = branch,
                                  .to = user,
                                  .length = 60,
                                  .localLoss = 30,
                                  .pipe = b % 2 ? "auto" : "D108x4",
                                  .load = 0.3,
                                  .requiredPressure = 0.3});
            branch = user;
        }
        main = node;
    }
    return n;
}

// A typed length, as the window recomputes the network at each keystroke.
void keystrokes(benchmark::State& run, network::Network n) {
    double length = 100;
    for (auto _ : run) {
        n.segments[0].length = (length += 0.001);
        const network::Result result = network::solve(n);
        if (!result.fault.empty() || !result.segments.back().pOut) {
            run.SkipWithError("the network did not solve");
            break;
        }
        benchmark::DoNotOptimize(result);
    }
}

void BM_NetworkKeystroke(benchmark::State& run) {
    keystrokes(run, typicalNetwork());
}

// The same network losing heat as the examples' pipes do: rock wool under a jacket of emissivity
// 0.25, 80 mm on the mains and 50 mm on the branches, overhead in a 3 m/s wind at 10 ℃, αs
// computed, supports and flanges 1.2, year-round. Superheated steam cools along it, its
// temperature solved at every step of every segment, and the branches' far ends condense: the
// flows take several passes to settle.
void BM_HeatKeystroke(benchmark::State& run) {
    network::Network n = typicalNetwork();
    n.heatLoss = network::HeatLoss{.air = {.ambient = 10, .wind = 3, .emissivity = 0.25},
                                   .insulation = network::heat::Material::RockWool,
                                   .factor = 1.2,
                                   .operation = network::heat::Operation::YearRound};
    for (network::Segment& segment : n.segments) {
        segment.insulation =
            segment.from.find('-') == std::string::npos && segment.to.find('-') == std::string::npos
                ? 80
                : 50;
        segment.laying = network::heat::Laying::Overhead;
    }
    keystrokes(run, std::move(n));
}

void BM_NetworkFloor(benchmark::State& run) {
    double sink = 0;
    for (auto _ : run) {
        for (int i = 0; i < 200; ++i)
            sink += steam::if97::steamAt(0.6 + 0.002 * i, 500).properties.density;
        benchmark::DoNotOptimize(sink);
    }
}

// A chain listed from its far end, each segment's from-node fed by the one after it: walking
// from every segment to the source would take n²/2 steps, a growth of 10 over linear here. The
// single walk still grows by about 3: its hash tables outgrow the caches.
void BM_ValidateChain(benchmark::State& run) {
    network::Network n = typicalNetwork();
    n.segments.clear();
    for (auto i = static_cast<std::size_t>(run.range(0)); i-- > 0;)
        n.segments.push_back({.name = std::to_string(i),
                              .from = i == 0 ? n.source.node : std::to_string(i - 1),
                              .to = std::to_string(i)});
    for (auto _ : run)
        if (network::validate(n)) {
            run.SkipWithError("the chain was refused");
            break;
        }
}

// 16 ms, a frame, is 20 floors on the machine the goal was set on: the floor's 200 densities took
// 0.79 to 0.82 ms of CPU there, over six runs of this program alone.
constexpr double kFrameFloors = 20;

constexpr int kShortChain = 5000;
constexpr int kLongChain = 50000;

BENCHMARK(BM_ValidateChain)->Arg(kShortChain)->Arg(kLongChain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NetworkKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeatKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NetworkFloor)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return bench::runRatios(
        argc, argv,
        {{"network keystroke, 200 segments", "BM_NetworkKeystroke", "BM_NetworkFloor", 20},
         {"heat-loss keystroke, 200 segments", "BM_HeatKeystroke", "BM_NetworkFloor", kFrameFloors},
         {"validating a chain, growth 5,000 to 50,000", "BM_ValidateChain/50000",
          "BM_ValidateChain/5000", 6, kLongChain / kShortChain}});
}
