#include "deck/UFindCardLogic.h"
#include "tests/deck/DeckTestBase.h"

#include <gtest/gtest.h>

using namespace zandor;
using namespace zandor::test;

TEST(FindCardText, LowerAsciiAndWholeWords) {
    EXPECT_EQ(LowerAscii("Vel-D\xDBr AZaz09 \xC6ther"), "vel-d\xDBr azaz09 \xC6ther");
    const struct {
        const char* term;
        const char* field;
        bool match;
    } cases[] = {
        {"growth", "GROWTH", true},
        {"growth", "Growth spurt", true},
        {"giant", "Mighty Giant", true},
        {"giant", "a giant growth", true},
        {"giant", "Giants", false},
        {"giant", "Stone-giant", false},
        {"giant bloom", "Giant Bloom", true},
        {"", "", true},
        {"x", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WholeWordMatch(c.term, c.field), c.match) << c.term << " / " << c.field;
}

TEST(FindCardText, Terms) {
    TFindOptions options;
    options.Find1 = "  Giant ";
    options.Find2 = " GROWTH";
    TSearchTerms terms = PrepareTerms(options);
    EXPECT_EQ(terms.T1, "giant");
    EXPECT_EQ(terms.T2, "growth");
    options.Find1 = "   ";
    terms = PrepareTerms(options);
    EXPECT_EQ(terms.T1, "growth");
    EXPECT_EQ(terms.T2, "");
    options.Find2 = "";
    EXPECT_TRUE(PrepareTerms(options).Empty());
}

namespace {

struct Search : ::testing::Test {
    TTestBase base{
        {{"Giant Bloom", "QAL", "G", "C", "Instant", "G", "One creature swells by +3/+3.",
          "Sabra Evenholm"},
         {"Giant Marsh Spider", "QAL", "G", "C", "Summon Spider", "3G", "Does not fly.",
          "Sabra Evenholm", "2/4"},
         {"Grove Bears", "QAL", "G", "C", "Summon Bears", "1G", "", "Jor Mennick", "2/2"},
         {"Ridge Giant", "QAL", "R", "C", "Summon Giant", "3R", "", "Dal Frasken", "3/3"},
         {"Ridge Giant", "QBE", "R", "C", "Summon Giant", "3R", "", "Dal Frasken", "3/3"},
         {"Slate Giant", "QAL", "R", "U", "Summon Giant", "2RR", "Giants fling.", "Damar Willet",
          "3/4"}},
        {"[Edition]", "QAL=Dawnquay", "QBE=Duskquay", "[Edition Filters]", "QAL=1", "QBE=1",
         "[Rarity Filters]", "Uncommon=0"}};
    TBaseList list;
    TCardSearch search;
    void SetUp() override { list.SetLines(AllBaseLines(base.Db.CardLines)); }
    std::vector<std::string> matches(const TFindOptions& options) {
        return AllMatches(base.Db.CardLines, PrepareTerms(options), options,
                          TCardFilter::FromSettings(base.Db.Settings));
    }
};

} // namespace

TEST_F(Search, TermsFieldsAndOperators) {
    const struct {
        const char* find1;
        TFindOperator op;
        const char* find2;
        bool artist;
        bool whole;
        std::vector<std::string> found;
    } cases[] = {
        {"giant",
         TFindOperator::And,
         "",
         false,
         false,
         {"[QAL] - Giant Bloom", "[QAL] - Giant Marsh Spider", "[QAL] - Ridge Giant",
          "[QBE] - Ridge Giant"}}, // the uncommon Slate Giant is filtered out
        {"GIANT", TFindOperator::And, "+3/+3", false, false, {"[QAL] - Giant Bloom"}},
        {"bears",
         TFindOperator::Or,
         "fly",
         false,
         false,
         {"[QAL] - Giant Marsh Spider", "[QAL] - Grove Bears"}},
        // The artist's name is on the line but not searched unless ticked.
        {"mennick", TFindOperator::And, "", false, false, {}},
        {"mennick", TFindOperator::And, "", true, false, {"[QAL] - Grove Bears"}},
        {"gian", TFindOperator::And, "", false, true, {}},
        {"spider", TFindOperator::And, "", false, true, {"[QAL] - Giant Marsh Spider"}},
        {"", TFindOperator::And, "grove", false, false, {"[QAL] - Grove Bears"}},
    };
    for (const auto& c : cases) {
        TFindOptions options;
        options.Find1 = c.find1;
        options.Find2 = c.find2;
        options.Operator = c.op;
        options.Artist = c.artist;
        options.MatchWhole = c.whole;
        EXPECT_EQ(matches(options), c.found) << c.find1 << " " << c.find2;
    }
    TFindOptions pt;
    pt.Name = pt.Type = pt.Text = false;
    pt.PT = true;
    pt.Find1 = "3/3";
    EXPECT_EQ(matches(pt),
              (std::vector<std::string>{"[QAL] - Ridge Giant", "[QBE] - Ridge Giant"}));
}

TEST_F(Search, SingleCardModeAndFindNext) {
    search.Options.Find1 = "ridge";
    list.SetLines({"[QAL] - Giant Bloom", "[qbe] - RIDGE GIANT"});
    // The first match, Ridge Giant of QAL, is not in the list: nothing is selected.
    TSearchOutcome outcome = search.Start(list, base.Db);
    EXPECT_FALSE(outcome.Down);
    EXPECT_TRUE(outcome.Found);
    EXPECT_EQ(outcome.Select, -1);
    EXPECT_EQ(search.LastFoundLine(), 3);
    // Find next goes on after it and finds the other printing, letter case ignored.
    outcome = search.FindNext(list, base.Db);
    EXPECT_EQ(outcome.Select, 1);
    EXPECT_EQ(search.LastFoundLine(), 4);
    outcome = search.FindNext(list, base.Db);
    EXPECT_FALSE(outcome.Found);
    EXPECT_EQ(search.LastFoundLine(), 4);
    EXPECT_EQ(list.size(), 2u);

    search.Options.Find1 = "nothing like it";
    EXPECT_FALSE(search.Start(list, base.Db).Found);
    EXPECT_EQ(search.LastFoundLine(), 4);
    search.Options.Find1 = " ";
    EXPECT_FALSE(search.Start(list, base.Db).Found);
    TBaseList empty;
    search.Options.Find1 = "ridge";
    EXPECT_FALSE(search.Start(empty, base.Db).Found);
}

TEST_F(Search, FindNextBeforeAnySearchStartsAtTheFirstLine) {
    search.Options.Find1 = "bloom";
    EXPECT_EQ(search.FindNext(list, base.Db).Select, 0);
}

TEST_F(Search, SelectAllReplacesTheListUntilReleased) {
    const std::vector<std::string> before = list.Lines();
    search.Options.Find1 = "ridge";
    search.Options.Find2 = "giant";
    search.Options.SelectMatch = true;
    TSearchOutcome outcome = search.Start(list, base.Db);
    EXPECT_TRUE(outcome.Down);
    EXPECT_TRUE(outcome.ListReplaced);
    EXPECT_EQ(outcome.Select, 0);
    EXPECT_EQ(list.Lines(),
              (std::vector<std::string>{"[QAL] - Ridge Giant", "[QBE] - Ridge Giant"}));
    EXPECT_EQ(list.Caption(), "  Base: 2 cards selected  ");
    EXPECT_EQ(list.FirstLetters().Find('R'), 0);
    EXPECT_EQ(search.ListToSave(list), before);
    EXPECT_FALSE(search.FindNext(list, base.Db).Found);

    // Searching again while the result is shown searches from the list before it.
    search.Options.Find2 = "nothing";
    outcome = search.Start(list, base.Db);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(outcome.Select, -1);
    EXPECT_EQ(search.ListToSave(list), before);

    outcome = search.End(list);
    EXPECT_FALSE(outcome.Down);
    EXPECT_EQ(list.Lines(), before);
    EXPECT_TRUE(search.SavedBaseList().empty());

    search.Start(list, base.Db);
    search.Release();
    EXPECT_FALSE(search.Down());
    EXPECT_EQ(&search.ListToSave(list), &list.Lines());
}

TEST_F(Search, FilterReleasesTheSearchAndRefillsTheList) {
    search.Options.Find1 = "giant";
    search.Options.SelectMatch = true;
    search.Start(list, base.Db);
    ASSERT_TRUE(search.Down());
    TFilterDialogModel dialog;
    dialog.Load(base.Db.Settings);
    dialog.SetColorTicked(ciGreen, false);
    std::vector<std::size_t> progress;
    EXPECT_TRUE(FilterBaseList(list, search, dialog, base.Db, [&](std::size_t n) {
                    progress.push_back(n);
                }).Ok);
    EXPECT_FALSE(search.Down());
    EXPECT_EQ(list.Lines(),
              (std::vector<std::string>{"[QAL] - Ridge Giant", "[QBE] - Ridge Giant"}));
    EXPECT_EQ(&search.ListToSave(list), &list.Lines());
    EXPECT_EQ(progress, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 0}));
    EXPECT_FALSE(TIniFile(base.Dir.File("Zandor.ini")).ReadBool("Color Filters", "Green", true));
}
