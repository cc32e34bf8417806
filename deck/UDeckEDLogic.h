// The deck editor's own small rules that no other unit owns: the version record the hidden
// button appends to the card list, and the deck lists handed to the play test.
#pragma once

#include "core/UCardDatabase.h"

#include <string>
#include <vector>

namespace zandor {

// Name "Version", edition "@@", text "Base 0.8 version", flavour "02.07.01", nothing else.
TZandorCard VersionRecord();
// Appends the version record's line, sorts the card list once, rebuilds the name index and
// saves "cardlist.dat". Pressing twice adds the line twice. A failed save leaves the list in
// memory as it was, so that it still matches the file.
TWriteResult AppendVersionRecord(TCardDatabase& db);

// The deck lists the play test deals from; the deck editor's test command fills the first.
struct TPlayTestDecks {
    std::vector<std::string> Player1Deck;
    std::vector<std::string> Player2Deck;
};
TPlayTestDecks& PlayTestDecks();

} // namespace zandor
