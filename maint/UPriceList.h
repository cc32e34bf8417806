// The price list: its fixed-column entries, the price written into every card that an
// entry names, and the run over a whole list that prices the card base, dates the update
// and saves the card list, changing nothing in memory when the save fails.
#pragma once

#include "core/UCardDatabase.h"
#include "core/UDate.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zandor {

inline constexpr std::string_view PriceListPath = "/pricelists/current-zandor";
inline constexpr std::string_view PriceFile = "price.txt";
inline constexpr std::string_view PriceHostKey = "PriceHost";

// One entry line of a price list.
struct TPriceEntry {
    std::string Name;     // the name column without its closing separator and padding
    std::string Price;    // with a decimal comma, as it is stored
    bool PriceOk = false; // false when the price is not a number: the entry prices nothing
};

// Nothing for the lines a price list skips: headers ("card"), rules ("----"), the total
// ("total:") and blank lines.
std::optional<TPriceEntry> ParsePriceLine(std::string_view line);

// The edition key of an abbreviation in parentheses: "5th" is "5E", and so on.
std::string PriceEditionKey(std::string_view abbreviation);
// The name a card line is compared under: its first "," dropped and the part in
// parentheses removed, so both halves of a split card compare as Left/Right.
std::string PriceComparisonName(std::string_view cardName);

// An entry name taken apart: the card name as compared and the edition (empty: any).
struct TPriceTarget {
    std::string Key; // the first two characters of the entry name as given
    std::string Name;
    std::string Edition;
};
TPriceTarget PriceTargetOf(std::string_view entryName);

// Finds the lines an entry prices without walking the card list: built once for a card
// list whose names and order then stay as they are (prices change, names do not).
class TPriceLookup {
public:
    TPriceLookup(const TNameIndex& index, const TCardLines& cardLines);
    // The lines the walk from the name's index entry would update, in list order.
    std::vector<std::size_t> Lines(const TPriceTarget& target) const;

private:
    struct TRange {
        std::size_t Start = 0;
        std::size_t End = 0;
    };
    TRange range(std::string_view key) const;

    // The first line of a comparison name, or none.
    std::uint32_t head(std::string_view name) const;

    static constexpr std::uint32_t none = ~std::uint32_t{0};
    const TCardLines& m_lines;
    std::size_t m_size;
    std::unordered_map<std::string, TRange> m_ranges; // upper-cased key -> its block
    // The comparison names of all lines side by side in one text, a view per line, the
    // next line of the same name, and an open-addressed table of each name's first line:
    // no allocation per line, and the table outlives changes of the lines' prices.
    std::string m_names;
    std::vector<std::string_view> m_nameOf;
    std::vector<std::uint32_t> m_next;
    std::vector<std::uint32_t> m_slots;
};

// Sets the price on every card line the entry names and returns how many it changed.
std::size_t UpdateCardPrice(TCardDatabase& db, const TPriceLookup& lookup,
                            std::string_view entryName, std::string_view price);
// The same by the plain walk over the card list, line by line: the reference the fast
// form is held to.
std::size_t UpdateCardPriceByWalk(TCardDatabase& db, std::string_view entryName,
                                  std::string_view price);

// What a price run reports while it goes: the entry being priced and the counts so far.
struct TPriceProgress {
    std::function<void(const std::string& entryName, std::size_t updated, std::size_t notFound)>
        Entry;
};

struct TPriceRun {
    bool Ok = true;
    std::string Error;                 // why the run changed nothing
    std::size_t Updated = 0;           // card lines priced
    std::vector<std::string> NotFound; // entry names that priced nothing, in list order
    std::string Date;                  // the short date text written
};

// Prices the card base from the lines of a price list, writes today into the settings and
// the version record, and saves the card list (also when nothing changed). When the card
// list cannot be saved, the card list in memory and the date stay as they were.
TPriceRun ApplyPrices(TCardDatabase& db, const std::vector<std::string>& priceLines,
                      const TDate& today, const TPriceProgress& progress = {});

// A data file that is there but could not be read at start: it must not be overwritten
// with the empty list that stands for it.
bool UnreadableDataFile(const TCardDatabase& db, std::string_view fileName);

// Today's date by the local clock.
TDate CurrentDate();

// The date of the last price update: the version record's, else the settings'.
std::string LastPriceDate(const TCardDatabase& db);

// The address of the price list: a full address as it is, a bare host (with or without
// "http://" and a port) with the price list's path added. Empty for an empty host.
std::string PriceListUrl(std::string_view host);

// The saved copy of a downloaded list: "price.txt" beside the program, or in the data
// folder when the program's folder cannot be written. Returns the path written.
TWriteResult SaveDownloadedPrices(const TCardDatabase& db, const std::vector<std::string>& lines,
                                  std::string* writtenTo = nullptr);

} // namespace zandor
