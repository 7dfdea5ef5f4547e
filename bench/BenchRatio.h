// Runs the registered benchmarks and prints, for each pair, how our code's time
// compares with its reference measured beside it in the same run.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace bench {

// A pair of benchmark names: ours first, the reference second.
using RatioPair = std::pair<std::string, std::string>;

// A ratio of two amounts measured outside the timed benchmarks (pages,
// faults), printed after the time ratios with both amounts and their unit.
struct CountedRatio {
    std::string ours;
    std::string reference;
    double ours_amount;
    double reference_amount;
    std::string unit;
};

// Initialises Google Benchmark from the command line, runs every benchmark,
// then prints "ratio <ours> / <reference>: <x>" for each pair whose two
// benchmarks both ran (a ratio below 1 means ours is faster), then the
// counted ratios. Returns the process exit code.
int RunWithRatios(int argc, char** argv, const std::vector<RatioPair>& pairs,
                  const std::vector<CountedRatio>& counted = {});

} // namespace bench
