#pragma once
// Runs the registered benchmarks and reports each operation as a ratio to its floor: a plain
// operation on the same bytes measured in the same run.

#include <string>
#include <utility>
#include <vector>

namespace lexivo::bench {

struct RatioPair {
    std::string operation;  // benchmark name
    std::string floor;      // benchmark name of its floor
};

// Runs every registered benchmark, prints the console report and then one line per pair:
// operation time, floor time, ratio, and whether it stays within a 16 ms frame. Returns the exit code.
int runWithRatios(int argc, char** argv, const std::vector<RatioPair>& pairs);

}  // namespace lexivo::bench
