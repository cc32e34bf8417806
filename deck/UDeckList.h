// The deck being built: main-deck, sideboard and comment lines in the user's order, the
// selected line, the deck name, the editing commands on them and the five deck counters.
#pragma once

#include "core/UCardDatabase.h"

#include <string>
#include <string_view>
#include <vector>

namespace zandor {

enum class TDeckLineKind { Main, Sideboard, Comment };

// A line beginning with "/" is a comment, one beginning with "S" a sideboard line, any
// other a main-deck line.
TDeckLineKind DeckLineKind(std::string_view line);

// What went wrong with a deck line; Ok when nothing did.
struct TDeckResult {
    bool Ok = true;
    std::string BadLine; // the deck line whose count is not a number
    std::string Message; // the number-conversion message the window shows
};

struct TDeckEntry {
    TDeckLineKind Kind = TDeckLineKind::Main;
    long long Count = 0;
    std::string CardPart; // "[" + edition + "] - " + name
};

// Count and card part of a main-deck or sideboard line. A count that is no number gives a
// failed result naming the line; a comment line always fails.
TDeckResult ParseDeckLine(std::string_view line, TDeckEntry& entry);
// The card part of a main-deck or sideboard line without looking at its count.
std::string_view DeckLineCardPart(std::string_view line);

std::string MainDeckLine(long long count, std::string_view cardPart);
std::string SideboardLine(long long count, std::string_view cardPart);
std::string CommentLine(std::string_view text);

// The card part a base line is added as: a split-card half stands for its whole card, so
// "[ABC] - Fire/Ice (Fire)" is added as "[ABC] - Fire/Ice".
std::string DeckCardPart(std::string_view baseLine);

class TDeckList {
public:
    const std::vector<std::string>& Lines() const { return m_lines; }
    // -1 when no line is selected.
    int Selected() const { return m_selected; }
    const std::string& DeckName() const { return m_deckName; }

    // Replaces the lines (a loaded file, say); no line is selected afterwards.
    void SetLines(std::vector<std::string> lines);
    void Select(int index);
    void SetDeckName(std::string name) { m_deckName = std::move(name); }

    // One more copy of the base line's card in the main deck or the sideboard: the line of
    // that card gets its count raised, or a new line with count 1 is appended. The changed
    // line is selected. A line of that card with a broken count changes nothing.
    TDeckResult AddCard(std::string_view baseLine);
    TDeckResult AddSideboardCard(std::string_view baseLine);
    // One copy less of the selected line, or the selected comment removed. The count
    // itself decides: a line with a count of 1 or less goes, any other is lowered.
    TDeckResult DeleteCard();
    // Inserts "// " + text before the selected line (at the end without a selection) and
    // selects it; a text that is blank after trimming inserts nothing.
    bool InsertComment(std::string_view text);
    bool MoveUp();
    bool MoveDown();
    // Empties the deck and its name.
    void New();

private:
    TDeckResult add(std::string_view baseLine, TDeckLineKind kind);

    std::vector<std::string> m_lines;
    int m_selected = -1;
    std::string m_deckName;
};

struct TDeckCounts {
    long long Land = 0;
    long long Creature = 0;
    long long Spells = 0;
    long long Deck = 0;
    long long SB = 0;
    friend bool operator==(const TDeckCounts&, const TDeckCounts&) = default;
};

struct TCountResult {
    TDeckCounts Counts; // of the lines that could be read
    TDeckResult Error;  // the first line whose count is not a number
};

// Lands, creatures, other spells, the main-deck total and the sideboard total.
TCountResult CountDeck(const std::vector<std::string>& lines, const TCardDatabase& db);
// A counter label: the number followed by " cards".
std::string CounterText(long long count);

} // namespace zandor
