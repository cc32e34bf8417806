#include "maint/UAboutBoxLogic.h"

#include <cstdio>

namespace zandor {

namespace {

// Characters from..from+count of text, as many as there are.
std::string_view part(std::string_view text, std::size_t from, std::size_t count) {
    return from >= text.size() ? std::string_view() : text.substr(from, count);
}

std::string dayMonthYear(const TDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", date.Day, date.Month, date.Year);
    return text;
}

} // namespace

std::string RulingsDate(std::string_view line) {
    // The date is the text from two characters before the first "/": year/month/day.
    const std::size_t slash = line.find('/');
    const std::size_t from = slash == std::string_view::npos || slash < 2 ? 0 : slash - 2;
    const std::string_view rest = TrimView(line.substr(from));
    return std::string(part(rest, 6, 2)) + "." + std::string(part(rest, 3, 2)) + ".20" +
           std::string(part(rest, 0, 2));
}

std::string PriceDateText(std::string_view text) {
    // Cutting by position reads a four-digit year, or a month-first date, wrongly; a date
    // that the user's format reads is shown from its parts.
    if (const auto date = ParseShortDate(text); date && IsValidDate(*date))
        return dayMonthYear(*date);
    return std::string(part(text, 0, 2)) + "." + std::string(part(text, 3, 2)) + ".20" +
           std::string(part(text, 6, 2));
}

TAboutTexts AboutTexts(const TCardDatabase& db) {
    TAboutTexts texts;
    if (db.RuleLines.size() < 3)
        return texts;
    texts.RuleDate = RulingsDate(db.RuleLines[2]);
    const TDate saved = db.Settings.ReadDate(ini::Update, ini::Price, DefaultPriceDate);
    const TZandorCard version = FindCard(db, VersionCardName, VersionEdition);
    std::string date;
    if (!IsNotFound(version)) {
        date = version.Flavor;
        texts.BaseVersion = version.Text;
    } else {
        date = FormatShortDate(saved);
    }
    texts.PriceDate = PriceDateText(date);
    return texts;
}

} // namespace zandor
