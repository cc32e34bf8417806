// The play-test commands of the command-line companion: dealing a sample opening hand
// from a deck file.
#pragma once

#include "core/UCardDatabase.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace zandor {

// "deck hand FILE.dec [--seed N] [--draw K]": loads the main deck as player 1's library,
// shuffles and deals as a game starts, draws K more cards, and prints the hand one card
// name a line, then "Library: N cards". words are the arguments after "deck". Without a
// seed the clock seeds the shuffle. Deck lines that cannot be read are named on err.
// Returns 0, 1 when the deck file cannot be read, 2 for wrong arguments.
int RunDeckCommand(const TCardDatabase& db, const std::vector<std::string>& words,
                   const std::optional<std::string>& seed, const std::optional<std::string>& draw,
                   std::ostream& out, std::ostream& err);

} // namespace zandor
