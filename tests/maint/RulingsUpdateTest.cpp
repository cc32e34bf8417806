#include "deck/UCardInfo.h"
#include "maint/URulingsUpdate.h"
#include "tests/maint/MaintTestKit.h"

#include <gtest/gtest.h>

using namespace zandor;
using namespace zandor::test;

namespace {

const std::string separator(RulingsSeparator);

const std::vector<std::string> installed{
    "ZANDOR TRADING CARD GAME",
    "Card Rulings Summary                                          Updated 02/05/17",
    "A '+' is used to mark changes since the 02/04/12 release.",
    "",
    separator,
    "",
    "Ashen Crossing:",
    "  Info: Emberhold uncommon.",
    "+ * Charge counters are not +1/+1 counters.",
    "",
    "Crag Wyrm:",
    "  Info: Saltveil rare.",
    "  Text(errata) Flying. R: Crag Wyrm gets +1/+0 until end of turn.",
    "+ * The limit counts every activation in the turn, including",
    "     those that were cancelled (see Rule 212.3b.)",
    "",
    "Mend/Rend (Mend):",
    "  Info: Saltveil uncommon.",
    "  * Each half is a card of its own in the graveyard.",
    "",
    "Undertow Denial:",
    "+ * The caster decides whether to pay while it resolves.",
};

std::vector<std::string> changes(const std::string& since) {
    return {
        "ZANDOR TRADING CARD GAME",
        "Card Rulings Summary (CHANGES ONLY)                           Updated 02/06/14",
        "A '+' is used to mark changes since the " + since + " release.",
        "",
        separator,
        "",
        "Crag Wyrm:",
        "  Info: Saltveil rare, reprinted in Fourth Codex.",
        "+ * The limit counts only activations that you played yourself this",
        "     turn (see Rule 212.3b.)",
        "",
        "Stormbrew Elemental:",
        "+ Info: Fourth Codex rare.",
        "+ Text(clarified) Flying, first strike.",
        "",
        "Aaron's Lantern:",
        "+ Info: Emberhold rare.",
        "",
        "Zephyr Tollkeeper:",
        "+ Info: Saltveil common.",
    };
}

} // namespace

