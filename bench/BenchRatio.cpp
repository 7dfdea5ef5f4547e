#include "bench/BenchRatio.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <unistd.h>

namespace bench {

namespace {

// Prints the usual console table and remembers each benchmark's fastest CPU
// time per iteration over its repetitions: on a shared machine the slower
// repetitions measure the neighbours, the fastest one the code.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so logs and pipes get plain lines.
    RecordingReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                const double time = run.GetAdjustedCPUTime();
                auto [it, added] = times_.emplace(run.benchmark_name(), time);
                if (!added && time < it->second) {
                    it->second = time;
                }
            }
        }
    }
    const std::map<std::string, double>& times() const { return times_; }

private:
    std::map<std::string, double> times_;
};

} // namespace

int RunWithRatios(int argc, char** argv, const std::vector<RatioPair>& pairs,
                  const std::vector<CountedRatio>& counted) {
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
    for (const CountedRatio& c : counted) {
        if (c.reference_amount > 0) {
            std::printf("ratio %s / %s: %.3f (%.0f / %.0f %s)\n", c.ours.c_str(),
                        c.reference.c_str(), c.ours_amount / c.reference_amount, c.ours_amount,
                        c.reference_amount, c.unit.c_str());
        }
    }
    return 0;
}

} // namespace bench
