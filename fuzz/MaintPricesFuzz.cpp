// Any bytes as a card list and a price list (the part before a line "=====" is the card
// list): every price line parses without reading out of range, entry names keep no outer
// blanks, and pricing each entry through the flat table changes exactly the lines that the
// plain walk from the name's index entry changes.
#include "core/UCardDatabase.h"
#include "core/UTextFile.h"
#include "maint/UPriceList.h"

#include <cstdint>
#include <cstdlib>

using namespace zandor;

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines;
    SplitLines(std::string_view(reinterpret_cast<const char*>(data), size), lines);
    std::vector<std::string> cards, prices;
    bool inPrices = false;
    for (std::string& line : lines) {
        if (line == "=====")
            inPrices = true;
        else if (inPrices ? prices.size() < 200 : cards.size() < 400)
            (inPrices ? prices : cards).push_back(std::move(line));
    }
    TCardDatabase fast, walk;
    fast.CardLines = cards;
    walk.CardLines = cards;
    BuildNameIndex(fast.NameIndex, fast.CardLines);
    BuildNameIndex(walk.NameIndex, walk.CardLines);
    const TPriceLookup lookup(fast.NameIndex, fast.CardLines);
    for (const std::string& line : prices) {
        const auto entry = ParsePriceLine(line);
        if (!entry)
            continue;
        check(entry->Name == Trim(entry->Name));
        check(entry->Price.find('.') == std::string::npos || !entry->PriceOk);
        const std::size_t a = UpdateCardPrice(fast, lookup, entry->Name, entry->Price);
        const std::size_t b = UpdateCardPriceByWalk(walk, entry->Name, entry->Price);
        check(a == b);
        check(fast.CardLines == walk.CardLines);
    }
    return 0;
}
