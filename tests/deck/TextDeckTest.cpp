#include "core/UTextFile.h"
#include "deck/UDeckFile.h"
#include "deck/UTextDeck.h"
#include "deck/UTextDeckCommands.h"
#include "tests/deck/DeckTestBase.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace zandor;
using namespace zandor::test;

namespace {

// Gull Herald is in 4E and SV: the card list holds 4E first, the catalogue names SV first.
// Cinderling is only in an edition the catalogue does not name.
struct TextDeck : ::testing::Test {
    TTestBase base{{{"Gull Herald", "4E", "W", "C", "Summon Bird", "1W"},
                    {"Gull Herald", "SV", "W", "C", "Summon Bird", "1W"},
                    {"\xC6rnhold Sentinel", "4E", "W", "U", "Summon Knight", "2WW"},
                    {"Hush/Howl (Hush)", "EM", "U", "R", "Instant", "U"},
                    {"Hush/Howl (Howl)", "EM", "R", "R", "Instant", "1R"},
                    {"Kelp Tangle", "SV", "U", "C", "Enchantment", "U"},
                    {"Orren Plateau", "4E", "Lnd", "C", "Land"},
                    {"Cinderling", "ZZ", "R", "C", "Summon Imp", "R"},
                    {"X Marks the Reef", "SV", "U", "R", "Sorcery", "XU"},
                    {"Gate (Old)", "4E", "Art", "U", "Artifact", "3"}},
                   {"[Edition]", "SV=Saltveil", "4E=Fourth Codex", "EM=Emberhold"}};
    TTextDeckImport import(const std::vector<std::string>& text) {
        return ImportTextDeck(text, base.Db);
    }
};

} // namespace

TEST_F(TextDeck, EveryLineFormAndEditionChoice) {
    const struct {
        const char* text;
        const char* deckLine;
    } cases[] = {
        {"4 Gull Herald", "    4 [SV] - Gull Herald"},
        {"4x Gull Herald", "    4 [SV] - Gull Herald"},
        {"4 x Gull Herald", "    4 [SV] - Gull Herald"},
        {"4X gull HERALD", "    4 [SV] - Gull Herald"},
        {"Gull Herald x4", "    4 [SV] - Gull Herald"},
        {"Gull Herald", "    1 [SV] - Gull Herald"},
        {"  4\tGull   Herald  ", "    4 [SV] - Gull Herald"},
        {"12 Gull Herald", "    12 [SV] - Gull Herald"},
        // The edition given, when the base holds the card in it, in any letter case.
        {"4 Gull Herald (4E)", "    4 [4E] - Gull Herald"},
        {"4 Gull Herald (4e) 123", "    4 [4E] - Gull Herald"},
        {"4x Gull Herald (4E) 17a", "    4 [4E] - Gull Herald"},
        {"4 [4E] Gull Herald", "    4 [4E] - Gull Herald"},
        {"4 [4E] - Gull Herald", "    4 [4E] - Gull Herald"},
        {"Gull Herald (4E) x3", "    3 [4E] - Gull Herald"},
        // An edition the card is not in, or one the base does not know: the catalogue's.
        {"4 Gull Herald (EM)", "    4 [SV] - Gull Herald"},
        {"4 Gull Herald (QQ)", "    4 [SV] - Gull Herald"},
        {"4 [QQ] Gull Herald", "    4 [SV] - Gull Herald"},
        // No edition of the catalogue holds it: the one the card list has.
        {"1 Cinderling", "    1 [ZZ] - Cinderling"},
        {"1 Cinderling (SV)", "    1 [ZZ] - Cinderling"},
        // Split cards by either name.
        {"2 Hush/Howl", "    2 [EM] - Hush/Howl"},
        {"2 Hush // Howl", "    2 [EM] - Hush/Howl"},
        {"2 hush//howl (em)", "    2 [EM] - Hush/Howl"},
        {"2 Hush/Howl (Hush)", "    2 [EM] - Hush/Howl"},
        // Names that look like a count's "x" or like an edition.
        {"2 X Marks the Reef", "    2 [SV] - X Marks the Reef"},
        {"2 x X Marks the Reef (SV)", "    2 [SV] - X Marks the Reef"},
        {"2x x marks the reef", "    2 [SV] - X Marks the Reef"},
        {"1 Gate (Old)", "    1 [4E] - Gate (Old)"},
        {"1 Gate (Old) (4E)", "    1 [4E] - Gate (Old)"},
        // The data files' accented letters, from UTF-8 text and from 8-bit text.
        {"1 \xC3\x86RNHOLD SENTINEL", "    1 [4E] - \xC6rnhold Sentinel"},
        {"1 \xE6rnhold sentinel", "    1 [4E] - \xC6rnhold Sentinel"},
        {"\xEF\xBB\xBF"
         "3 Kelp Tangle",
         "    3 [SV] - Kelp Tangle"},
        // Sideboard lines.
        {"SB: 4 Gull Herald", "SB: 4 [SV] - Gull Herald"},
        {"sb: 2x Kelp Tangle (SV)", "SB: 2 [SV] - Kelp Tangle"},
        {"SB:  Orren Plateau x2", "SB: 2 [4E] - Orren Plateau"},
    };
    for (const auto& c : cases) {
        const TTextDeckImport imported = import({c.text});
        EXPECT_TRUE(imported.AllPlaced()) << c.text;
        EXPECT_EQ(imported.Lines, std::vector<std::string>{c.deckLine}) << c.text;
    }
}

