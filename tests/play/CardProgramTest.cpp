// The card program language: static-ability bodies and their effects entering, stacking,
// leaving and renumbering on the table, and the token construct.
#include "play/UCardProgram.h"
#include "play/UTest.h"
#include "tests/play/PlayTestKit.h"

#include <gtest/gtest.h>

using namespace zandor;
using namespace zandor::test;

namespace {

TEST(StabBody, SplitsIntoClausesWithSubtypesAndEffects) {
    const auto clauses = ParseStabBody("Creature-Zork:1/1|Creature-Pell:0/2|Creature-Quib:TR");
    ASSERT_EQ(clauses.size(), 3u);
    EXPECT_EQ(clauses[0].Subtype, "Zork");
    EXPECT_EQ(clauses[1].Subtype, "Pell");
    EXPECT_EQ(clauses[2].Subtype, "Quib");
    ASSERT_EQ(clauses[1].Effects.size(), 1u);
    EXPECT_TRUE(clauses[1].Effects[0].IsPT);
    EXPECT_EQ(clauses[1].Effects[0].Toughness, 2);
    EXPECT_EQ(clauses[2].Effects[0].Word, "TR");

    const auto mixed = ParseStabBody("Creature-Zork:FL;-1/+2;;x/1");
    ASSERT_EQ(mixed[0].Effects.size(), 4u);
    EXPECT_EQ(mixed[0].Effects[0].Word, "FL");
    EXPECT_EQ(mixed[0].Effects[1].Power, -1);
    EXPECT_EQ(mixed[0].Effects[1].Toughness, 2);
    EXPECT_FALSE(mixed[0].Effects[2].IsPT); // an empty piece is an empty word
    EXPECT_FALSE(mixed[0].Effects[3].Valid);

    TZandorCard zork;
    zork.CardType = "Creature - Zork";
    // Targets that name no subtype act on nothing.
    for (const char* body : {"Creature-:1/1", "Artifact-Zork:1/1", "Creature-Zork"})
        EXPECT_FALSE(ClauseMatches(ParseStabBody(body)[0], zork)) << body;
    EXPECT_TRUE(ClauseMatches(ParseStabBody("Creature-Zork:1/1")[0], zork));
    EXPECT_FALSE(ClauseMatches(ParseStabBody("Creature-zork:1/1")[0], zork));

    EXPECT_EQ(StabBody("x STAB[Creature-A:1/1] y"), "Creature-A:1/1");
    for (const char* program : {"STAB", "STAB[Creature-A:1/1", "STAB[]", "stab[Creature-A:1/1]"})
        EXPECT_FALSE(StabBody(program).has_value()) << program;
}

TEST(StabEffects, AddPowerAndToughnessOnlyToTwoIntegers) {
    const struct {
        const char* PT;
        int P, T;
        const char* Result; // nullptr: unchanged
    } cases[] = {{"2/2", 1, -1, "3/1"},
                 {"-1/3", 1, 0, "0/3"},
                 {" 2 / 2", 1, 1, "3/3"},
                 {"*/*", 1, 1, nullptr},
                 {"1/*", 1, 1, nullptr},
                 {"", 1, 1, nullptr},
                 {"3", 1, 1, nullptr},
                 {"1/x", 1, 1, nullptr},
                 {"1/2/3", 1, 1, nullptr},
                 {"2147483647/1", 1, 0, nullptr},
                 {"-2147483648/1", -1, 0, nullptr}};
    for (const auto& c : cases) {
        const auto result = AddPT(c.PT, c.P, c.T);
        if (c.Result)
            EXPECT_EQ(result, c.Result) << c.PT;
        else
            EXPECT_FALSE(result.has_value()) << c.PT;
    }
}

// The fixture base plus creatures with the programs the cases need.
struct TStabBase : TPlayBase {
    TStabBase() {
        AddCard("Pell Lord", "Creature - Pell", "1/1",
                "STAB[Creature-Zork:1/1|Creature-Pell:0/2|Creature-Quib:TR]");
        AddCard("Flyer Lord", "Creature - Spirit", "0/1", "STAB[Creature-Zork:FL;1/1]");
        AddCard("Lord Flyer", "Creature - Spirit", "0/1", "STAB[Creature-Zork:1/1;FL]");
        AddCard("Zork Shrine", "Enchantment - Zork", "", "");
        AddCard("Broken Lord", "Creature - Spirit", "0/1", "STAB Creature-Zork:1/1");
    }
};

// Player 1's library holds the named cards; Enter puts library card 0 on the table with
// hooks, so the cards come in the order named.
struct TStabGame {
    TStabGame(const std::vector<std::string>& names) { LoadGame(Game, Base, DeckOf(names)); }
    bool Enter() { return Game.LibraryToTable("Player1", 0, true, 0, 0); }
    std::string PT(int i) const { return Game.TableCard(i)->Card.PT; }
    std::string Keywords(int i) const { return Game.TableCard(i)->Keywords; }
    // Every table card with an ability points at its own entry, and every entry has its card.
    void ExpectStabsConsistent() const {
        int owned = 0;
        for (int i = 0; i <= Game.TableLast(); ++i) {
            const int k = Game.TableCard(i)->StabIndex;
            if (k == -1)
                continue;
            ++owned;
            EXPECT_EQ(Game.StabOwner(k), Game.Table().Card(i));
        }
        EXPECT_EQ(owned, static_cast<int>(Game.Stabs().size()));
    }
    TStabBase Base;
    TPlayerTest Game;
};

TEST(StaticAbilities, ALordBoostsItsKindItselfIncludedAndWhatEntersLater) {
    TStabGame g({"Card A", "Zork Pup", "Card B"});
    EXPECT_TRUE(g.Enter()); // Card A alone: its own ability gives it +1/+0
    EXPECT_EQ(g.PT(0), "2/1");
    EXPECT_EQ(g.Game.Stabs(), std::vector<std::string>{"Creature-Zork:1/0"});
    EXPECT_EQ(g.Game.TableCard(0)->StabIndex, 0);
    EXPECT_TRUE(g.Enter()); // a 1/1 Zork entering under it
    EXPECT_EQ(g.PT(1), "2/1");
    EXPECT_FALSE(g.Enter()); // a Pell is not a Zork
    EXPECT_EQ(g.PT(2), "2/2");

    // Leaving takes the bonus away from every Zork, and the card returns printed.
    EXPECT_TRUE(g.Game.TableToGraveyard(0, true));
    EXPECT_EQ(g.PT(0), "1/1");
    EXPECT_TRUE(g.Game.Stabs().empty());
    EXPECT_EQ(g.Game.Player1().Graveyard.Card(0)->Play.Card.PT, "1/1");
    EXPECT_EQ(g.Game.Player1().Graveyard.Card(0)->Play.StabIndex, -1);
}

TEST(StaticAbilities, TwoCopiesStackAndOneLeavingTakesOnlyItsOwnPoint) {
    TStabGame g({"Zork Pup", "Card A", "Card A"});
    g.Enter();
    g.Enter();
    g.Enter();
    EXPECT_EQ(g.PT(0), "3/1");
    EXPECT_EQ(g.PT(1), "3/1");
    EXPECT_EQ(g.PT(2), "3/1");
    g.ExpectStabsConsistent();

    g.Game.TableToHand(1, true); // the first copy leaves: the second is renumbered
    EXPECT_EQ(g.PT(0), "2/1");
    EXPECT_EQ(g.PT(1), "2/1");
    EXPECT_EQ(g.Game.TableCard(1)->StabIndex, 0);
    g.ExpectStabsConsistent();
}

TEST(StaticAbilities, LeavingRenumbersTheLaterEntries) {
    TStabGame g({"Card A", "Pell Lord", "Flyer Lord", "Lord Flyer"});
    for (int n = 0; n < 4; ++n)
        g.Enter();
    ASSERT_EQ(g.Game.Stabs().size(), 4u);
    g.Game.TableToRemoved(1, true); // Pell Lord, entry 1
    ASSERT_EQ(g.Game.Stabs().size(), 3u);
    EXPECT_EQ(g.Game.Stabs()[1], "Creature-Zork:FL;1/1");
    EXPECT_EQ(g.Game.TableCard(0)->StabIndex, 0);
    EXPECT_EQ(g.Game.TableCard(1)->StabIndex, 1);
    EXPECT_EQ(g.Game.TableCard(2)->StabIndex, 2);
    g.ExpectStabsConsistent();
    g.Game.TableToRemoved(2, true); // the last entry
    g.Game.TableToRemoved(0, true);
    g.ExpectStabsConsistent();
    EXPECT_EQ(g.Game.Stabs(), std::vector<std::string>{"Creature-Zork:FL;1/1"});
}

TEST(StaticAbilities, OneBodyActsOnEveryClausesSubtype) {
    TStabGame g({"Zork Pup", "Card B", "Quib Hound", "Pell Lord"});
    for (int n = 0; n < 3; ++n)
        EXPECT_FALSE(g.Enter());
    EXPECT_TRUE(g.Enter());
    EXPECT_EQ(g.PT(0), "2/2");
    EXPECT_EQ(g.PT(1), "2/4");
    EXPECT_EQ(g.PT(2), "3/3");
    EXPECT_EQ(g.Keywords(2), " _TR_");
    EXPECT_EQ(g.PT(3), "1/3"); // a Pell itself
    g.Game.TableToGraveyard(3, true);
    EXPECT_EQ(g.PT(0), "1/1");
    EXPECT_EQ(g.PT(1), "2/2");
    EXPECT_EQ(g.Keywords(2), " ");
}

TEST(StaticAbilities, WordsAndBonusesInEitherOrder) {
    for (const char* lord : {"Flyer Lord", "Lord Flyer"}) {
        TStabGame g({"Zork Pup", lord});
        g.Enter();
        g.Enter();
        EXPECT_EQ(g.PT(0), "2/2") << lord;
        EXPECT_NE(g.Keywords(0).find("_FL_"), std::string::npos) << lord;
        g.Game.TableToGraveyard(1, true);
        EXPECT_EQ(g.PT(0), "1/1") << lord;
        EXPECT_EQ(g.Keywords(0).find("_FL_"), std::string::npos) << lord;
    }
}

TEST(StaticAbilities, PowerToughnessThatIsNotTwoIntegersIsLeftAlone) {
    TStabGame g({"Card A", "Star Beast", "Zork Shrine", "Zork Pup"});
    g.Enter();
    EXPECT_TRUE(g.Enter()); // matched, but "*/*" stays
    EXPECT_EQ(g.PT(1), "*/*");
    g.Enter();
    EXPECT_EQ(g.PT(2), ""); // a non-creature whose type holds the subtype
    g.Enter();
    g.Game.SetPT(3, "*/2"); // changed by hand while the bonus is on it
    g.Game.TableToGraveyard(0, true);
    EXPECT_EQ(g.PT(0), "*/*");
    EXPECT_EQ(g.PT(1), "");
    EXPECT_EQ(g.PT(2), "*/2");
}

TEST(StaticAbilities, AnAbilityTakesBackOnlyWhatItGave) {
    TStabBase base;
    TPlayerTest game;
    LoadGame(game, base, DeckOf({"Card A", "Zork Pup", "Zork Pup"}));
    game.LibraryToTable("Player1", 0, true, 0, 0);
    // A card that came in without hooks never got the bonus, so it loses nothing.
    game.LibraryToTable("Player1", 0, false, 0, 0);
    TMCardPlay fresh = game.Player1().Library.Card(0)->Play;
    game.LibraryToTableAs("Player1", 0, fresh);
    EXPECT_EQ(game.TableCard(1)->Card.PT, "1/1");
    game.TableToGraveyard(0, true);
    EXPECT_EQ(game.TableCard(0)->Card.PT, "1/1");
    EXPECT_EQ(game.TableCard(1)->Card.PT, "1/1");
    // Calling the hooks again does not stack the same ability twice.
    LoadGame(game, base, DeckOf({"Card A", "Zork Pup"}));
    game.LibraryToTable("Player1", 0, true, 0, 0);
    game.LibraryToTable("Player1", 0, true, 0, 0);
    EXPECT_FALSE(game.StabApply(1));
    EXPECT_FALSE(game.StabEnter(0));
    EXPECT_EQ(game.TableCard(1)->Card.PT, "2/1");
    EXPECT_EQ(game.Stabs().size(), 1u);
}

TEST(StaticAbilities, LeavingWithoutHooksStillEndsTheAbility) {
    TStabGame g({"Card A", "Zork Pup"});
    g.Enter();
    g.Enter();
    EXPECT_TRUE(g.Game.TableToLibrary(0, false, true));
    EXPECT_TRUE(g.Game.Stabs().empty());
    EXPECT_EQ(g.PT(0), "1/1");
}

TEST(StaticAbilities, STABWithoutABodyRegistersNothing) {
    TStabGame g({"Broken Lord", "Zork Pup"});
    EXPECT_FALSE(g.Enter());
    EXPECT_EQ(g.Game.TableCard(0)->StabIndex, -1);
    EXPECT_FALSE(g.Enter());
    EXPECT_EQ(g.PT(1), "1/1");
    EXPECT_FALSE(g.Game.TableToGraveyard(0, true));
}

TEST(StaticAbilities, ATokenReceivesTheActiveAbilities) {
    TStabBase base;
    base.AddCard("Zork Maker", "Creature - Spirit", "1/1",
                 "TOKEN[Name:Zork;Color:B;P/T:1/1;Text:;]");
    TPlayerTest game;
    LoadGame(game, base, DeckOf({"Card A", "Zork Maker"}));
    game.LibraryToTable("Player1", 0, true, 0, 0);
    game.LibraryToTable("Player1", 0, true, 0, 0);
    const auto token = ParseTokenProgram(game.TableCard(1)->Card.Program, {});
    ASSERT_TRUE(token.has_value());
    EXPECT_TRUE(game.CreateToken(*token, 1, 0, 0));
    EXPECT_EQ(game.TableCard(2)->Card.PT, "2/1");
    game.TableToGraveyard(0, true);
    EXPECT_EQ(game.TableCard(1)->Card.PT, "1/1");
}

TEST(Program, AComesTapCardDroppedOnTheTableComesInTappedWithCountersAndKeywords) {
    TStabGame g({"Tapper"});
    g.Game.LibraryToHand("Player1", 0);
    EXPECT_EQ(g.Game.Player1().Hand.Card(0)->Play.Untapped, 1); // upright in the hand
    const auto prepared = g.Game.PrepareHandCard("Player1", 0);
    EXPECT_EQ(prepared->Untapped, 0);
    g.Game.HandToTable("Player1", 0, true, 170, 120);
    const TMCardPlay play = *g.Game.TableCard(0);
    EXPECT_EQ(play.Untapped, 0);
    EXPECT_EQ(play.Counters, "2");
    EXPECT_EQ(play.Keywords, "_FL_ _TR_");
    EXPECT_EQ(play.X, 170);
    EXPECT_EQ(play.Y, 120);
}

struct TTokenCase {
    const char* Program;
    const char* Name;
    const char* Color;
    const char* PT;
    const char* Text;
    const char* TokenProgram;
};

class Token : public ::testing::TestWithParam<TTokenCase> {};

TEST_P(Token, IsReadFromTheBody) {
    const TTokenCase& c = GetParam();
    TZandorCard source;
    source.Artist = "Ann Artist";
    source.Edition = "TST";
    const auto token = ParseTokenProgram(c.Program, source);
    ASSERT_TRUE(token.has_value());
    EXPECT_EQ(token->Name, c.Name);
    EXPECT_EQ(token->Color, c.Color);
    EXPECT_EQ(token->PT, c.PT);
    EXPECT_EQ(token->Text, c.Text);
    EXPECT_EQ(token->Program, c.TokenProgram);
    EXPECT_EQ(token->CardType, std::string("Token Creature - ") + c.Name);
    EXPECT_EQ(token->Artist, "Ann Artist");
    EXPECT_TRUE(token->Edition.empty());
    EXPECT_TRUE(token->Cost.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, Token,
    ::testing::Values(TTokenCase{"TOKEN[Name:Wisp;Color:W;P/T:1/1;Text:;Programm:KEYWORLD[_FL_]",
                                 "Wisp", "W", "1/1", "", "KEYWORLD[_FL_]"},
                      TTokenCase{"ComesTap TOKEN[Name:Ooze;Color:Gold;P/T:2/2;Text:Grows.;] more",
                                 "Ooze", "Gol", "2/2", "Grows.", ""},
                      // fields out of order are still found; a missing one stays empty
                      TTokenCase{"TOKEN[P/T:3/3;Name:Beast;Text:Big.;]", "Beast", "", "3/3", "Big.",
                                 ""},
                      TTokenCase{"TOKEN[]", "", "", "", "", ""},
                      // without "]" the body runs to the end; without ";" a field runs to the end
                      TTokenCase{"TOKEN[Name:Elf;Color:G;P/T:1/1", "Elf", "G", "1/1", "", ""}));

TEST(Token, AProgramWithoutTokenMakesNone) {
    EXPECT_FALSE(ParseTokenProgram("KEYWORLD[_FL_]", {}).has_value());
    EXPECT_FALSE(ParseTokenProgram("", {}).has_value());
}

} // namespace
