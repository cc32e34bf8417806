#include "core/UTextFile.h"
#include "deck/UDeckFile.h"
#include "deck/UDeckList.h"
#include "tests/deck/DeckTestBase.h"

#include <gtest/gtest.h>

#include <random>

using namespace zandor;
using namespace zandor::test;

namespace {

struct DeckFile : ::testing::Test {
    // "Orb Garnet" exists only in the second edition of the catalogue, "Chalk Flats" in both.
    TTestBase base{{{"Orb Garnet", "QBE"}, {"Chalk Flats", "QAL"}, {"Chalk Flats", "QBE"}},
                   {"[Edition]", "QAL=Dawnquay", "QBE= Duskquay", "[Edition Filters]"}};
    std::string file(const std::string& name) { return base.Dir.File(name); }
};

} // namespace

TEST_F(DeckFile, SaveAndLoadGiveBackTheLinesAndTheName) {
    const std::vector<std::string> lines{"// Red", "    4 [QBE] - Orb Garnet",
                                         "SB: 1 [QAL] - Chalk Flats"};
    const TDeckSavePlan plan = PlanDeckSave(file("Red Deck"));
    EXPECT_EQ(plan.Path, file("Red Deck.dec"));
    EXPECT_FALSE(plan.AskReplace);
    ASSERT_TRUE(SaveDeckFile(plan.Path, lines).Ok);
    EXPECT_EQ(ReadBytes(plan.Path),
              "// Red\r\n    4 [QBE] - Orb Garnet\r\nSB: 1 [QAL] - Chalk Flats\r\n");

    const TDeckSavePlan again = PlanDeckSave(file("Red Deck.dec"));
    EXPECT_TRUE(again.AskReplace);
    EXPECT_EQ(again.Question,
              file("Red Deck.dec") + " already exists.\rDo you want to replace it?");

    const TDeckFile loaded = LoadDeckFile(plan.Path, base.Db);
    ASSERT_TRUE(loaded.Ok);
    EXPECT_EQ(loaded.Lines, lines);
    EXPECT_EQ(loaded.DeckName, "Red Deck");
    EXPECT_EQ(loaded.DeckDir, base.Dir.Path());
    EXPECT_FALSE(loaded.OldFormat);
    EXPECT_FALSE(loaded.Rewritten);
    const TDeckFile missing = LoadDeckFile(file("missing.dec"), base.Db);
    EXPECT_FALSE(missing.Ok);
    EXPECT_NE(missing.Error.find("missing.dec\": No such file or directory"), std::string::npos)
        << missing.Error;
}

TEST_F(DeckFile, TheDeckTakesItsNameAndFolderFromTheFile) {
    TDeckList deck;
    deck.AddCard("[QAL] - Chalk Flats");
    deck.SetDeckName("typed name");
    base.Db.DeckDir = "/start";
    {
        TFailingWriter failing;
        EXPECT_FALSE(SaveDeckAs(deck, base.Db, file("White.dec")).Ok);
        EXPECT_EQ(deck.DeckName(), "typed name");
        EXPECT_EQ(base.Db.DeckDir, "/start");
    }
    ASSERT_TRUE(SaveDeckAs(deck, base.Db, file("White.dec")).Ok);
    EXPECT_EQ(deck.DeckName(), "White");
    EXPECT_EQ(base.Db.DeckDir, base.Dir.Path());

    TDeckList loaded;
    base.Db.DeckDir = "/start";
    EXPECT_FALSE(LoadDeckInto(loaded, base.Db, file("none.dec")).Ok);
    EXPECT_EQ(base.Db.DeckDir, "/start");
    ASSERT_TRUE(LoadDeckInto(loaded, base.Db, file("White.dec")).Ok);
    EXPECT_EQ(loaded.Lines(), deck.Lines());
    EXPECT_EQ(loaded.DeckName(), "White");
    EXPECT_EQ(base.Db.DeckDir, base.Dir.Path());
}

