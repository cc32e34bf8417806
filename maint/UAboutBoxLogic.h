// The texts of the about box: the program's name and version and the three data dates
// (prices, rulings summary, card database version) read from the loaded data.
#pragma once

#include "core/UCardDatabase.h"

#include <string>

namespace zandor {

struct TAboutTexts {
    std::string Name = "Zandor Library";
    std::string Version = "Version 0.60 beta";
    std::string PriceDate = "00.00.00";
    std::string RuleDate = "00.00.00";
    std::string BaseVersion = "Base 0.5 version";
};

inline constexpr std::string_view PriceDateLabel = "Price last update: ";
inline constexpr std::string_view RuleDateLabel = "Card Rulings Summary last update: ";

// The rulings date of the summary's third line ("... 02/05/17", year/month/day) as
// day.month.year: "17.05.2002".
std::string RulingsDate(std::string_view line);
// A price date text as day.month.year: a date in the user's short date format is read as
// such; any other text is cut by position as day, month and two-digit year.
std::string PriceDateText(std::string_view text);
// The texts with the dates of db; with fewer than 3 rulings lines the dates and the version
// keep their first texts.
TAboutTexts AboutTexts(const TCardDatabase& db);

} // namespace zandor
