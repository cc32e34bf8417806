// "zandor deck hand": a sample opening hand dealt from a deck file.
#include "play/UPlayCommands.h"
#include "play/UPlayTestObj.h"
#include "tests/testkit/TestKit.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

using namespace zandor;
using namespace zandor::test;

namespace {

struct TRun {
    int Code = 0;
    std::vector<std::string> Lines;
    std::string Err;
};

TRun run(const std::vector<std::string>& words, std::optional<std::string> seed,
         std::optional<std::string> draw = std::nullopt) {
    TCardDatabase db;
    LoadCardDatabase(db, ZANDOR_SOURCE_DIR, FixturePath("play"));
    std::ostringstream out, err;
    TRun r;
    r.Code = RunDeckCommand(db, words, seed, draw, out, err);
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);)
        r.Lines.push_back(line);
    r.Err = err.str();
    return r;
}

const std::string sixty = FixturePath("play/sixty.dec");

TEST(DeckHand, PrintsSevenCardsFromTheDeckThenTheLibrarySize) {
    const TRun r = run({"hand", sixty}, "7");
    EXPECT_EQ(r.Code, 0);
    EXPECT_TRUE(r.Err.empty());
    ASSERT_EQ(r.Lines.size(), 8u);
    const std::set<std::string> deckNames{"Mossy Hollow", "Card A",     "Card B",
                                          "Tapper",       "Wisp Maker", "Quib Hound",
                                          "Star Beast",   "Aaa/Bbb",    "Zork Pup"};
    for (std::size_t i = 0; i < 7; ++i)
        EXPECT_TRUE(deckNames.count(r.Lines[i])) << r.Lines[i];
    EXPECT_EQ(r.Lines[7], "Library: 53 cards");

    // A seed always deals the same hand; another seed deals another one.
    EXPECT_EQ(run({"hand", sixty}, "7").Lines, r.Lines);
    EXPECT_NE(run({"hand", sixty}, "8").Lines, r.Lines);
}

TEST(DeckHand, DrawsKMoreCardsAndStopsAtAnEmptyLibrary) {
    const TRun seven = run({"hand", sixty}, "3");
    const TRun ten = run({"hand", sixty}, "3", "3");
    ASSERT_EQ(ten.Lines.size(), 11u);
    // The extra cards come after the same opening hand.
    EXPECT_TRUE(std::equal(seven.Lines.begin(), seven.Lines.begin() + 7, ten.Lines.begin()));
    EXPECT_EQ(ten.Lines.back(), "Library: 50 cards");

    const TRun all = run({"hand", FixturePath("play/five.dec")}, "3", "100");
    ASSERT_EQ(all.Lines.size(), 6u);
    EXPECT_EQ(all.Lines.back(), "Library: 0 cards");
}

TEST(DeckHand, NamesTheSkippedLinesAndDealsTheRest) {
    const TRun r = run({"hand", FixturePath("play/broken.dec")}, "1");
    EXPECT_EQ(r.Code, 0);
    EXPECT_NE(r.Err.find("line 2 "), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find("line 3 "), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find("line 6 "), std::string::npos) << r.Err;
    ASSERT_EQ(r.Lines.size(), 5u); // 3 Card A and the card the base lacks
    EXPECT_EQ(r.Lines.back(), "Library: 0 cards");
}

TEST(DeckHand, RefusesWrongArgumentsAndMissingFiles) {
    const struct {
        std::vector<std::string> Words;
        std::optional<std::string> Seed, Draw;
        int Code;
    } cases[] = {{{"hand"}, "1", std::nullopt, 2},
                 {{"deal", sixty}, "1", std::nullopt, 2},
                 {{"hand", sixty}, "x", std::nullopt, 2},
                 {{"hand", sixty}, "-1", std::nullopt, 2},
                 {{"hand", sixty}, "1", "-2", 2},
                 {{"hand", sixty}, "1", "many", 2},
                 {{"hand", FixturePath("play/none.dec")}, "1", std::nullopt, 1}};
    for (const auto& c : cases) {
        const TRun r = run(c.Words, c.Seed, c.Draw);
        EXPECT_EQ(r.Code, c.Code) << c.Words.back();
        EXPECT_TRUE(r.Lines.empty());
        EXPECT_FALSE(r.Err.empty());
    }
    EXPECT_EQ(run({"hand", sixty}, std::nullopt).Lines.size(), 8u); // the clock seeds it
}

} // namespace

