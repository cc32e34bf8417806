#include "app/UCommandLine.h"
#include "stats/UDrawOdds.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace zandor;

TEST(DrawOdds, ExactValuesWorkedOutByHand) {
    const struct {
        std::int64_t deck, copies, seen, atLeast;
        const char* percent;
    } cases[] = {
        // 1 − C(56,7) / C(60,7) = 1 − 231,917,400 / 386,206,920.
        {60, 4, 7, 1, "39.95"},
        // 1 − (C(56,7) + 4·C(56,6)) / C(60,7) = 1 − 361,791,144 / 386,206,920.
        {60, 4, 7, 2, "6.32"},
        {60, 4, 7, 3, "0.39"},
        // 4·C(56,3) / C(60,7) = 0.0072 %: rounds up to one hundredth.
        {60, 4, 7, 4, "0.01"},
        // One card more, on the draw: 1 − C(56,8) / C(60,8).
        {60, 4, 8, 1, "44.48"},
        {40, 1, 7, 1, "17.50"}, // 7 / 40
        {60, 0, 7, 1, "0.00"},
        {10, 1, 11, 1, "100.00"}, // more seen than the deck holds: the whole deck
        {10, 1, 11, 2, "0.00"},
        {60, 4, 60, 4, "100.00"},
        {60, 4, 59, 4, "93.33"}, // 56 / 60: only the unseen card can be missing
        // Exact halves round up: 1/32 = 3.125 %, 5/32 = 15.625 %.
        {32, 1, 1, 1, "3.13"},
        {32, 1, 5, 1, "15.63"},
        {32, 1, 0, 1, "0.00"},
        {32, 1, 5, 0, "100.00"},
        {0, 0, 7, 1, "0.00"},
        // A very large deck is still worked out exactly: 1 − C(999996,7)/C(10^6,7) ≈ 0.0028 %.
        {1000000, 4, 7, 1, "0.00"},
        {2000000000, 2000000000, 7, 4, "100.00"},
    };
    for (const auto& c : cases) {
        const auto odds = DrawOddsHundredths(c.deck, c.copies, c.seen, c.atLeast);
        ASSERT_TRUE(odds) << c.deck << " " << c.copies << " " << c.seen << " " << c.atLeast;
        EXPECT_EQ(OddsPercentText(*odds), c.percent)
            << c.deck << " " << c.copies << " " << c.seen << " " << c.atLeast;
    }
}

TEST(DrawOdds, NumbersTooLargeToWorkOutAreRefused) {
    EXPECT_FALSE(DrawOddsHundredths(3000000000LL, 4, 7, 1));
    EXPECT_FALSE(DrawOddsHundredths(100000, 4, 50000, 1));
    EXPECT_TRUE(DrawOddsHundredths(100000, 4, 99990, 1));
}

TEST(DrawOdds, OddsGrowWithEveryCardSeen) {
    std::int64_t before = -1;
    for (int seen = 0; seen <= 60; ++seen) {
        const std::int64_t odds = *DrawOddsHundredths(60, 4, seen, 1);
        EXPECT_GE(odds, before) << seen;
        before = odds;
    }
    EXPECT_EQ(before, 10000);
}

TEST(DrawOdds, CopiesCountEveryRowOfTheCard) {
    std::vector<TZandorStatCard> cards(5);
    const struct {
        const char* name;
        std::int32_t count;
    } rows[] = {{"Gull Herald", 3},
                {"Hush/Howl", 2},
                {"gull herald", 1},
                {"Orren Plateau", 20},
                {"Gull Herald", 0}};
    for (std::size_t i = 0; i < cards.size(); ++i) {
        cards[i].Name = rows[i].name;
        cards[i].Count = rows[i].count;
    }
    TCardCopies copies = CardCopies(cards, "GULL HERALD");
    EXPECT_EQ(copies.Name, "Gull Herald");
    EXPECT_EQ(copies.Copies, 4);
    EXPECT_EQ(copies.DeckSize, 26);
    copies = CardCopies(cards, "Hush // Howl");
    EXPECT_EQ(copies.Copies, 2);
    EXPECT_EQ(CardCopies(cards, "Nothing").Copies, 0);
}

namespace {

struct TRun {
    int Code;
    std::string Out;
    std::string Err;
};

TRun odds(std::vector<std::string> words) {
    std::vector<std::string> args{"--data", ZANDOR_SOURCE_DIR "/data", "deck", "odds",
                                  ZANDOR_SOURCE_DIR "/data/decks/tidewall.dec"};
    args.insert(args.end(), words.begin(), words.end());
    std::ostringstream out, err;
    const int code = RunCommandLine(args, out, err);
    return {code, out.str(), err.str()};
}

} // namespace

TEST(DeckOddsCommand, PrintsTheOddsOfOneToFourCopies) {
    // The sample deck has 60 main-deck cards, four of them Gull Herald.
    TRun run = odds({"--card", "gull herald"});
    EXPECT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(run.Out, "at least 1: 39.95%\nat least 2: 6.32%\nat least 3: 0.39%\n"
                       "at least 4: 0.01%\n");
    run = odds({"--card", "Mend // Rend", "--seen", "60"});
    EXPECT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(run.Out, "at least 1: 100.00%\nat least 2: 100.00%\nat least 3: 0.00%\n"
                       "at least 4: 0.00%\n");
    run = odds({"--card", "Gull Herald", "--seen", "8"});
    EXPECT_EQ(run.Out.substr(0, 19), "at least 1: 44.48%\n");
}

TEST(DeckOddsCommand, Mistakes) {
    EXPECT_EQ(odds({"--card", "Hiss of Steam"}).Code, 1); // only in the sideboard
    EXPECT_EQ(odds({"--card", "Glimmer Moth"}).Code, 1);
    EXPECT_EQ(odds({"--card", "Gull Herald", "--seen", "-1"}).Code, 2);
    EXPECT_EQ(odds({"--card", "Gull Herald", "--seen", "seven"}).Code, 2);
    EXPECT_EQ(odds({}).Code, 2);
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine({"--data", ZANDOR_SOURCE_DIR "/data", "deck", "odds",
                              "/nonexistent/none.dec", "--card", "Gull Herald"},
                             out, err),
              1);
    EXPECT_EQ(out.str(), "");
}
