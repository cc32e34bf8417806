// The card edit: reading the dialog's values back, rewriting the card's line in place and
// keeping "programm.dat" in step, on a copy of the sample data.
#include "maint/UEditCardLogic.h"
#include "tests/testkit/TestKit.h"

#include <gtest/gtest.h>

using namespace zandor;
using namespace zandor::test;

namespace {

struct CardEdit : ::testing::Test {
    TTempDir dir;
    TCardDatabase db;
    std::vector<std::string> cardsBefore, programsBefore;

    void SetUp() override {
        CopySampleData(dir.Path());
        LoadCardDatabase(db, dir.Path(), dir.Path());
        cardsBefore = fileLines("cardlist.dat");
        programsBefore = fileLines("programm.dat");
    }
    std::vector<std::string> fileLines(const std::string& name) {
        return ReadTextLines(dir.File(name)).value_or(std::vector<std::string>{});
    }
    // The lines of the file that differ from before, by position.
    std::vector<std::size_t> changedCardLines() {
        const std::vector<std::string> now = fileLines("cardlist.dat");
        EXPECT_EQ(now.size(), cardsBefore.size());
        std::vector<std::size_t> changed;
        for (std::size_t i = 0; i < std::min(now.size(), cardsBefore.size()); ++i)
            if (now[i] != cardsBefore[i])
                changed.push_back(i);
        return changed;
    }
    TMaintResult edit(const std::string& baseLine,
                      const std::function<void(TCardEditInput&)>& change) {
        const TZandorCard card = CardToEdit(db, baseLine);
        EXPECT_NE(card.Name, "XNOCARD") << baseLine;
        TCardEditInput input = EditInputOf(card);
        change(input);
        return SaveEditedCard(db, card.Name, card.Edition, EditedCard(input));
    }
};

} // namespace

TEST_F(CardEdit, APriceOnlyEditRewritesOneLineInPlace) {
    const long long line = EditedCardLine(db, "Crag Wyrm", "SV");
    ASSERT_GE(line, 0);
    const TMaintResult result =
        edit("[SV] - Crag Wyrm", [](TCardEditInput& in) { in.Value = "  7,25 "; });
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_EQ(changedCardLines(), std::vector<std::size_t>{static_cast<std::size_t>(line)});
    const std::string stored = fileLines("cardlist.dat")[static_cast<std::size_t>(line)];
    EXPECT_EQ(std::count(stored.begin(), stored.end(), '\t'), 13);
    TZandorCard expected = ParseCardLine(cardsBefore[static_cast<std::size_t>(line)]);
    expected.Value = "7,25";
    EXPECT_EQ(ParseCardLine(stored), expected);
    EXPECT_EQ(fileLines("programm.dat"), programsBefore);
    EXPECT_EQ(db.CardLines.Lines(), fileLines("cardlist.dat"));
}

TEST(CardEditValues, MemoLinesAndShortFields) {
    const struct {
        std::vector<std::string> memo;
        const char* text;
    } memos[] = {
        {{"First part", "  second part  "}, "First part second part"},
        {{"", "only the second"}, "only the second"},
        {{"  a ", "", "   ", "b"}, "a b"},
        {{"tab\tinside"}, "tab inside"},
        {{}, ""},
    };
    for (const auto& m : memos)
        EXPECT_EQ(JoinMemoLines(m.memo), m.text);

    TCardEditInput input;
    input.Name = "  Gale Kestrel\t";
    input.Color = " Gold ";
    input.Rarity = "Rare";
    input.Edition = "ABCD";
    input.Program = " KEYWORLD[_FL_] ";
    input.Text = {"Flying", "when it attacks"};
    input.Artist = "   Tam Orrin ";
    const TZandorCard card = EditedCard(input);
    EXPECT_EQ(card.Artist, " Tam Orrin");
    EXPECT_EQ(EditInputOf(card).Artist, "Tam Orrin");
    EXPECT_EQ(card.Name, "Gale Kestrel");
    EXPECT_EQ(card.Color, "Gol");
    EXPECT_EQ(card.Rarity, "R");
    EXPECT_EQ(card.Edition, "ABC");
    EXPECT_EQ(card.Program, "KEYWORLD[_FL_]");
    EXPECT_EQ(card.Text, "Flying when it attacks");
}

