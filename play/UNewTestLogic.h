// The rules behind the load deck dialog: reading a deck file for the play test with its
// edition-key rewrite, and the deck's passage to and from the sideboard dialog's grids.
#pragma once

#include "core/UTextFile.h"

#include <string>
#include <vector>

namespace zandor {

struct TPlayDeckFile {
    bool Ok = false; // false when the file could not be read; nothing else is then set
    std::vector<std::string> Lines;
    std::string DeckDir;
    bool Rewritten = false; // some line had its old key "PR" changed to "PY"
    TWriteResult Rewrite;   // writing the changed file back (Ok when nothing was written)
};

// Reads the deck lines as they are, except that in every line that is not empty and does
// not begin with "\" the first "PR" becomes "PY". Only a file in which a line changed is
// written back, atomically; a file that cannot be written still loads.
TPlayDeckFile ReadPlayDeckFile(const std::string& path);

// The two grids of the sideboard dialog filled from a deck list: a line beginning with
// "S" loses its first three characters and is trimmed into the sideboard rows, a line
// beginning with a blank is trimmed into the deck rows, other lines are left out. An empty
// grid keeps one empty row.
struct TSideboardRows {
    std::vector<std::string> Deck{""};
    std::vector<std::string> Sideboard{""};
};
TSideboardRows SideboardRowsOf(const std::vector<std::string>& lines);
// The deck list rebuilt from the grids: four blanks before each deck row, "SB: " before
// each sideboard row; rows that are empty after trimming are left out on both sides.
std::vector<std::string> LinesOfSideboardRows(const TSideboardRows& rows);

// Entries of the grids: "count [edition] - name".
struct TSideboardEntry {
    bool Ok = false; // the count reads as an integer
    int Count = 0;
    std::string Key; // the text after the first blank, trimmed
};
TSideboardEntry ReadSideboardEntry(const std::string& entry);
std::string SideboardEntry(int count, const std::string& key);

// Trades one copy of the selected deck row against one copy of the selected sideboard
// row. Nothing changes (false) unless both rows are valid, non-empty after trimming, not
// beginning with "/" or "S", and both counts read as integers. The rows keep their
// selection; a row removed from a grid moves the selection to the row now in its place,
// or to the last row.
bool TradeSideboard(TSideboardRows& rows, int& deckRow, int& sideboardRow);

} // namespace zandor