TEST_F(TextDeck, LinesThatAreNoCardLines) {
    const char* const lines[] = {"0 Gull Herald",  "10000 Gull Herald",  "4x", "4", "SB:",
                                 "Gull Herald x0", "1234567 Gull Herald"};
    for (const char* line : lines) {
        TTextDeckLine parsed;
        EXPECT_FALSE(ParseTextDeckLine(line, parsed)) << line;
        const TTextDeckImport imported = import({line});
        ASSERT_EQ(imported.Problems.size(), 1u) << line;
        EXPECT_EQ(imported.Problems[0].LineNumber, 1u);
        EXPECT_TRUE(imported.Lines.empty()) << line;
    }
    // A number that starts a name is no count.
    TTextDeckLine parsed;
    ASSERT_TRUE(ParseTextDeckLine("4th Gate", parsed));
    EXPECT_EQ(parsed.Count, 1);
    EXPECT_EQ(parsed.Name, "4th Gate");
}

TEST_F(TextDeck, SideboardSwitchesAndComments) {
    const struct {
        std::vector<std::string> text;
        std::vector<std::string> deck;
    } cases[] = {
        {{"// Tidewall for the league", "# two colours", "4 Gull Herald", "", "2 Kelp Tangle"},
         {"// Tidewall for the league", "// two colours", "    4 [SV] - Gull Herald",
          "SB: 2 [SV] - Kelp Tangle"}},
        // Empty lines before the first card line do not start the sideboard.
        {{"", "  ", "// Main", "", "4 Gull Herald", "2 Kelp Tangle"},
         {"// Main", "    4 [SV] - Gull Herald", "    2 [SV] - Kelp Tangle"}},
        {{"4 Gull Herald", "Sideboard", "2 Kelp Tangle"},
         {"    4 [SV] - Gull Herald", "SB: 2 [SV] - Kelp Tangle"}},
        {{"4 Gull Herald", "SIDEBOARD:", "", "2 Kelp Tangle", "", "1 Cinderling"},
         {"    4 [SV] - Gull Herald", "SB: 2 [SV] - Kelp Tangle", "SB: 1 [ZZ] - Cinderling"}},
        {{"sideboard", "2 Kelp Tangle"}, {"SB: 2 [SV] - Kelp Tangle"}},
        // A text with a sideboard heading of its own parts its sections with empty lines.
        {{"// Lands", "10 Orren Plateau", "", "// Creatures", "4 Gull Herald", "",
          "Sideboard:", "2 Kelp Tangle"},
         {"// Lands", "    10 [4E] - Orren Plateau", "// Creatures", "    4 [SV] - Gull Herald",
          "SB: 2 [SV] - Kelp Tangle"}},
        {{"10 Orren Plateau", "", "4 Gull Herald", "SB: 2 Kelp Tangle"},
         {"    10 [4E] - Orren Plateau", "    4 [SV] - Gull Herald", "SB: 2 [SV] - Kelp Tangle"}},
        // An "SB:" line puts only itself in the sideboard.
        {{"SB: 1 Cinderling", "4 Gull Herald"},
         {"SB: 1 [ZZ] - Cinderling", "    4 [SV] - Gull Herald"}},
        // The same card twice in one part of the deck is one line; in the other part, its own.
        {{"2 Gull Herald", "1 Kelp Tangle", "2 gull herald (SV)", "SB: 1 Gull Herald"},
         {"    4 [SV] - Gull Herald", "    1 [SV] - Kelp Tangle", "SB: 1 [SV] - Gull Herald"}},
        {{"2 Gull Herald (4E)", "2 Gull Herald"},
         {"    2 [4E] - Gull Herald", "    2 [SV] - Gull Herald"}},
    };
    for (const auto& c : cases) {
        const TTextDeckImport imported = import(c.text);
        EXPECT_TRUE(imported.AllPlaced()) << c.text.front();
        EXPECT_EQ(imported.Lines, c.deck) << c.text.front();
    }
}

