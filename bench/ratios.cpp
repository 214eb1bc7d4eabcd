#include "bench/ratios.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>
#include <map>

namespace bench {

namespace {

// Keeps each benchmark's median of its repetitions (or its one run without repetitions), while
// the console shows the usual report. The time is the CPU time (of the thread, or of the whole
// process when asked) unless the benchmark measures its own: on a shared machine the wall
// clock also counts other processes.
std::string nameOf(const benchmark::BenchmarkReporter::Run& run) {
    const std::string& args = run.run_name.args;
    return run.run_name.function_name + (args.empty() ? "" : "/" + args);
}

class Collector final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) {
                m_failed = true;
                continue;
            }
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (median || single)
                m_times[nameOf(run)] = run.run_name.time_type == "manual_time"
                                           ? run.GetAdjustedRealTime()
                                           : run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    const std::map<std::string, double>& times() const { return m_times; }
    bool failed() const { return m_failed; }

private:
    std::map<std::string, double> m_times;
    bool m_failed = false;
};

} // namespace

int runRatios(int argc, char** argv, const std::vector<Ratio>& ratios) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    Collector collector;
    collector.SetOutputStream(&std::cerr);
    collector.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    const auto& times = collector.times();
    for (const Ratio& ratio : ratios) {
        const auto measured = times.find(ratio.measured);
        const auto floor = times.find(ratio.floor);
        if (measured == times.end() || floor == times.end() || !(floor->second > 0))
            continue;
        std::printf("row\t%s\t%.3f\t%.2f\n", ratio.row.c_str(),
                    measured->second / (floor->second * ratio.floorScale), ratio.goal);
    }
    return collector.failed() ? 1 : 0;
}

} // namespace bench
