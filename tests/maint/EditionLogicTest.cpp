// Reading text spoilers, adding editions with their cards and programs, deleting editions,
// and the all-or-nothing saves of both, on small data folders in temporary directories.
#include "maint/UEditionLogic.h"
#include "tests/testkit/TestKit.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

using namespace zandor;
using namespace zandor::test;

namespace {

// Three cards: a creature, a spell with a three-line text and no P/T, a gold card with a
// special rarity; then a program section.
const char* const threeCards = "Thornmere -- text spoiler\r\n"
                               "\r\n"
                               "Card Title:   Quillback Warden\r\n"
                               "Card Color:   Green\r\n"
                               "Type & Class: Summon Warden\r\n"
                               "Casting Cost: 2GG\r\n"
                               "Pow/Tgh:      3/4\r\n"
                               "Card Text:    Trample\r\n"
                               "Flavor Text:  It guards the mere\r\n"
                               "              from dusk to dusk.\r\n"
                               "Artist:       Hale Wintour\r\n"
                               "Rarity:       Uncommon\r\n"
                               "Card #:       3/40\r\n"
                               "\r\n"
                               "Card Title:   Brackish Tide\r\n"
                               "Card Color:   Blue\r\n"
                               "Type & Class: Sorcery\r\n"
                               "Casting Cost: 3U\r\n"
                               "Pow/Tgh:      n/a\r\n"
                               "Card Text:    Return all tapped creatures\r\n"
                               "              to their owners'\r\n"
                               "\thands.\r\n"
                               "Flavor Text:  \r\n"
                               "Artist:       Ines Morrow\r\n"
                               "Rarity:       Common\r\n"
                               "Card #:       11/40\r\n"
                               "\r\n"
                               "Card Title:   Mirefire Sage\r\n"
                               "Card Color:   Multi (Red/Blue)\r\n"
                               "Type & Class: Summon Sage\r\n"
                               "Casting Cost: 1UR\r\n"
                               "Pow/Tgh:      1/1\r\n"
                               "Rarity:       Special\r\n"
                               "Card #:       40/40\r\n";

TZandorCard card(std::string name, std::string color, std::string type, std::string cost,
                 std::string pt, std::string text, std::string flavor, std::string artist,
                 std::string rarity, std::string seq) {
    TZandorCard c;
    c.Name = name;
    c.Edition = "TM";
    c.Color = color;
    c.CardType = type;
    c.Cost = cost;
    c.PT = pt;
    c.Text = text;
    c.Flavor = flavor;
    c.Artist = artist;
    c.Rarity = rarity;
    c.Seq = seq;
    return c;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> split;
    SplitLines(text, split);
    return split;
}

std::string cardLine(const std::string& name, const std::string& edition) {
    TZandorCard c;
    c.Name = name;
    c.Edition = edition;
    c.Color = "R";
    c.Rarity = "C";
    return FormatCardLine(c);
}

// A small data folder: three editions, a few cards, two programs.
struct DataFolder : ::testing::Test {
    TTempDir dir;
    TCardDatabase db;
    std::string ini, cards, programs;

