// Any bytes as an installed rulings summary and a changes-only summary (the part before a
// line "=====" is the installed one): the check and the update never read out of range,
// the renewed header carries the new date, and every card block of the changes file is in
// the result, line for line, as the first block of its name.
#include "core/UTextFile.h"
#include "maint/URulingsUpdate.h"

#include <cstdint>
#include <cstdlib>
#include <unordered_map>

using namespace zandor;

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

std::vector<std::string> blockLines(const std::vector<std::string>& lines,
                                    const TRulingBlock& block) {
    return {lines.begin() + static_cast<std::ptrdiff_t>(block.First),
            lines.begin() + static_cast<std::ptrdiff_t>(block.End)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines;
    SplitLines(std::string_view(reinterpret_cast<const char*>(data), size), lines);
    std::vector<std::string> installed, changes;
    bool inChanges = false;
    for (std::string& line : lines) {
        if (line == "=====")
            inChanges = true;
        else if ((inChanges ? changes : installed).size() < 2000)
            (inChanges ? changes : installed).push_back(std::move(line));
    }
    TRulingsCheck rulingsCheck = CheckRulingsChanges(changes, RulingsSummaryDate(installed));
    if (rulingsCheck.AddUpdated.empty())
        rulingsCheck.AddUpdated = "01/01/01";
    const std::vector<std::string> updated = UpdatedRuleLines(installed, changes, rulingsCheck);

    std::unordered_map<std::string, std::vector<std::string>> expected; // the last block wins
    for (const TRulingBlock& block : RulingBlocks(changes))
        expected[block.Name] = blockLines(changes, block);
    std::unordered_map<std::string, std::vector<std::string>> found; // the first block wins
    for (const TRulingBlock& block : RulingBlocks(updated))
        found.try_emplace(block.Name, blockLines(updated, block));
    for (const auto& [name, blockText] : expected) {
        const auto it = found.find(name);
        check(it != found.end());
        check(it->second == blockText);
    }
    return 0;
}
