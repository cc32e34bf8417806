// The statistics model of a deck: one row per main-deck line with the card's cost, type,
// rarity and price, and every figure the statistics window and "zandor deck stats" show.
#pragma once

#include "core/UCard.h"
#include "core/UCardDatabase.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zandor {

struct TZandorStatCard {
    std::string Name;
    TShortText<3> Edition;
    std::int32_t Count = 0;
    TShortText<3> Color;
    TShortText<1> Rarity;
    std::string Cost;
    std::string CardType;
    std::string ConvCost; // empty for a plain "Land" row
    std::string PT;
    std::string Value;
};

// The six colour keys in the order the statistics show them: the five colours, then the
// colourless part of a cost.
inline constexpr std::array<std::string_view, 6> StatColorKeys{"W", "U", "B", "R", "G", "Art"};
inline constexpr int CurveBuckets = 7;

// An amount of money with four decimal places, held as a whole number of ten-thousandths.
struct TCurrency {
    static constexpr std::int64_t Scale = 10000;
    std::int64_t Units = 0;
    friend bool operator==(const TCurrency&, const TCurrency&) = default;
};

struct TRarityCounts {
    std::int64_t Commons = 0;
    std::int64_t Uncommons = 0;
    std::int64_t Rares = 0;
};

struct TTypeCounts {
    std::int64_t Lands = 0;
    std::int64_t Creatures = 0;
    std::int64_t Spells = 0;
    std::int64_t Total() const { return Lands + Creatures + Spells; }
};

// Failures are values: Ok false carries the message the user is shown.
struct TStatResult {
    bool Ok = true;
    std::string Error;
};

// A main-deck line whose card the base lacks, with its 1-based number in the deck.
struct TMissingStatCard {
    int LineNumber = 0;
    std::string Name;
    std::string Edition;
    std::int32_t Count = 0;
    friend bool operator==(const TMissingStatCard&, const TMissingStatCard&) = default;
};

class TStatCards {
public:
    std::vector<TZandorStatCard> Cards;
    // The main-deck lines of the last build whose card is not in the base. They have no row
    // and count in no figure.
    std::vector<TMissingStatCard> Missing;
    // The copies of every row whose type is not exactly "Land". Kept wider than a count so
    // that several large counts typed into the table cannot overflow it.
    std::int64_t NonLandCount = 0;

    // Rebuilds the rows from deck lines; sideboard and comment lines are skipped. A
    // main-deck line whose count is no number or below zero, or that has a count and no
    // card, fails the build and leaves the model as it was. Cards the base lacks go to
    // Missing.
    TStatResult Build(const std::vector<std::string>& deckLines, const TNameIndex& nameIndex,
                      const TCardLines& cardLines);

    static std::string ConvertedCost(std::string_view cost);
    static std::int64_t SymbolCount(std::string_view cost, std::string_view colorKey);

    std::int64_t ColorTotal(std::string_view colorKey) const;
    // The sum of ColorTotal over the six keys.
    std::int64_t AllColorTotal() const;
    std::int64_t CurveCount(int bucket) const;
    std::int64_t ColorCurveCount(std::string_view colorKey, int bucket) const;
    TRarityCounts RarityCounts() const;
    TTypeCounts TypeCounts() const;

    // Applies an edited cost and count to one row. A count that is no 32-bit number or is
    // below zero fails and leaves the row as it was.
    TStatResult UpdateRow(std::size_t row, std::string_view cost, std::string_view countText);

    // The money value of the deck; prices that do not read are skipped. Prices are read with
    // the locale's decimal separator, and always with the comma the price update writes.
    TCurrency DeckValue(char decimalSeparator = ',') const;
};

// A decimal integer that fits 32 bits, with an optional sign and surrounding blanks.
bool TryReadInt32(std::string_view text, std::int32_t& value);
// The message of a text that does not read as an integer.
std::string NotAnIntegerMessage(std::string_view text);
// The message of a main-deck line with a count and no card.
std::string NoCardMessage(std::string_view line);
// How many deck lines name cards the base lacks, and which, one per line.
std::string MissingCardsMessage(const std::vector<TMissingStatCard>& missing);

// A price such as "1,25" or "0.5" as a currency amount; false when it is no number.
bool TryReadCurrency(std::string_view text, char decimalSeparator, TCurrency& amount);
// The shortest decimal form, up to four decimals: 5, 1.25, 0.0001.
std::string FormatCurrency(TCurrency amount, char decimalSeparator);

// numerator × factor ÷ denominator cut towards zero; 0 when the denominator is 0, so that a
// deck without cards shows 0 instead of failing.
std::int64_t TruncatedRatio(std::int64_t numerator, std::int64_t factor, std::int64_t denominator);
// A number of hundredths in its shortest decimal form: 4250 gives 42.5, 3333 gives 33.33.
std::string FormatHundredths(std::int64_t hundredths, char decimalSeparator);

// The share of count in total as a percentage cut to two decimals ("42.5" for 17 of 40).
std::string SharePercent(std::int64_t count, std::int64_t total, char decimalSeparator);
// total ÷ cards cut to two decimals, the average symbols per card.
std::string AverageText(std::int64_t total, std::int64_t cards, char decimalSeparator);

// One line of the colour split of a cost bucket: the key's share of the bucket's symbols
// scaled to the bucket's cost, then that part of the cost as a percentage, both cut to two
// decimals ("1 - (50%)" for each half of a 1W card in bucket 2).
std::string LocalCostText(std::int64_t keyCount, std::int64_t bucketSum, int bucket,
                          char decimalSeparator);

} // namespace zandor
