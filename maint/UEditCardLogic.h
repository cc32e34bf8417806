// Correcting one card of the base by hand: the record and program the card edit dialog
// shows, the values it reads back (trimmed, short fields cut), and the save of the card's
// line and program.
#pragma once

#include "core/UCardDatabase.h"
#include "maint/UEditionLogic.h"

#include <string>
#include <string_view>
#include <vector>

namespace zandor {

// The card of a base line with its program from "programm.dat"; "XNOCARD" when the line
// names no card.
TZandorCard CardToEdit(const TCardDatabase& db, std::string_view baseLine);

// The fields as typed: one text per edit box, the memo lines of the two memos.
struct TCardEditInput {
    std::string Name, Color, Rarity, CardType, Cost, PT, Edition, Artist, Value, Mana, Seq, Program;
    std::vector<std::string> Text, Flavor;
};
// The input of a record as the dialog is filled: each memo gets its field as one line.
TCardEditInput EditInputOf(const TZandorCard& card);
// The record the dialog's OK stores: every value trimmed, "Color" and "Edition" cut to 3
// characters and "Rarity" to 1, each memo's non-empty lines joined by single blanks, the
// artist after the one blank that the base keeps before every artist. A TAB
// or line break, which would break the card line, becomes a blank.
TZandorCard EditedCard(const TCardEditInput& input);
// Joins memo lines: each trimmed, empty ones skipped, the rest after single blanks.
std::string JoinMemoLines(const std::vector<std::string>& lines);

namespace maint {
inline constexpr std::string_view CardNotFound = "Карта не найдена: ";
} // namespace maint

// The line of the card named oldName of edition oldEdition (exact comparisons): the search
// starts at the line hinted by "CardIndex" for the name's first character and, when that
// hint is past the card, goes on from the top. -1 when there is no such line.
long long EditedCardLine(const TCardDatabase& db, std::string_view oldName,
                         std::string_view oldEdition);
// Rewrites that line in place with the edited record and sets the program under the new
// name; saves "cardlist.dat" and, when the programs changed, "programm.dat". The list is
// neither sorted nor re-indexed. A failure changes nothing.
TMaintResult SaveEditedCard(TCardDatabase& db, std::string_view oldName,
                            std::string_view oldEdition, const TZandorCard& card);

} // namespace zandor
