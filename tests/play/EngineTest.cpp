// The player engine: the deal, the table with hit-testing and drawing order, moves
// between the zones and the table, counters, colours, tokens and life.
#include "play/UCardProgram.h"
#include "play/UTest.h"
#include "tests/play/PlayTestKit.h"

#include <gtest/gtest.h>

#include <functional>

using namespace zandor;
using namespace zandor::test;

namespace {

std::vector<std::string> hand(const TPlayerTest& game, const std::string& name) {
    std::vector<std::string> list;
    game.HandNames(name, list);
    return list;
}

std::vector<std::string> libraryTexts(const TPlayerObj& player) {
    std::vector<std::string> out;
    for (const TZoneItem& item : player.Library.Items())
        out.push_back(item.Text);
    return out;
}

TEST(Deal, TwoSixtyCardDecksGiveHandsOfSevenAndLifeTwenty) {
    TPlayBase base;
    const auto deck = ReadDeck("sixty.dec");
    TPlayerTest game;
    LoadGame(game, base, deck, deck);
    // A new game is loaded in deck order, not dealt.
    EXPECT_EQ(game.LibraryLast("Player1"), 59);
    EXPECT_EQ(game.Player1().Library.Text(0), "Mossy Hollow");
    EXPECT_EQ(game.GetLife("Player1"), 0);

    RandomSeed(2024);
    game.StartGame();
    for (const char* name : {"Player1", "Player2"}) {
        EXPECT_EQ(hand(game, name).size(), 7u) << name;
        EXPECT_EQ(game.LibraryLast(name), 52) << name;
        EXPECT_EQ(game.GetLife(name), 20) << name;
    }

    // The same seed shuffles the same way: player 1's first card is the top of its
    // shuffled library, then the draws alternate with player 2.
    TPlayerTest again;
    LoadGame(again, base, deck, deck);
    RandomSeed(2024);
    again.ShuffleLibrary("Player1");
    again.ShuffleLibrary("Player2");
    const auto shuffled = libraryTexts(again.Player1());
    const std::vector<std::string> top(shuffled.rbegin(), shuffled.rbegin() + 7);
    EXPECT_EQ(hand(game, "Player1"), top);
}

TEST(Deal, AFiveCardDeckGivesAHandOfFiveAndAnEmptyLibrary) {
    TPlayBase base;
    TPlayerTest game;
    LoadGame(game, base, ReadDeck("sixty.dec"), ReadDeck("five.dec"));
    game.StartGame();
    EXPECT_EQ(hand(game, "Player1").size(), 7u);
    EXPECT_EQ(hand(game, "Player2").size(), 5u);
    EXPECT_EQ(game.LibraryLast("Player2"), -1);
}

TEST(Deal, NewGameEmptiesTheTableAndTheAbilitiesAndClearsTheArtCache) {
    struct Art final : TSmallArtSource {
        int AddArt(const std::string&) override { return ++Added; }
        void Clear() override { ++Clears; }
        int Added = 0;
        int Clears = 0;
    } art;
    TPlayBase base;
    TPlayerTest game;
    game.SetSmallArtCache(&art, false);
    LoadGame(game, base, DeckOf({"Card A", "Card B"}));
    EXPECT_EQ(art.Clears, 1);
    EXPECT_EQ(art.Added, 2);
    game.LibraryToTable("Player1", 0, true, 10, 10);
    EXPECT_EQ(game.Stabs().size(), 1u);
    game.SetSmallArtCache(&art, true); // no pictures made in advance
    LoadGame(game, base, DeckOf({"Card A"}));
    EXPECT_EQ(art.Clears, 2);
    EXPECT_EQ(art.Added, 2);
    EXPECT_EQ(game.Player1().Library.Card(0)->Play.ImageIndex, -1);
    EXPECT_EQ(game.TableLast(), -1);
    EXPECT_TRUE(game.Stabs().empty());
}

// A table of the named cards of player 1, put on the table without hooks at the corners
// given.
void lay(TPlayerTest& game, const TPlayBase& base, const std::vector<std::string>& names,
         const std::vector<std::pair<int, int>>& corners) {
    LoadGame(game, base, DeckOf(names));
    for (const auto& [x, y] : corners)
        game.LibraryToTable("Player1", 0, false, x, y);
}

TEST(Table, AHitMustFallStrictlyInsideTheSquare) {
    TPlayBase base;
    TPlayerTest game;
    lay(game, base, {"Card B"}, {{100, 100}});
    const struct {
        int X, Y, Index;
    } cases[] = {{100, 100, -1}, {101, 101, 0},  {199, 199, 0}, {200, 150, -1},
                 {150, 200, -1}, {150, 100, -1}, {99, 150, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(game.TableHit(c.X, c.Y, true).Index, c.Index) << c.X << "," << c.Y;

    game.SetPT(0, "5/5");
    EXPECT_EQ(game.TableHit(150, 150, true).Card.PT, "2/2");
    EXPECT_EQ(game.TableHit(150, 150, false).Card.PT, "5/5");
    EXPECT_TRUE(game.TableHit(0, 0, false).Card.Name.empty());

    // A card at the far edge of the coordinates is hit without overflow.
    game.SetLastPosition(2147483600, 2147483600);
    EXPECT_EQ(game.TableHit(2147483647, 2147483647, true).Index, 0);
}

TEST(Table, TheLaterCardLiesOnTopUntilTheEarlierIsBroughtToFront) {
    TPlayBase base;
    TPlayerTest game;
    lay(game, base, {"Card A", "Card B"}, {{0, 0}, {50, 50}});
    EXPECT_EQ(game.TableHit(75, 75, true).Card.Name, "Card B");
    EXPECT_EQ(game.TableHit(25, 25, true).Card.Name, "Card A");
    game.BringToFront(0);
    EXPECT_EQ(game.TableHit(75, 75, true).Card.Name, "Card A");
    EXPECT_EQ(game.TableHit(75, 75, true).Index, 1);
    game.BringToFront(1); // already last
    EXPECT_EQ(game.Table().Text(1), "Card A");
    game.SetLastPosition(300, 300);
    EXPECT_EQ(game.TableCard(1)->X, 300);
    EXPECT_EQ(game.TableHit(75, 75, true).Card.Name, "Card B");
}

TEST(Table, TapFlipColourAndPowerToughness) {
    TPlayBase base;
    TPlayerTest game;
    lay(game, base, {"Card B"}, {{0, 0}});
    game.ToggleTapped(0);
    EXPECT_EQ(game.TableCard(0)->Untapped, 0);
    game.ToggleTapped(0);
    EXPECT_EQ(game.TableCard(0)->Untapped, 1);
    game.ToggleFaceDown(0);
    EXPECT_EQ(game.TableCard(0)->FaceDown, 1);

    game.SetColour(0, "U");
    EXPECT_EQ(game.TableCard(0)->Card.Color, "U");
    game.SetColour(0, "Artifact");
    EXPECT_EQ(game.TableCard(0)->Card.Color, "Art");
    game.SetColour(0, "Reset");
    EXPECT_EQ(game.TableCard(0)->Card.Color, "G");
    game.SetPT(0, "not a p/t");
    EXPECT_EQ(game.TableCard(0)->Card.PT, "not a p/t");
}

struct TCounterCase {
    const char* Start;
    int Number;
    const char* Op;
    const char* Result;
};

class Counters : public ::testing::TestWithParam<TCounterCase> {};

TEST_P(Counters, ChangeAsTheMenuAsks) {
    const TCounterCase& c = GetParam();
    TPlayBase base;
    TPlayerTest game;
    LoadGame(game, base, DeckOf({"Card B"}));
    TMCardPlay play = game.Player1().Library.Card(0)->Play;
    play.Counters = c.Start;
    game.LibraryToTableAs("Player1", 0, play);
    game.ChangeCounters(0, c.Number, c.Op);
    EXPECT_EQ(game.TableCard(0)->Counters, c.Result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Counters,
    ::testing::Values(TCounterCase{"", 1, "Add", "1"}, TCounterCase{"1", -1, "", "0"},
                      TCounterCase{"0", -1, "", "0"}, TCounterCase{"", -1, "", ""},
                      TCounterCase{"", 5, "Set", "5"}, TCounterCase{"3", 1, "Add", "4"},
                      TCounterCase{"0", 1, "Add", "1"}, TCounterCase{"4", -4, "Set", "0"},
                      TCounterCase{"2147483647", 1, "Add", "2147483647"},
                      TCounterCase{"junk", -1, "", "0"}));

TEST(Table, ACardGoesBackToItsOwnerWhateverPileItWasDroppedOn) {
    TPlayBase base;
    TPlayerTest game;
    LoadGame(game, base, DeckOf({"Card A"}), DeckOf({"Tapper", "Card B"}));
    game.LibraryToTable("Player2", 0, true, 10, 10);
    ASSERT_EQ(game.TableCard(0)->Owner, "Player2");
    game.ToggleFaceDown(0);
    game.SetColour(0, "U");
    game.SetPT(0, "7/7");
    EXPECT_EQ(game.TableCard(0)->Untapped, 0); // comes tapped
    EXPECT_FALSE(game.TableToGraveyard(0, true));
    EXPECT_EQ(game.TableLast(), -1);
    EXPECT_EQ(game.GraveyardLast("Player1"), -1);
    ASSERT_EQ(game.GraveyardLast("Player2"), 0);
    const TMCardPlay& back = game.Player2().Graveyard.Card(0)->Play;
    EXPECT_EQ(back.Card, game.Player2().Graveyard.Card(0)->Printed);
    EXPECT_EQ(back.Untapped, 1);
    EXPECT_EQ(back.FaceDown, 0);
    EXPECT_TRUE(back.Keywords.empty());
    EXPECT_EQ(back.Counters, "2"); // counters are set again when it next comes into play
    EXPECT_EQ(game.Player2().Graveyard.Text(0), "Tapper");

    // Coming back from the graveyard it is prepared again.
    EXPECT_EQ(game.PrepareGraveyardCard("Player2", 0)->Keywords, "_FL_ _TR_");
    game.GraveyardToTable("Player2", 0, true, 0, 0);
    game.TableToRemoved(0, true);
    EXPECT_EQ(game.RemovedLast("Player2"), 0);
    EXPECT_EQ(game.PrepareRemovedCard("Player2", 0)->Untapped, 0);
}

TEST(Table, TheLibraryTakesACardOnTopOrAtTheBottom) {
    TPlayBase base;
    TPlayerTest game;
    LoadGame(game, base, DeckOf({"Card A", "Card B", "Mossy Hollow"}));
    game.LibraryToTable("Player1", 2, true, 0, 0); // Mossy Hollow
    game.TableToLibrary(0, true, false);           // the library is not empty: bottom
    EXPECT_EQ(libraryTexts(game.Player1()),
              (std::vector<std::string>{"Mossy Hollow", "Card A", "Card B"}));
    game.LibraryToTable("Player1", 0, true, 0, 0);
    game.TableToLibrary(0, true, true);
    EXPECT_EQ(game.Player1().Library.Text(2), "Mossy Hollow");

    TPlayerTest single;
    LoadGame(single, base, DeckOf({"Card A"}));
    single.LibraryToTable("Player1", 0, true, 0, 0);
    single.TableToLibrary(0, true, false);
    EXPECT_EQ(single.LibraryLast("Player1"), 0);

    game.LibraryToTable("Player1", 0, true, 0, 0);
    game.TableToHand(0, true);
    EXPECT_EQ(hand(game, "Player1"), std::vector<std::string>{"Card A"});
    EXPECT_EQ(game.HandCard("Player1", 0)->Name, "Card A");
}

TEST(Tokens, ATokenTakesItsSourcesOwnerAndPictureAndLeavesTheGame) {
    TPlayBase base;
    TPlayerTest game;
    LoadGame(game, base, {}, DeckOf({"Wisp Maker"}));
    game.LibraryToTable("Player2", 0, true, 40, 40);
    const auto source = game.TableCard(0);
    const auto token = ParseTokenProgram(source->Card.Program, source->Card);
    ASSERT_TRUE(token.has_value());
    game.CreateToken(*token, 0, 61, 71);
    ASSERT_EQ(game.TableLast(), 1);
    const TMCardPlay play = *game.TableCard(1);
    EXPECT_EQ(game.Table().Text(1), "Wisp");
    EXPECT_EQ(play.Owner, "Player2");
    EXPECT_EQ(play.Controller, "Player2");
    EXPECT_EQ(play.X, 61);
    EXPECT_EQ(play.Y, 71);
    EXPECT_EQ(play.Keywords, "KEYWORLD[_FL_]");
    EXPECT_EQ(play.ImageIndex, source->ImageIndex);
    EXPECT_EQ(play.Card.CardType, "Token Creature - Wisp");
    EXPECT_TRUE(play.Counters.empty());

    game.TableToGraveyard(1, true);
    EXPECT_EQ(game.TableLast(), 0);
    EXPECT_EQ(game.GraveyardLast("Player2"), -1);
    EXPECT_FALSE(game.CreateToken(*token, 5, 0, 0)); // no source card there
    EXPECT_EQ(game.TableLast(), 0);
}

TEST(Players, NamesAddressThePlayersAndUnknownNamesDoNothing) {
    TPlayBase base;
    TPlayerTest game;
    LoadGame(game, base, DeckOf({"Card A"}), DeckOf({"Card B"}));
    game.SetLife("Player1", 3);
    game.SetLife("Nobody", -5); // every other name is player 2
    EXPECT_EQ(game.GetLife("Player1"), 3);
    EXPECT_EQ(game.GetLife("Player2"), -5);
    EXPECT_EQ(game.GetLife("Nobody"), -5);

    EXPECT_EQ(game.LibraryLast("Nobody"), -1);
    EXPECT_EQ(game.GraveyardLast("Nobody"), -1);
    EXPECT_EQ(game.RemovedLast("Nobody"), -1);
    game.Draw("Nobody");
    EXPECT_FALSE(game.LibraryToHand("Nobody", 0));
    EXPECT_FALSE(game.HandToTable("Nobody", 0, true, 0, 0));
    EXPECT_EQ(game.LibraryLast("Player1"), 0);
    EXPECT_EQ(game.LibraryLast("Player2"), 0);
    game.Draw("Player2");
    EXPECT_EQ(hand(game, "Player2"), std::vector<std::string>{"Card B"});
    EXPECT_TRUE(hand(game, "Player1").empty());
}

TEST(Players, IndexesOutsideAZoneOrTheTableChangeNothing) {
    TPlayBase base;
    TPlayerTest game;
    LoadGame(game, base, DeckOf({"Card A", "Card B"}));
    game.LibraryToTable("Player1", 0, true, 0, 0);
    const auto before = *game.TableCard(0);
    for (int i : {-1, 1, 1000}) {
        EXPECT_FALSE(game.TableToGraveyard(i, true));
        EXPECT_FALSE(game.TableToLibrary(i, true, false));
        EXPECT_FALSE(game.HandToTable("Player1", i, true, 0, 0));
        EXPECT_FALSE(game.LibraryToTable("Player1", i, true, 0, 0));
        EXPECT_FALSE(game.GraveyardToTableAs("Player1", i, before));
        EXPECT_FALSE(game.StabLeave(i));
        EXPECT_FALSE(game.TableCard(i).has_value());
        EXPECT_FALSE(game.HandCard("Player1", i).has_value());
        EXPECT_FALSE(game.PrepareHandCard("Player1", i).has_value());
        game.BringToFront(i);
        game.ToggleTapped(i);
        game.SetPT(i, "0/0");
        game.SetColour(i, "U");
        game.ChangeCounters(i, 1, "Add");
    }
    EXPECT_EQ(game.TableLast(), 0);
    EXPECT_EQ(*game.TableCard(0), before);
    EXPECT_EQ(game.LibraryLast("Player1"), 0);

    TPlayerTest empty;
    empty.SetLastPosition(5, 5);
    EXPECT_EQ(empty.TableHit(5, 5, true).Index, -1);
}

TEST(Table, ACardPlayedWithAGivenStateBelongsToAPlayerOfTheGame) {
    TPlayBase base;
    TPlayerTest game;
    LoadGame(game, base, {}, DeckOf({"Aaa/Bbb"}));
    game.Draw("Player2");
    TMCardPlay half;
    half.Card = FindCard(base.NameIndex, base.CardLines, "Aaa/Bbb (Bbb)", "TST");
    half.StabIndex = 3; // a stale index must not survive
    EXPECT_TRUE(game.HandToTableAs("Player2", 0, half));
    const TMCardPlay play = *game.TableCard(0);
    EXPECT_EQ(play.Card.Name, "Aaa/Bbb (Bbb)");
    EXPECT_EQ(play.Owner, "Player2");
    EXPECT_EQ(play.StabIndex, -1);
    game.TableToHand(0, true);
    EXPECT_EQ(game.HandCard("Player2", 0)->Name, "Aaa/Bbb");
    EXPECT_EQ(game.Player2().Hand.Card(0)->Play.Card.Text, "Aaa deals 2 damage.");
}

} // namespace

TEST(Table, MovesSayWhetherTheCardLeftAndThePrintedRecordStaysReadable) {
    TPlayBase base;
    TPlayerTest game;
    lay(game, base, {"Card A", "Card B", "Tapper"}, {{10, 10}, {200, 10}, {400, 10}});
    game.SetPT(0, "9/9");
    ASSERT_TRUE(game.TablePrinted(0));
    EXPECT_EQ(game.TablePrinted(0)->PT, "1/1");
    EXPECT_EQ(game.TableCard(0)->Card.PT, "9/9");
    EXPECT_FALSE(game.TablePrinted(3));
    const struct {
        const char* What;
        std::function<bool(TPlayerTest&, bool*)> Move;
        bool Moved;
    } cases[] = {
        {"to the graveyard",
         [](TPlayerTest& g, bool* m) { return g.TableToGraveyard(0, false, m); }, true},
        {"to the hand", [](TPlayerTest& g, bool* m) { return g.TableToHand(0, false, m); }, true},
        {"outside the table", [](TPlayerTest& g, bool* m) { return g.TableToRemoved(7, false, m); },
         false},
        {"to the library",
         [](TPlayerTest& g, bool* m) { return g.TableToLibrary(0, false, true, m); }, true},
        {"from an empty table",
         [](TPlayerTest& g, bool* m) { return g.TableToLibrary(0, false, true, m); }, false},
    };
    for (const auto& c : cases) {
        const int before = game.TableLast();
        bool moved = !c.Moved;
        c.Move(game, &moved);
        EXPECT_EQ(moved, c.Moved) << c.What;
        EXPECT_EQ(game.TableLast(), c.Moved ? before - 1 : before) << c.What;
    }
}

TEST(Deal, CardArtIsAskedForByEditionAndNameInTheCardListsCodePage) {
    struct Art final : TSmallArtSource {
        int AddArt(const std::string& path) override {
            Paths.push_back(path);
            return 0;
        }
        void Clear() override {}
        std::vector<std::string> Paths;
    } fallback;
    struct CardArt final : TSmallArtSource {
        int AddArt(const std::string&) override { return -1; }
        int AddCardArt(const std::string& picDir, const std::string& edition,
                       const std::string& name) override {
            Asked.push_back(picDir + "|" + edition + "|" + name);
            return 3;
        }
        void Clear() override {}
        std::vector<std::string> Asked;
    } cardArt;
    TPlayBase base;
    base.AddCard("\xC6lvin Wisp", "Creature - Wisp", "1/1");
    TPlayerTest game;
    game.SetSmallArtCache(&cardArt, false);
    game.NewGame("Player1", "Player2", "/pics", base.ProgramLines, base.CardLines, base.NameIndex,
                 DeckOf({"\xC6lvin Wisp"}), {});
    EXPECT_EQ(cardArt.Asked, std::vector<std::string>{"/pics|TST|\xC6lvin Wisp"});
    EXPECT_EQ(game.Player1().Library.Card(0)->Play.ImageIndex, 3);
    game.SetSmallArtCache(&fallback, false);
    game.NewGame("Player1", "Player2", "/pics", base.ProgramLines, base.CardLines, base.NameIndex,
                 DeckOf({"Card B"}), {});
    EXPECT_EQ(fallback.Paths, std::vector<std::string>{"/pics/TST/Card B.jpg"});
}
