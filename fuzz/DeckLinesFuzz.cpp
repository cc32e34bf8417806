// Any bytes as the lines of a deck file: the editing commands, the counters, the
// conversion of an old deck and the Apprentice export never read out of range, and each
// keeps the shape of the list it promises.
#include "core/UTextFile.h"
#include "deck/UCardInfo.h"
#include "deck/UDeckFile.h"
#include "deck/UDeckList.h"
#include "fuzz/DeckFuzzBase.h"

#include <cstdint>

using namespace zandor;
using zandor::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines = fuzz::InputLines(data, size, 200);
    const TCardDatabase& db = fuzz::SmallBase();

    (void)CountDeck(lines, db);
    check(ConvertOldDeck(lines, db).size() == lines.size());
    check(ApprenticeLines("deck", lines).size() == lines.size() + 1);
    (void)IsOldFormatDeck(lines);

    TDeckList deck;
    deck.SetLines(lines);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        (void)DeckLinePanel(db, lines[i]);
        const std::vector<std::string> before = deck.Lines();
        deck.Select(static_cast<int>(i % (deck.Lines().size() + 1)));
        const TDeckResult deleted = deck.DeleteCard();
        if (!deleted.Ok)
            check(deck.Lines() == before);
        check(deck.Lines().size() + 1 >= before.size());
        // Every line, taken as a base line, can be added to both parts of the deck.
        const TDeckResult added = deck.AddCard(lines[i]);
        if (added.Ok) {
            check(deck.Selected() >= 0);
            check(DeckLineCardPart(deck.Lines()[static_cast<std::size_t>(deck.Selected())]) ==
                  DeckCardPart(lines[i]));
        }
        (void)deck.AddSideboardCard(lines[i]);
        deck.InsertComment(lines[i]);
        deck.MoveUp();
        deck.MoveDown();
        check(deck.Selected() < static_cast<int>(deck.Lines().size()));
    }
    return 0;
}