TEST_F(TextDeck, EveryUnmatchedLineIsReportedWithItsNumberAndTheRestIsKept) {
    const TTextDeckImport imported =
        import({"4 Gull Herald", "3 Glimmer Moth", "// fine", "Sideboard", "2 Kelp Tangel",
                "1 Kelp Tangle", "0 Orren Plateau", "Creatures (20)"});
    ASSERT_EQ(imported.Problems.size(), 4u);
    const std::size_t numbers[] = {2, 5, 7, 8};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(imported.Problems[i].LineNumber, numbers[i]);
    EXPECT_EQ(imported.Problems[0].Line, "3 Glimmer Moth");
    EXPECT_EQ(imported.Problems[0].Reason, "no card of that name in the base");
    EXPECT_EQ(imported.Problems[2].Reason, "not a card line");
    EXPECT_EQ(imported.Lines, (std::vector<std::string>{"    4 [SV] - Gull Herald", "// fine",
                                                        "SB: 1 [SV] - Kelp Tangle"}));
}

TEST_F(TextDeck, ALineNeverHoldsMoreCopiesThanATextLineMayName) {
    const TTextDeckImport imported = import(
        {"9999 Orren Plateau", "9998 Orren Plateau", "1 orren plateau", "SB: 5 Orren Plateau"});
    EXPECT_EQ(imported.Lines, (std::vector<std::string>{"    9999 [4E] - Orren Plateau",
                                                        "SB: 5 [4E] - Orren Plateau"}));
    ASSERT_EQ(imported.Problems.size(), 2u);
    EXPECT_EQ(imported.Problems[0].LineNumber, 2u);
    EXPECT_EQ(imported.Problems[1].LineNumber, 3u);
    EXPECT_EQ(imported.Problems[1].Reason, "more than 9999 copies of the card");
    const TTextDeckImport again = import(ExportTextDeck(imported.Lines).Lines);
    EXPECT_TRUE(again.AllPlaced());
    EXPECT_EQ(again.Lines, imported.Lines);
}

TEST_F(TextDeck, ExportWritesNameAndEditionWithASideboardBlock) {
    const TTextDeckExport exported =
        ExportTextDeck({"// Lands", "    10 [4E] - Orren Plateau", "SB: 2 [SV] - Kelp Tangle",
                        "// Spells", "    2 [EM] - Hush/Howl", "", "/odd comment",
                        "SB: 1 [ZZ] - Cinderling", "    x [4E] - Gull Herald", "// at the end"});
    EXPECT_EQ(exported.Lines, (std::vector<std::string>{
                                  "// Lands", "10 Orren Plateau (4E)", "// Spells",
                                  "2 Hush // Howl (EM)", "", "Sideboard", "2 Kelp Tangle (SV)",
                                  "//odd comment", "1 Cinderling (ZZ)", "// at the end"}));
    EXPECT_EQ(exported.Unreadable, std::vector<std::string>{"    x [4E] - Gull Herald"});
    EXPECT_EQ(ExportTextDeck({"    4 [SV] - Gull Herald"}).Lines,
              std::vector<std::string>{"4 Gull Herald (SV)"});
    EXPECT_TRUE(ExportTextDeck({}).Lines.empty());
}

