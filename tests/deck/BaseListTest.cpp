#include "core/UTextFile.h"
#include "deck/UBaseList.h"
#include "tests/deck/DeckTestBase.h"

#include <gtest/gtest.h>

using namespace zandor;
using namespace zandor::test;

TEST(BaseLine, FormatAndSplit) {
    TZandorCard card;
    card.Name = "Ember/Rime (Ember)";
    card.Edition = "QEM";
    EXPECT_EQ(BaseLine(card), "[QEM] - Ember/Rime (Ember)");
    const struct {
        const char* line;
        const char* edition;
        const char* name;
    } cases[] = {
        {"[QEM] - Ember/Rime (Ember)", "QEM", "Ember/Rime (Ember)"},
        {"[@@] - Version", "@@", "Version"},
        {"[] - Nameless Edition", "", "Nameless Edition"},
        {"[QAL] -   Padded  ", "QAL", "Padded"},
        {"[QAL] - Name [with] - brackets", "QAL", "Name [with] - brackets"},
        {"[QAL]", "QAL", ""},
        {"[QAL", "", "[QAL"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        const TBaseLineParts parts = SplitBaseLine(c.line);
        EXPECT_EQ(parts.Edition, c.edition) << c.line;
        EXPECT_EQ(parts.Name, c.name) << c.line;
    }
    EXPECT_EQ(BaseCaption(0), "  Base: 0 cards selected  ");
}

struct FindAsYouType : ::testing::Test {
    TBaseList list;
    void SetUp() override {
        list.SetLines({"[QAL] - Ash Kite", "[QAL] - Aspen Wisp", "[QBE] - Lark",
                       "[QAL] - Lichen Hag", "[QFR] - Lim-Vor", "[QAL] - llama", "[QSM] - Zebra",
                       "[QAL] - Loam Sprite"});
    }
};

TEST_F(FindAsYouType, FirstLetterListMarksEveryRun) {
    std::vector<std::pair<char, std::size_t>> entries;
    for (const auto& e : list.FirstLetters().Entries())
        entries.emplace_back(e.Letter, e.Index);
    EXPECT_EQ(entries, (std::vector<std::pair<char, std::size_t>>{
                           {'A', 0}, {'L', 2}, {'l', 5}, {'Z', 6}, {'L', 7}}));
    EXPECT_EQ(list.FirstLetters().Find('z'), 6);
    EXPECT_EQ(list.FirstLetters().Find('l'), 2); // the first pair wins, case ignored
    EXPECT_EQ(list.FirstLetters().Find('Q'), -1);
    EXPECT_EQ(TFirstLetterList().Find('A'), -1);
}

TEST_F(FindAsYouType, JumpsToTheFirstNameNotLessThanTheText) {
    const struct {
        const char* typed;
        bool letter;
        long long index;
    } cases[] = {
        {"ll", true, 5},     // "Ll" from the first L: capitals sort before "llama"
        {"  li  ", true, 3}, // trimmed; "Li" <= "Lichen Hag"
        {"lim", true, 4},     {"Lic", true, 3}, {"a", true, 0},
        {"Aspen Z", true, 2}, // past every A: the scan goes on into the L names
        {"Zz", true, -1},     {"q", false, -1}, {"   ", false, -1},
    };
    for (const auto& c : cases) {
        const TFindAsYouType found = list.Find(c.typed);
        EXPECT_EQ(found.LetterFound, c.letter) << c.typed;
        EXPECT_EQ(found.Index, c.index) << c.typed;
    }
    EXPECT_EQ(list.IndexOf("[qal] - LOAM SPRITE"), 7);
    EXPECT_EQ(list.IndexOf("[QAL] - Loam Sprit"), -1);
}

TEST(TempBase, SavedListWinsOverTheWholeBase) {
    TTestBase base({{"Bear", "ABC"}, {"Elf", "ABC"}}, {});
    EXPECT_EQ(InitialBaseList(base.Db), (std::vector<std::string>{"[ABC] - Bear", "[ABC] - Elf"}));
    ASSERT_TRUE(SaveTempBase(base.Db, {"[ABC] - Elf"}).Ok);
    EXPECT_EQ(ReadBytes(base.Dir.File("tempbase.dat")), "[ABC] - Elf\r\n");
    EXPECT_EQ(InitialBaseList(base.Db), std::vector<std::string>{"[ABC] - Elf"});
    WriteBytes(base.Dir.File("tempbase.dat"), "");
    EXPECT_TRUE(InitialBaseList(base.Db).empty()); // an empty saved list stays empty
}