    void SetUp() override {
        std::vector<std::string> list = {
            cardLine("Ashen Vow", "EM"),     cardLine("Cinder Whelp", "ab"),
            cardLine("Cinder Whelp", "AB"),  cardLine("Dune Lurker", "AB"),
            cardLine("Dusk Harrier", "AB"),  cardLine("Fen Crawler", "SV"),
            cardLine("Rookwing Scout", "EM")};
        SortCardLines(list);
        WriteBytes(dir.File("cardlist.dat"), JoinLines(list));
        WriteBytes(dir.File("programm.dat"),
                   JoinLines({"Brackish Tide=OLD", "Fen Crawler=KEYWORLD[_WB_]"}));
        WriteBytes(dir.File("rulecards.dat"), "");
        WriteBytes(dir.File("Zandor.ini"),
                   JoinLines({"[Edition]", "EM=Emberhold", "AB=Ashbrook", "SV=Saltveil", "",
                              "[Edition Filters]", "EM=1", "AB=1", "SV=0", "", "[Type Filters]",
                              "Key=1"}));
        WriteBytes(dir.File("thornmere.txt"), threeCards);
        reload();
    }
    void reload() {
        LoadCardDatabase(db, dir.Path(), dir.Path());
        ini = ReadBytes(dir.File("Zandor.ini"));
        cards = ReadBytes(dir.File("cardlist.dat"));
        programs = ReadBytes(dir.File("programm.dat"));
    }
    void expectNothingChanged() {
        EXPECT_EQ(ReadBytes(dir.File("Zandor.ini")), ini);
        EXPECT_EQ(ReadBytes(dir.File("cardlist.dat")), cards);
        EXPECT_EQ(ReadBytes(dir.File("programm.dat")), programs);
        EXPECT_EQ(JoinLines(db.Settings.Lines()), ini);
        EXPECT_EQ(JoinLines(db.CardLines), cards);
        EXPECT_EQ(JoinLines(db.ProgramLines), programs);
        // No temporary file is left behind either.
        for (const std::string& name : ListFolder(dir.Path()))
            EXPECT_NE(name.front(), '.') << name;
    }
    // The disk and the lists in memory tell the same story.
    void expectMemoryMatchesDisk() {
        EXPECT_EQ(JoinLines(db.Settings.Lines()), ReadBytes(dir.File("Zandor.ini")));
        EXPECT_EQ(JoinLines(db.CardLines), ReadBytes(dir.File("cardlist.dat")));
        EXPECT_EQ(JoinLines(db.ProgramLines), ReadBytes(dir.File("programm.dat")));
        TNameIndex fresh;
        BuildNameIndex(fresh, db.CardLines);
        EXPECT_EQ(fresh.Lines(), db.NameIndex.Lines());
    }
    TAddEditionRequest thornmere() {
        TAddEditionRequest request;
        request.Name = "  Thornmere ";
        request.Key = " TM ";
        request.SpoilerPath = dir.File("thornmere.txt");
        return request;
    }
};

// Fails the writes of files whose name ends with `failing`, after letting the others
// through to the real writer.
class TPickyWriter final : public TFileWriter {
public:
    explicit TPickyWriter(std::string failing)
        : m_failing(std::move(failing)), m_real(CurrentFileWriter()),
          m_previous(SetFileWriter(this)) {}
    ~TPickyWriter() override { SetFileWriter(m_previous); }
    TWriteResult WriteFile(const std::string& path, std::string_view data) override {
        Written.push_back(ExtractFileName(path));
        if (path.size() >= m_failing.size() &&
            path.compare(path.size() - m_failing.size(), m_failing.size(), m_failing) == 0)
            return {false, "no space left (test)"};
        return m_real.WriteFile(path, data);
    }
    std::vector<std::string> Written;

private:
    std::string m_failing;
    TFileWriter& m_real;
    TFileWriter* m_previous;
};

} // namespace

TEST(Spoiler, ThreeCardsBecomeThreeRecords) {
    const TSpoiler spoiler = ParseSpoiler(lines(threeCards), TSpoilerKeys{}, "TM");
    ASSERT_EQ(spoiler.Cards.size(), 3u);
    EXPECT_EQ(spoiler.Cards[0],
              card("Quillback Warden", "G", "Summon Warden", "2GG", "3/4", "Trample",
                   "It guards the mere from dusk to dusk.", " Hale Wintour", "U", "3/40"));
    EXPECT_EQ(spoiler.Cards[1], card("Brackish Tide", "U", "Sorcery", "3U", "",
                                     "Return all tapped creatures to their owners' hands.", "",
                                     " Ines Morrow", "C", "11/40"));
    EXPECT_EQ(spoiler.Cards[2],
              card("Mirefire Sage", "Gld", "Summon Sage", "1UR", "1/1", "", "", "", "S", "40/40"));
    EXPECT_FALSE(spoiler.HasProgramSection);
}

TEST(Spoiler, ColourWordsInListOrder) {
    const struct {
        const char* line;
        const char* code;
    } cases[] = {
        {"Card Color:   Multi (White/Blue)", "Gld"},
        {"Card Color:   Black", "B"},
        {"Card Color:   Gold", "Gol"},
        {"Card Color:   White", "W"},
        {"Card Color:   Blue", "U"},
        {"Card Color:   Red", "R"},
        {"Card Color:   Green", "G"},
        {"Card Color:   Artifact", "Art"},
        {"Card Color:   Land", "Lnd"},
        {"Card Color:   n/a", "Lnd"},
        {"Card Color:   Red/Green", "R"},
        {"Card Color:   Green/Red", "R"},
        {"Card Color:   white", "whi"},
        {"Card Color:", ""},
    };
    for (const auto& c : cases) {
        const TSpoiler spoiler =
            ParseSpoiler({"Card Title: Test Card", c.line}, TSpoilerKeys{}, "TM");
        ASSERT_EQ(spoiler.Cards.size(), 1u) << c.line;
        EXPECT_EQ(spoiler.Cards[0].Color, c.code) << c.line;
    }
}

