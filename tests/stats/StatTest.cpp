#include "stats/UStat.h"

#include <gtest/gtest.h>

using namespace zandor;

namespace {

struct TCardRow {
    const char* name;
    const char* type;
    const char* cost;
    const char* rarity = "C";
    const char* value = "";
    const char* edition = "TST";
};

std::string cardLine(const TCardRow& row) {
    TZandorCard c;
    c.Name = row.name;
    c.Edition = row.edition;
    c.CardType = row.type;
    c.Cost = row.cost;
    c.Rarity = row.rarity;
    c.Value = row.value;
    c.Color = "W";
    c.PT = "1/1";
    return FormatCardLine(c);
}

// A model over a small card base of its own; each test adds the cards it needs.
struct Stats : ::testing::Test {
    TCardLines cardLines;
    TNameIndex index;
    TStatCards stats;

    void base(std::initializer_list<TCardRow> cards) {
        for (const TCardRow& c : cards)
            cardLines.push_back(cardLine(c));
        cardLines.Sort();
        BuildNameIndex(index, cardLines);
    }
    TStatResult build(const std::vector<std::string>& deck) {
        return stats.Build(deck, index, cardLines);
    }
    static std::string mainLine(int count, const std::string& name, const std::string& ed = "TST") {
        return "    " + std::to_string(count) + " [" + ed + "] - " + name;
    }
};

} // namespace

TEST(StatCost, ConvertedCostScansFromTheRight) {
    const std::pair<const char*, const char*> cases[] = {
        {"2WW", "4"}, {"XR", "4"}, {"10", "10"}, {"WWW", "3"}, {"2 U", "3"}, {"W2W", "1"},
        {"", "0"},    {"XX", "6"}, {"2ww", "0"}, {"15", "15"}, {"0", "0"},   {"1XX", "7"},
    };
    for (const auto& [cost, converted] : cases)
        EXPECT_EQ(TStatCards::ConvertedCost(cost), converted) << cost;
}

TEST(StatCost, SymbolCountPerKey) {
    struct Case {
        const char* cost;
        const char* key;
        std::int64_t count;
    };
    const Case cases[] = {
        {"2WW", "Art", 2}, {"XR", "Art", 3}, {"1XX", "Art", 7}, {"X2R", "Art", 0},
        {"", "Art", 0},    {"2WW", "W", 2},  {"W2W", "W", 2},   {"2ww", "W", 0},
        {"", "G", 0},      {"1WU", "U", 1},  {"BB", "B", 2},    {"10", "Art", 10},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TStatCards::SymbolCount(c.cost, c.key), c.count) << c.cost << " " << c.key;
    // For a well-formed cost the six keys share out its converted cost.
    for (const char* cost : {"2WW", "XR", "3WUBRG", "12", "XXG", "1"}) {
        std::int64_t sum = 0;
        for (std::string_view key : StatColorKeys)
            sum += TStatCards::SymbolCount(cost, key);
        EXPECT_EQ(std::to_string(sum), TStatCards::ConvertedCost(cost)) << cost;
    }
}

TEST_F(Stats, BuildTakesMainDeckLinesOnlyAndLooksEachCardUp) {
    base({{"Ember/Rime (Ember)", "Instant", "1R", "U", "0,75"},
          {"Ember/Rime (Rime)", "Instant", "1U", "U", "0,75"},
          {"Mossy Hollow", "Land", "", "C", "0,1"},
          {"Skyreach Tor", "Legendary Land", "", "R"},
          {"Vigil Seraph", "Creature - Angel", "3WW", "U", "1,25", "HEA"}});
    ASSERT_TRUE(
        build({"// comment", mainLine(4, "Vigil Seraph", "HEARTHS"), "SB: 2 [TST] - Mossy Hollow",
               mainLine(1, "Ember/Rime"), "   12 [TST] - Mossy Hollow", mainLine(1, "Skyreach Tor"),
               mainLine(3, "Lost Card"), "/   7 [TST] - Mossy Hollow", ""})
            .Ok);
    ASSERT_EQ(stats.Cards.size(), 4u);
    const TZandorStatCard& angel = stats.Cards[0];
    EXPECT_EQ(angel.Name, "Vigil Seraph");
    EXPECT_EQ(angel.Edition, "HEA"); // the key is cut to three characters
    EXPECT_EQ(angel.Count, 4);
    EXPECT_EQ(angel.Cost, "3WW");
    EXPECT_EQ(angel.ConvCost, "5");
    EXPECT_EQ(angel.CardType, "Creature - Angel");
    EXPECT_EQ(angel.Rarity, "U");
    EXPECT_EQ(angel.Value, "1,25");
    EXPECT_EQ(angel.PT, "1/1");
    EXPECT_EQ(angel.Color, "W");
    // A split card keeps its full name and takes the first half's record.
    EXPECT_EQ(stats.Cards[1].Name, "Ember/Rime");
    EXPECT_EQ(stats.Cards[1].Cost, "1R");
    EXPECT_EQ(stats.Cards[2].Count, 12);
    EXPECT_EQ(stats.Cards[2].ConvCost, "");  // a plain land has no converted cost
    EXPECT_EQ(stats.Cards[3].ConvCost, "0"); // a legendary land has one
    // A card the base no longer holds gets no row and counts nowhere; it is named instead.
    EXPECT_EQ(stats.Missing, (std::vector<TMissingStatCard>{{7, "Lost Card", "TST", 3}}));
    EXPECT_EQ(stats.NonLandCount, 4 + 1 + 1);

    // A second build replaces every row.
    ASSERT_TRUE(build({mainLine(2, "Mossy Hollow")}).Ok);
    ASSERT_EQ(stats.Cards.size(), 1u);
    EXPECT_EQ(stats.NonLandCount, 0);
}

