// Any bytes as a text spoiler: every card read has a name and the edition asked for, its
// card line parses back to the same record, and the programs merged into a program list
// keep it sorted with one entry per name.
#include "core/UCardDatabase.h"
#include "maint/UEditionLogic.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    zandor::SplitLines(text, lines);
    const zandor::TSpoiler spoiler = zandor::ParseSpoiler(lines, zandor::TSpoilerKeys{}, "FZQ");
    for (const zandor::TZandorCard& card : spoiler.Cards) {
        if (card.Name.empty() || card.Edition != "FZQ")
            std::abort();
        if (zandor::ParseCardLine(zandor::FormatCardLine(card)) != card)
            std::abort();
    }
    std::vector<std::string> programs{"Ash Imp=A", "Fen Crawler=B"};
    for (const auto& [name, program] : spoiler.Programs)
        zandor::MergeProgram(programs, name, program);
    if (!std::is_sorted(
            programs.begin(), programs.end(),
            [](const std::string& a, const std::string& b) { return zandor::CardLineLess(a, b); }))
        std::abort();
    for (const auto& [name, program] : spoiler.Programs)
        if (name.empty())
            std::abort();
    return 0;
}
