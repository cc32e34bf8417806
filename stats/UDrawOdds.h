// Draw odds: how likely a deck holds at least so many copies of a card among the first cards
// seen, worked out exactly (hypergeometric, in whole numbers) and rounded half up to
// hundredths of a percent.
#pragma once

#include "stats/UStat.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zandor {

// The cards seen in the opening hand, and the turns after it the window shows (on the draw,
// one card more each turn).
inline constexpr int OpeningHand = 7;
inline constexpr int OddsTurns = 7;
inline constexpr int OddsMostCopies = 4;

// The chance, in hundredths of a percent (0 to 10000) rounded half up, of at least atLeast
// copies among the first seen cards of a deck of deckSize cards holding copies of the card.
// Seen above the deck size means the whole deck. Nothing when the numbers are too large to be
// worked out exactly in reasonable time (a deck of more than 2^31 cards, or more than
// 20,000 cards both seen and unseen).
std::optional<std::int64_t> DrawOddsHundredths(std::int64_t deckSize, std::int64_t copies,
                                               std::int64_t seen, std::int64_t atLeast);
// Hundredths of a percent with two decimals: 3995 gives "39.95", 10000 gives "100.00".
std::string OddsPercentText(std::int64_t hundredths);

// The main deck's size and the copies of one card in it: every row whose name matches
// (without regard to letter case, a split card by either of its names) counts, so a card
// kept in two editions is one card. Rows with a count below 1 count nothing.
struct TCardCopies {
    std::string Name; // as the first matching row writes it; empty when no row matches
    std::int64_t DeckSize = 0;
    std::int64_t Copies = 0;
};
TCardCopies CardCopies(const std::vector<TZandorStatCard>& cards, std::string_view name);

} // namespace zandor