TEST_F(Stats, ACountThatIsNoNumberFailsAndLeavesTheModelAsItWas) {
    base({{"Mossy Hollow", "Land", ""}, {"Thornwood Elves", "Summon Elf", "G"}});
    ASSERT_TRUE(build({mainLine(3, "Thornwood Elves")}).Ok);
    const std::pair<const char*, const char*> cases[] = {
        {"    x [TST] - Mossy Hollow", "'x' is not a valid integer value"},
        {"    3000000000 [TST] - Mossy Hollow", "'3000000000' is not a valid integer value"},
        {"    4 Mossy Hollow", "'' is not a valid integer value"}, // an old-format line
        {"    -4 [TST] - Mossy Hollow", "'-4' is not a valid integer value"},
        {"   -1 [TST] - Mossy Hollow", "'-1' is not a valid integer value"},
        {"    4", "has a count and no card"},
        {"    -2   ", "has a count and no card"},
        {"    4 [TST] - ", "has a count and no card"},
        {"    4 [TST]", "has a count and no card"},
    };
    for (const auto& [line, message] : cases) {
        const TStatResult result = build({mainLine(1, "Mossy Hollow"), line});
        EXPECT_FALSE(result.Ok);
        EXPECT_NE(result.Error.find(message), std::string::npos) << result.Error;
        EXPECT_NE(result.Error.find(line), std::string::npos) << result.Error;
        ASSERT_EQ(stats.Cards.size(), 1u);
        EXPECT_EQ(stats.Cards[0].Name, "Thornwood Elves");
        EXPECT_EQ(stats.NonLandCount, 3);
    }
}

TEST_F(Stats, ADeckWithoutMainDeckLinesHasNoFigures) {
    base({{"Mossy Hollow", "Land", "", "C", "1"}});
    ASSERT_TRUE(build({"// only", "SB: 4 [TST] - Mossy Hollow"}).Ok);
    EXPECT_TRUE(stats.Cards.empty());
    EXPECT_EQ(stats.NonLandCount, 0);
    for (int bucket = 1; bucket <= CurveBuckets; ++bucket)
        EXPECT_EQ(stats.CurveCount(bucket), 0);
    EXPECT_EQ(stats.TypeCounts().Total(), 0);
    EXPECT_EQ(stats.RarityCounts().Commons, 0);
    EXPECT_EQ(stats.DeckValue(), TCurrency{0});
    EXPECT_EQ(stats.AllColorTotal(), 0);
    // The window and the command show 0 where the divisor is 0.
    EXPECT_EQ(SharePercent(0, 0, '.'), "0");
    EXPECT_EQ(AverageText(0, stats.NonLandCount, '.'), "0");
}

