#include "core/UTextFile.h"
#include "deck/UCardInfo.h"
#include "deck/UVersionRecord.h"
#include "tests/deck/DeckTestBase.h"

#include <gtest/gtest.h>

using namespace zandor;
using namespace zandor::test;

namespace {

struct CardPanel : ::testing::Test {
    TTestBase base{
        {{"Bolt", "LEA", "R", "C", "Instant", "R", "Deals 3 damage.|Fast.", "", "", "0,50"},
         {"Fire/Ice (Fire)", "APC", "R", "U", "Instant", "1R", "Fire text."},
         {"Fire/Ice (Ice)", "APC", "U", "U", "Instant", "1U", "Ice text."}},
        {},
        {"Bolt:", "  Info: R, Instant", "  Text(x) Deals 3.", "  See Rule 100.1. now", "",
         "Fire/Ice (Ice):", "  Info: 1U", ""}};
};

} // namespace

TEST_F(CardPanel, BaseLineClick) {
    const TCardPanel bolt = BaseLinePanel(base.Db, "[LEA] - Bolt");
    EXPECT_EQ(bolt.Card.Name, "Bolt");
    EXPECT_EQ(bolt.Price, "Price: 0,50 $");
    EXPECT_EQ(bolt.Memo, (std::vector<std::string>{"Info: R, Instant", "", "Text: Deals 3.", "",
                                                   "Rulings:", "See<Rule 100.1> now", ""}));
    EXPECT_EQ(bolt.Hint, "Deals 3 damage.\n\rast.");
    EXPECT_TRUE(bolt.Tabs.Tabs.empty());

    const TCardPanel ice = BaseLinePanel(base.Db, "[APC] - Fire/Ice (Ice)");
    // The block's last, empty entry still gives its "Text: " line.
    EXPECT_EQ(ice.Memo, (std::vector<std::string>{"Info: 1U", "", "Text: "}));
    EXPECT_EQ(ice.Tabs.Selected, 1);
    EXPECT_EQ(TabCard(base.Db, ice.Tabs, 0).Text, "Fire text.");

    const TCardPanel missing = BaseLinePanel(base.Db, "[ZZZ] - Bolt");
    EXPECT_TRUE(IsNotFound(missing.Card));
    EXPECT_TRUE(missing.Memo.empty());
}

TEST_F(CardPanel, DeckLineClick) {
    const TDeckPanel split = DeckLinePanel(base.Db, "    2 [APC] - Fire/Ice");
    ASSERT_TRUE(split.Ok);
    EXPECT_EQ(split.BaseLine, "[APC] - Fire/Ice (Fire)");
    EXPECT_EQ(split.Panel.Card.Text, "Fire text.");
    EXPECT_EQ(split.Panel.Tabs.Selected, 0);
    EXPECT_EQ(TabCard(base.Db, split.Panel.Tabs, 1).Text, "Ice text.");
    EXPECT_TRUE(split.Panel.Hint.empty());
    EXPECT_FALSE(DeckLinePanel(base.Db, "// Burn").Ok);
}

TEST_F(CardPanel, VersionRecord) {
    ASSERT_TRUE(WriteVersionRecord(base.Db).Ok);
    ASSERT_TRUE(WriteVersionRecord(base.Db).Ok); // twice gives two lines
    const TZandorCard version = FindCard(base.Db, "Version", "@@");
    EXPECT_EQ(version.Text, "Base 0.8 version");
    EXPECT_EQ(version.Flavor, "02.07.01");
    EXPECT_EQ(base.Db.CardLines.size(), 5u);
    EXPECT_EQ(ReadTextLines(base.Dir.File("cardlist.dat")).value(), base.Db.CardLines);

    const std::string before = ReadBytes(base.Dir.File("cardlist.dat"));
    TFailingWriter failing;
    EXPECT_FALSE(WriteVersionRecord(base.Db).Ok);
    EXPECT_EQ(base.Db.CardLines.size(), 5u);
    EXPECT_EQ(ReadBytes(base.Dir.File("cardlist.dat")), before);
}
