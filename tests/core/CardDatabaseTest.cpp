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
    BuildNameIndex(index, TCardLines());
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
    for (std::string_view text : db.CardLines) {
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
            for (const char* edition : {"", "X", "Y", "ZZZ", "Q"}) {
                const long long walked = FindCardLineByWalk(index, plain, name, edition);
                ASSERT_EQ(FindCardLineByTable(index, table, name, edition), walked)
                    << "round " << round << " name '" << name << "' edition " << edition;
                ASSERT_EQ(FindCardLine(index, table, name, edition), walked)
                    << "round " << round << " name '" << name << "' edition " << edition;
            }
    }
}

TEST(CardLines, ReadsAFileAsTheLineReaderDoesWithEveryLineEnd) {
    TTempDir dir;
    const struct {
        const char* bytes;
    } cases[] = {
        {""},
        {"one"},
        {"one\r\ntwo\r\n"},
        {"one\ntwo\rthree\r\nfour"},
        {"\r\n\r\nafter blanks\r\n"},
        {"lone cr at the end\r"},
        {"cr cr lf\r\r\nnext"},
        {"tab\tfields\t\r\n\n\rlast"},
    };
    for (const auto& c : cases) {
        WriteBytes(dir.File("cardlist.dat"), c.bytes);
        TCardLines lines;
        ASSERT_TRUE(lines.LoadFile(dir.File("cardlist.dat")));
        const auto expected = ReadTextLines(dir.File("cardlist.dat"));
        ASSERT_TRUE(expected);
        EXPECT_EQ(lines.Lines(), *expected) << c.bytes;
        TCardLines fromText;
        fromText.SetText(c.bytes);
        EXPECT_EQ(fromText.Lines(), *expected) << c.bytes;
    }
    TCardLines missing{"kept"};
    EXPECT_FALSE(missing.LoadFile(dir.File("no such file")));
    EXPECT_FALSE(missing.LoadFile(dir.Path())); // a folder is no card list
    EXPECT_EQ(missing.Lines(), std::vector<std::string>{"kept"});
}

TEST(CardLines, ChangesCopiesAndSavesBehaveAsAListOfStrings) {
    // Random changes applied to a card list read from a file and to a plain list of
    // strings; copies taken on the way must keep what they held.
    TTempDir dir;
    std::mt19937 rng(5);
    const auto randomLine = [&rng] {
        return line("Card " + std::to_string(rng() % 50), "E" + std::to_string(rng() % 3));
    };
    std::vector<std::string> model;
    for (int i = 0; i < 40; ++i)
        model.push_back(randomLine());
    ASSERT_TRUE(WriteTextLines(dir.File("cardlist.dat"), model).Ok);
    auto lines = std::make_unique<TCardLines>();
    ASSERT_TRUE(lines->LoadFile(dir.File("cardlist.dat")));
    std::vector<std::pair<TCardLines, std::vector<std::string>>> snapshots;
    for (int step = 0; step < 3000; ++step) {
        const std::size_t at = model.empty() ? 0 : rng() % model.size();
        switch (rng() % 8) {
        case 0:
        case 1: {
            const std::string text = randomLine();
            lines->Replace(at, text);
            if (at < model.size())
                model[at] = text;
            break;
        }
        case 2: {
            const std::string text = randomLine();
            lines->Insert(at, text);
            model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), text);
            break;
        }
        case 3:
            lines->Erase(at);
            if (at < model.size())
                model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
            break;
        case 4: {
            const std::string text = randomLine();
            lines->push_back(text);
            model.push_back(text);
            break;
        }
        case 5:
            if (rng() % 20 == 0) {
                lines->Sort();
                SortCardLines(model);
            }
            break;
        case 6:
            if (rng() % 10 == 0)
                snapshots.emplace_back(*lines, model);
            break;
        case 7:
            if (rng() % 50 == 0) {
                // The list moves to a copy and the original goes; the text stays alive.
                auto copy = std::make_unique<TCardLines>(*lines);
                lines = std::move(copy);
            }
            break;
        }
        ASSERT_EQ(lines->Lines(), model) << "step " << step;
    }
    for (const auto& [snapshot, expected] : snapshots)
        EXPECT_EQ(snapshot.Lines(), expected);

    // Saving writes a new file over the old one; a list read from the old one keeps its
    // lines, and the file reads back as the list.
    TCardDatabase db;
    LoadCardDatabase(db, dir.Path(), dir.Path());
    const std::vector<std::string> before = db.CardLines;
    ASSERT_TRUE(SaveDataFile(db, CardListFile, *lines).Ok);
    EXPECT_EQ(db.CardLines.Lines(), before);
    EXPECT_EQ(ReadTextLines(dir.File("cardlist.dat")).value(), model);
    LoadCardDatabase(db, dir.Path(), dir.Path());
    EXPECT_EQ(db.CardLines.Lines(), model);
}

TEST(CardLines, OnlyChangedLinesAreCopied) {
    TTempDir dir;
    std::vector<std::string> lines;
    for (int i = 0; i < 1000; ++i)
        lines.push_back(line("Card " + std::to_string(i), "AAA"));
    ASSERT_TRUE(WriteTextLines(dir.File("cardlist.dat"), lines).Ok);
    TCardLines list;
    ASSERT_TRUE(list.LoadFile(dir.File("cardlist.dat")));
    // Every line lies in the one buffer, one after the other with its line end between.
    for (std::size_t i = 1; i < list.size(); ++i)
        ASSERT_EQ(list[i].data(), list[i - 1].data() + list[i - 1].size() + 2) << i;
    const char* third = list[3].data();
    // A line replaced many times (its old copies are dropped on the way) reads as its
    // last text, and the untouched lines stay where they were read.
    for (int round = 0; round < 5000; ++round)
        list.Replace(2, line("Changed " + std::to_string(round), "BBB"));
    EXPECT_EQ(list[2], line("Changed 4999", "BBB"));
    EXPECT_EQ(list[3].data(), third);
    lines[2] = line("Changed 4999", "BBB");
    EXPECT_EQ(list.Lines(), lines);
}