TEST(DeckFileNames, ExtensionAndDeckName) {
    EXPECT_EQ(WithDecExtension("/d/Red"), "/d/Red.dec");
    EXPECT_EQ(WithDecExtension("/d/Red.dec"), "/d/Red.dec");
    EXPECT_EQ(WithDecExtension("/d/Red.DEC"), "/d/Red.DEC");
    EXPECT_EQ(WithDecExtension("/d/Red.txt"), "/d/Red.txt.dec");
    EXPECT_EQ(DeckNameOf("/decks/My Deck.dec"), "My Deck");
    EXPECT_EQ(DeckNameOf("a.b"), "");
}

TEST_F(DeckFile, AFailedSaveKeepsTheOldFile) {
    const std::string path = file("deck.dec");
    WriteBytes(path, "    1 [QAL] - Chalk Flats\r\n");
    TFailingWriter failing;
    const TWriteResult result = SaveDeckFile(path, {"    2 [QAL] - Chalk Flats"});
    EXPECT_FALSE(result.Ok);
    EXPECT_FALSE(result.Error.empty());
    EXPECT_EQ(ReadBytes(path), "    1 [QAL] - Chalk Flats\r\n");
}

TEST_F(DeckFile, PRBecomesPYOnDisk) {
    const std::string path = file("prophecy.dec");
    WriteBytes(path, "\r\n\\PR note\r\n    2 [PR] - Chalk Flats PR\r\nSB: 1 [QAL] - Chalk Flats\r\n"
                     "    1 [PR] - Orb Garnet\r\n");
    const TDeckFile loaded = LoadDeckFile(path, base.Db);
    EXPECT_TRUE(loaded.Rewritten);
    EXPECT_TRUE(loaded.Rewrite.Ok);
    const std::vector<std::string> expected{"", "\\PR note", "    2 [PY] - Chalk Flats PR",
                                            "SB: 1 [QAL] - Chalk Flats", "    1 [PY] - Orb Garnet"};
    EXPECT_EQ(loaded.Lines, expected);
    EXPECT_EQ(ReadTextLines(path).value(), expected);

    // A failed write-back is reported; the changed lines are still shown.
    WriteBytes(path, "    2 [PR] - Chalk Flats\r\n");
    TFailingWriter failing;
    const TDeckFile kept = LoadDeckFile(path, base.Db);
    EXPECT_FALSE(kept.Rewrite.Ok);
    EXPECT_EQ(kept.Lines, std::vector<std::string>{"    2 [PY] - Chalk Flats"});
    EXPECT_EQ(ReadBytes(path), "    2 [PR] - Chalk Flats\r\n");
}

TEST_F(DeckFile, OldFormatIsConvertedButNotWritten) {
    const std::string path = file("old.dec");
    const std::string bytes =
        "// PRO deck\r\n  3 Orb Garnet\r\n 20 Chalk Flats\r\nSB: 2 Chalk Flats\r\n"
        "SB:1 Glass Orchid\r\n    4   Glass Orchid  \r\n\r\n    1 [PR] - x\r\n";
    WriteBytes(path, bytes);
    std::vector<std::size_t> progress;
    const TDeckFile loaded =
        LoadDeckFile(path, base.Db, [&](std::size_t n) { progress.push_back(n); });
    EXPECT_TRUE(loaded.OldFormat);
    // The comment before the first old line had its "PR" changed; nothing after it was.
    EXPECT_TRUE(loaded.Rewritten);
    EXPECT_EQ(loaded.Lines,
              (std::vector<std::string>{"// PYO deck", "    3 [QBE] - Orb Garnet",
                                        "    20 [QAL] - Chalk Flats", "SB: 2 [QAL] - Chalk Flats",
                                        "//SB:  1 Glass Orchid", "//     4 Glass Orchid", "",
                                        "    1 [PR] - x"}));
    EXPECT_EQ(progress, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6, 7, 0}));
    EXPECT_EQ(ReadBytes(path),
              "// PYO deck\r\n  3 Orb Garnet\r\n 20 Chalk Flats\r\nSB: 2 Chalk Flats\r\n"
              "SB:1 Glass Orchid\r\n    4   Glass Orchid  \r\n\r\n    1 [PR] - x\r\n");
    // Cards found in no edition are comments and count nothing; the kept line counts.
    EXPECT_EQ(CountDeck(loaded.Lines, base.Db).Counts.Deck, 3 + 20 + 1);
}