TEST_F(TextDeck, ExportImportedAgainGivesTheSameDeck) {
    const std::vector<std::string> deck{
        "    2 [SV] - X Marks the Reef",    "    1 [4E] - Gate (Old)",     "// Tidewall",
        "    4 [4E] - Gull Herald",         "    2 [SV] - Gull Herald",    "    2 [EM] - Hush/Howl",
        "    1 [4E] - \xC6rnhold Sentinel", "    10 [4E] - Orren Plateau", "// Against fliers",
        "SB: 3 [SV] - Kelp Tangle",         "SB: 1 [ZZ] - Cinderling"};
    const TTextDeckImport again = import(ExportTextDeck(deck).Lines);
    EXPECT_TRUE(again.AllPlaced());
    EXPECT_EQ(again.Lines, deck);
}

TEST(TextDeckSample, EverySampleDeckSurvivesTheRoundTrip) {
    TTempDir dir;
    CopySampleData(dir.Path());
    TCardDatabase db;
    LoadCardDatabase(db, dir.Path(), dir.Path());
    const std::string decks = std::string(ZANDOR_SOURCE_DIR) + "/data/decks/";
    int checked = 0;
    for (const std::string& name : ListFolder(decks)) {
        auto lines = ReadTextLines(decks + name);
        ASSERT_TRUE(lines) << name;
        if (IsOldFormatDeck(*lines))
            *lines = ConvertOldDeck(*lines, db);
        std::vector<std::string> cards;
        for (const std::string& line : *lines)
            if (line.rfind("//", 0) != 0 && !TrimView(line).empty())
                cards.push_back(line);
        const TTextDeckExport exported = ExportTextDeck(*lines);
        EXPECT_TRUE(exported.Unreadable.empty()) << name;
        const TTextDeckImport again = ImportTextDeck(exported.Lines, db);
        EXPECT_TRUE(again.AllPlaced()) << name;
        std::vector<std::string> againCards;
        for (const std::string& line : again.Lines)
            if (line.rfind("//", 0) != 0)
                againCards.push_back(line);
        EXPECT_EQ(againCards, cards) << name;
        ++checked;
    }
    EXPECT_GE(checked, 4);
}

TEST_F(TextDeck, ImportAndExportCommands) {
    const std::string text = base.Dir.File("list.txt");
    WriteBytes(text, "4x Gull Herald (4E)\r\n3 Glimmer Moth\r\n\r\n2 Kelp Tangle\r\n");
    std::ostringstream out, err;
    EXPECT_EQ(RunDeckImportCommand(base.Db, text, "", out, err), 1);
    EXPECT_EQ(out.str(), "    4 [4E] - Gull Herald\nSB: 2 [SV] - Kelp Tangle\n");
    EXPECT_EQ(err.str(), "zandor: line 2: \"3 Glimmer Moth\": no card of that name in the base\n");

    out.str("");
    err.str("");
    WriteBytes(text, "4 \xC3\x86rnhold Sentinel\n");
    EXPECT_EQ(RunDeckImportCommand(base.Db, text, base.Dir.File("knights"), out, err), 0);
    EXPECT_EQ(out.str(), base.Dir.File("knights.dec") + "\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(ReadBytes(base.Dir.File("knights.dec")), "    4 [4E] - \xC6rnhold Sentinel\r\n");

    out.str("");
    EXPECT_EQ(RunDeckExportTextCommand(base.Db, base.Dir.File("knights.dec"), out, err), 0);
    EXPECT_EQ(out.str(), "4 \xC3\x86rnhold Sentinel (4E)\n");

    EXPECT_EQ(RunDeckImportCommand(base.Db, base.Dir.File("none.txt"), "", out, err), 1);
    EXPECT_EQ(RunDeckExportTextCommand(base.Db, base.Dir.File("none.dec"), out, err), 1);
    TFailingWriter failing;
    EXPECT_EQ(RunDeckImportCommand(base.Db, text, base.Dir.File("f.dec"), out, err), 1);
}
