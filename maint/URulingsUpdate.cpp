#include "maint/URulingsUpdate.h"

#include "core/UIniFile.h"
#include "maint/UPriceList.h"

#include <algorithm>
#include <unordered_map>

namespace zandor {

namespace {

constexpr std::string_view SummaryMark = "Card Rulings Summary";
constexpr std::string_view ChangesOnlyMark = "Card Rulings Summary (CHANGES ONLY)";
constexpr std::string_view SinceMark = "is used to mark changes since the";
constexpr std::string_view SinceWords = "since the";

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// The text after word and the character after it, trimmed; empty without the word.
std::string textAfter(std::string_view line, std::string_view word) {
    const std::size_t at = line.find(word);
    if (at == std::string_view::npos)
        return {};
    const std::size_t from = at + word.size() + 1;
    return from >= line.size() ? std::string() : Trim(line.substr(from));
}

bool isEntryLine(std::string_view line) {
    return !line.empty() && (line[0] == ' ' || line[0] == '+');
}

bool isCardLine(std::string_view line) {
    return !line.empty() && !isEntryLine(line) && line.back() == ':';
}

// The first line below the header.
std::size_t bodyStart(const std::vector<std::string>& lines) {
    std::size_t since = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (TrimView(lines[i]) == RulingsSeparator)
            return i + 1;
        if (since == 0 && contains(lines[i], SinceMark))
            since = i + 1;
    }
    return since;
}

} // namespace

std::string RulingsSummaryDate(const std::vector<std::string>& ruleLines) {
    for (const std::string& line : ruleLines)
        if (contains(line, SummaryMark))
            return textAfter(line, "Updated");
    return {};
}

TRulingsCheck CheckRulingsChanges(const std::vector<std::string>& changeLines,
                                  const std::string& lastUpdated) {
    TRulingsCheck check;
    check.LastUpdated = lastUpdated;
    for (const std::string& line : changeLines) {
        if (contains(line, ChangesOnlyMark))
            check.AddUpdated = textAfter(line, "Updated");
        if (contains(line, SinceMark)) {
            const std::string since = textAfter(line, SinceWords).substr(0, 8);
            check.Indicator =
                since == lastUpdated ? TRulingsIndicator::Green : TRulingsIndicator::Yellow;
            return check;
        }
    }
    // Without the line that names the release it follows, the file cannot be used.
    check.AddUpdated.clear();
    check.Indicator = TRulingsIndicator::None;
    return check;
}

std::vector<TRulingBlock> RulingBlocks(const std::vector<std::string>& lines) {
    std::vector<TRulingBlock> blocks;
    std::size_t i = bodyStart(lines);
    while (i < lines.size()) {
        if (!isCardLine(lines[i])) {
            ++i;
            continue;
        }
        TRulingBlock block;
        block.Name = lines[i].substr(0, lines[i].size() - 1);
        block.First = i++;
        while (i < lines.size() && isEntryLine(lines[i]))
            ++i;
        block.End = i;
        blocks.push_back(std::move(block));
    }
    return blocks;
}

