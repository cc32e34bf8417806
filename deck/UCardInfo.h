// The text logic of the card information panel: the rulings entries of a card from the
// rulings file, the memo lines built from them with rule references marked as "<...>" hot
// spots, the price line, and the split-card tabs of base-list and deck-list clicks.
#pragma once

#include "core/UCard.h"
#include "core/UCardDatabase.h"

#include <string>
#include <string_view>
#include <vector>

namespace zandor {

inline constexpr std::string_view InitialPriceText = "Price: 0$";

// "Price: " + Value + " $".
std::string PriceText(const TZandorCard& card);

// The entries of the card's block in the rulings lines: the block starts at the line
// name + ":" and ends at the first empty line.
std::vector<std::string> CollectRulingEntries(const std::vector<std::string>& ruleLines,
                                              std::string_view name);
// The memo lines: the first entry, the corrected text as "Errata:" or "Text:", then the
// rulings with their rule references marked.
std::vector<std::string> BuildCardInfo(const std::vector<std::string>& entries);
// Marks the first rule reference as "<Rule ...>" by overwriting characters; the length
// never changes.
std::string MarkRuleReference(std::string entry);
// The memo lines of a card.
std::vector<std::string> CardInfoLines(const std::vector<std::string>& ruleLines,
                                       std::string_view name);
// The help topic of a hot spot's text: "Rule 212.3b." gives "212.3b.".
std::string HotSpotTopic(std::string_view hotSpot);

// The tabs naming the halves of a split card; empty for other cards.
struct TSplitTabs {
    std::vector<std::string> Tabs;
    int Selected = -1;
    std::string Edition; // the edition whose halves the tabs show
};

// The tabs for a card clicked in the base list: a stored half "Left/Right (Half)" selects
// the tab of that half.
TSplitTabs BaseCardTabs(const TZandorCard& card);
// The stored name of the half a tab names: "Left/Right (Half)".
std::string TabCardName(const TSplitTabs& tabs, int tab);

// The card of a deck line clicked in the deck list.
struct TDeckLineCard {
    bool Ok = false; // false for comments and lines without "[edition]"
    std::string Edition;
    std::string Name; // for a split card, the stored name of its first half
    std::string BaseLine;
    TSplitTabs Tabs;
};
TDeckLineCard DeckLineCard(std::string_view line);

// Everything the panel shows for a clicked card.
struct TCardPanel {
    TZandorCard Card; // named "XNOCARD" when the card is not in the base
    std::string Price;
    std::vector<std::string> Memo;
    std::string Hint; // the card picture's hint: its rules text without markup
    TSplitTabs Tabs;
};
// A base-list click.
TCardPanel BaseLinePanel(const TCardDatabase& db, std::string_view baseLine);

struct TDeckPanel {
    bool Ok = false;      // false for comments and broken lines: the window does nothing
    std::string BaseLine; // the base line to select when the base list holds it
    TCardPanel Panel;     // the hint stays as it was for a deck-list click
};
// A deck-list click.
TDeckPanel DeckLinePanel(const TCardDatabase& db, std::string_view deckLine);
// The half a split-card tab names, for a tab change.
TZandorCard TabCard(const TCardDatabase& db, const TSplitTabs& tabs, int tab);

} // namespace zandor
