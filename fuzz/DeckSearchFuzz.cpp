// Any bytes as a base list and search terms: find-as-you-type, base-line splitting, the
// filter tests and the search matching never read out of range, and whole-word matching
// agrees with its definition on padded copies.
#include "core/UTextFile.h"
#include "deck/UBaseList.h"
#include "deck/UCardFilter.h"
#include "deck/UFindCardLogic.h"
#include "fuzz/DeckFuzzBase.h"

#include <cstdint>

using namespace zandor;
using zandor::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines = fuzz::InputLines(data, size, 100000);
    if (lines.empty())
        return 0;
    TBaseList base;
    base.SetLines(lines);
    const TCardFilter filter = TCardFilter::FromSettings(fuzz::SmallBase().Settings);
    TFindOptions options;
    options.Artist = options.PT = true;
    for (const std::string& line : lines) {
        const TFindAsYouType found = base.Find(line);
        check(found.Index < static_cast<long long>(base.size()));
        (void)SplitBaseLine(line);
        const std::string term = LowerAscii(TrimView(line));
        const std::string field = lines.front();
        const bool padded =
            (" " + LowerAscii(field) + " ").find(" " + term + " ") != std::string::npos ||
            LowerAscii(field) == term;
        check(WholeWordMatch(term, field) == padded);
        options.Find1 = line;
        options.Find2 = field;
        options.MatchWhole = line.size() % 2 == 0;
        (void)CardLineMatches(field, PrepareTerms(options), options, filter);
        const TZandorCard card = ParseCardLine(line);
        (void)filter.Passes(card);
    }
    return 0;
}
