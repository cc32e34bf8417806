// Writes a synthetic card base of any size, for benchmarks: realistic field lengths,
// reprints of one name in several editions, sorted as the card list is kept, with a
// matching settings file.
#pragma once

#include <cstdint>
#include <string>

namespace zandor {

struct TBigBaseInfo {
    std::size_t Lines = 0;
    std::size_t Bytes = 0;
    std::size_t Editions = 0;
};

// Writes "cardlist.dat" (version record included), "rulecards.dat", "programm.dat" and
// "Zandor.ini" into folder. The same seed gives the same files.
TBigBaseInfo MakeBigBase(const std::string& folder, std::size_t lines, std::uint32_t seed = 1);

} // namespace zandor
