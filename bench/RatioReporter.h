#pragma once
// Runs the registered benchmarks and prints, for each pair of ours and its baseline measured
// in the same run, how many times faster ours is. The machines are noisy; only the ratio of
// two measurements taken together means much.

#include <string>
#include <utility>
#include <vector>

namespace quelmar::bench {

struct Pair {
    std::string ours;     // benchmark name, as registered
    std::string baseline; // benchmark name, as registered
};

// Runs every benchmark (flags as Google Benchmark's) and prints "ratio OURS vs BASELINE: X",
// from the median of a benchmark's repetitions where it has several. Returns the measured real
// times in milliseconds by benchmark name.
std::vector<std::pair<std::string, double>> runWithRatios(int argc, char** argv,
                                                          const std::vector<Pair>& pairs);

} // namespace quelmar::bench
