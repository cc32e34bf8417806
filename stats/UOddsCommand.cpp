#include "stats/UOddsCommand.h"

#include "core/UCodePage.h"
#include "core/UTextFile.h"
#include "deck/UDeckFile.h"
#include "stats/UDrawOdds.h"
#include "stats/UStat.h"

namespace zandor {

int RunDeckOddsCommand(const TCardDatabase& db, const std::string& deckFile,
                       const std::string& card, const std::optional<std::string>& seen,
                       std::ostream& out, std::ostream& err) {
    std::int64_t seenCards = OpeningHand;
    if (seen) {
        std::int32_t value = 0;
        if (!TryReadInt32(*seen, value) || value < 0) {
            err << "zandor: --seen needs a whole number of cards, 0 or more\n";
            return 2;
        }
        seenCards = value;
    }
    auto lines = ReadTextLines(deckFile);
    if (!lines) {
        err << "zandor: cannot read the deck file \"" << deckFile << "\"\n";
        return 1;
    }
    if (IsOldFormatDeck(*lines))
        *lines = ConvertOldDeck(*lines, db);
    TStatCards stats;
    const TStatResult built = stats.Build(*lines, db.NameIndex, db.CardLines);
    if (!built.Ok) {
        err << "zandor: " << Cp1252ToUtf8(built.Error) << "\n";
        return 1;
    }
    const auto name = Utf8ToCp1252(card);
    const TCardCopies copies = name ? CardCopies(stats.Cards, *name) : TCardCopies{};
    if (copies.Copies == 0) {
        err << "zandor: no card \"" << card << "\" in the main deck\n";
        return 1;
    }
    for (int atLeast = 1; atLeast <= OddsMostCopies; ++atLeast) {
        const auto odds = DrawOddsHundredths(copies.DeckSize, copies.Copies, seenCards, atLeast);
        if (!odds) {
            err << "zandor: the deck is too large to work out its odds exactly\n";
            return 1;
        }
        out << "at least " << atLeast << ": " << OddsPercentText(*odds) << "%\n";
    }
    return 0;
}

} // namespace zandor
