// Any bytes as a card line: parsing never reads out of range, and formatting the record
// and parsing it again gives the same record.
#include "core/UCard.h"
#include "core/UCardDatabase.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const zandor::TZandorCard card = zandor::ParseCardLine(text);
    if (zandor::ParseCardLine(zandor::FormatCardLine(card)) != card)
        std::abort();
    // The same bytes as a whole card list: index it and look up its first name.
    std::vector<std::string> lines;
    zandor::SplitLines(text, lines);
    zandor::TNameIndex index;
    zandor::BuildNameIndex(index, lines);
    const zandor::TCardLines cardLines(lines);
    // The table lookup and the walk it stands for agree on every input.
    if (zandor::FindCardLineByTable(index, cardLines, card.Name, card.Edition) !=
        zandor::FindCardLineByWalk(index, lines, card.Name, card.Edition))
        std::abort();
    // Split in place into views, the same text gives the same lines.
    zandor::TCardLines viewed;
    viewed.SetText(std::string(text));
    if (viewed != cardLines)
        std::abort();
    (void)zandor::SplitHalfName(card.Name, 2);
    (void)zandor::SplitHalfNumber(card.Name);
    return 0;
}
