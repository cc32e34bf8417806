// Any bytes as a plain-text deck list: reading it never reads out of range, reports only
// lines that exist, in order, writes only well-formed deck lines, and the deck written out
// as text and read again has the same cards in the same order.
#include "deck/UDeckList.h"
#include "deck/UTextDeck.h"
#include "fuzz/DeckFuzzBase.h"

#include <cstdint>
#include <set>

using namespace zandor;
using zandor::fuzz::check;

namespace {

std::vector<std::string> cardLines(const std::vector<std::string>& lines, TDeckLineKind kind) {
    std::vector<std::string> out;
    for (const std::string& line : lines)
        if (DeckLineKind(line) == kind)
            out.push_back(line);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> text = fuzz::InputLines(data, size, 200);
    const TCardDatabase& db = fuzz::SmallBase();
    for (const std::string& line : text) {
        TTextDeckLine parsed;
        if (ParseTextDeckLine(line, parsed))
            check(!parsed.Name.empty() && parsed.Count >= 1 && parsed.Count <= MaxTextDeckCount);
        (void)CardNameKey(line);
    }

    const TTextDeckImport imported = ImportTextDeck(text, db);
    std::size_t previous = 0;
    for (const TTextDeckProblem& problem : imported.Problems) {
        check(problem.LineNumber > previous && problem.LineNumber <= text.size());
        check(problem.Line == text[problem.LineNumber - 1]);
        previous = problem.LineNumber;
    }
    std::set<std::pair<int, std::string>> parts;
    for (const std::string& line : imported.Lines) {
        if (DeckLineKind(line) == TDeckLineKind::Comment) {
            check(line.rfind("// ", 0) == 0);
            continue;
        }
        TDeckEntry entry;
        check(ParseDeckLine(line, entry).Ok && entry.Count >= 1);
        check(parts.insert({static_cast<int>(entry.Kind), entry.CardPart}).second);
    }

    const TTextDeckExport exported = ExportTextDeck(imported.Lines);
    check(exported.Unreadable.empty());
    const TTextDeckImport again = ImportTextDeck(exported.Lines, db);
    check(again.AllPlaced());
    for (const TDeckLineKind kind : {TDeckLineKind::Main, TDeckLineKind::Sideboard})
        check(cardLines(again.Lines, kind) == cardLines(imported.Lines, kind));
    check(cardLines(again.Lines, TDeckLineKind::Comment).size() ==
          cardLines(imported.Lines, TDeckLineKind::Comment).size());
    return 0;
}
