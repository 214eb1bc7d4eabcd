#pragma once

#include <string>
#include <vector>

// Every figure of the benchmarks is a ratio of two benchmarks of the same run: the operation
// and its floor. Absolute times on a shared machine say little; their ratio says how far the
// operation is from the least it could cost.
namespace bench {

struct Ratio {
    std::string row;       // the table's row
    std::string measured;  // benchmark name of the operation
    std::string floor;     // benchmark name of its floor
    double goal;           // the ratio must not exceed this
    double floorScale = 1; // the floor counts this many times, e.g. for a per-byte comparison
};

// Runs the benchmarks chosen on the command line (Google Benchmark's own flags), their
// console report going to stderr, then writes one line a ratio to stdout:
// "row<TAB>name<TAB>ratio<TAB>goal". A benchmark is named by its function and arguments,
// e.g. "BM_PrefixNumber/65536". A ratio whose benchmarks did not both run is left out;
// a benchmark that failed makes the program fail.
int runRatios(int argc, char** argv, const std::vector<Ratio>& ratios);

} // namespace bench