TEST(Rulings, Dates) {
    EXPECT_EQ(RulingsSummaryDate(installed), "02/05/17");
    EXPECT_EQ(RulingsSummaryDate({"no header", "Crag Wyrm:"}), "");
    EXPECT_EQ(RulingsSummaryDate({"Card Rulings Summary without a date"}), "");

    struct Case {
        const char* What;
        std::vector<std::string> Lines;
        std::string AddUpdated;
        TRulingsIndicator Indicator;
    };
    const std::vector<Case> cases{
        {"follows the installed summary", changes("02/05/17"), "02/06/14",
         TRulingsIndicator::Green},
        {"skips a release", changes("02/04/12"), "02/06/14", TRulingsIndicator::Yellow},
        {"only the first eight characters count", changes("02/05/17x"), "02/06/14",
         TRulingsIndicator::Green},
        {"without the since line",
         {changes("x")[1], separator, "Crag Wyrm:"},
         "",
         TRulingsIndicator::None},
        {"a full summary, not a changes-only one",
         {installed[1], installed[2]},
         "",
         TRulingsIndicator::Yellow},
        {"empty", {}, "", TRulingsIndicator::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const TRulingsCheck check = CheckRulingsChanges(c.Lines, "02/05/17");
        EXPECT_EQ(check.LastUpdated, "02/05/17");
        EXPECT_EQ(check.AddUpdated, c.AddUpdated);
        EXPECT_EQ(check.Indicator, c.Indicator);
    }
}

TEST(Rulings, HeaderMarksAndChangedBlocks) {
    const std::vector<std::string> change = changes("02/05/17");
    const TRulingsCheck check = CheckRulingsChanges(change, RulingsSummaryDate(installed));
    const std::vector<std::string> updated = UpdatedRuleLines(installed, change, check);

    EXPECT_EQ(updated[0], "ZANDOR TRADING CARD GAME");
    EXPECT_EQ(updated[1].size(), 70u + 8u);
    EXPECT_EQ(updated[1], "Card Rulings Summary" + std::string(42, ' ') + "Updated 02/06/14");
    EXPECT_EQ(updated[2], "A '+' is used to mark changes since the 02/05/17 release.");
    EXPECT_EQ(RulingsSummaryDate(updated), "02/06/14");

    // The result keeps the grammar: every card once, in alphabetical order.
    std::vector<std::string> names;
    for (const TRulingBlock& block : RulingBlocks(updated))
        names.push_back(block.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Aaron's Lantern", "Ashen Crossing", "Crag Wyrm",
                                               "Mend/Rend (Mend)", "Stormbrew Elemental",
                                               "Undertow Denial", "Zephyr Tollkeeper"}));
    // Changed and new cards carry the new entries with their marks ...
    for (const char* name :
         {"Crag Wyrm", "Stormbrew Elemental", "Aaron's Lantern", "Zephyr Tollkeeper"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(CollectRulingEntries(updated, name), CollectRulingEntries(change, name));
        EXPECT_FALSE(CollectRulingEntries(updated, name).empty());
    }
    // ... the others lose their old marks and keep their rulings.
    EXPECT_EQ(CollectRulingEntries(updated, "Ashen Crossing"),
              (std::vector<std::string>{"Info: Emberhold uncommon.",
                                        "* Charge counters are not +1/+1 counters."}));
    EXPECT_EQ(CollectRulingEntries(updated, "Undertow Denial"),
              (std::vector<std::string>{"* The caster decides whether to pay while it resolves."}));
    for (const TRulingBlock& block : RulingBlocks(updated)) {
        const bool fromChanges = CollectRulingEntries(change, block.Name).size() > 0;
        for (std::size_t i = block.First + 1; i < block.End; ++i) {
            if (!fromChanges) {
                EXPECT_NE(updated[i][0], '+') << updated[i];
            }
        }
        // Blocks are apart: the line after each block is empty or the end of the file.
        if (block.End < updated.size()) {
            EXPECT_EQ(updated[block.End], "") << block.Name;
        }
    }
    EXPECT_EQ(updated.back(), "+ Info: Saltveil common.");
}

TEST(Rulings, OnlyTheHeaderIsRenewed) {
    // A ruling that quotes the header's words keeps its text.
    std::vector<std::string> lines = installed;
    lines.insert(lines.begin() + 8,
                 "  * The Card Rulings Summary is used to mark changes since the");
    lines.insert(lines.begin() + 9, "     last release of this card (see Rule 100.1.)");
    const std::vector<std::string> change = changes("02/05/17");
    const std::vector<std::string> updated =
        UpdatedRuleLines(lines, change, CheckRulingsChanges(change, "02/05/17"));
    EXPECT_EQ(CollectRulingEntries(updated, "Ashen Crossing"),
              (std::vector<std::string>{"Info: Emberhold uncommon.",
                                        "* The Card Rulings Summary is used to mark changes since "
                                        "the last release of this card (see Rule 100.1.)",
                                        "* Charge counters are not +1/+1 counters."}));
    EXPECT_EQ(RulingsSummaryDate(updated), "02/06/14");
}

TEST(Rulings, NewCardsWhoseNamesDifferOnlyInCaseAreBothKept) {
    TRulingsCheck check;
    check.AddUpdated = "03/01/01";
    const std::vector<std::string> change{"A '+' is used to mark changes since the  release.",
                                          "ember rite:",
                                          "+ small",
                                          "",
                                          "Ember Rite:",
                                          "+ capital",
                                          "",
                                          "Bb:",
                                          "+ again"};
    const std::vector<std::string> updated = UpdatedRuleLines({"Bb:", "  one"}, change, check);
    EXPECT_EQ(CollectRulingEntries(updated, "ember rite"), (std::vector<std::string>{"+ small"}));
    EXPECT_EQ(CollectRulingEntries(updated, "Ember Rite"), (std::vector<std::string>{"+ capital"}));
    EXPECT_EQ(CollectRulingEntries(updated, "Bb"), (std::vector<std::string>{"+ again"}));
    EXPECT_EQ(RulingBlocks(updated).size(), 3u);
}