namespace {

TRun runDeckText(const std::string& text, const std::string& fileName = "deck.dec") {
    TTempDir dir;
    WriteBytes(dir.File(fileName), text);
    return run({"hand", dir.File(fileName)}, "5");
}

} // namespace

TEST(DeckHand, ADeckOfMoreThanTenThousandCardsIsRefusedByName) {
    const struct {
        const char* what;
        std::string text;
        int code;
        std::string library; // the last line when dealt
    } cases[] = {
        {"exactly 10,000", "    9999 [TST] - Card A\r\n    1 [TST] - Card B\r\n", 0,
         "Library: 9993 cards"},
        {"10,001 over two lines", "    9999 [TST] - Card A\r\n    2 [TST] - Card B\r\n", 1, ""},
        {"many lines of the largest count",
         [] {
             std::string text;
             for (int i = 0; i < 2000; ++i)
                 text += "    9999 [TST] - Card A\r\n";
             return text;
         }(),
         1, ""},
        {"sideboard and comments count nothing",
         "    10 [TST] - Card A\r\nSB: 9999 [TST] - Card B\r\n// 9999 [TST] - Card B\r\n", 0,
         "Library: 3 cards"},
    };
    for (const auto& c : cases) {
        const TRun r = runDeckText(c.text, "big deck.dec");
        EXPECT_EQ(r.Code, c.code) << c.what << r.Err;
        if (c.code == 0) {
            ASSERT_FALSE(r.Lines.empty()) << c.what;
            EXPECT_EQ(r.Lines.back(), c.library) << c.what;
        } else {
            EXPECT_TRUE(r.Lines.empty()) << c.what;
            EXPECT_NE(r.Err.find("big deck.dec"), std::string::npos) << r.Err;
            EXPECT_NE(r.Err.find("10000"), std::string::npos) << r.Err;
        }
    }
}

TEST(DeckHand, AnOldEditionLessDeckMustBeConvertedFirst) {
    const TRun r = runDeckText("// an old deck\r\n    4 Card A\r\nSB: 2 Card B\r\n", "old.dec");
    EXPECT_EQ(r.Code, 1);
    EXPECT_TRUE(r.Lines.empty());
    EXPECT_NE(r.Err.find("old.dec"), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find("deck editor"), std::string::npos) << r.Err;
}

TEST(PlayerDeck, LoadingADeckBeyondTheLimitLeavesTheLibraryEmptyAndSaysHowMany) {
    TCardDatabase db;
    LoadCardDatabase(db, ZANDOR_SOURCE_DIR, FixturePath("play"));
    TPlayerObj player;
    player.LoadDeck("Player1", {"    5 [TST] - Card A"}, "", db.ProgramLines, db.NameIndex,
                    db.CardLines, nullptr);
    EXPECT_EQ(player.Library.Count(), 5);
    EXPECT_EQ(player.RefusedCards, 0);
    player.LoadDeck("Player1", {"    9999 [TST] - Card A", "    9999 [TST] - Card B"}, "",
                    db.ProgramLines, db.NameIndex, db.CardLines, nullptr);
    EXPECT_EQ(player.Library.Count(), 0);
    EXPECT_EQ(player.RefusedCards, 19998);
    EXPECT_NE(DeckTooLargeMessage("Stampede", 19998).find("\"Stampede\""), std::string::npos);
}
