#include "core/UCardDatabase.h"
#include "tests/testkit/TestKit.h"

#include <gtest/gtest.h>
#include <random>

using namespace zandor;
using namespace zandor::test;

namespace {

std::string line(const std::string& name, const std::string& edition, const std::string& type = "",
                 const std::string& text = "") {
    TZandorCard c;
    c.Name = name;
    c.Edition = edition;
    c.CardType = type;
    c.Text = text;
    c.Rarity = "C";
    return FormatCardLine(c);
}

struct Lookup : ::testing::Test {
    std::vector<std::string> lines{
        line("Abbey Gate", "AAA"), line("Abbey Gate", "BBB"), line("Acorn", "AAA"),
        line("Bell", "AAA"),       line("Bell Tower", "BBB"), line("Version", "@@"),
        line("Z", "AAA"),          line("Zeal", "CCC"),
    };
    TNameIndex index;
    void SetUp() override { BuildNameIndex(index, lines); }
    TZandorCard find(const std::string& name, const std::string& edition) {
        return FindCard(index, TCardLines(lines), name, edition);
    }
};

} // namespace

TEST(NameIndex, OneEntryPerRunOfKeysInListOrder) {
    std::vector<std::string> lines{"Ab\t", "AB\t", "Ac\t"};
    TNameIndex index;
    BuildNameIndex(index, lines);
    EXPECT_EQ(index.Lines(), (std::vector<std::string>{"AB=0", "AC=2"}));
    // A key that comes back after another key gets a further entry; the first one wins.
    lines = {"Ab\t", "Ca\t", "ab\t", "A\t", ""};
    BuildNameIndex(index, lines);
    EXPECT_EQ(index.Lines(), (std::vector<std::string>{"AB=0", "CA=1", "AB=2", "A=3", "=4"}));
    EXPECT_EQ(index.Find("ab"), 0);
    EXPECT_EQ(index.Find("CA"), 1);
    EXPECT_EQ(index.Find("zz"), -1);
    BuildNameIndex(index, {});
    EXPECT_TRUE(index.empty());
}

TEST_F(Lookup, FindsByNameAndEdition) {
    struct Case {
        const char* name;
        const char* edition;
        const char* foundEdition; // nullptr: not found
    };
    const Case cases[] = {
        {"Abbey Gate", "", "AAA"}, // empty edition: the first line of the name
        {"Abbey Gate", "BBB", "BBB"}, {"Acorn", "AAA", "AAA"},
        {"Bell", "", "AAA"},          {"Bell Tower", "", "BBB"},
        {"Version", "@@", "@@"},      {"Z", "", "AAA"},
        {"Zeal", "CCC", "CCC"},       {"Abbey", "", nullptr},
        {"abbey gate", "", nullptr},  {"Abbey Gate", "CCC", nullptr},
        {"Zeal", "AAA", nullptr}, // last line, wrong edition
        {"Qx", "", nullptr},          {"", "", nullptr},
        {"A", "", nullptr},           {"Abbey Gate", "AAAA", nullptr},
        {"Abbey\tGate", "", nullptr},
    };
    for (const Case& c : cases) {
        const TZandorCard card = find(c.name, c.edition);
        if (c.foundEdition) {
            EXPECT_EQ(card.Name, c.name) << c.name;
            EXPECT_EQ(card.Edition.str(), c.foundEdition) << c.name;
        } else {
            EXPECT_TRUE(IsNotFound(card)) << c.name << "/" << c.edition;
        }
    }
}

TEST_F(Lookup, MissCarriesNoFieldsOfANeighbour) {
    const TZandorCard card = find("Zeal", "AAA");
    TZandorCard expected;
    expected.Name = "XNOCARD";
    EXPECT_EQ(card, expected);
}

TEST_F(Lookup, StaleIndexNeverReadsOutOfRange) {
    lines.resize(2); // the list shrank without a rebuild
    EXPECT_TRUE(IsNotFound(find("Zeal", "")));
    EXPECT_EQ(find("Abbey Gate", "BBB").Edition.str(), "BBB");
}

TEST(PlainText, MarkupIsDroppedAndLinesBreakAfterFifty) {
    struct Case {
        std::string text;
        std::string plain;
    };
    const std::string sixty(60, 'a');
    const Case cases[] = {
        {"", ""},
        {"   ", ""},
        {sixty, sixty},
        {"| Flying", "Flying"},
        {"Flying| Trample", "Flying\n\rTrample"},
        {"<2R>, <T>: Deal 1.", "2R, T: Deal 1."},
        {"\\ italic ^ flavour % small / right", "italic flavour small right"},
        {"a/b", "a/b"},
        {"&{x}", "&{x}"},
        {std::string(50, 'b') + " rest of it", std::string(50, 'b') + "\n\rrest of it"},
        {std::string(49, 'c') + " d e", std::string(49, 'c') + " d\n\re"},
        {"ends with bar|", "ends with bar\n\r"},
        {"x\\", "x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlainCardText(c.text), c.plain) << c.text;
}

TEST(CardOrder, CaseInsensitiveWholeLines) {
    std::vector<std::string> lines{"b\t", "Ab\t", "aa\t", "A\t", "Ab cd\t"};
    SortCardLines(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"A\t", "aa\t", "Ab\t", "Ab cd\t", "b\t"}));
}

TEST(Programs, LookedUpByNameWithoutCase) {
    const std::vector<std::string> programs{"Ember Hound=TAP", "bell tower=COUNT 2", "broken"};
    EXPECT_EQ(CardProgram(programs, "ember hound"), "TAP");
    EXPECT_EQ(CardProgram(programs, "Bell Tower"), "COUNT 2");
    EXPECT_EQ(CardProgram(programs, "broken"), "");
    EXPECT_EQ(CardProgram(programs, "Nothing"), "");
}

