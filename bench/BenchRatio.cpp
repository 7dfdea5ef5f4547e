#include "bench/BenchRatio.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <unistd.h>

namespace bench {

namespace {

// Prints the usual console table and remembers each run's CPU time per iteration.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so logs and pipes get plain lines.
    RecordingReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
            }
        }
    }
    const std::map<std::string, double>& times() const { return times_; }

private:
    std::map<std::string, double> times_;
};

} // namespace

int RunWithRatios(int argc, char** argv, const std::vector<RatioPair>& pairs) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto& times = reporter.times();
    std::printf("\n");
    for (const auto& [ours, reference] : pairs) {
        auto a = times.find(ours);
        auto b = times.find(reference);
        if (a != times.end() && b != times.end() && b->second > 0) {
            std::printf("ratio %s / %s: %.2f\n", ours.c_str(), reference.c_str(),
                        a->second / b->second);
        }
    }
    return 0;
}

} // namespace bench
