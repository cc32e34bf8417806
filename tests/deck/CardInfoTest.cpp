#include "deck/UCardInfo.h"

#include <gtest/gtest.h>

using namespace zandor;

namespace {

const std::vector<std::string> rules{
    "Card Rulings Summary - Updated 01.02.03",
    "-      -     *     -     *     - A -     *     -     *     -     -",
    "Spark Lash:",
    "  Info: R, Instant",
    "  Text(errata 2002) Spark Lash deals 3 damage",
    "    to one creature or player of its caster's choosing.",
    "  It can target itself? No (see Rule 212.3b.)",
    "+ It is an instant. See Rule 100.1. and more text, here.",
    "  Note - this is a note",
    "    continued.",
    "",
    "Lone Name:",
    "",
    "Orb:",
    "  Info: 0, Artifact",
    "  It taps for mana.",
    "  Text(new wording) Add one mana.",
    "Stray line",
    "  never read",
    "",
    "Short:",
    " a",
    "+",
    "  b",
    "Last:",
};

} // namespace

TEST(CardInfo, EntriesAndMemoOfAFullBlock) {
    const std::vector<std::string> entries = CollectRulingEntries(rules, "Spark Lash");
    EXPECT_EQ(entries,
              (std::vector<std::string>{"Info: R, Instant",
                                        "Text(errata 2002) Spark Lash deals 3 damage to one "
                                        "creature or player of its caster's choosing.",
                                        "It can target itself? No (see Rule 212.3b.)",
                                        "+ It is an instant. See Rule 100.1. and more text, here.",
                                        "Note - this is a note continued."}));
    EXPECT_EQ(
        BuildCardInfo(entries),
        (std::vector<std::string>{"Info: R, Instant", "",
                                  "Errata:  Spark Lash deals 3 damage to one creature or player of "
                                  "its caster's choosing.",
                                  "", "Rulings:", "It can target itself? No  see<Rule 212.3b.>", "",
                                  "+ It is an instant. See<Rule 100.1> and more text, here.", "",
                                  "Note - this is a note continued.", ""}));
}

