#include "app/UCommandLine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

using namespace zandor;

namespace {

struct TRun {
    int Code;
    std::string Out;
    std::string Err;
};

TRun deck(std::vector<std::string> words) {
    std::vector<std::string> args{"--data", ZANDOR_FIXTURES "/stats", "deck"};
    args.insert(args.end(), words.begin(), words.end());
    std::ostringstream out, err;
    const int code = RunCommandLine(args, out, err);
    return {code, out.str(), err.str()};
}

} // namespace

TEST(DeckStatsCommand, PrintsTheFiguresOfTheMainDeck) {
    const TRun run = deck({"stats", ZANDOR_FIXTURES "/stats/sample.dec"});
    EXPECT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(run.Out, "Cards: 28\n"
                       "Lands: 11 (39.28%)\n"
                       "Creatures: 7 (25%)\n"
                       "Spells: 10 (35.71%)\n"
                       "Commons: 19\n"
                       "Uncommons: 4\n"
                       "Rares: 4\n"
                       "Value: 193.25 $\n"
                       "Curve: 7 5 0 2 2 1 1\n"
                       "Average: W=0.22 U=0 B=0 R=0.44 G=0.22 Art=1.83 All=2.72\n");
}

TEST(DeckStatsCommand, ADeckWithoutMainDeckShowsZeros) {
    const TRun run = deck({"stats", ZANDOR_FIXTURES "/stats/sideboard.dec"});
    EXPECT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(run.Out, "Cards: 0\nLands: 0 (0%)\nCreatures: 0 (0%)\nSpells: 0 (0%)\n"
                       "Commons: 0\nUncommons: 0\nRares: 0\nValue: 0 $\nCurve: 0 0 0 0 0 0 0\n"
                       "Average: W=0 U=0 B=0 R=0 G=0 Art=0 All=0\n");
}

TEST(DeckStatsCommand, ReportsWhatItCannotRead) {
    TRun run = deck({"stats", ZANDOR_FIXTURES "/stats/broken.dec"});
    EXPECT_EQ(run.Code, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find("'x' is not a valid integer value in the deck line \"    x [TST] - "
                           "Mossy Hollow\""),
              std::string::npos)
        << run.Err;

    run = deck({"stats", ZANDOR_FIXTURES "/stats/old.dec"});
    EXPECT_EQ(run.Code, 1);
    EXPECT_NE(run.Err.find("old format"), std::string::npos) << run.Err;

    run = deck({"stats", ZANDOR_FIXTURES "/stats/absent.dec"});
    EXPECT_EQ(run.Code, 1);
    EXPECT_NE(run.Err.find("cannot read"), std::string::npos);

    for (const auto& words : {std::vector<std::string>{"stats"}, {}, {"shuffle", "x.dec"}}) {
        run = deck(words);
        EXPECT_EQ(run.Code, 2);
        EXPECT_EQ(run.Out, "");
        EXPECT_NE(run.Err, "");
    }
}

TEST(DeckStatsCommand, NamesEveryCardTheBaseLacksAndCountsTheRest) {
    const std::string path = ::testing::TempDir() + "stats-missing.dec";
    {
        std::ofstream file(path, std::ios::binary);
        file << "    4 [TST] - Mossy Hollow\r\n    2 [TST] - Nowhere Beast\r\n"
                "    1 [QQ] - Mossy Hollow\r\n";
    }
    const TRun run = deck({"stats", path});
    EXPECT_EQ(run.Code, 0) << run.Err;
    EXPECT_EQ(run.Out.rfind("Cards: 4\nLands: 4 (100%)\n", 0), 0u) << run.Out;
    EXPECT_NE(run.Err.find("line 2 of the deck: the card base has no Nowhere Beast [TST]"),
              std::string::npos)
        << run.Err;
    EXPECT_NE(run.Err.find("line 3 of the deck: the card base has no Mossy Hollow [QQ]"),
              std::string::npos)
        << run.Err;
    std::remove(path.c_str());
}

TEST(DeckStatsCommand, ACountWithoutACardIsABadLineNotAnOldDeck) {
    const std::string path = ::testing::TempDir() + "stats-count-only.dec";
    for (const char* line : {"    4", "    -3 [TST] - Mossy Hollow"}) {
        {
            std::ofstream file(path, std::ios::binary);
            file << "    4 [TST] - Mossy Hollow\r\n" << line << "\r\n";
        }
        const TRun run = deck({"stats", path});
        EXPECT_EQ(run.Code, 1) << line;
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(run.Err.find("old format"), std::string::npos) << run.Err;
        EXPECT_NE(run.Err.find(std::string("\"") + line + "\""), std::string::npos) << run.Err;
    }
    std::remove(path.c_str());
}