TEST(ConvertOldDeck, AnEmptyCatalogueMakesEveryCardAComment) {
    TTestBase base({{"Chalk Flats", "QAL"}}, {});
    EXPECT_EQ(ConvertOldDeck({" 2 Chalk Flats", "SB: 1 Chalk Flats", "/keep"}, base.Db),
              (std::vector<std::string>{"//     2 Chalk Flats", "//SB:  1 Chalk Flats", "/keep"}));
}

TEST_F(DeckFile, ApprenticeExport) {
    const std::vector<std::string> lines{"// Burn - fast",
                                         "    3 [QBE] - Orb Garnet",
                                         "SB: 12 [QAL] - Chalk Flats",
                                         "    1 [A-B] - Odd",
                                         "// -- [sic]",
                                         "    1 [XX] Broken"};
    EXPECT_EQ(ApprenticeLines("/decks/Burn", lines),
              (std::vector<std::string>{"//NAME: Burn", "// Burn - fast", "    3  Orb Garnet",
                                        "SB: 12  Chalk Flats", "    1 B] - Odd", "// -- [sic]",
                                        "    1 [XX] Broken"}));
    const std::string path = file("app.dec");
    ASSERT_TRUE(ExportApprentice(path, "Burn", {"    3 [QBE] - Orb Garnet"}).Ok);
    EXPECT_EQ(ReadBytes(path), "//NAME: Burn\r\n    3  Orb Garnet\r\n");
}

TEST(ConvertOldDeck, TheCatalogueLookupGivesWhatTryingEveryCodeGives) {
    // A base of invented names in a few editions, a catalogue that lists codes in another
    // order, with codes the base lacks, a repeated code and one too long to match.
    std::mt19937 random(1234);
    const std::vector<std::string> stems{"Ash", "Brim", "Cor", "Dusk", "Ember", "Fen", "Gloam"};
    const std::vector<std::string> editions{"AQ", "BV", "CX", "DZ", "EW"};
    std::vector<TCardFields> cards;
    std::vector<std::string> names;
    for (const std::string& a : stems)
        for (const std::string b : {"wing", "hold", "maw"}) {
            names.push_back(a + b);
            for (const std::string& e : editions)
                if (random() % 3 == 0)
                    cards.push_back({a + b, e});
        }
    std::vector<std::string> ini{"[Edition]", "DZ=Dune",  "QQ=Quiet", "BV=Brine", "AQX=Long",
                                 "EW=Ember",  "BV=Again", "AQ=Aqua",  "CX=Crux"};
    TTestBase base(cards, ini);
    // A line added at the end of the list, out of order: the lookup cannot reach it.
    base.Db.CardLines.push_back(FormatCardLine(MakeCard({"Ashwing", "CX"})));
    BuildNameIndex(base.Db.NameIndex, base.Db.CardLines);
    for (int round = 0; round < 20; ++round) {
        std::vector<std::string> deck{"// an old deck", ""};
        for (int n = 0; n < 30; ++n) {
            const std::string name =
                random() % 5 == 0 ? "Nowhere Card" : names[random() % names.size()];
            const std::string count = std::to_string(1 + random() % 20);
            switch (random() % 4) {
            case 0:
                deck.push_back("SB: " + count + " " + name);
                break;
            case 1:
                deck.push_back("    " + count + "   " + name + "  ");
                break;
            default:
                deck.push_back(" " + count + " " + name);
            }
        }
        deck.push_back("    2 [AQ] - Ashwing");
        EXPECT_EQ(ConvertOldDeck(deck, base.Db), ConvertOldDeckByEveryCode(deck, base.Db))
            << "round " << round;
    }
    // Spot checks of the catalogue order itself.
    TTestBase spot({{"Cormaw", "AQ"}, {"Cormaw", "EW"}, {"Cormaw", "DZ"}}, ini);
    EXPECT_EQ(ConvertOldDeck({" 1 Cormaw", "SB: 2 Cormaw"}, spot.Db),
              (std::vector<std::string>{"    1 [DZ] - Cormaw", "SB: 2 [DZ] - Cormaw"}));
}