TEST(CardInfo, BlockEdges) {
    // A name followed at once by an empty line, or standing last, gives one empty entry.
    EXPECT_EQ(CollectRulingEntries(rules, "Lone Name"), std::vector<std::string>{""});
    EXPECT_EQ(CardInfoLines(rules, "Lone Name"), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(CollectRulingEntries(rules, "Last"), std::vector<std::string>{""});
    EXPECT_TRUE(CollectRulingEntries(rules, "Nobody").empty());
    EXPECT_TRUE(CollectRulingEntries(rules, "spark lash").empty());
    EXPECT_TRUE(CardInfoLines(rules, "XNOCARD").empty());
    // The entry gathered before a corrected text is kept; the line that begins with
    // neither a blank nor "+" is read and ends the block without being added.
    EXPECT_EQ(CollectRulingEntries(rules, "Orb"),
              (std::vector<std::string>{"Info: 0, Artifact", "It taps for mana.",
                                        "Text(new wording) Add one mana."}));
    // Lines shorter than three characters start entries of their own.
    EXPECT_EQ(CollectRulingEntries(rules, "Short"), (std::vector<std::string>{"a", "+", "b"}));
}

TEST(CardInfo, TextLineAndRulingsHeading) {
    EXPECT_EQ(
        BuildCardInfo({"Info", "Text(x)Corrected", "Note: one", "Two"}),
        (std::vector<std::string>{"Info", "", "Text: orrected", "", "Note: one", "", "Two", ""}));
    EXPECT_EQ(BuildCardInfo({"Info", "No bracket"}),
              (std::vector<std::string>{"Info", "", "Text: o bracket"}));
    EXPECT_EQ(BuildCardInfo({"", "", "Rule 1"}),
              (std::vector<std::string>{"", "", "Text: ", "", "Rulings:", "Rule 1", ""}));
    EXPECT_EQ(BuildCardInfo({"", "Text(errata)"}), (std::vector<std::string>{"", "", "Errata:  "}));
}

TEST(CardInfo, MarkRuleReference) {
    const struct {
        const char* entry;
        const char* marked;
    } cases[] = {
        {"Ends (see Rule 212.3b.)", "Ends  see<Rule 212.3b.>"},
        {"Holds Rule 100.1. then more", "Holds<Rule 100.1> then more"},
        {"The Rule 5.1, more", "The<Rule 5.1> more"},
        {"see Rule 1.2)", "see<Rule 1.2>"},
        {"Rule 5.1. at the start", "Rule 5.1. at the start"},
        {"Rules and Rule 5.1.", "Rules and Rule 5.1."},
        {"Rule 3 and (see Rule 4.1.)", "Rule 3 and  see<Rule 4.1.>"},
        {"A Rule 5 without a dot", "A<Rule 5 without a dot"},
        {"(see Rule 7)", " see<Rule 7)"},
        {"Ruled out", "Ruled out"},
        {"", ""},
    };
    for (const auto& c : cases) {
        const std::string marked = MarkRuleReference(c.entry);
        EXPECT_EQ(marked, c.marked) << c.entry;
        EXPECT_EQ(marked.size(), std::string(c.entry).size());
    }
    EXPECT_EQ(HotSpotTopic("Rule 212.3b."), "212.3b.");
    EXPECT_EQ(HotSpotTopic("Rule 100.1"), "100.1");
    EXPECT_EQ(HotSpotTopic("Rul"), "");
}

TEST(CardInfo, PriceAndSplitTabs) {
    TZandorCard card;
    card.Name = "Ember/Rime (Rime)";
    card.Edition = "QEM";
    card.Value = "1,25";
    EXPECT_EQ(PriceText(card), "Price: 1,25 $");
    TSplitTabs tabs = BaseCardTabs(card);
    EXPECT_EQ(tabs.Tabs, (std::vector<std::string>{"Ember", "Rime"}));
    EXPECT_EQ(tabs.Selected, 1);
    EXPECT_EQ(tabs.Edition, "QEM");
    EXPECT_EQ(TabCardName(tabs, 0), "Ember/Rime (Ember)");
    EXPECT_EQ(TabCardName(tabs, 1), "Ember/Rime (Rime)");
    EXPECT_EQ(TabCardName(tabs, 2), "");
    card.Name = "Ember/Rime (Ember)";
    EXPECT_EQ(BaseCardTabs(card).Selected, 0);
    card.Name = "Either/Or";
    EXPECT_EQ(BaseCardTabs(card).Selected, 0);
    card.Name = "Jolt";
    EXPECT_TRUE(BaseCardTabs(card).Tabs.empty());
    EXPECT_EQ(TabCardName(BaseCardTabs(card), 0), "");
}

TEST(CardInfo, DeckLineClicks) {
    TDeckLineCard split = DeckLineCard("    2 [QEM] - Ember/Rime");
    ASSERT_TRUE(split.Ok);
    EXPECT_EQ(split.Edition, "QEM");
    EXPECT_EQ(split.Name, "Ember/Rime (Ember)");
    EXPECT_EQ(split.BaseLine, "[QEM] - Ember/Rime (Ember)");
    EXPECT_EQ(split.Tabs.Tabs, (std::vector<std::string>{"Ember", "Rime"}));
    EXPECT_EQ(split.Tabs.Edition, "QEM");
    const TDeckLineCard side = DeckLineCard("SB: 1 [QAL] - Spark Lash ");
    EXPECT_EQ(side.Name, "Spark Lash");
    EXPECT_TRUE(side.Tabs.Tabs.empty());
    for (const char* line : {"// comment [QAL] - X", "", "    1 Jolt", "    1 ]odd[ - X"})
        EXPECT_FALSE(DeckLineCard(line).Ok) << line;
}
