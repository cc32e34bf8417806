// The draw odds command of the command-line companion: how likely a card of a deck is among
// the first cards seen.
#pragma once

#include "core/UCardDatabase.h"

#include <optional>
#include <ostream>
#include <string>

namespace zandor {

// "zandor deck odds FILE.dec --card NAME [--seen N]": prints "at least K: P%" for K = 1 to 4
// over the main deck, N cards seen (the opening hand of 7 without --seen). 1 when the deck
// cannot be read, the card is not in its main deck or the numbers are too large; 2 when N is
// not a whole number of at least 0.
int RunDeckOddsCommand(const TCardDatabase& db, const std::string& deckFile,
                       const std::string& card, const std::optional<std::string>& seen,
                       std::ostream& out, std::ostream& err);

} // namespace zandor