std::vector<std::string> UpdatedRuleLines(const std::vector<std::string>& ruleLines,
                                          const std::vector<std::string>& changeLines,
                                          const TRulingsCheck& check) {
    // The header and the old change marks.
    std::vector<std::string> renewed = ruleLines;
    const std::size_t body = bodyStart(renewed);
    const std::size_t headerEnd = body == 0 ? renewed.size() : body;
    for (std::size_t i = 0; i < renewed.size(); ++i) {
        std::string& line = renewed[i];
        if (i < headerEnd && contains(line, SummaryMark))
            line = std::string(SummaryMark) + std::string(42, ' ') + "Updated " + check.AddUpdated;
        else if (i < headerEnd && contains(line, SinceMark))
            line = "A '+' is used to mark changes since the " + check.LastUpdated + " release.";
        else if (!line.empty() && line[0] == '+')
            line[0] = ' ';
    }

    // The changed card blocks: a later block of the same card wins.
    const std::vector<TRulingBlock> installed = RulingBlocks(renewed);
    std::unordered_map<std::string_view, std::size_t> installedByName;
    for (std::size_t b = 0; b < installed.size(); ++b)
        installedByName.try_emplace(installed[b].Name, b);
    const std::vector<TRulingBlock> changed = RulingBlocks(changeLines);
    std::unordered_map<std::size_t, const TRulingBlock*> replacement;
    std::unordered_map<std::string_view, const TRulingBlock*> newByName;
    for (const TRulingBlock& block : changed) {
        if (const auto found = installedByName.find(block.Name); found != installedByName.end())
            replacement[found->second] = &block;
        else
            newByName[block.Name] = &block;
    }
    // New cards in alphabetical order; names that differ only in case stay apart.
    std::vector<std::pair<std::string_view, const TRulingBlock*>> newCards(newByName.begin(),
                                                                           newByName.end());
    std::sort(newCards.begin(), newCards.end(), [](const auto& a, const auto& b) {
        return CardLineLess(a.first, b.first) ||
               (!CardLineLess(b.first, a.first) && a.first < b.first);
    });
    // A new card goes before the first installed block whose name sorts after it.
    std::unordered_map<std::size_t, std::vector<const TRulingBlock*>> insertBefore;
    std::vector<const TRulingBlock*> appended;
    for (const auto& [name, block] : newCards) {
        std::size_t b = 0;
        while (b < installed.size() && !CardLineLess(name, installed[b].Name))
            ++b;
        if (b < installed.size())
            insertBefore[b].push_back(block);
        else
            appended.push_back(block);
    }

    std::vector<std::string> out;
    out.reserve(renewed.size() + changeLines.size());
    const auto copyBlock = [&](const std::vector<std::string>& from, const TRulingBlock& block) {
        out.insert(out.end(), from.begin() + static_cast<std::ptrdiff_t>(block.First),
                   from.begin() + static_cast<std::ptrdiff_t>(block.End));
    };
    std::size_t next = 0; // the next installed line not yet copied
    for (std::size_t b = 0; b < installed.size(); ++b) {
        const TRulingBlock& block = installed[b];
        out.insert(out.end(), renewed.begin() + static_cast<std::ptrdiff_t>(next),
                   renewed.begin() + static_cast<std::ptrdiff_t>(block.First));
        if (const auto inserts = insertBefore.find(b); inserts != insertBefore.end()) {
            for (const TRulingBlock* added : inserts->second) {
                copyBlock(changeLines, *added);
                out.emplace_back();
            }
        }
        if (const auto with = replacement.find(b); with != replacement.end())
            copyBlock(changeLines, *with->second);
        else
            copyBlock(renewed, block);
        next = block.End;
    }
    out.insert(out.end(), renewed.begin() + static_cast<std::ptrdiff_t>(next), renewed.end());
    for (const TRulingBlock* added : appended) {
        if (!out.empty() && !out.back().empty())
            out.emplace_back();
        copyBlock(changeLines, *added);
    }
    return out;
}

TRulingsUpdateResult UpdateRulings(TCardDatabase& db, const std::vector<std::string>& changeLines,
                                   const TRulingsCheck& check) {
    TRulingsUpdateResult result;
    if (check.AddUpdated.empty() || changeLines.empty())
        return result;
    if (UnreadableDataFile(db, RuleFile)) {
        result.Error = "the rulings summary \"" + db.DataDir + std::string(RuleFile) +
                       "\" could not be read, so it is not written either";
        return result;
    }
    const TWriteResult backup = SaveDataFile(db, RuleBackupFile, db.RuleLines);
    if (!backup.Ok) {
        result.Error = backup.Error;
        return result;
    }
    std::vector<std::string> lines = UpdatedRuleLines(db.RuleLines, changeLines, check);
    const TWriteResult saved = SaveDataFile(db, RuleFile, lines);
    if (!saved.Ok) {
        result.Error = saved.Error;
        return result;
    }
    db.RuleLines = std::move(lines);
    result.Done = true;
    return result;
}

} // namespace zandor
