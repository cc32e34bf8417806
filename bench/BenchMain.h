// A main for the benchmark programs: runs them with the console reporter and then prints
// the ratio of each benchmark to its baseline measured in the same run, so the figures do
// not depend on how busy the machine was.
#pragma once

#include "core/UCardLines.h"

#include <string>
#include <utility>
#include <vector>

namespace zandor::bench {

// (benchmark name, baseline name, the most the ratio may be): printed as a table.
using TRatio = std::pair<std::pair<std::string, std::string>, double>;

int RunWithRatios(int argc, char** argv, const std::vector<TRatio>& ratios);

// Resident memory of this process in bytes.
long long ResidentBytes();

// The baseline of the deck benchmarks: every line of the card list parsed once (returns
// the length of all names, so that the work cannot be optimised away).
std::size_t ParseEveryLine(const TCardLines& cardLines);

} // namespace zandor::bench
