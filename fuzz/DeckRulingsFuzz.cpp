// Any bytes as a rulings file: collecting the entries of the first line's card, building
// the memo and marking rule references never read out of range, and marking keeps the
// length of the entry.
#include "core/UCardDatabase.h"
#include "core/UTextFile.h"
#include "deck/UCardInfo.h"

#include <cstdint>

namespace zandor::fuzz {
// From DeckFuzzBase.cpp: aborts when the condition fails; a small base of six cards.
void check(bool condition);
const zandor::TCardDatabase& SmallBase();
} // namespace zandor::fuzz

using namespace zandor;
using zandor::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    SplitLines(text, lines);
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