TEST_F(Stats, CurveBucketsShareTheEnds) {
    base({{"Zero", "Artifact", "0"},
          {"One", "Instant", "U"},
          {"Two", "Instant", "1U"},
          {"Six", "Sorcery", "4BB"},
          {"Seven", "Sorcery", "7"},
          {"Eight", "Sorcery", "6GG"},
          {"Fifteen", "Sorcery", "15"},
          {"Plain", "Land", ""},
          {"Legend", "Legendary Land", ""}});
    ASSERT_TRUE(build({mainLine(1, "Zero"), mainLine(2, "One"), mainLine(3, "Two"),
                       mainLine(4, "Six"), mainLine(5, "Seven"), mainLine(6, "Eight"),
                       mainLine(7, "Fifteen"), mainLine(8, "Plain"), mainLine(9, "Legend")})
                    .Ok);
    // Costs 0 and 1 (and the legendary land) share bucket 1; 7 and above share bucket 7.
    const std::int64_t expected[CurveBuckets] = {1 + 2 + 9, 3, 0, 0, 0, 4, 5 + 6 + 7};
    for (int bucket = 1; bucket <= CurveBuckets; ++bucket)
        EXPECT_EQ(stats.CurveCount(bucket), expected[bucket - 1]) << bucket;
    EXPECT_EQ(stats.CurveCount(0), 0);
    EXPECT_EQ(stats.CurveCount(8), 0);
}

TEST_F(Stats, ColourTotalsAndTheColourSplitOfABucket) {
    base({{"Knight", "Summon Knight", "1W"},
          {"Twins", "Summon Twins", "UW"},
          {"Blast", "Instant", "XR"},
          {"Mossy Hollow", "Land", "G"}}); // a land's cost is never counted
    ASSERT_TRUE(build({mainLine(1, "Knight"), mainLine(2, "Twins"), mainLine(3, "Blast"),
                       mainLine(4, "Mossy Hollow")})
                    .Ok);
    EXPECT_EQ(stats.ColorTotal("W"), 1 + 2);
    EXPECT_EQ(stats.ColorTotal("U"), 2);
    EXPECT_EQ(stats.ColorTotal("R"), 3);
    EXPECT_EQ(stats.ColorTotal("G"), 0);
    EXPECT_EQ(stats.ColorTotal("B"), 0);
    EXPECT_EQ(stats.ColorTotal("Art"), 1 + 3 * 3);
    EXPECT_EQ(stats.AllColorTotal(), 3 + 2 + 3 + 10);
    // Bucket 2 holds the knight and the twins, bucket 4 the blast.
    EXPECT_EQ(stats.ColorCurveCount("W", 2), 3);
    EXPECT_EQ(stats.ColorCurveCount("U", 2), 2);
    EXPECT_EQ(stats.ColorCurveCount("Art", 2), 1);
    EXPECT_EQ(stats.ColorCurveCount("R", 2), 0);
    EXPECT_EQ(stats.ColorCurveCount("R", 4), 3);
    EXPECT_EQ(stats.ColorCurveCount("Art", 4), 9);
    EXPECT_EQ(stats.ColorCurveCount("G", 1), 0);
}

TEST_F(Stats, TypeCountsTestPrefixesInOrder) {
    const std::pair<const char*, int> cases[] = {
        // 0 lands, 1 creatures, 2 spells
        {"Creature - Elf", 1},    {"Smn Elf", 1},
        {"Summon Elf", 1},        {"Summoner", 2},
        {"creature", 2},          {"Land", 0},
        {"Legendary Land", 0},    {"Land - Mossy Hollow", 0},
        {"Artifact Creature", 2}, {"Legendary Creature", 2},
        {"Instant", 2},           {"", 2},
    };
    for (const auto& [type, kind] : cases) {
        stats.Cards = {TZandorStatCard{}};
        stats.Cards[0].CardType = type;
        stats.Cards[0].Count = 3;
        const TTypeCounts counts = stats.TypeCounts();
        const std::int64_t got[3] = {counts.Lands, counts.Creatures, counts.Spells};
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(got[k], k == kind ? 3 : 0) << type;
    }
}

TEST_F(Stats, RarityCountsKnowThreeLetters) {
    base({{"Common", "Instant", "R", "C"},
          {"Uncommon", "Instant", "R", "U"},
          {"Rare", "Instant", "R", "R"},
          {"Special", "Instant", "R", "S"},
          {"Blank", "Instant", "R", ""},
          {"Lower", "Instant", "R", "c"}});
    ASSERT_TRUE(build({mainLine(1, "Common"), mainLine(2, "Uncommon"), mainLine(3, "Rare"),
                       mainLine(4, "Special"), mainLine(5, "Blank"), mainLine(6, "Lower"),
                       mainLine(7, "Common")})
                    .Ok);
    const TRarityCounts counts = stats.RarityCounts();
    EXPECT_EQ(counts.Commons, 8);
    EXPECT_EQ(counts.Uncommons, 2);
    EXPECT_EQ(counts.Rares, 3);
}