TEST(Spoiler, RarityAndPowerToughness) {
    const struct {
        const char* line;
        const char* rarity;
        const char* pt;
    } cases[] = {
        {"Rarity:       Rare", "R", ""},   {"Rarity:       Uncommon", "U", ""},
        {"Rarity:       Common", "C", ""}, {"Rarity:       Special", "S", ""},
        {"Rarity:       ", "", ""},        {"Pow/Tgh:      n/a", "", ""},
        {"Pow/Tgh:      */2", "", "*/2"},  {"Pow/Tgh:      2/2 n/a", "", "2/2 n/a"},
    };
    for (const auto& c : cases) {
        const TSpoiler spoiler =
            ParseSpoiler({"Card Title: Test Card", c.line}, TSpoilerKeys{}, "TM");
        ASSERT_EQ(spoiler.Cards.size(), 1u) << c.line;
        EXPECT_EQ(spoiler.Cards[0].Rarity, c.rarity) << c.line;
        EXPECT_EQ(spoiler.Cards[0].PT, c.pt) << c.line;
    }
}

TEST(Spoiler, ChangedKeysLongEditionsAndNoTitles) {
    TSpoilerKeys keys;
    keys.Name = "  Name: ";
    keys.Artist = "Illus:";
    keys.Seq = ""; // a cleared key matches nothing
    const TSpoiler spoiler = ParseSpoiler(
        {"Name: Gale Kestrel", "Illus: Tam Orrin", "Card #: 9", "Card Title: Not A Card"}, keys,
        "THRN");
    ASSERT_EQ(spoiler.Cards.size(), 1u);
    EXPECT_EQ(spoiler.Cards[0].Name, "Gale Kestrel");
    EXPECT_EQ(spoiler.Cards[0].Artist, " Tam Orrin");
    EXPECT_EQ(spoiler.Cards[0].Seq, "");
    EXPECT_EQ(spoiler.Cards[0].Edition, "THR");

    EXPECT_TRUE(ParseSpoiler({"Rarity: Rare", "Card Text: nothing"}, {}, "TM").Cards.empty());

    // A card without a title is dropped with all its fields.
    const TSpoiler untitled = ParseSpoiler(
        {"Card Title:", "Card Color: Red", "Rarity: Rare", "Card Title: Dim Kestrel"}, {}, "TM");
    ASSERT_EQ(untitled.Cards.size(), 1u);
    EXPECT_EQ(untitled.Cards[0].Name, "Dim Kestrel");
    EXPECT_EQ(untitled.Cards[0].Color, "");
    EXPECT_EQ(untitled.Cards[0].Rarity, "");
}

TEST(Spoiler, TabsInsideValuesCannotBreakTheCardLine) {
    const TSpoiler spoiler = ParseSpoiler({"Card Title:\tGale\tKestrel\t", "Card Text: Fly\ting",
                                           "\tand\tmore", "Artist:\tTam\tOrrin"},
                                          TSpoilerKeys{}, "TM");
    ASSERT_EQ(spoiler.Cards.size(), 1u);
    EXPECT_EQ(spoiler.Cards[0].Name, "Gale Kestrel");
    EXPECT_EQ(spoiler.Cards[0].Text, "Fly ing and more");
    EXPECT_EQ(spoiler.Cards[0].Artist, " Tam Orrin");
    EXPECT_EQ(ParseCardLine(FormatCardLine(spoiler.Cards[0])), spoiler.Cards[0]);
}

TEST(Spoiler, ProgramSectionSkipsLinesWithoutEquals) {
    const TSpoiler spoiler =
        ParseSpoiler(lines("Card Title: Gale Kestrel\r\n  ///PROG CARD CODE\\\\\\  \r\n"
                           "gale kestrel = KEYWORLD[_FL_]\r\n\r\nno equals here\r\n"
                           "=orphan\r\nAsh Imp=\r\n"),
                     TSpoilerKeys{}, "TM");
    EXPECT_TRUE(spoiler.HasProgramSection);
    const std::vector<std::pair<std::string, std::string>> expected{
        {"gale kestrel", "KEYWORLD[_FL_]"}, {"Ash Imp", ""}};
    EXPECT_EQ(spoiler.Programs, expected);
    ASSERT_EQ(spoiler.Cards.size(), 1u);
}

