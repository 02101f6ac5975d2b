#include "ratio_report.h"

#include <cstdio>
#include <map>

#include <benchmark/benchmark.h>

namespace lexivo::bench {
namespace {

// Keeps the mean real time of every run, in nanoseconds, beside the usual console output.
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        // With repetitions the median stands for the operation: a shared machine is noisy.
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if ((run.run_type == Run::RT_Iteration || median) && !run.error_occurred) {
                timesNs[run.run_name.str()] = run.GetAdjustedRealTime() * nanosecondsPer(run.time_unit);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> timesNs;

private:
    static double nanosecondsPer(benchmark::TimeUnit unit)
    {
        switch (unit) {
        case benchmark::kNanosecond: return 1;
        case benchmark::kMicrosecond: return 1e3;
        case benchmark::kMillisecond: return 1e6;
        case benchmark::kSecond: return 1e9;
        }
        return 1;
    }
};

}  // namespace

int runWithRatios(int argc, char** argv, const std::vector<RatioPair>& pairs)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n%-44s %12s %12s %8s  %s\n", "operation", "time", "floor", "ratio", "frame (16 ms)");
    for (const RatioPair& pair : pairs) {
        const auto operation = reporter.timesNs.find(pair.operation);
        const auto floor = reporter.timesNs.find(pair.floor);
        if (operation == reporter.timesNs.end() || floor == reporter.timesNs.end()) {
            continue;  // filtered out
        }
        std::printf("%-44s %9.1f µs %9.1f µs %7.2fx  %s\n", pair.operation.c_str(), operation->second / 1e3,
                    floor->second / 1e3, operation->second / floor->second,
                    operation->second < 16e6 ? "within" : "OVER");
    }
    return 0;
}

}  // namespace lexivo::bench
