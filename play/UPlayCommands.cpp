#include "play/UPlayCommands.h"

#include "core/UCodePage.h"
#include "core/UIniFile.h"
#include "core/URandom.h"
#include "core/UTextFile.h"
#include "play/UTest.h"

#include <charconv>
#include <cstdint>

namespace zandor {

namespace {

template <typename T> std::optional<T> readNumber(const std::string& text) {
    const std::string_view v = TrimView(text);
    T value{};
    const auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), value);
    if (v.empty() || error != std::errc() || end != v.data() + v.size())
        return std::nullopt;
    return value;
}

// A deck of the old format has a card line, beginning with a blank, that names no edition.
bool oldFormatDeck(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        if (!line.empty() && line.front() == ' ' && line.find('[') == std::string::npos)
            return true;
    return false;
}

} // namespace

int RunDeckCommand(const TCardDatabase& db, const std::vector<std::string>& words,
                   const std::optional<std::string>& seed, const std::optional<std::string>& draw,
                   std::ostream& out, std::ostream& err) {
    if (words.size() != 2 || words[0] != "hand") {
        err << "zandor: usage: deck hand FILE.dec [--seed N] [--draw K]\n";
        return 2;
    }
    std::optional<std::uint32_t> seedValue;
    if (seed) {
        seedValue = readNumber<std::uint32_t>(*seed);
        if (!seedValue) {
            err << "zandor: --seed needs a number from 0 to 4294967295\n";
            return 2;
        }
    }
    int extra = 0;
    if (draw) {
        const auto k = readNumber<int>(*draw);
        if (!k || *k < 0) {
            err << "zandor: --draw needs a count of 0 or more\n";
            return 2;
        }
        extra = *k;
    }
    std::string reason;
    const auto deck = ReadTextLines(words[1], &reason);
    if (!deck) {
        err << "zandor: cannot read the deck file \"" << words[1] << "\": " << reason << "\n";
        return 1;
    }

    // Decks of the old format name no editions; the deck editor converts them when it loads
    // them, and the play test needs the converted lines. (A deck of edition lines with a
    // broken line among them is dealt, and the broken line named.)
    if (oldFormatDeck(*deck) && DeckCardCount(*deck) == 0) {
        err << "zandor: \"" << words[1]
            << "\" is a deck of the old format, without editions; load it in the deck editor "
               "and save it again first\n";
        return 1;
    }
    if (const std::int64_t cards = DeckCardCount(*deck); cards > MaxDeckCards) {
        err << "zandor: " << DeckTooLargeMessage(words[1], cards) << "\n";
        return 1;
    }

    if (seedValue)
        RandomSeed(*seedValue);
    else
        RandomizeFromClock();
    TPlayerTest game;
    const TNewGameResult loaded = game.NewGame("Player1", "Player2", db.PicDir, db.ProgramLines,
                                               db.CardLines, db.NameIndex, *deck, {});
    for (const TSkippedDeckLine& line : loaded.Player1Skipped)
        err << "zandor: skipped line " << line.LineNumber << " of the deck: \""
            << Cp1252ToUtf8(line.Text) << "\"\n";
    game.StartGame();
    // Drawing stops when the library is empty, however large K is.
    for (int n = 0; n < extra && game.LibraryLast("Player1") >= 0; ++n)
        game.Draw("Player1");

    std::vector<std::string> hand;
    game.HandNames("Player1", hand);
    for (const std::string& name : hand)
        out << Cp1252ToUtf8(name) << "\n";
    out << "Library: " << game.LibraryLast("Player1") + 1 << " cards\n";
    return 0;
}

} // namespace zandor
