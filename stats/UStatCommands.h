// The deck statistics command of the command-line companion: reads a ".dec" file and
// prints the deck's figures as the statistics window shows them.
#pragma once

#include "core/UCardDatabase.h"

#include <ostream>
#include <string>

namespace zandor {

// Prints the figures of the main deck of deckFile, one per line, with "." as the decimal
// separator, and returns 0. A file that cannot be read or a deck line whose count is no
// number is reported on err and gives 1.
int RunDeckStatsCommand(const TCardDatabase& db, const std::string& deckFile, std::ostream& out,
                        std::ostream& err);

} // namespace zandor
