// Random games: a small card base whose programs and power/toughness come from the input,
// two decks, and a run of engine operations with indexes in and out of range. After every
// operation each card object is in exactly one place, the static-ability entries and the
// StabIndex values of the table agree, counters never go negative, and cards off the table
// are their printed selves.
#include "core/UCard.h"
#include "core/UCardDatabase.h"
#include "core/URandom.h"
#include "play/UCardProgram.h"
#include "play/UTest.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

using namespace zandor;

namespace {

const char* const players[] = {"Player1", "Player2", "Nobody"};
const char* const types[] = {
    "Creature - Zork", "Creature - Pell Zork",           "Enchantment - Zork",
    "Creature - Quib", "Artifact Creature - Golem Zork", "Land"};
const char* const colours[] = {"U", "B", "R", "G", "W", "Art", "Reset", "Gold"};

void check(bool condition) {
    if (!condition)
        std::abort();
}

bool isToken(const TZandorCardObj& card) {
    return card.Printed.CardType.find("Token") != std::string::npos;
}

// Returns the number of non-token cards in the game.
int checkInvariants(const TPlayerTest& game) {
    std::set<const TZandorCardObj*> seen;
    int cards = 0;
    for (const TPlayerObj* player : {&game.Player1(), &game.Player2()}) {
        for (const TCardZone* zone :
             {&player->Library, &player->Hand, &player->Graveyard, &player->Removed}) {
            check(zone->Last() >= -1);
            for (const TZoneItem& item : zone->Items()) {
                check(item.Card != nullptr);
                check(seen.insert(item.Card.get()).second);
                check(!isToken(*item.Card));
                check(item.Card->Play.StabIndex == -1);
                check(item.Card->Received.empty());
                check(item.Card->Play.Card == item.Card->Printed);
                ++cards;
            }
        }
    }
    int owners = 0;
    const TCardZone& table = game.Table();
    for (int i = 0; i < table.Count(); ++i) {
        const TZandorCardObj* card = table.Card(i);
        check(card != nullptr);
        check(seen.insert(card).second);
        if (!isToken(*card))
            ++cards;
        const TMCardPlay& play = card->Play;
        if (!play.Counters.empty()) {
            const auto count = ParseDecimal(play.Counters);
            check(count && *count >= 0);
        }
        if (play.StabIndex != -1) {
            check(game.StabOwner(play.StabIndex) == card);
            ++owners;
        }
        for (const TStabMark& mark : card->Received) {
            bool onTable = false;
            for (int j = 0; j < table.Count(); ++j)
                onTable = onTable || table.Card(j) == mark.Source;
            check(onTable && mark.Source->Play.StabIndex != -1);
        }
        check(play.Owner == "Player1" || play.Owner == "Player2");
    }
    check(owners == static_cast<int>(game.Stabs().size()));
    return cards;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    RandomSeed(in.ConsumeIntegral<std::uint32_t>());

    // The card base: six cards with programs and power/toughness from the input.
    TCardLines cardLines;
    std::vector<std::string> programLines;
    for (int k = 0; k < 6; ++k) {
        TZandorCard card;
        card.Name = "C" + std::to_string(k);
        card.Edition = "FZ";
        card.Color = colours[k % 6];
        card.CardType = types[in.ConsumeIntegralInRange<int>(0, 5)];
        card.PT = in.ConsumeRandomLengthString(12);
        card.Artist = "A";
        cardLines.push_back(FormatCardLine(card));
        programLines.push_back(card.Name + "=" + in.ConsumeRandomLengthString(120));
    }
    TNameIndex index;
    BuildNameIndex(index, cardLines);

    const auto deck = [&in]() {
        std::vector<std::string> lines;
        for (int k = 0; k < 6; ++k)
            lines.push_back("    " + std::to_string(in.ConsumeIntegralInRange<int>(-1, 4)) +
                            " [FZ] - C" + std::to_string(k));
        lines.push_back(in.ConsumeRandomLengthString(40));
        return lines;
    };

    TPlayerTest game;
    const auto newGame = [&]() {
        game.NewGame("Player1", "Player2", "", programLines, cardLines, index, deck(), deck());
        return checkInvariants(game);
    };
    int cards = newGame();

    for (int step = 0; step < 400 && in.remaining_bytes() > 0; ++step) {
        const std::string name = players[in.ConsumeIntegralInRange<int>(0, 2)];
        const int i = in.ConsumeIntegralInRange<int>(-1, 12);
        const int j = in.ConsumeIntegralInRange<int>(-1, 12);
        const bool flag = in.ConsumeBool();
        const int x = in.ConsumeIntegral<int>();
        const int y = in.ConsumeIntegral<int>();
        switch (in.ConsumeIntegralInRange<int>(0, 24)) {
        case 0:
            game.Draw(name);
            break;
        case 1:
            game.Mulligan(name);
            break;
        case 2:
            flag ? game.ShuffleLibrary(name) : game.ShuffleGraveyard(name);
            break;
        case 3:
            switch (j % 9) {
            case 0:
                game.LibraryToHand(name, i);
                break;
            case 1:
                game.LibraryToGraveyard(name, i);
                break;
            case 2:
                game.LibraryToRemoved(name, i);
                break;
            case 3:
                game.GraveyardToHand(name, i);
                break;
            case 4:
                game.GraveyardToLibrary(name, i);
                break;
            case 5:
                game.GraveyardToRemoved(name, i);
                break;
            case 6:
                game.HandToGraveyard(name, i);
                break;
            case 7:
                game.HandToLibrary(name, i);
                break;
            default:
                game.HandToRemoved(name, i);
                break;
            }
            break;
        case 4:
            flag ? game.MoveInLibrary(name, i, j) : game.MoveInGraveyard(name, i, j);
            break;
        case 5:
            game.PrepareHandCard(name, i);
            game.HandToTable(name, i, flag, x, y);
            break;
        case 6:
            game.PrepareLibraryCard(name, i);
            game.LibraryToTable(name, i, flag, x, y);
            break;
        case 7:
            game.PrepareGraveyardCard(name, i);
            game.GraveyardToTable(name, i, flag, x, y);
            break;
        case 8: {
            TMCardPlay play;
            play.Card = FindCard(index, cardLines, "C" + std::to_string(j % 6), "");
            play.Owner = players[(j + 3) % 3];
            play.StabIndex = j;
            play.Counters = std::to_string(j < 0 ? 0 : j);
            if (flag)
                game.HandToTableAs(name, i, play);
            else
                game.GraveyardToTableAs(name, i, play);
            break;
        }
        case 9:
            game.TableToGraveyard(i, flag);
            break;
        case 10:
            game.TableToRemoved(i, flag);
            break;
        case 11:
            game.TableToLibrary(i, flag, j % 2 == 0);
            break;
        case 12:
            game.TableToHand(i, flag);
            break;
        case 13:
            game.BringToFront(i);
            break;
        case 14:
            flag ? game.ToggleTapped(i) : game.ToggleFaceDown(i);
            break;
        case 15:
            game.SetPT(i, in.ConsumeRandomLengthString(12));
            break;
        case 16:
            game.SetColour(i, colours[(j + 8) % 8]);
            break;
        case 17:
            game.ChangeCounters(i, j % 3 == 0 ? -1 : x, flag ? "Add" : (j % 2 ? "Set" : ""));
            break;
        case 18:
            if (const auto source = game.TableCard(i))
                if (const auto token = ParseTokenProgram(source->Card.Program, source->Card))
                    game.CreateToken(*token, i, x, y);
            break;
        case 19:
            (void)game.TableHit(x % 2000, y % 2000, flag);
            if (game.TableLast() >= 0)
                game.SetLastPosition(x % 1000, y % 1000);
            break;
        case 20:
            j % 3 == 0 ? game.StabEnter(i) : j % 3 == 1 ? game.StabApply(i) : game.StabLeave(i);
            break;
        case 21:
            game.SetLife(name, x);
            (void)game.GetLife(name);
            break;
        case 22:
            game.StartGame();
            break;
        case 23: {
            std::vector<std::string> list;
            game.HandNames(name, list);
            (void)game.HandCard(name, i);
            (void)game.PrepareRemovedCard(name, i);
            break;
        }
        default:
            cards = newGame();
            break;
        }
        check(checkInvariants(game) == cards);
    }
    game.Clear();
    check(game.TableLast() == -1 && game.Stabs().empty());
    return 0;
}
