// Price lists and rulings summaries of any size for a synthetic card base, for the
// maintenance benchmarks: a fixed-column price list naming cards of the base (with and
// without editions, and some names the base does not have), and an installed rulings
// summary with a changes-only summary that follows it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zandor {

// A price list of the given number of entries for the cards of cardLines, with its
// header, separator and total lines.
std::vector<std::string> MakeBigPriceList(const std::vector<std::string>& cardLines,
                                          std::size_t entries, std::uint32_t seed = 1);

struct TBigRulings {
    std::vector<std::string> Installed; // a full summary dated "02/05/17"
    std::vector<std::string> Changes;   // a changes-only summary following it
};
// An installed summary of about summaryLines lines over the cards of cardLines, and a
// changes-only summary of changedCards cards (a tenth of them new to the summary).
TBigRulings MakeBigRulings(const std::vector<std::string>& cardLines, std::size_t summaryLines,
                           std::size_t changedCards, std::uint32_t seed = 1);

} // namespace zandor
