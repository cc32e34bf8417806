#include "tools/UBigMaintData.h"

#include "core/UCard.h"
#include "core/UCardDatabase.h"
#include "core/UCardLines.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>

namespace zandor {

namespace {

constexpr const char* Separator =
    "-      -     *     -     *     - A -     *     -     *     -     -";

std::string priceText(std::mt19937& rng) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%02u", static_cast<unsigned>(rng() % 40),
                  static_cast<unsigned>(rng() % 100));
    return text;
}

std::string entryLine(const std::string& name, const std::string& price) {
    std::string line = name.substr(0, 30);
    line.append(30 - line.size(), ' ');
    char prices[64];
    std::snprintf(prices, sizeof prices, "| %6s , %6s , %6s", price.c_str(), "0.10", "99.00");
    return line + prices;
}

std::vector<std::string> entryLines(std::mt19937& rng, std::size_t count) {
    std::vector<std::string> lines;
    const std::size_t n = 1 + rng() % 3;
    for (std::size_t i = 0; i < n && lines.size() < count; ++i) {
        std::string line = (i == 0 ? "  Info: " : "  * ");
        line += "The ruling number " + std::to_string(rng() % 1000) +
                " reads the card as printed (see Rule " + std::to_string(100 + rng() % 400) +
                ".1.)";
        lines.push_back(line);
    }
    return lines;
}

} // namespace

std::vector<std::string> MakeBigPriceList(const std::vector<std::string>& cardLines,
                                          std::size_t entries, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<std::string> lines{"card name                     |  price ,    low ,   high",
                                   "------------------------------+--------+--------+-------"};
    for (std::size_t e = 0; e < entries && !cardLines.empty(); ++e) {
        const TZandorCard card = ParseCardLine(cardLines[rng() % cardLines.size()]);
        std::string name = card.Name;
        const unsigned kind = rng() % 10;
        if (kind == 0)
            name = "Unlisted " + name; // a card the base does not have
        else if (kind < 6 && name.size() + card.Edition.size() + 3 <= 30)
            name += " (" + card.Edition.str() + ")";
        lines.push_back(entryLine(name, priceText(rng)));
    }
    lines.push_back(lines[1]);
    lines.push_back("total: " + std::to_string(entries) + " cards");
    return lines;
}

TBigRulings MakeBigRulings(const std::vector<std::string>& cardLines, std::size_t summaryLines,
                           std::size_t changedCards, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::set<std::string, bool (*)(std::string_view, std::string_view)> names(CardLineLess);
    for (const std::string& line : cardLines) {
        const std::string_view name = LineName(line);
        if (!name.empty() && name != "Version")
            names.emplace(name);
    }
    TBigRulings r;
    r.Installed = {"ZANDOR TRADING CARD GAME",
                   "Card Rulings Summary                                          Updated 02/05/17",
                   "A '+' is used to mark changes since the 02/04/12 release.",
                   "",
                   Separator,
                   ""};
    r.Changes = {"ZANDOR TRADING CARD GAME",
                 "Card Rulings Summary (CHANGES ONLY)                           Updated 02/06/14",
                 "A '+' is used to mark changes since the 02/05/17 release.",
                 "",
                 Separator,
                 ""};
    std::vector<std::string> inSummary, left;
    for (const std::string& name : names) {
        if (r.Installed.size() < summaryLines && rng() % 3 == 0) {
            r.Installed.push_back(name + ":");
            for (std::string& line : entryLines(rng, 3)) {
                if (rng() % 4 == 0)
                    line[0] = '+';
                r.Installed.push_back(std::move(line));
            }
            r.Installed.emplace_back();
            inSummary.push_back(name);
        } else {
            left.push_back(name);
        }
    }
    // Nine in ten changed cards are in the summary, the rest are new to it; the changes
    // file lists them in alphabetical order, as it is published.
    std::set<std::string, bool (*)(std::string_view, std::string_view)> changed(CardLineLess);
    while (changed.size() < changedCards && !inSummary.empty()) {
        const bool isNew = changed.size() % 10 == 9 && !left.empty();
        changed.insert(isNew ? left[rng() % left.size()] : inSummary[rng() % inSummary.size()]);
    }
    for (const std::string& name : changed) {
        r.Changes.push_back(name + ":");
        for (std::string& line : entryLines(rng, 3)) {
            line[0] = '+';
            r.Changes.push_back(std::move(line));
        }
        r.Changes.emplace_back();
    }
    return r;
}

} // namespace zandor
