#include "deck/UDeckList.h"
#include "tests/deck/DeckTestBase.h"

#include <gtest/gtest.h>

using namespace zandor;
using namespace zandor::test;

namespace {

std::vector<std::string> linesAfter(std::vector<std::string> deck, int selected,
                                    TDeckResult (TDeckList::*command)()) {
    TDeckList list;
    list.SetLines(std::move(deck));
    list.Select(selected);
    EXPECT_TRUE((list.*command)().Ok);
    return list.Lines();
}

} // namespace

TEST(DeckListAdd, RaisesTheCountOfItsOwnKindOfLineOnly) {
    TDeckList deck;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(deck.AddCard("[ABC] - Orb Garnet").Ok);
    ASSERT_TRUE(deck.AddSideboardCard("[ABC] - Orb Garnet").Ok);
    ASSERT_TRUE(deck.AddSideboardCard("[ABC] - Orb Garnet").Ok);
    EXPECT_EQ(deck.Lines(),
              (std::vector<std::string>{"    3 [ABC] - Orb Garnet", "SB: 2 [ABC] - Orb Garnet"}));
    EXPECT_EQ(deck.Selected(), 1);
    ASSERT_TRUE(deck.AddCard("[ABC] - Orb Garnet").Ok);
    EXPECT_EQ(deck.Lines()[0], "    4 [ABC] - Orb Garnet");
    EXPECT_EQ(deck.Selected(), 0);
}

TEST(DeckListAdd, MatchesTheWholeCardPart) {
    TDeckList deck;
    deck.SetLines({"    2 [ABC] - Orb Garnet Ring", "    1 [XYZ] - Orb Garnet"});
    ASSERT_TRUE(deck.AddCard("[ABC] - Orb Garnet").Ok);
    EXPECT_EQ(deck.Lines(),
              (std::vector<std::string>{"    2 [ABC] - Orb Garnet Ring", "    1 [XYZ] - Orb Garnet",
                                        "    1 [ABC] - Orb Garnet"}));
    EXPECT_EQ(deck.Selected(), 2);
}

TEST(DeckListAdd, CardParts) {
    const struct {
        const char* base;
        const char* line;
    } cases[] = {
        {"[ABC] - Ember/Rime (Ember)", "    1 [ABC] - Ember/Rime"},
        {"[ABC] - Ember/Rime (Rime)", "    1 [ABC] - Ember/Rime"},
        // A name with "/" that is no split half stays whole.
        {"[ABC] - Either/Or", "    1 [ABC] - Either/Or"},
        {"[ABC] - Ring (Old)", "    1 [ABC] - Ring (Old)"},
    };
    for (const auto& c : cases) {
        TDeckList deck;
        ASSERT_TRUE(deck.AddCard(c.base).Ok);
        EXPECT_EQ(deck.Lines(), std::vector<std::string>{c.line}) << c.base;
    }
    TDeckList deck;
    deck.AddCard("[ABC] - Ember/Rime (Ember)");
    deck.AddCard("[ABC] - Ember/Rime (Rime)");
    EXPECT_EQ(deck.Lines(), std::vector<std::string>{"    2 [ABC] - Ember/Rime"});
}

TEST(DeckListAdd, CountsOfTenAndMoreKeepFourBlanks) {
    TDeckList deck;
    deck.SetLines({"    9 [ABC] - Chalk Flats"});
    deck.AddCard("[ABC] - Chalk Flats");
    EXPECT_EQ(deck.Lines()[0], "    10 [ABC] - Chalk Flats");
    deck.SetLines({"SB: 19 [ABC] - Chalk Flats"});
    deck.AddSideboardCard("[ABC] - Chalk Flats");
    EXPECT_EQ(deck.Lines()[0], "SB: 20 [ABC] - Chalk Flats");
}

