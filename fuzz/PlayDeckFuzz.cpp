// Any bytes as deck lines with real counts for the play test: every line read into its
// parts or refused, the library holding exactly the cards the lines deal, and a deck
// beyond the card limit refused whole instead of allocated.
#include "fuzz/DeckFuzzBase.h"
#include "play/UPlayTestObj.h"

using zandor::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 20000)
        return 0;
    const std::vector<std::string> lines = zandor::fuzz::InputLines(data, size, 400);
    const zandor::TCardDatabase& db = zandor::fuzz::SmallBase();
    std::int64_t expected = 0;
    for (const std::string& line : lines) {
        zandor::TPlayDeckEntry entry;
        const zandor::TPlayDeckLineKind kind = zandor::ReadDeckLine(line, entry);
        if (kind == zandor::TPlayDeckLineKind::Entry) {
            check(entry.Count <= zandor::MaxDeckLineCount);
            check(!entry.Name.empty());
            if (entry.Count > 0)
                expected += entry.Count;
        }
    }
    check(zandor::DeckCardCount(lines) == expected);
    zandor::TPlayerObj player;
    player.LoadDeck("Player1", lines, "/nonexistent", {}, db.NameIndex, db.CardLines, nullptr);
    if (expected > zandor::MaxDeckCards) {
        check(player.RefusedCards == expected);
        check(player.Library.Count() == 0);
    } else {
        check(player.RefusedCards == 0);
        check(player.Library.Count() == expected);
    }
    player.ShuffleLibrary();
    for (int n = 0; n < 7; ++n)
        player.Draw();
    player.Mulligan();
    return 0;
}
