// The rulings summary update: the dates of the installed summary and of a changes-only
// file, whether the one follows the other, and the update that renews the installed
// summary's header and change marks and takes over the changed card blocks.
#pragma once

#include "core/UCardDatabase.h"

#include <string>
#include <string_view>
#include <vector>

namespace zandor {

inline constexpr std::string_view RuleBackupFile = "rulecards.bak";
inline constexpr std::string_view RulingsSeparator =
    "-      -     *     -     *     - A -     *     -     *     -     -";

// What the indicator shows: nothing read yet, the changes follow the installed summary
// (green), or they do not (yellow).
enum class TRulingsIndicator { None, Green, Yellow };

struct TRulingsCheck {
    std::string LastUpdated; // date of the installed summary
    std::string AddUpdated;  // date of the changes-only file; empty when it cannot be used
    TRulingsIndicator Indicator = TRulingsIndicator::None;
};

// The date after "Updated" on the first line that holds "Card Rulings Summary"; empty
// when there is no such line.
std::string RulingsSummaryDate(const std::vector<std::string>& ruleLines);

// Reads a changes-only file against the installed summary's date. The file follows the
// summary when the date after "since the" equals lastUpdated.
TRulingsCheck CheckRulingsChanges(const std::vector<std::string>& changeLines,
                                  const std::string& lastUpdated);

// One card block of a summary: the line "Name:" and its entry lines.
struct TRulingBlock {
    std::string Name;
    std::size_t First = 0; // the card line
    std::size_t End = 0;   // one past the last entry line
};
// The card blocks below the header (the header ends with the separator line, or with the
// "since the" line when there is no separator).
std::vector<TRulingBlock> RulingBlocks(const std::vector<std::string>& lines);

// The installed lines after the update: the header dated check.AddUpdated and marking
// changes since check.LastUpdated, the old "+" marks cleared, and every card block of the
// changes file in place of the installed block of that card (a card new to the summary is
// inserted at its alphabetical place).
std::vector<std::string> UpdatedRuleLines(const std::vector<std::string>& ruleLines,
                                          const std::vector<std::string>& changeLines,
                                          const TRulingsCheck& check);

struct TRulingsUpdateResult {
    bool Done = false;
    std::string Error; // set when a file could not be written
};

// The whole update on the database: nothing happens unless check.AddUpdated and
// changeLines are not empty. The old lines go to "rulecards.bak" first; a failed backup
// stops the update, and a failed save of "rulecards.dat" leaves RuleLines as they were.
TRulingsUpdateResult UpdateRulings(TCardDatabase& db, const std::vector<std::string>& changeLines,
                                   const TRulingsCheck& check);

} // namespace zandor