TEST_F(Stats, DeckValueIsFixedPointAndSkipsPricesThatDoNotRead) {
    base({{"Quarter", "Instant", "R", "C", "1,25"},
          {"Empty", "Instant", "R", "C", ""},
          {"Garbled", "Instant", "R", "C", "1,2x"},
          {"Tenth", "Land", "", "C", "0,1"},
          {"Dotted", "Instant", "R", "C", "0.5"}});
    ASSERT_TRUE(build({mainLine(4, "Quarter"), mainLine(3, "Empty"), mainLine(2, "Garbled")}).Ok);
    EXPECT_EQ(stats.DeckValue(','), TCurrency{50000});
    // Thirty tenths are exactly three: fixed point adds no drift.
    ASSERT_TRUE(build({mainLine(30, "Tenth")}).Ok);
    EXPECT_EQ(stats.DeckValue(','), TCurrency{30000});
    // The locale's separator reads, and so does the comma the price update writes.
    ASSERT_TRUE(build({mainLine(1, "Dotted"), mainLine(1, "Quarter")}).Ok);
    EXPECT_EQ(stats.DeckValue('.'), TCurrency{17500});
    EXPECT_EQ(stats.DeckValue(','), TCurrency{12500});
}

TEST(StatCurrency, ReadsAndWritesPrices) {
    const std::pair<const char*, std::int64_t> reads[] = {
        {"1,25", 12500}, {" 3 ", 30000},   {"0,00005", 1},      {"0,00004", 0},
        {",5", 5000},    {"-2,5", -25000}, {"12,3456", 123456},
    };
    for (const auto& [text, units] : reads) {
        TCurrency amount;
        EXPECT_TRUE(TryReadCurrency(text, '.', amount)) << text;
        EXPECT_EQ(amount.Units, units) << text;
    }
    for (const char* text : {"", "abc", ",", "1,2,3", "1 5", "99999999999999999999"}) {
        TCurrency amount;
        EXPECT_FALSE(TryReadCurrency(text, '.', amount)) << text;
    }
    EXPECT_EQ(FormatCurrency({50000}, '.'), "5");
    EXPECT_EQ(FormatCurrency({12500}, ','), "1,25");
    EXPECT_EQ(FormatCurrency({1}, '.'), "0.0001");
    EXPECT_EQ(FormatCurrency({-25000}, '.'), "-2.5");
}

TEST(StatFigures, SharesAndAveragesAreCutToTwoDecimals) {
    EXPECT_EQ(SharePercent(17, 40, '.'), "42.5");
    EXPECT_EQ(SharePercent(1, 3, '.'), "33.33");
    EXPECT_EQ(SharePercent(2, 3, ','), "66,66");
    EXPECT_EQ(SharePercent(40, 40, '.'), "100");
    EXPECT_EQ(SharePercent(5, 0, '.'), "0");
    EXPECT_EQ(AverageText(33, 18, '.'), "1.83");
    EXPECT_EQ(AverageText(36, 18, '.'), "2");
    EXPECT_EQ(AverageText(1, 300, '.'), "0");
    EXPECT_EQ(FormatHundredths(-150, '.'), "-1.5");
    // The colour split of a bucket: a 1W card in bucket 2 is half white, half colourless.
    EXPECT_EQ(LocalCostText(1, 2, 2, '.'), "1 - (50%)");
    EXPECT_EQ(LocalCostText(2, 3, 7, '.'), "4.66 - (66%)");
    EXPECT_EQ(LocalCostText(1, 3, 1, ','), "0,33 - (33%)");
    EXPECT_EQ(LocalCostText(1, 0, 4, '.'), "0 - (0%)");
}

