// Plain-text deck lists as players copy them from web pages, forum posts and other programs
// ("4 Name", "4x Name", "Name x4", "4 Name (CODE)", "SB: 4 Name", a "Sideboard" block), read
// into deck lines against the card base, and the deck written back out in the same form.
#pragma once

#include "core/UCardDatabase.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zandor {

// A line of the text that was left out, numbered from 1, with the reason.
struct TTextDeckProblem {
    std::size_t LineNumber = 0;
    std::string Line; // as it stood in the text, without its line end
    std::string Reason;
};

struct TTextDeckImport {
    std::vector<std::string> Lines; // deck lines, in the order the cards first appeared
    std::vector<TTextDeckProblem> Problems;
    bool AllPlaced() const { return Problems.empty(); }
};

// The cards of a text deck list. A "Sideboard" line starts the sideboard, and so does the
// first empty line after a card line in a text that marks no sideboard of its own (no
// "Sideboard" line, no "SB:" line). Names are matched without regard to letter case; a split
// card is found by "Left/Right" or "Left // Right"; the edition given is taken when the base
// holds the card in it, otherwise the first edition of the catalogue that holds it. The same
// card listed twice in one part of the deck becomes one line. Text that is valid UTF-8 is read
// as such; any other text is taken as the data files' own 8-bit text.
TTextDeckImport ImportTextDeck(const std::vector<std::string>& textLines, const TCardDatabase& db);

// One card line of a deck list, before its name is looked up.
struct TTextDeckLine {
    long long Count = 1;
    std::string Name;
    std::string Edition; // empty when the line names none
    bool Sideboard = false;
    // The name with the bracketed edition still on it, for a card whose name itself ends in
    // brackets.
    std::string NameAsWritten;
    // A lone "x" after the count was read as in "4 x Name"; a card whose name begins with the
    // word X is looked for with it as well.
    bool SeparateX = false;
};
// Reads the count, the name and the edition of a card line ("4x Name (CODE) 123",
// "4 [CODE] Name", "Name x4", "SB: 4 Name"); false when the line has no name or its count is
// not a positive number of at most MaxTextDeckCount.
bool ParseTextDeckLine(std::string_view line, TTextDeckLine& parsed);
inline constexpr long long MaxTextDeckCount = 9999;

// The key a card name is matched by: letters in lower case (the code page's accented ones
// too), runs of blanks as one blank, and a split card's " // " written as "/".
std::string CardNameKey(std::string_view name);

struct TTextDeckExport {
    std::vector<std::string> Lines;      // "N Name (CODE)", comments, then a "Sideboard" block
    std::vector<std::string> Unreadable; // deck lines whose count is not a number, left out
};
// The deck as a text list: the main-deck cards (and the comments among them), then an empty
// line, "Sideboard" and the sideboard cards. A split card is written "Left // Right".
TTextDeckExport ExportTextDeck(const std::vector<std::string>& deckLines);

} // namespace zandor
