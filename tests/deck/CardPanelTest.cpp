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
        {{"Jolt", "QAL", "R", "C", "Instant", "R", "Deals 3 damage.|Fast.", "", "", "0,50"},
         {"Ember/Rime (Ember)", "QEM", "R", "U", "Instant", "1R", "Ember text."},
         {"Ember/Rime (Rime)", "QEM", "U", "U", "Instant", "1U", "Rime text."}},
        {},
        {"Jolt:", "  Info: R, Instant", "  Text(x) Deals 3.", "  See Rule 100.1. now", "",
         "Ember/Rime (Rime):", "  Info: 1U", ""}};
};

} // namespace

TEST_F(CardPanel, BaseLineClick) {
    const TCardPanel jolt = BaseLinePanel(base.Db, "[QAL] - Jolt");
    EXPECT_EQ(jolt.Card.Name, "Jolt");
    EXPECT_EQ(jolt.Price, "Price: 0,50 $");
    EXPECT_EQ(jolt.Memo, (std::vector<std::string>{"Info: R, Instant", "", "Text: Deals 3.", "",
                                                   "Rulings:", "See<Rule 100.1> now", ""}));
    EXPECT_EQ(jolt.Hint, "Deals 3 damage.\n\rast.");
    EXPECT_TRUE(jolt.Tabs.Tabs.empty());

    const TCardPanel ice = BaseLinePanel(base.Db, "[QEM] - Ember/Rime (Rime)");
    // The block's last, empty entry still gives its "Text: " line.
    EXPECT_EQ(ice.Memo, (std::vector<std::string>{"Info: 1U", "", "Text: "}));
    EXPECT_EQ(ice.Tabs.Selected, 1);
    EXPECT_EQ(TabCard(base.Db, ice.Tabs, 0).Text, "Ember text.");

    const TCardPanel missing = BaseLinePanel(base.Db, "[ZZZ] - Jolt");
    EXPECT_TRUE(IsNotFound(missing.Card));
    EXPECT_TRUE(missing.Memo.empty());
}

TEST_F(CardPanel, DeckLineClick) {
    const TDeckPanel split = DeckLinePanel(base.Db, "    2 [QEM] - Ember/Rime");
    ASSERT_TRUE(split.Ok);
    EXPECT_EQ(split.BaseLine, "[QEM] - Ember/Rime (Ember)");
    EXPECT_EQ(split.Panel.Card.Text, "Ember text.");
    EXPECT_EQ(split.Panel.Tabs.Selected, 0);
    EXPECT_EQ(TabCard(base.Db, split.Panel.Tabs, 1).Text, "Rime text.");
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
