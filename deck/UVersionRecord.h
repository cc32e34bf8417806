// The record that carries the database version and the price date, and the hidden deck
// editor command that adds it to the card list.
#pragma once

#include "core/UCardDatabase.h"

namespace zandor {

// "Version" of edition "@@", with the first version caption and price date.
TZandorCard NewVersionRecord();

// Appends the record's line, sorts the card list, rebuilds the index and saves
// "cardlist.dat". When the save fails the list in memory is left as it was.
TWriteResult WriteVersionRecord(TCardDatabase& db);

} // namespace zandor
