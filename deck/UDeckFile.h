// ".dec" deck files: saving with the ".dec" extension and the replace question, loading
// with the "PR" to "PY" rewrite and old-format detection, converting old edition-less
// decks, and the export for Apprentice.
#pragma once

#include "core/UCardDatabase.h"
#include "deck/UDeckList.h"
#include "deck/UProgress.h"

#include <string>
#include <string_view>
#include <vector>

namespace zandor {

inline constexpr std::string_view DeckFileFilter = "Deck|*.dec";
inline constexpr std::string_view SaveDeckCaption = "Save Deck...";

// The chosen file name with ".dec" appended unless it already ends so.
std::string WithDecExtension(const std::string& path);
// The deck name of a file: its name without folder and without the last four characters.
std::string DeckNameOf(const std::string& path);

// What the window does after the user chose a file in the save dialog: when AskReplace is
// set, ask Question with a Yes/No warning box (caption "Save Deck...", default No) and
// stop on No.
struct TDeckSavePlan {
    std::string Path;
    bool AskReplace = false;
    std::string Question;
};
TDeckSavePlan PlanDeckSave(const std::string& chosen);

// Writes the deck lines, CR LF ended, atomically: a failed write leaves the old file.
TWriteResult SaveDeckFile(const std::string& path, const std::vector<std::string>& lines);

struct TDeckFile {
    bool Ok = false;   // false when the file could not be read; only Error is then set
    std::string Error; // why it could not be read, naming the file
    std::vector<std::string> Lines;
    std::string DeckName;
    std::string DeckDir;
    bool OldFormat = false; // the lines shown are the converted ones; the file is kept
    bool Rewritten = false; // a "PR" was changed to "PY" and the file written back
    TWriteResult Rewrite;   // the result of writing it back
};

// Whether the lines are of the old, edition-less format: a line, other than an empty one
// or one beginning with "\", begins with a blank and has no "[".
bool IsOldFormatDeck(const std::vector<std::string>& lines);

// Reads a deck file. Lines are scanned from the first, skipping empty lines and lines
// beginning with "\": a line with no "[" that begins with a blank marks the old format and
// ends the scan; before that, the first "PR" of every line becomes "PY" and the changed
// file is written back once.
TDeckFile LoadDeckFile(const std::string& path, const TCardDatabase& db,
                       const TProgress& progress = {});
// The same for the lines of path already read, for a caller that needed them first (to
// size its progress bar, say): the file is not read again.
TDeckFile LoadDeckLines(const std::string& path, std::vector<std::string> lines,
                        const TCardDatabase& db, const TProgress& progress = {});

// Saves the deck under path (".dec" already appended); on success the deck takes the
// file's name and DeckDir its folder. A failed write changes nothing, on disk or here.
TWriteResult SaveDeckAs(TDeckList& deck, TCardDatabase& db, const std::string& path);
// Loads path into the deck and sets DeckDir; a file that cannot be read changes nothing.
// The result tells the window about a failed "PR" rewrite.
TDeckFile LoadDeckInto(TDeckList& deck, TCardDatabase& db, const std::string& path,
                       const TProgress& progress = {});

// Gives each edition-less card line the first edition of the catalogue in which the card
// exists; cards found in none become comments that keep count and name.
std::vector<std::string> ConvertOldDeck(const std::vector<std::string>& lines,
                                        const TCardDatabase& db, const TProgress& progress = {});
// The same by trying every code of the catalogue for every line, for tests and benchmarks
// to compare with: its cost grows with lines times codes.
std::vector<std::string> ConvertOldDeckByEveryCode(const std::vector<std::string>& lines,
                                                   const TCardDatabase& db);

// The deck as Apprentice reads it: a "//NAME: " line, then every line without its
// "[edition] -".
std::vector<std::string> ApprenticeLines(std::string_view deckName,
                                         const std::vector<std::string>& lines);
TWriteResult ExportApprentice(const std::string& path, std::string_view deckName,
                              const std::vector<std::string>& lines);

} // namespace zandor