TEST_F(Stats, UpdateRowAppliesTheEditAndKeepsNonLandCount) {
    base({{"Bear", "Summon Bear", "1G"}, {"Mossy Hollow", "Land", ""}});
    ASSERT_TRUE(build({mainLine(4, "Bear"), mainLine(10, "Mossy Hollow")}).Ok);
    ASSERT_EQ(stats.NonLandCount, 4);

    ASSERT_TRUE(stats.UpdateRow(0, "1GG", "2").Ok);
    EXPECT_EQ(stats.NonLandCount, 2);
    EXPECT_EQ(stats.Cards[0].Cost, "1GG");
    EXPECT_EQ(stats.Cards[0].ConvCost, "3");
    EXPECT_EQ(stats.CurveCount(2), 0);
    EXPECT_EQ(stats.CurveCount(3), 2);
    EXPECT_EQ(stats.ColorTotal("G"), 4);
    EXPECT_EQ(stats.TypeCounts().Creatures, 2);

    // A land row changes its count but not the count of non-land cards.
    ASSERT_TRUE(stats.UpdateRow(1, "", "7").Ok);
    EXPECT_EQ(stats.NonLandCount, 2);
    EXPECT_EQ(stats.TypeCounts().Lands, 7);

    // A count that does not fit 32 bits leaves the row whole, cost included.
    const TStatResult tooBig = stats.UpdateRow(0, "5", "99999999999");
    EXPECT_FALSE(tooBig.Ok);
    EXPECT_EQ(tooBig.Error, "'99999999999' is not a valid integer value");
    EXPECT_EQ(stats.Cards[0].Cost, "1GG");
    EXPECT_EQ(stats.Cards[0].Count, 2);
    EXPECT_EQ(stats.NonLandCount, 2);
    EXPECT_FALSE(stats.UpdateRow(5, "1", "1").Ok); // no such row

    // The largest counts do not overflow the sums.
    ASSERT_TRUE(stats.UpdateRow(0, "1G", "2147483647").Ok);
    ASSERT_TRUE(build({mainLine(2147483647, "Bear"), mainLine(2147483647, "Bear")}).Ok);
    EXPECT_EQ(stats.NonLandCount, 2 * 2147483647LL);
}

TEST(StatNumbers, ReadInt32LikeTheDeckFilesWriteIt) {
    const std::pair<const char*, std::int32_t> reads[] = {
        {"4", 4}, {" 12 ", 12}, {"+3", 3}, {"-2", -2}, {"007", 7}, {"2147483647", 2147483647},
    };
    for (const auto& [text, value] : reads) {
        std::int32_t got = 0;
        EXPECT_TRUE(TryReadInt32(text, got)) << text;
        EXPECT_EQ(got, value) << text;
    }
    for (const char* text : {"", " ", "x", "4x", "2147483648", "1 2", "+", "0x10"}) {
        std::int32_t got = 0;
        EXPECT_FALSE(TryReadInt32(text, got)) << text;
    }
}

TEST_F(Stats, CardsTheBaseLacksAreNamedAndCountedNowhere) {
    base({{"Mossy Hollow", "Land", ""}, {"Grove Sentry", "Summon Treefolk", "2G", "U"}});
    ASSERT_TRUE(
        build({mainLine(10, "Mossy Hollow"), mainLine(2, "Grove Sentry"), mainLine(3, "Ashen Wisp"),
               mainLine(1, "Grove Sentry", "ZZ"), "SB: 2 [TST] - Cinder Gnat"})
            .Ok);
    EXPECT_EQ(stats.Missing, (std::vector<TMissingStatCard>{{3, "Ashen Wisp", "TST", 3},
                                                            {4, "Grove Sentry", "ZZ", 1}}));
    const TTypeCounts types = stats.TypeCounts();
    EXPECT_EQ(types.Spells, 0); // not taken for spells
    EXPECT_EQ(types.Creatures, 2);
    EXPECT_EQ(types.Lands, 10);
    EXPECT_EQ(stats.CurveCount(1), 0); // nor for cards of cost 0
    EXPECT_EQ(stats.NonLandCount, 2);
    const std::string message = MissingCardsMessage(stats.Missing);
    EXPECT_EQ(message.rfind("2 deck lines name cards", 0), 0u) << message;
    EXPECT_NE(message.find("3 [TST] - Ashen Wisp (line 3)"), std::string::npos) << message;
    EXPECT_NE(message.find("1 [ZZ] - Grove Sentry (line 4)"), std::string::npos) << message;
    // A build of a sound deck forgets them.
    ASSERT_TRUE(build({mainLine(10, "Mossy Hollow")}).Ok);
    EXPECT_TRUE(stats.Missing.empty());
}

TEST_F(Stats, ANegativeCountTypedIntoARowIsRefused) {
    base({{"Grove Sentry", "Summon Treefolk", "2G", "U"}});
    ASSERT_TRUE(build({mainLine(4, "Grove Sentry")}).Ok);
    for (const char* count : {"-1", "-2147483648", " -3 "}) {
        const TStatResult result = stats.UpdateRow(0, "1G", count);
        EXPECT_FALSE(result.Ok) << count;
        EXPECT_NE(result.Error.find("is not a valid integer value"), std::string::npos);
        EXPECT_EQ(stats.Cards[0].Count, 4);
        EXPECT_EQ(stats.Cards[0].Cost, "2G");
        EXPECT_EQ(stats.NonLandCount, 4);
    }
    EXPECT_TRUE(stats.UpdateRow(0, "1G", "0").Ok);
    EXPECT_EQ(stats.NonLandCount, 0);
}