TEST_F(CardEdit, ClearingAndGivingPrograms) {
    ASSERT_EQ(CardProgram(db.ProgramLines, "Crag Wyrm"), "KEYWORLD[_FL_]");
    ASSERT_TRUE(edit("[SV] - Crag Wyrm", [](TCardEditInput& in) { in.Program = " "; }).Ok);
    std::vector<std::string> expected = programsBefore;
    expected.erase(std::find(expected.begin(), expected.end(), "Crag Wyrm=KEYWORLD[_FL_]"));
    EXPECT_EQ(fileLines("programm.dat"), expected);

    const TZandorCard plain = CardToEdit(db, "[EM] - Ashfall Priest");
    ASSERT_EQ(plain.Program, "");
    ASSERT_TRUE(
        edit("[EM] - Ashfall Priest", [](TCardEditInput& in) { in.Program = "ComesTap"; }).Ok);
    const std::vector<std::string> now = fileLines("programm.dat");
    EXPECT_EQ(now.size(), expected.size() + 1);
    EXPECT_NE(std::find(now.begin(), now.end(), "Ashfall Priest=ComesTap"), now.end());
    EXPECT_TRUE(std::is_sorted(now.begin(), now.end(),
                               [](const auto& a, const auto& b) { return CardLineLess(a, b); }));
    EXPECT_EQ(db.ProgramLines, now);
}

TEST_F(CardEdit, ARenameKeepsThePositionAndTheOldProgram) {
    const long long line = EditedCardLine(db, "Crag Wyrm", "SV");
    ASSERT_TRUE(edit("[SV] - Crag Wyrm", [](TCardEditInput& in) { in.Name = "Crag Wyvern"; }).Ok);
    EXPECT_EQ(changedCardLines(), std::vector<std::size_t>{static_cast<std::size_t>(line)});
    EXPECT_EQ(ParseCardLine(db.CardLines[static_cast<std::size_t>(line)]).Name, "Crag Wyvern");
    EXPECT_EQ(CardProgram(db.ProgramLines, "Crag Wyvern"), "KEYWORLD[_FL_]");
    EXPECT_EQ(CardProgram(db.ProgramLines, "Crag Wyrm"), "KEYWORLD[_FL_]");
    EXPECT_EQ(db.ProgramLines, fileLines("programm.dat"));
}

TEST_F(CardEdit, AStaleHintStillFindsTheCard) {
    db.Settings.WriteInteger(ini::CardIndex, "A", 100000);
    EXPECT_EQ(EditedCardLine(db, "Anchor Chain", "SV"), 1);
    db.Settings.WriteInteger(ini::CardIndex, "A", 1);
    EXPECT_EQ(EditedCardLine(db, "Anchor Chain", "4E"), 0);
    EXPECT_EQ(EditedCardLine(db, "Anchor Chain", "EM"), -1);
    EXPECT_EQ(EditedCardLine(db, "", ""), -1);
}

TEST_F(CardEdit, RefusedOrFailedEditsChangeNothing) {
    TZandorCard card = CardToEdit(db, "[SV] - Crag Wyrm");
    card.Value = "9,99";
    TMaintResult result = SaveEditedCard(db, "Crag Wyrm", "EM", card);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Error, std::string(maint::CardNotFound) + "Crag Wyrm");

    card.Name = " ";
    result = SaveEditedCard(db, "Crag Wyrm", "SV", EditedCard(EditInputOf(card)));
    EXPECT_EQ(result.Error, maint::NotAllFields);

    {
        TFailingWriter failing;
        card.Name = "Crag Wyrm";
        card.Program = "";
        result = SaveEditedCard(db, "Crag Wyrm", "SV", card);
        EXPECT_FALSE(result.Ok);
        EXPECT_EQ(failing.Attempts, 1);
    }
    EXPECT_EQ(fileLines("cardlist.dat"), cardsBefore);
    EXPECT_EQ(fileLines("programm.dat"), programsBefore);
    EXPECT_EQ(db.CardLines.Lines(), cardsBefore);
    EXPECT_EQ(db.ProgramLines, programsBefore);
}
