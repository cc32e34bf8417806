// Any bytes as a rulings file: collecting the entries of the first line's card, building
// the memo and marking rule references never read out of range, and marking keeps the
// length of the entry.
#include "core/UTextFile.h"
#include "deck/UCardInfo.h"
#include "fuzz/DeckFuzzBase.h"

#include <cstdint>

using namespace zandor;
using zandor::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines = fuzz::InputLines(data, size, 100000);
    if (lines.empty())
        return 0;
    std::string name = lines[0];
    if (!name.empty() && name.back() == ':')
        name.pop_back();
    const std::vector<std::string> entries = CollectRulingEntries(lines, name);
    (void)BuildCardInfo(entries);
    for (const std::string& line : lines) {
        check(MarkRuleReference(line).size() == line.size());
        (void)HotSpotTopic(line);
        TZandorCard card;
        card.Name = line;
        const TSplitTabs tabs = BaseCardTabs(card);
        (void)TabCardName(tabs, tabs.Selected);
        (void)DeckLineCard(line);
    }
    return 0;
}
