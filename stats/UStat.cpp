#include "stats/UStat.h"

#include "core/UIniFile.h"

#include <charconv>
#include <limits>

namespace zandor {

namespace {

__extension__ typedef __int128 TWide;

constexpr std::int64_t wideMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t wideMin = std::numeric_limits<std::int64_t>::min();

// Figures saturate instead of wrapping, so that absurd hand-typed counts give absurd but
// well-defined figures.
std::int64_t clamp64(TWide value) {
    if (value > wideMax)
        return wideMax;
    if (value < wideMin)
        return wideMin;
    return static_cast<std::int64_t>(value);
}

std::int64_t addProduct(std::int64_t sum, std::int64_t a, std::int64_t b) {
    return clamp64(static_cast<TWide>(sum) + static_cast<TWide>(a) * b);
}

bool isLand(const TZandorStatCard& row) {
    return row.CardType == "Land";
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

int symbolValue(char c, bool colourless) {
    switch (c) {
    case 'W':
    case 'U':
    case 'B':
    case 'R':
    case 'G':
        return colourless ? 0 : 1;
    case 'X':
        return 3;
    default:
        return -1;
    }
}

// Scans the cost from its right end: symbols add their value, and the text up to the first
// character that is no symbol adds its number when it reads as one.
std::int64_t scanCost(std::string_view cost, bool colourless) {
    std::int64_t sum = 0;
    for (std::size_t i = cost.size(); i-- > 0;) {
        const int value = symbolValue(cost[i], colourless);
        if (value >= 0) {
            sum += value;
            continue;
        }
        std::int32_t prefix = 0;
        if (TryReadInt32(cost.substr(0, i + 1), prefix))
            sum += prefix;
        break;
    }
    return sum;
}

int bucketOf(const TZandorStatCard& row) {
    std::int64_t cost = 0;
    const std::string& text = row.ConvCost;
    std::from_chars(text.data(), text.data() + text.size(), cost);
    if (cost <= 1)
        return 1;
    if (cost >= CurveBuckets)
        return CurveBuckets;
    return static_cast<int>(cost);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool TryReadInt32(std::string_view text, std::int32_t& value) {
    text = TrimView(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 10)
        return false;
    std::int64_t magnitude = 0;
    for (char c : text) {
        if (!isDigit(c))
            return false;
        magnitude = magnitude * 10 + (c - '0');
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue < std::numeric_limits<std::int32_t>::min() ||
        signedValue > std::numeric_limits<std::int32_t>::max())
        return false;
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

std::string NotAnIntegerMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

std::string NoCardMessage(std::string_view line) {
    return "the deck line \"" + std::string(line) + "\" has a count and no card";
}

std::string MissingCardsMessage(const std::vector<TMissingStatCard>& missing) {
    std::string text =
        std::to_string(missing.size()) +
        (missing.size() == 1 ? " deck line names a card" : " deck lines name cards") +
        " that the card base lacks; they are not counted:";
    for (const TMissingStatCard& card : missing)
        text += "\n" + std::to_string(card.Count) + " [" + card.Edition + "] - " + card.Name +
                " (line " + std::to_string(card.LineNumber) + ")";
    return text;
}

TStatResult TStatCards::Build(const std::vector<std::string>& deckLines,
                              const TNameIndex& nameIndex, const TCardLines& cardLines) {
    std::vector<TZandorStatCard> rows;
    std::vector<TMissingStatCard> missing;
    std::int64_t nonLand = 0;
    for (std::size_t n = 0; n < deckLines.size(); ++n) {
        const std::string& line = deckLines[n];
        if (line.empty() || line.front() != ' ')
            continue; // sideboard and comment lines
        TZandorStatCard row;
        const std::size_t open = line.find('[');
        const std::string_view countText =
            std::string_view(line).substr(0, open == std::string::npos ? 0 : open);
        std::int32_t lone = 0;
        if (open == std::string::npos && TryReadInt32(line, lone))
            return {false, NoCardMessage(line)};
        // A count below zero is no count of cards, whatever its digits.
        if (!TryReadInt32(countText, row.Count) || row.Count < 0) {
            return {false,
                    NotAnIntegerMessage(Trim(countText)) + " in the deck line \"" + line + "\""};
        }
        const std::size_t close = line.find(']', open);
        if (close == std::string::npos) {
            row.Name = Trim(std::string_view(line).substr(open + 1));
        } else {
            row.Edition = Trim(std::string_view(line).substr(open + 1, close - open - 1));
            // The name follows "] - ".
            row.Name = close + 3 < line.size() ? Trim(std::string_view(line).substr(close + 3))
                                               : std::string();
        }
        // A split card A/B is stored as the two records A/B (A) and A/B (B); the row takes
        // the first half.
        std::string lookupName = row.Name;
        if (const std::size_t slash = row.Name.find('/'); slash != std::string::npos)
            lookupName += " (" + row.Name.substr(0, slash) + ")";
        if (row.Name.empty())
            return {false, NoCardMessage(line)};
        const TZandorCard card = FindCard(nameIndex, cardLines, lookupName, row.Edition.str());
        // A card the base lacks has no type, cost or rarity to count; it is set aside and
        // named instead of being taken for a spell of cost 0.
        if (IsNotFound(card)) {
            missing.push_back({static_cast<int>(n + 1), row.Name, row.Edition.str(), row.Count});
            continue;
        }
        row.Color = card.Color.str();
        row.Rarity = card.Rarity.str();
        row.Cost = card.Cost;
        row.CardType = card.CardType;
        row.PT = card.PT;
        row.Value = card.Value;
        if (!isLand(row)) {
            row.ConvCost = ConvertedCost(row.Cost);
            nonLand += row.Count;
        }
        rows.push_back(std::move(row));
    }
    Cards = std::move(rows);
    Missing = std::move(missing);
    NonLandCount = nonLand;
    return {};
}

std::string TStatCards::ConvertedCost(std::string_view cost) {
    return std::to_string(scanCost(cost, false));
}

std::int64_t TStatCards::SymbolCount(std::string_view cost, std::string_view colorKey) {
    if (colorKey == "Art")
        return scanCost(cost, true);
    if (colorKey.size() != 1)
        return 0;
    std::int64_t count = 0;
    for (char c : cost)
        if (c == colorKey.front())
            ++count;
    return count;
}

std::int64_t TStatCards::ColorTotal(std::string_view colorKey) const {
    std::int64_t total = 0;
    for (const TZandorStatCard& row : Cards)
        if (!isLand(row))
            total = addProduct(total, SymbolCount(row.Cost, colorKey), row.Count);
    return total;
}

std::int64_t TStatCards::AllColorTotal() const {
    std::int64_t total = 0;
    for (std::string_view key : StatColorKeys)
        total = addProduct(total, ColorTotal(key), 1);
    return total;
}

std::int64_t TStatCards::CurveCount(int bucket) const {
    std::int64_t total = 0;
    for (const TZandorStatCard& row : Cards)
        if (!isLand(row) && bucketOf(row) == bucket)
            total += row.Count;
    return total;
}

std::int64_t TStatCards::ColorCurveCount(std::string_view colorKey, int bucket) const {
    std::int64_t total = 0;
    for (const TZandorStatCard& row : Cards)
        if (!isLand(row) && bucketOf(row) == bucket)
            total = addProduct(total, SymbolCount(row.Cost, colorKey), row.Count);
    return total;
}

TRarityCounts TStatCards::RarityCounts() const {
    TRarityCounts counts;
    for (const TZandorStatCard& row : Cards) {
        if (row.Rarity == "C")
            counts.Commons += row.Count;
        else if (row.Rarity == "U")
            counts.Uncommons += row.Count;
        else if (row.Rarity == "R")
            counts.Rares += row.Count;
    }
    return counts;
}

TTypeCounts TStatCards::TypeCounts() const {
    TTypeCounts counts;
    for (const TZandorStatCard& row : Cards) {
        const std::string_view type = row.CardType;
        if (startsWith(type, "Creature") || startsWith(type, "Smn ") || startsWith(type, "Summon "))
            counts.Creatures += row.Count;
        else if (startsWith(type, "Land") || startsWith(type, "Legendary Land"))
            counts.Lands += row.Count;
        else
            counts.Spells += row.Count;
    }
    return counts;
}

TStatResult TStatCards::UpdateRow(std::size_t row, std::string_view cost,
                                  std::string_view countText) {
    if (row >= Cards.size())
        return {false, "There is no row " + std::to_string(row)};
    std::int32_t count = 0;
    if (!TryReadInt32(countText, count) || count < 0)
        return {false, NotAnIntegerMessage(countText)};
    TZandorStatCard& card = Cards[row];
    card.Cost = std::string(cost);
    if (!isLand(card))
        NonLandCount += static_cast<std::int64_t>(count) - card.Count;
    card.Count = count;
    card.ConvCost = ConvertedCost(card.Cost);
    return {};
}

TCurrency TStatCards::DeckValue(char decimalSeparator) const {
    std::int64_t units = 0;
    for (const TZandorStatCard& row : Cards) {
        TCurrency price;
        if (TryReadCurrency(row.Value, decimalSeparator, price))
            units = addProduct(units, price.Units, row.Count);
    }
    return {units};
}

bool TryReadCurrency(std::string_view text, char decimalSeparator, TCurrency& amount) {
    text = TrimView(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::size_t i = 0;
    TWide units = 0;
    bool anyDigit = false;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        units = units * 10 + (text[i] - '0');
        anyDigit = true;
        if (units > wideMax / TCurrency::Scale)
            return false;
    }
    units *= TCurrency::Scale;
    if (i < text.size() && (text[i] == decimalSeparator || text[i] == ',')) {
        ++i;
        std::int64_t place = TCurrency::Scale / 10;
        bool roundUp = false;
        for (std::size_t digit = 0; i < text.size() && isDigit(text[i]); ++i, ++digit) {
            anyDigit = true;
            if (place > 0) {
                units += (text[i] - '0') * place;
                place /= 10;
            } else if (digit == 4) {
                roundUp = text[i] >= '5';
            }
        }
        if (roundUp)
            units += 1;
    }
    if (!anyDigit || i != text.size() || units > wideMax)
        return false;
    amount.Units = static_cast<std::int64_t>(negative ? -units : units);
    return true;
}

std::string FormatCurrency(TCurrency amount, char decimalSeparator) {
    const bool negative = amount.Units < 0;
    const TWide magnitude = negative ? -static_cast<TWide>(amount.Units) : amount.Units;
    std::string text = negative ? "-" : "";
    text += std::to_string(static_cast<std::uint64_t>(magnitude / TCurrency::Scale));
    std::int64_t fraction = static_cast<std::int64_t>(magnitude % TCurrency::Scale);
    if (fraction != 0) {
        std::string digits = std::to_string(fraction + TCurrency::Scale).substr(1);
        while (digits.back() == '0')
            digits.pop_back();
        text += decimalSeparator + digits;
    }
    return text;
}

std::int64_t TruncatedRatio(std::int64_t numerator, std::int64_t factor, std::int64_t denominator) {
    if (denominator == 0)
        return 0;
    // Division of the wide product truncates towards zero, as the figures are cut.
    return clamp64(static_cast<TWide>(numerator) * factor / denominator);
}

std::string FormatHundredths(std::int64_t hundredths, char decimalSeparator) {
    // Hundredths are ten-thousandths with two zeros more.
    return FormatCurrency({clamp64(static_cast<TWide>(hundredths) * 100)}, decimalSeparator);
}

std::string SharePercent(std::int64_t count, std::int64_t total, char decimalSeparator) {
    return FormatHundredths(TruncatedRatio(count, 10000, total), decimalSeparator);
}

std::string AverageText(std::int64_t total, std::int64_t cards, char decimalSeparator) {
    return FormatHundredths(TruncatedRatio(total, 100, cards), decimalSeparator);
}

std::string LocalCostText(std::int64_t keyCount, std::int64_t bucketSum, int bucket,
                          char decimalSeparator) {
    const std::int64_t scaled = TruncatedRatio(keyCount, std::int64_t{bucket} * 100, bucketSum);
    const std::int64_t percent = TruncatedRatio(scaled, 1, bucket);
    return FormatHundredths(scaled, decimalSeparator) + " - (" + std::to_string(percent) + "%)";
}

} // namespace zandor