TEST(Programs, MergeReplacesAddsSortedAndRemoves) {
    std::vector<std::string> programs{"Ash Imp=A", "Fen Crawler=B", "Rook=C"};
    EXPECT_TRUE(MergeProgram(programs, "fen CRAWLER", "NEW"));
    EXPECT_TRUE(MergeProgram(programs, "Dune Lurker", "D"));
    EXPECT_FALSE(MergeProgram(programs, "Zed", ""));
    EXPECT_FALSE(MergeProgram(programs, "Dune Lurker", "D"));
    EXPECT_TRUE(MergeProgram(programs, "rook", ""));
    EXPECT_EQ(programs,
              (std::vector<std::string>{"Ash Imp=A", "Dune Lurker=D", "Fen Crawler=NEW"}));
}

TEST_F(DataFolder, ImportAddsCardsProgramsAndPutsTheEditionFirst) {
    WriteBytes(dir.File("thornmere.txt"), std::string(threeCards) +
                                              "///PROG CARD CODE\\\\\\\r\n"
                                              "brackish tide=BOUNCE\r\n"
                                              "\r\n"
                                              "Quillback Warden=KEYWORLD[_TR_]\r\n");
    const TMaintResult result = AddEdition(db, thornmere());
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_EQ(result.Count, 3);

    std::vector<std::string> added;
    for (const std::string_view line : db.CardLines)
        if (ParseCardLine(line).Edition == "TM")
            added.emplace_back(line);
    ASSERT_EQ(added.size(), 3u);
    EXPECT_EQ(db.CardLines.size(), 10u);
    EXPECT_TRUE(std::is_sorted(db.CardLines.begin(), db.CardLines.end(),
                               [](const auto& a, const auto& b) { return CardLineLess(a, b); }));
    EXPECT_EQ(FindCard(db, "Mirefire Sage", "TM").Color, "Gld");

    EXPECT_EQ(EditionListLines(db.Settings),
              (std::vector<std::string>{"TM - Thornmere", "EM - Emberhold", "AB - Ashbrook",
                                        "SV - Saltveil"}));
    EXPECT_EQ(db.Settings.ReadString(ini::EditionFilters, "TM", "x"), "0");
    EXPECT_EQ(db.ProgramLines,
              (std::vector<std::string>{"Brackish Tide=BOUNCE", "Fen Crawler=KEYWORLD[_WB_]",
                                        "Quillback Warden=KEYWORLD[_TR_]"}));
    expectMemoryMatchesDisk();
}

TEST_F(DataFolder, RefusedRequestsChangeNothing) {
    const struct {
        const char* name;
        const char* key;
        bool hasSpoiler;
        bool onlyCatalogue;
        std::string_view message;
    } cases[] = {
        {"", "TM", true, false, maint::NotAllFields},
        {"Thornmere", "  ", true, false, maint::NotAllFields},
        {"Thornmere", "TM", false, false, maint::NotAllFields},
        {"Ashbrook Again", "ab", true, false, maint::EditionExists},
        {"Ashbrook Again", "Ab", false, true, maint::EditionExists},
        {"Thornmere", "THRN", true, false, maint::KeyTooLong},
        {"Thornmere", "T=M", true, false, maint::BadKeyCharacter},
    };
    for (const auto& c : cases) {
        TAddEditionRequest request = thornmere();
        request.Name = c.name;
        request.Key = c.key;
        request.OnlyCatalogue = c.onlyCatalogue;
        if (!c.hasSpoiler)
            request.SpoilerPath.clear();
        const TMaintResult result = AddEdition(db, request);
        EXPECT_FALSE(result.Ok) << c.name << "/" << c.key;
        EXPECT_EQ(result.Error, c.message) << c.name << "/" << c.key;
        expectNothingChanged();
    }
}

TEST_F(DataFolder, AnUnreadableSpoilerLeavesTheCatalogueAlone) {
    TAddEditionRequest request = thornmere();
    request.SpoilerPath = dir.File("missing.txt");
    const TMaintResult result = AddEdition(db, request);
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Error.find("missing.txt"), std::string::npos);
    expectNothingChanged();
    // The key is still free afterwards.
    EXPECT_TRUE(AddEdition(db, thornmere()).Ok);
}

TEST_F(DataFolder, CatalogueOnlyIgnoresTheSpoiler) {
    TAddEditionRequest request = thornmere();
    request.OnlyCatalogue = true;
    const TMaintResult result = AddEdition(db, request);
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_EQ(result.Count, 0);
    EXPECT_EQ(EditionListLines(db.Settings).front(), "TM - Thornmere");
    EXPECT_EQ(ReadBytes(dir.File("cardlist.dat")), cards);
    EXPECT_EQ(ReadBytes(dir.File("programm.dat")), programs);
    expectMemoryMatchesDisk();
}

