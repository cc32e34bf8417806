// Deck lines, deck loading, the zones of a player, the shuffle and the mulligan.
#include "play/UCardProgram.h"
#include "play/UPlayTestObj.h"
#include "tests/play/PlayTestKit.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace zandor;
using namespace zandor::test;

namespace {

struct TDeckLineCase {
    const char* Line;
    TPlayDeckLineKind Kind;
    int Count = 0;
    const char* Edition = "";
    const char* Name = "";
};

class DeckLine : public ::testing::TestWithParam<TDeckLineCase> {};

TEST_P(DeckLine, IsReadOrRefused) {
    const TDeckLineCase& c = GetParam();
    TPlayDeckEntry entry;
    ASSERT_EQ(ReadDeckLine(c.Line, entry), c.Kind);
    if (c.Kind == TPlayDeckLineKind::Entry) {
        EXPECT_EQ(entry.Count, c.Count);
        EXPECT_EQ(entry.Edition, c.Edition);
        EXPECT_EQ(entry.Name, c.Name);
    }
}

const auto I = TPlayDeckLineKind::Ignored;
const auto E = TPlayDeckLineKind::Entry;
const auto M = TPlayDeckLineKind::Malformed;

INSTANTIATE_TEST_SUITE_P(
    Lines, DeckLine,
    ::testing::Values(
        TDeckLineCase{"    4 [TST] - Card A", E, 4, "TST", "Card A"},
        TDeckLineCase{"    12 [ALL] - Vel-Dor's Vault\r", E, 12, "ALL", "Vel-Dor's Vault"},
        TDeckLineCase{"    4 [A-B] - Card A", E, 4, "A-B", "Card A"},
        TDeckLineCase{"    0 [TST] - Card A", E, 0, "TST", "Card A"},
        TDeckLineCase{"  -3 [TST] - Card A", E, -3, "TST", "Card A"},
        TDeckLineCase{"SB: 2 [TST] - Card B", I}, TDeckLineCase{"// note", I}, TDeckLineCase{"", I},
        TDeckLineCase{"   \t ", I}, TDeckLineCase{"    x [TST] - Card A", M},
        TDeckLineCase{"    [TST] - Card A", M}, TDeckLineCase{"    4 TST - Card A", M},
        TDeckLineCase{"    4 [TST - Card A", M}, TDeckLineCase{"    4 [TST] Card A", M},
        TDeckLineCase{"    4 [TST] - ", M}, TDeckLineCase{"    99999999999 [TST] - Card A", M},
        TDeckLineCase{"    10000 [TST] - Card A", M}));

class FakeArt final : public TSmallArtSource {
public:
    int AddArt(const std::string& path) override {
        Asked.push_back(path);
        const auto found = m_index.find(path);
        if (found != m_index.end())
            return found->second;
        const int index = static_cast<int>(m_index.size());
        m_index[path] = index;
        return index;
    }
    void Clear() override {
        ++Clears;
        m_index.clear();
    }
    std::vector<std::string> Asked;
    int Clears = 0;

private:
    std::map<std::string, int> m_index;
};

TEST(LoadDeck, FillsTheLibraryInDeckOrderWithRecordsProgramsAndPictures) {
    TPlayBase base;
    FakeArt art;
    TPlayerObj player;
    const std::vector<std::string> deck{"// comment",
                                        "    2 [TST] - Card A",
                                        "SB: 2 [TST] - Card B",
                                        "    0 [TST] - Mossy Hollow",
                                        "    1 [TST] - Aaa/Bbb",
                                        "    1 [TST] - Nowhere",
                                        "    1 [TST] - Tapper"};
    const auto skipped = player.LoadDeck("Player2", deck, "/pics", base.ProgramLines,
                                         base.NameIndex, base.CardLines, &art);
    EXPECT_TRUE(skipped.empty());
    EXPECT_EQ(player.PlayerName, "Player2");
    ASSERT_EQ(player.Library.Count(), 5);
    const std::vector<std::string> names{"Card A", "Card A", "Aaa/Bbb", "Nowhere", "Tapper"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(player.Library.Text(i), names[static_cast<std::size_t>(i)]);

    const TZandorCardObj& cardA = *player.Library.Card(0);
    EXPECT_EQ(cardA.Printed.CardType, "Creature - Zork");
    EXPECT_EQ(cardA.Printed.Program, "STAB[Creature-Zork:1/0]"); // "card a=" ignores case
    EXPECT_EQ(cardA.Play.Card, cardA.Printed);
    EXPECT_EQ(cardA.Play.Owner, "Player2");
    EXPECT_EQ(cardA.Play.Controller, "Player2");
    EXPECT_EQ(cardA.Play.StabIndex, -1);
    EXPECT_EQ(cardA.Play.Untapped, 1);
    // Both copies share one picture, and the split card asks for none.
    EXPECT_EQ(cardA.Play.ImageIndex, 0);
    EXPECT_EQ(player.Library.Card(1)->Play.ImageIndex, 0);
    EXPECT_EQ(player.Library.Card(2)->Play.ImageIndex, -1);
    EXPECT_EQ(art.Asked.front(), "/pics/TST/Card A.jpg");
    for (const std::string& path : art.Asked)
        EXPECT_EQ(path.find("Aaa"), std::string::npos);

    const TZandorCardObj& split = *player.Library.Card(2);
    EXPECT_EQ(split.Printed.Name, "Aaa/Bbb");
    EXPECT_EQ(split.Printed.Text, "Aaa deals 2 damage."); // the first half's record
    EXPECT_EQ(split.Printed.Color, "R");

    EXPECT_EQ(player.Library.Card(3)->Printed.Name, NotFoundName);

    const TMCardPlay& tapper = player.Library.Card(4)->Play;
    EXPECT_EQ(tapper.Untapped, 0);
    EXPECT_EQ(tapper.Counters, "2");
    EXPECT_EQ(tapper.Keywords, "_FL_ _TR_");

    // Without a picture cache the cards have no picture, and a new load replaces all.
    player.LoadDeck("Player2", DeckOf({"Card B"}), "/pics", base.ProgramLines, base.NameIndex,
                    base.CardLines, nullptr);
    ASSERT_EQ(player.Library.Count(), 1);
    EXPECT_EQ(player.Library.Card(0)->Play.ImageIndex, -1);
}

TEST(LoadDeck, ReportsTheLinesItCannotReadAndLoadsTheRest) {
    TPlayBase base;
    TPlayerObj player;
    const auto skipped = player.LoadDeck("Player1", ReadDeck("broken.dec"), "", base.ProgramLines,
                                         base.NameIndex, base.CardLines, nullptr);
    const std::vector<TSkippedDeckLine> expected{
        {2, "    four [TST] - Card B"}, {3, "    2 TST - Mossy Hollow"}, {6, "    2 [TST Card B"}};
    EXPECT_EQ(skipped, expected);
    EXPECT_EQ(player.Library.Count(), 4); // 3 Card A and the missing card
}

struct TPrepareCase {
    const char* Program;
    int Untapped;
    const char* Counters;
    const char* Keywords;
};

class Prepare : public ::testing::TestWithParam<TPrepareCase> {};

TEST_P(Prepare, ReadsComesTapCountersAndKeywords) {
    const TPrepareCase& c = GetParam();
    TMCardPlay play;
    play.Card.Program = c.Program;
    play.Untapped = 0;
    play.Counters = "9";
    play.Keywords = "_OLD_";
    PrepareCard(play);
    EXPECT_EQ(play.Untapped, c.Untapped);
    EXPECT_EQ(play.Counters, c.Counters);
    EXPECT_EQ(play.Keywords, c.Keywords);
}

INSTANTIATE_TEST_SUITE_P(
    Programs, Prepare,
    ::testing::Values(TPrepareCase{"", 1, "", "_OLD_"}, TPrepareCase{"ComesTap", 0, "", "_OLD_"},
                      TPrepareCase{"comestap", 1, "", "_OLD_"},
                      TPrepareCase{"Counter:3_", 1, "3", "_OLD_"},
                      TPrepareCase{"Counter:3", 1, "", "_OLD_"},
                      TPrepareCase{"Counter:x_", 1, "", "_OLD_"},
                      TPrepareCase{"Counter:-2_", 1, "", "_OLD_"},
                      TPrepareCase{"Counter:99999999999_", 1, "", "_OLD_"},
                      TPrepareCase{"KEYWORLD[_FL_ _TR_]", 1, "", "_FL_ _TR_"},
                      TPrepareCase{"KEYWORLD[_FL_", 1, "", ""},
                      TPrepareCase{"ComesTap Counter:2_ KEYWORLD[_FL_ _TR_]", 0, "2", "_FL_ _TR_"},
                      // constructs are found anywhere, also inside a token body
                      TPrepareCase{"TOKEN[Name:W;Programm:KEYWORLD[_FL_]", 1, "", "_FL_"}));

// A player whose library holds the named cards in order, each found in the fixture base.
void fillLibrary(TPlayerObj& player, const TPlayBase& base, const std::vector<std::string>& names) {
    player.LoadDeck("Player1", DeckOf(names), "", base.ProgramLines, base.NameIndex, base.CardLines,
                    nullptr);
}

std::vector<std::string> texts(const TCardZone& zone) {
    std::vector<std::string> out;
    for (const TZoneItem& item : zone.Items())
        out.push_back(item.Text);
    return out;
}

TEST(Zones, DrawTakesTheTopOfTheLibraryAndMovesResetTheCard) {
    TPlayBase base;
    TPlayerObj player;
    fillLibrary(player, base, {"Card A", "Card B", "Tapper"});
    const TZandorCardObj* tapper = player.Library.Card(2);
    player.Draw();
    ASSERT_EQ(texts(player.Hand), std::vector<std::string>{"Tapper"});
    EXPECT_EQ(player.Hand.Card(0), tapper); // the object itself moved
    EXPECT_EQ(tapper->Play.Untapped, 0);    // drawing changes nothing in the card

    // A card changed in play comes back printed and upright; its counters stay.
    player.Hand.Card(0)->Play.Card.PT = "9/9";
    EXPECT_TRUE(player.HandToGraveyard(0));
    EXPECT_EQ(tapper->Play.Card.PT, "2/2");
    EXPECT_EQ(tapper->Play.Untapped, 1);
    EXPECT_EQ(tapper->Play.Counters, "2");
    EXPECT_EQ(player.GraveyardLast(), 0);

    EXPECT_TRUE(player.GraveyardToLibrary(0));
    EXPECT_EQ(texts(player.Library), (std::vector<std::string>{"Card A", "Card B", "Tapper"}));
    EXPECT_TRUE(player.LibraryToRemoved(0));
    EXPECT_FALSE(player.HandToRemoved(-1));
    EXPECT_EQ(texts(player.Removed), std::vector<std::string>{"Card A"});

    // Indexes outside a zone move nothing.
    EXPECT_FALSE(player.LibraryToHand(2));
    EXPECT_FALSE(player.GraveyardToHand(0));
    EXPECT_FALSE(player.MoveInLibrary(0, 2));
    EXPECT_EQ(player.LibraryLast(), 1);

    EXPECT_TRUE(player.MoveInLibrary(1, 0));
    EXPECT_EQ(texts(player.Library), (std::vector<std::string>{"Tapper", "Card B"}));

    player.Draw();
    player.Draw();
    player.Draw(); // an empty library changes nothing
    EXPECT_EQ(player.LibraryLast(), -1);
    EXPECT_EQ(texts(player.Hand), (std::vector<std::string>{"Card B", "Tapper"}));
}

TEST(Zones, MoveInGraveyardPutsTheCardAtItsNewPosition) {
    TPlayBase base;
    TPlayerObj player;
    fillLibrary(player, base, {"Card A", "Card B", "Tapper", "Mossy Hollow"});
    for (int n = 0; n < 4; ++n)
        player.LibraryToGraveyard(0);
    EXPECT_TRUE(player.MoveInGraveyard(0, 3));
    EXPECT_EQ(texts(player.Graveyard),
              (std::vector<std::string>{"Card B", "Tapper", "Mossy Hollow", "Card A"}));
    EXPECT_TRUE(player.MoveInGraveyard(2, 1));
    EXPECT_EQ(texts(player.Graveyard),
              (std::vector<std::string>{"Card B", "Mossy Hollow", "Tapper", "Card A"}));
}

TEST(Shuffle, IsTwoHundredExchangesOfTwoRandomPositions) {
    TPlayBase base;
    TPlayerObj player;
    fillLibrary(player, base, {"Card A", "Card B", "Tapper"});
    // The first exchange swaps the bottom and the top; every later one swaps 1 with 1.
    TScriptedRandom random({0, 2, 1});
    player.ShuffleLibrary();
    EXPECT_EQ(random.Asked, std::vector<int>(400, 3));
    EXPECT_EQ(texts(player.Library), (std::vector<std::string>{"Tapper", "Card B", "Card A"}));

    random.Asked.clear();
    player.ShuffleGraveyard(); // empty: no numbers drawn
    EXPECT_TRUE(random.Asked.empty());
}

TEST(Shuffle, ASeedGivesTheSameOrderAndKeepsEveryCard) {
    TPlayBase base;
    const std::vector<std::string> names{"Card A",   "Card B",     "Tapper",     "Mossy Hollow",
                                         "Zork Pup", "Quib Hound", "Star Beast", "Wisp Maker"};
    TPlayerObj one, two;
    fillLibrary(one, base, names);
    fillLibrary(two, base, names);
    RandomSeed(99);
    one.ShuffleLibrary();
    RandomSeed(99);
    two.ShuffleLibrary();
    EXPECT_EQ(texts(one.Library), texts(two.Library));
    EXPECT_NE(texts(one.Library), names);
    auto sorted = texts(one.Library);
    std::sort(sorted.begin(), sorted.end());
    auto expected = names;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sorted, expected);
}

TEST(Mulligan, PutsTheHandBackShufflesAndDrawsOneFewer) {
    TPlayBase base;
    TPlayerObj player;
    std::vector<std::string> names(10, "Mossy Hollow");
    names[9] = "Card A";
    fillLibrary(player, base, names);
    for (int n = 0; n < 7; ++n)
        player.Draw();
    std::set<const TZandorCardObj*> all;
    for (const TCardZone* zone : {&player.Library, &player.Hand})
        for (const TZoneItem& item : zone->Items())
            all.insert(item.Card.get());
    player.Mulligan();
    EXPECT_EQ(player.Hand.Count(), 6);
    EXPECT_EQ(player.Library.Count(), 4);
    std::set<const TZandorCardObj*> after;
    for (const TCardZone* zone : {&player.Library, &player.Hand})
        for (const TZoneItem& item : zone->Items())
            after.insert(item.Card.get());
    EXPECT_EQ(after, all);

    TPlayerObj single;
    fillLibrary(single, base, {"Card A"});
    single.Draw();
    single.Mulligan();
    EXPECT_EQ(single.Hand.Count(), 0);
    EXPECT_EQ(single.Library.Count(), 1);
    single.Mulligan(); // an empty hand: nothing
    EXPECT_EQ(single.Library.Count(), 1);
}

} // namespace