TEST(LoadDatabase, ReadsEveryFileAndTheSettings) {
    TTempDir dir;
    WriteBytes(dir.File("cardlist.dat"),
               line("Acorn", "AAA") + "\r\n" + line("Bell", "AAA") + "\r\n");
    WriteBytes(dir.File("rulecards.dat"), "Acorn:\r\nruling\r\n");
    WriteBytes(dir.File("programm.dat"), "Acorn=TAP\r\n");
    WriteBytes(dir.File("Zandor.ini"),
               "[Location]\r\nPic=/pics\r\n[Ramka]\r\nKey=1\r\n[Print]\r\nUseOsn=1\r\n");
    TCardDatabase db;
    LoadCardDatabase(db, "/prog", dir.Path());
    EXPECT_EQ(db.DataDir, dir.Path() + "/");
    EXPECT_EQ(db.PicDir, "/pics");
    EXPECT_EQ(db.CardLines.size(), 2u);
    EXPECT_EQ(db.RuleLines.size(), 2u);
    EXPECT_EQ(db.ProgramLines, std::vector<std::string>{"Acorn=TAP"});
    EXPECT_EQ(db.NameIndex.Lines(), (std::vector<std::string>{"AC=0", "BE=1"}));
    EXPECT_TRUE(db.TableDragFrame);
    EXPECT_TRUE(db.ProgramOptions.UseOsn);
    EXPECT_EQ(db.DeckDir, "/prog");
    EXPECT_EQ(db.PlayOrigin, "Main");
    EXPECT_TRUE(db.MissingFiles.empty());
    EXPECT_EQ(FindCard(db, "Bell", "").Name, "Bell");
}

TEST(LoadDatabase, EachFileIsReadOnItsOwn) {
    TTempDir dir;
    WriteBytes(dir.File("programm.dat"), "Acorn=TAP\r\n");
    TCardDatabase db;
    LoadCardDatabase(db, "/prog", dir.Path() + "/");
    EXPECT_TRUE(db.CardLines.empty());
    EXPECT_TRUE(db.RuleLines.empty());
    // Without the rulings the programs are still there, so saving them cannot wipe the file.
    EXPECT_EQ(db.ProgramLines.size(), 1u);
    EXPECT_EQ(db.MissingFiles, (std::vector<std::string>{"cardlist.dat", "rulecards.dat"}));
    EXPECT_TRUE(db.NameIndex.empty());
    EXPECT_TRUE(IsNotFound(FindCard(db, "Acorn", "")));
    EXPECT_EQ(db.ProgramOptions, TProgramOptions{});
}

TEST(LoadDatabase, SampleDataLoadsAndEveryCardIsFound) {
    TTempDir dir;
    CopySampleData(dir.Path());
    TCardDatabase db;
    LoadCardDatabase(db, dir.Path(), dir.Path());
    ASSERT_GE(db.CardLines.size(), 150u);
    int versions = 0;
    for (const std::string& text : db.CardLines) {
        const TZandorCard card = ParseCardLine(text);
        ASSERT_FALSE(card.Name.empty()) << text;
        const TZandorCard found = FindCard(db, card.Name, card.Edition);
        EXPECT_EQ(found, card) << card.Name;
        versions += card.Name == "Version" && card.Edition == "@@";
    }
    EXPECT_EQ(versions, 1);
    std::vector<std::string> sorted = db.CardLines;
    SortCardLines(sorted);
    EXPECT_EQ(sorted, db.CardLines) << "the sample card list is kept sorted";
}

TEST(SaveData, WritesTheListBeside) {
    TTempDir dir;
    TCardDatabase db;
    LoadCardDatabase(db, dir.Path(), dir.Path());
    db.CardLines = {line("Acorn", "AAA")};
    ASSERT_TRUE(SaveDataFile(db, CardListFile, db.CardLines).Ok);
    EXPECT_EQ(ReadBytes(dir.File("cardlist.dat")), line("Acorn", "AAA") + "\r\n");
}

TEST(LookupTable, GivesTheWalksAnswerOnSortedUnsortedAndStaleLists) {
    // Random small lists with few names, so that reprints, foreign first letters inside
    // runs, TAB-less lines and stale index entries all occur; the table must agree with
    // the walk on every lookup.
    std::mt19937 rng(11);
    const char* names[] = {"Ab", "Abc", "Ab c", "Ba", "Bb", "b", "B", "Ca", "A", ""};
    const char* editions[] = {"X", "Y", "ZZZ"};
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> plain;
        const int count = 1 + static_cast<int>(rng() % 12);
        for (int i = 0; i < count; ++i)
            plain.push_back(rng() % 9 == 0 ? "no tab"
                                           : line(names[rng() % 10], editions[rng() % 3]));
        if (round % 2 == 0)
            SortCardLines(plain);
        TNameIndex index;
        BuildNameIndex(index, plain);
        TCardLines table(plain);
        if (round % 3 == 0) { // the list changed after the index was built
            const std::size_t at = rng() % plain.size();
            plain[at] = line(names[rng() % 10], editions[rng() % 3]);
            table.Replace(at, plain[at]);
        }
        for (const char* name : names)
            for (const char* edition : {"", "X", "Y", "ZZZ", "Q"})
                ASSERT_EQ(FindCardLine(index, table, name, edition),
                          FindCardLineByWalk(index, plain, name, edition))
                    << "round " << round << " name '" << name << "' edition " << edition;
    }
}
