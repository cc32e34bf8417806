// The deck lists handed to the play test: the deck editor's test command fills the first,
// the load deck dialog both. Owned here for the whole run.
#pragma once

#include <string>
#include <vector>

namespace zandor {

struct TPlayTestDecks {
    std::vector<std::string> Player1Deck;
    std::vector<std::string> Player2Deck;
};
TPlayTestDecks& PlayTestDecks();

} // namespace zandor