TEST_F(DataFolder, ASpoilerWithoutTitlesAddsNoCard) {
    WriteBytes(dir.File("thornmere.txt"), "Thornmere\r\nRarity: Rare\r\n");
    const TMaintResult result = AddEdition(db, thornmere());
    ASSERT_TRUE(result.Ok);
    EXPECT_EQ(result.Count, 0);
    EXPECT_EQ(db.CardLines.size(), 7u);
    expectMemoryMatchesDisk();
}

TEST_F(DataFolder, AFailedSaveOfAnyFileLeavesEveryFileAsItWas) {
    WriteBytes(dir.File("thornmere.txt"),
               std::string(threeCards) + "///PROG CARD CODE\\\\\\\r\nAsh Imp=X\r\n");
    for (const std::string failing : {"cardlist.dat", "Zandor.ini", "programm.dat"}) {
        TPickyWriter writer(failing);
        const TMaintResult result = AddEdition(db, thornmere());
        EXPECT_FALSE(result.Ok) << failing;
        EXPECT_NE(result.Error.find("no space left"), std::string::npos) << failing;
        expectNothingChanged();
    }
    // The card list is written first: when it fails, nothing else is tried.
    TPickyWriter writer("cardlist.dat");
    AddEdition(db, thornmere());
    EXPECT_EQ(writer.Written, std::vector<std::string>{"cardlist.dat"});
}

TEST_F(DataFolder, DeletionMatchesTheKeyExactly) {
    const TMaintResult result = DeleteEdition(db, "AB");
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_EQ(result.Count, 3); // three adjacent lines, the "ab" line among them stays
    std::vector<std::string> names;
    for (const std::string_view line : db.CardLines)
        names.push_back(std::string(LineName(line)) + "/" + ParseCardLine(line).Edition.str());
    EXPECT_EQ(names, (std::vector<std::string>{"Ashen Vow/EM", "Cinder Whelp/ab", "Fen Crawler/SV",
                                               "Rookwing Scout/EM"}));
    EXPECT_FALSE(db.Settings.ValueExists(ini::Edition, "AB"));
    EXPECT_FALSE(db.Settings.ValueExists(ini::EditionFilters, "AB"));
    EXPECT_EQ(EditionListLines(db.Settings),
              (std::vector<std::string>{"EM - Emberhold", "SV - Saltveil"}));
    expectMemoryMatchesDisk();
}

TEST_F(DataFolder, DeletionWithoutCardsAndWithATypedKey) {
    // A key typed in other letters is the catalogue's key.
    TMaintResult result = DeleteEdition(db, "sv");
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_EQ(result.Count, 1);
    EXPECT_EQ(FindCard(db, "Fen Crawler", "").Name, "XNOCARD");

    WriteBytes(dir.File("Zandor.ini"),
               JoinLines({"[Edition]", "NX=Nexmoor", "[Edition Filters]", "NX=1"}));
    reload();
    result = DeleteEdition(db, "NX");
    ASSERT_TRUE(result.Ok);
    EXPECT_EQ(result.Count, 0);
    EXPECT_EQ(ReadBytes(dir.File("Zandor.ini")), "[Edition]\r\n[Edition Filters]\r\n");
    EXPECT_EQ(ReadBytes(dir.File("cardlist.dat")), cards);

    result = DeleteEdition(db, "QQ");
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Error, std::string(maint::EditionNotFound) + "QQ");
}

TEST_F(DataFolder, AFailedDeletionChangesNothing) {
    for (const std::string failing : {"cardlist.dat", "Zandor.ini"}) {
        TPickyWriter writer(failing);
        const TMaintResult result = DeleteEdition(db, "AB");
        EXPECT_FALSE(result.Ok) << failing;
        expectNothingChanged();
        EXPECT_EQ(FindCard(db, "Dune Lurker", "AB").Name, "Dune Lurker");
    }
}

TEST(EditionList, KeysOfListLines) {
    EXPECT_EQ(EditionKeyOfListLine("TM - Thornmere"), "TM");
    EXPECT_EQ(EditionKeyOfListLine(" X -Y - Z"), "X");
    EXPECT_EQ(EditionKeyOfListLine("NOKEY"), "NOKEY");
}