TEST(Rulings, ASummaryWithoutHeader) {
    // A summary of blocks only is all body; changes still find their places.
    const std::vector<std::string> bare{"Bb:", "  one", "", "Dd:", "+ two"};
    TRulingsCheck check;
    check.AddUpdated = "03/01/01";
    check.LastUpdated = "";
    const std::vector<std::string> change{"Card Rulings Summary (CHANGES ONLY) Updated 03/01/01",
                                          "A '+' is used to mark changes since the  release.",
                                          "Aa:",
                                          "+ new",
                                          "",
                                          "Cc:",
                                          "+ new too"};
    EXPECT_EQ(UpdatedRuleLines(bare, change, check),
              (std::vector<std::string>{"Aa:", "+ new", "", "Bb:", "  one", "", "Cc:", "+ new too",
                                        "", "Dd:", "  two"}));
}

namespace {

struct RulingsFiles : ::testing::Test {
    TTempDir dir;
    TCardDatabase db;
    void SetUp() override {
        WriteTextLines(dir.File("cardlist.dat"), {CardLine("Crag Wyrm", "SV")});
        WriteTextLines(dir.File("rulecards.dat"), installed);
        LoadCardDatabase(db, dir.Path(), dir.Path());
        ASSERT_EQ(db.RuleLines, installed);
    }
};

} // namespace

TEST_F(RulingsFiles, TheBackupHoldsTheOldLines) {
    const std::vector<std::string> change = changes("02/05/17");
    const TRulingsUpdateResult result =
        UpdateRulings(db, change, CheckRulingsChanges(change, "02/05/17"));
    ASSERT_TRUE(result.Done) << result.Error;
    EXPECT_EQ(*ReadTextLines(dir.File("rulecards.bak")), installed);
    EXPECT_EQ(*ReadTextLines(dir.File("rulecards.dat")), db.RuleLines);
    EXPECT_EQ(RulingsSummaryDate(db.RuleLines), "02/06/14");
}

TEST_F(RulingsFiles, AnUpdateWithoutDateOrLinesDoesNothing) {
    const std::vector<std::string> noSince{changes("x")[1], separator, "Crag Wyrm:", "+ new"};
    EXPECT_FALSE(UpdateRulings(db, noSince, CheckRulingsChanges(noSince, "02/05/17")).Done);
    TRulingsCheck dated;
    dated.AddUpdated = "02/06/14";
    EXPECT_FALSE(UpdateRulings(db, {}, dated).Done);
    EXPECT_EQ(db.RuleLines, installed);
    EXPECT_FALSE(FileExists(dir.File("rulecards.bak")));
}

TEST_F(RulingsFiles, AFailedWriteChangesNothing) {
    const std::vector<std::string> change = changes("02/05/17");
    const TRulingsCheck check = CheckRulingsChanges(change, "02/05/17");
    const std::string before = ReadBytes(dir.File("rulecards.dat"));
    {
        TFailOneFile fail("rulecards.bak");
        const TRulingsUpdateResult result = UpdateRulings(db, change, check);
        EXPECT_FALSE(result.Done);
        EXPECT_FALSE(result.Error.empty());
        EXPECT_EQ(fail.Attempts, 1);
    }
    EXPECT_EQ(db.RuleLines, installed);
    EXPECT_EQ(ReadBytes(dir.File("rulecards.dat")), before);
    {
        TFailOneFile fail("rulecards.dat");
        const TRulingsUpdateResult result = UpdateRulings(db, change, check);
        EXPECT_FALSE(result.Done);
        EXPECT_FALSE(result.Error.empty());
    }
    EXPECT_EQ(db.RuleLines, installed);
    EXPECT_EQ(ReadBytes(dir.File("rulecards.dat")), before);
    // A summary that was there but could not be read is not overwritten.
    db.MissingFiles.push_back("rulecards.dat");
    EXPECT_FALSE(UpdateRulings(db, change, check).Error.empty());
    EXPECT_EQ(ReadBytes(dir.File("rulecards.dat")), before);
}