TEST(DeckListDelete, TheCountDecides) {
    const struct {
        const char* line;
        std::vector<std::string> after;
    } cases[] = {
        {"    2 [ABC] - Orb Garnet", {"    1 [ABC] - Orb Garnet"}},
        {"    1 [ABC] - Orb Garnet", {}},
        // The card's own name holds " 1 ": the count 2 is lowered, the line stays.
        {"    2 [ABC] - Orb 1 Garnet", {"    1 [ABC] - Orb 1 Garnet"}},
        {"    12 [ABC] - Chalk Flats", {"    11 [ABC] - Chalk Flats"}},
        {"SB: 2 [ABC] - Orb 1 Garnet", {"SB: 1 [ABC] - Orb 1 Garnet"}},
        {"SB: 1 [ABC] - Orb Garnet", {}},
        {"// a comment with 2 words", {}},
        {"/", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(linesAfter({c.line}, 0, &TDeckList::DeleteCard), c.after) << c.line;
}

TEST(DeckListDelete, SelectsTheLineBeforeTheRemovedOne) {
    TDeckList deck;
    deck.SetLines({"    1 [A] - One", "    1 [A] - Two", "    1 [A] - Three"});
    EXPECT_EQ(deck.Selected(), -1); // nothing selected: nothing to delete
    EXPECT_TRUE(deck.DeleteCard().Ok);
    EXPECT_EQ(deck.Lines().size(), 3u);
    deck.Select(2);
    deck.DeleteCard();
    EXPECT_EQ(deck.Selected(), 1);
    deck.Select(0);
    deck.DeleteCard();
    EXPECT_EQ(deck.Selected(), 0);
    EXPECT_EQ(deck.Lines(), std::vector<std::string>{"    1 [A] - Two"});
    deck.DeleteCard();
    EXPECT_EQ(deck.Selected(), -1);
    EXPECT_TRUE(deck.Lines().empty());
    EXPECT_TRUE(deck.DeleteCard().Ok); // nothing selected: nothing happens
}

TEST(DeckList, ACountThatIsNoNumberChangesNothing) {
    const std::vector<std::string> lines{"    x [ABC] - Orb Garnet", "SB: [ABC] - Orb Garnet",
                                         "    99999999999 [ABC] - Big"};
    TDeckList deck;
    deck.SetLines(lines);
    for (int i = 0; i < 3; ++i) {
        deck.Select(i);
        const TDeckResult result = deck.DeleteCard();
        EXPECT_FALSE(result.Ok);
        EXPECT_EQ(result.BadLine, lines[static_cast<std::size_t>(i)]);
        EXPECT_EQ(deck.Lines(), lines);
    }
    EXPECT_EQ(deck.DeleteCard().Message, "'99999999999' is not a valid integer value");
    const TDeckResult added = deck.AddCard("[ABC] - Orb Garnet");
    EXPECT_FALSE(added.Ok);
    EXPECT_EQ(added.BadLine, lines[0]);
    EXPECT_EQ(added.Message, "'x' is not a valid integer value");
    EXPECT_EQ(deck.Lines(), lines);
}

TEST(DeckList, CommentsStandBeforeTheSelectedLine) {
    TDeckList deck;
    EXPECT_FALSE(deck.InsertComment("   "));
    EXPECT_TRUE(deck.InsertComment(" last "));
    deck.SetLines({"    1 [A] - One", "    1 [A] - Two"});
    deck.Select(1);
    EXPECT_TRUE(deck.InsertComment("Creatures"));
    EXPECT_EQ(deck.Selected(), 1);
    deck.Select(-1);
    EXPECT_TRUE(deck.InsertComment(" end "));
    EXPECT_EQ(deck.Lines(), (std::vector<std::string>{"    1 [A] - One", "// Creatures",
                                                      "    1 [A] - Two", "//  end "}));
}

TEST(DeckList, MovesStopAtTheEnds) {
    TDeckList deck;
    EXPECT_FALSE(deck.MoveUp());
    EXPECT_FALSE(deck.MoveDown());
    deck.SetLines({"a", "b", "c"});
    deck.Select(0);
    EXPECT_FALSE(deck.MoveUp());
    EXPECT_TRUE(deck.MoveDown());
    EXPECT_TRUE(deck.MoveDown());
    EXPECT_FALSE(deck.MoveDown());
    EXPECT_EQ(deck.Selected(), 2);
    EXPECT_EQ(deck.Lines(), (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_TRUE(deck.MoveUp());
    EXPECT_EQ(deck.Lines(), (std::vector<std::string>{"b", "a", "c"}));
    deck.SetDeckName("Red");
    deck.New();
    EXPECT_TRUE(deck.Lines().empty());
    EXPECT_EQ(deck.DeckName(), "");
    EXPECT_EQ(deck.Selected(), -1);
}

TEST(CountDeck, SortsCardsByTheirType) {
    TTestBase base({{"Bear", "ABC", "G", "C", "Summon Bear"},
                    {"Elf", "ABC", "G", "C", "Creature - Elf"},
                    {"Mossy Hollow", "ABC", "Lnd", "C", "Land"},
                    {"Gaea's Cradle", "ABC", "Lnd", "R", "Legendary Land"},
                    {"Giant Bloom", "ABC", "G", "C", "Instant"},
                    {"Goblin", "ABC", "R", "C", "Smn Goblin"},
                    {"Ember/Rime (Ember)", "ABC", "R", "U", "Creature"}},
                   {});
    const TCountResult result = CountDeck(
        {"// Creatures", "    4 [ABC] - Bear", "    3 [ABC] - Elf", "    2 [ABC] - Goblin",
         "   10 [ABC] - Mossy Hollow", "    1 [ABC] - Gaea's Cradle", "    4 [ABC] - Giant Bloom",
         "    2 [ABC] - Ember/Rime", "    5 [ZZZ] - Gone Card", "", "SB: 3 [ABC] - Elf",
         "SB: 12 [ABC] - Mossy Hollow"},
        base.Db);
    EXPECT_TRUE(result.Error.Ok);
    EXPECT_EQ(result.Counts, (TDeckCounts{11, 9, 11, 31, 15}));
    EXPECT_EQ(CounterText(result.Counts.Deck), "31 cards");
    EXPECT_EQ(CountDeck({}, base.Db).Counts, TDeckCounts{});

    const TCountResult broken = CountDeck({"    4 [ABC] - Bear", "SB: Elf", "SB: 2 Elf"}, base.Db);
    EXPECT_FALSE(broken.Error.Ok);
    EXPECT_EQ(broken.Error.BadLine, "SB: Elf");
    EXPECT_EQ(broken.Counts, (TDeckCounts{0, 4, 0, 4, 2}));
}
