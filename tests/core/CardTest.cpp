#include "core/UCard.h"

#include <gtest/gtest.h>

using namespace zandor;

namespace {

TZandorCard fullCard() {
    TZandorCard c;
    c.Name = "Ember Hound";
    c.Edition = "QKL";
    c.Color = "R";
    c.Rarity = "C";
    c.Cost = "1RR";
    c.CardType = "Summon Hound";
    c.Text = "Trample|When it enters, it deals 1 damage.";
    c.Flavor = "It smells of ash.";
    c.Mana = "note";
    c.PT = "3/1";
    c.Value = "0,25";
    c.Artist = "Ira Lenz";
    c.Seq = "117";
    return c;
}

} // namespace

TEST(CardLine, FormatPutsFieldsInLineOrderAndParseRestoresTheRecord) {
    TZandorCard card = fullCard();
    card.Program = "ignored";
    const std::string line = FormatCardLine(card);
    EXPECT_EQ(line,
              "Ember Hound\tQKL\tR\tTrample|When it enters, it deals 1 damage.\tC\t3/1\t0,25\t"
              "Summon Hound\t1RR\tIra Lenz\tIt smells of ash.\tnote\t117\t");
    TZandorCard expected = fullCard();
    EXPECT_EQ(ParseCardLine(line), expected); // Program comes back empty
}

TEST(CardLine, EmptyRecordFormatsAsThirteenTabs) {
    EXPECT_EQ(FormatCardLine(TZandorCard{}), std::string(13, '\t'));
}

TEST(CardLine, ShortAndOddLines) {
    struct Case {
        const char* line;
        const char* name;
        const char* edition;
        const char* seq;
        const char* artist;
    };
    const Case cases[] = {
        {"", "", "", "", ""},
        {"no tabs at all", "", "", "", ""},
        {"Ab\tXY\t", "Ab", "XY", "", ""},
        {"A\t", "A", "", "", ""},
        {"\t\t\t\t\t\t\t\t\t\t\t\t\t", "", "", "", ""},
        // The last field is read only when its TAB follows it.
        {"N\tE\tC\tT\tR\tP\tV\tT\tC\tArt\tF\tM\t12", "N", "E", "", "Art"},
        {"N\tE\tC\tT\tR\tP\tV\tT\tC\tArt\tF\tM\t12\textra", "N", "E", "12", "Art"},
        // Fields after a missing TAB are empty, the rest of the text is dropped.
        {"N\tE\tC\tT\tR\tP\tV\tT\tC\tArtist without tab", "N", "E", "", ""},
    };
    for (const Case& c : cases) {
        const TZandorCard card = ParseCardLine(c.line);
        EXPECT_EQ(card.Name, c.name) << c.line;
        EXPECT_EQ(card.Edition.str(), c.edition) << c.line;
        EXPECT_EQ(card.Seq, c.seq) << c.line;
        EXPECT_EQ(card.Artist, c.artist) << c.line;
        EXPECT_TRUE(card.Program.empty());
    }
}

TEST(CardLine, ShortFieldsAreTruncatedOnAssignmentAndParse) {
    TZandorCard card;
    card.Edition = "ABCD";
    card.Rarity = "Rare";
    card.Color = std::string("Gold");
    EXPECT_EQ(card.Edition.str(), "ABC");
    EXPECT_EQ(card.Rarity.str(), "R");
    EXPECT_EQ(card.Color.str(), "Gol");
    const TZandorCard parsed = ParseCardLine("X\tLONG\tGreen\tt\tRare\t");
    EXPECT_EQ(parsed.Edition.str(), "LON");
    EXPECT_EQ(parsed.Color.str(), "Gre");
    EXPECT_EQ(parsed.Rarity.str(), "R");
}

TEST(CardLine, BytesAboveAsciiPassUnchanged) {
    const std::string name = "\xC6rnwood Gate";
    TZandorCard card;
    card.Name = name;
    EXPECT_EQ(ParseCardLine(FormatCardLine(card)).Name, name);
}

TEST(CardLine, ClearCardEmptiesEveryField) {
    TZandorCard card = fullCard();
    card.Program = "x";
    ClearCard(card);
    EXPECT_EQ(card, TZandorCard{});
}

TEST(CostSymbols, OnlyTheSeventeenOneCharacterSymbols) {
    for (const char* s : {"B", "U", "G", "R", "W", "T", "0", "5", "9", "X"})
        EXPECT_TRUE(IsCostSymbol(s)) << s;
    for (const char* s : {"x", "w", "", "WW", "10", "Y", " ", "/"})
        EXPECT_FALSE(IsCostSymbol(s)) << s;
}

TEST(CostSymbols, PaperAndInkColoursAreNegatives) {
    struct Case {
        const char* letter;
        TRGB paper;
    };
    const Case cases[] = {{"W", {255, 246, 210}}, {"U", {151, 217, 239}}, {"B", {201, 201, 203}},
                          {"R", {239, 150, 132}}, {"G", {131, 171, 135}}, {"", {184, 182, 170}},
                          {"3", {184, 182, 170}}, {"w", {184, 182, 170}}, {"WU", {184, 182, 170}}};
    for (const Case& c : cases) {
        EXPECT_EQ(SymbolColor(c.letter), c.paper) << c.letter;
        const TRGB ink = SymbolInkColor(c.letter);
        EXPECT_EQ(ink.R, 255 - c.paper.R);
        EXPECT_EQ(ink.G, 255 - c.paper.G);
        EXPECT_EQ(ink.B, 255 - c.paper.B);
    }
    EXPECT_EQ(SymbolInkColor("U"), (TRGB{104, 38, 16}));
}

TEST(SplitNames, HalvesBaseAndNumber) {
    EXPECT_EQ(SplitHalfName("Dusk/Dawn", 1), "Dusk/Dawn (Dusk)");
    EXPECT_EQ(SplitHalfName("Dusk/Dawn", 2), "Dusk/Dawn (Dawn)");
    EXPECT_EQ(SplitHalfName("Dusk/Dawn (Dawn)", 1), "Dusk/Dawn (Dusk)");
    EXPECT_EQ(SplitHalfName("Dusk/Dawn (Dusk)", 2), "Dusk/Dawn (Dawn)");
    EXPECT_EQ(SplitBaseName("Dusk/Dawn (Dawn)"), "Dusk/Dawn");
    EXPECT_EQ(SplitBaseName("Plain Name"), "Plain Name");
    EXPECT_EQ(SplitBaseName("(odd"), "");
    EXPECT_EQ(SplitHalfNumber("Dusk/Dawn (Dusk)"), 1);
    EXPECT_EQ(SplitHalfNumber("Dusk/Dawn (Dawn)"), 2);
    EXPECT_EQ(SplitHalfNumber("No bracket"), 1);
    EXPECT_EQ(SplitHalfNumber("("), 2);
    EXPECT_EQ(SplitHalfNumber("x()"), 2);
}
