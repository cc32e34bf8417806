// The card program language: the preparation keywords (comes tapped, counters, keywords),
// the static-ability bodies with their clauses and effects, and the token construct.
// Plain functions on texts and play states; the engine keeps the list of active abilities.
#pragma once

#include "play/UPlayTestObj.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zandor {

// A decimal integer with an optional sign, blanks around it allowed; nothing when the text
// is anything else or does not fit 32 bits.
std::optional<int> ParseDecimal(std::string_view text);

// Sets Untapped, Counters and Keywords from the card's program.
void PrepareCard(TMCardPlay& play);

struct TStabEffect {
    bool IsPT = false; // a p/t effect; otherwise a keyword word
    bool Valid = true; // false for a p/t effect whose two parts are not integers
    int Power = 0;
    int Toughness = 0;
    std::string Word;
};

struct TStabClause {
    std::string Subtype; // empty: the clause matches no card
    std::vector<TStabEffect> Effects;
};

// The body of the program's static ability: the text after "STAB[" up to the next "]".
// Nothing when the program has no "STAB[", no "]" after it, or an empty body.
std::optional<std::string> StabBody(std::string_view program);
// The clauses of a body, separated by "|". A clause whose target names no "Creature-"
// subtype, or that has no ":", keeps no subtype and so acts on nothing.
std::vector<TStabClause> ParseStabBody(std::string_view body);
bool ClauseMatches(const TStabClause& clause, const TZandorCard& card);

// Applies the effects of the clause in written order; the power and toughness actually
// added are added to mark.
void ApplyClause(const TStabClause& clause, TMCardPlay& play, TStabMark& mark);
// Removes the keyword words of the clause from the card.
void RemoveClauseWords(const TStabClause& clause, TMCardPlay& play);
// Adds p and t to a power/toughness "a/b" of two integers. Nothing when the text holds
// "*", is not two integers around its first "/", or the result does not fit 32 bits.
std::optional<std::string> AddPT(std::string_view pt, std::int64_t p, std::int64_t t);

// The token record made from the program's token construct, or nothing when it has no
// "TOKEN[". The artist comes from source, the card that makes the token.
std::optional<TZandorCard> ParseTokenProgram(std::string_view program, const TZandorCard& source);

} // namespace zandor
