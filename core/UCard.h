// The card record that every subsystem passes by value, its card-list line format,
// and the small shared operations on cost symbols, colour letters and split-card names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zandor {

// A text that never holds more than N bytes: longer assignments keep the first N.
template <std::size_t N> class TShortText {
public:
    TShortText() = default;
    TShortText(std::string_view text) : m_text(text.substr(0, N)) {}
    TShortText(const char* text) : TShortText(std::string_view(text)) {}
    TShortText(const std::string& text) : TShortText(std::string_view(text)) {}
    TShortText& operator=(std::string_view text) {
        m_text.assign(text.substr(0, N));
        return *this;
    }
    TShortText& operator=(const char* text) { return *this = std::string_view(text); }
    TShortText& operator=(const std::string& text) { return *this = std::string_view(text); }

    operator const std::string&() const { return m_text; }
    operator std::string_view() const { return m_text; }
    const std::string& str() const { return m_text; }
    bool empty() const { return m_text.empty(); }
    std::size_t size() const { return m_text.size(); }
    void clear() { m_text.clear(); }

    friend bool operator==(const TShortText& a, const TShortText& b) {
        return a.m_text == b.m_text;
    }
    friend bool operator==(const TShortText& a, std::string_view b) { return a.m_text == b; }
    friend bool operator==(const TShortText& a, const std::string& b) { return a.m_text == b; }
    friend bool operator==(const TShortText& a, const char* b) { return a.m_text == b; }
    friend std::string operator+(const std::string& a, const TShortText& b) { return a + b.m_text; }
    friend std::string operator+(const TShortText& a, const std::string& b) { return a.m_text + b; }
    friend std::string operator+(const char* a, const TShortText& b) { return a + b.m_text; }
    friend std::string operator+(const TShortText& a, const char* b) { return a.m_text + b; }

private:
    std::string m_text;
};

struct TZandorCard {
    std::string Name;
    TShortText<3> Edition;
    TShortText<3> Color;
    TShortText<1> Rarity;
    std::string Cost;
    std::string CardType;
    std::string Text;
    std::string Flavor;
    std::string Mana;
    std::string Program;
    std::string PT;
    std::string Value;
    std::string Artist;
    std::string Seq;

    friend bool operator==(const TZandorCard&, const TZandorCard&) = default;
};

// The name a lookup gives its result when no card matched.
inline constexpr std::string_view NotFoundName = "XNOCARD";

// Name and edition of the record that holds the database version and the price date.
inline constexpr std::string_view VersionCardName = "Version";
inline constexpr std::string_view VersionEdition = "@@";

struct TRGB {
    std::uint8_t R = 0;
    std::uint8_t G = 0;
    std::uint8_t B = 0;
    friend bool operator==(const TRGB&, const TRGB&) = default;
};

// Parses one line of "cardlist.dat"; never fails, missing fields come back empty.
TZandorCard ParseCardLine(std::string_view line);
// The positions of the fields in a card line.
enum TCardField : std::size_t {
    cfName,
    cfEdition,
    cfColor,
    cfText,
    cfRarity,
    cfPT,
    cfValue,
    cfCardType,
    cfCost,
    cfArtist,
    cfFlavor,
    cfMana,
    cfSeq
};
// The widths the short fields are cut to.
inline constexpr std::size_t EditionWidth = 3, ColorWidth = 3, RarityWidth = 1;
// The first count fields of a line as views into it, read as ParseCardLine reads them: a
// field counts only when its TAB follows, and every field after a missing TAB is empty.
// Short fields come back whole. For readers that need a few fields, not a record.
void CardLineFields(std::string_view line, std::string_view* fields, std::size_t count);
// The 13 stored fields in line order, each followed by a TAB.
std::string FormatCardLine(const TZandorCard& card);
void ClearCard(TZandorCard& card);

bool IsCostSymbol(std::string_view symbol);
TRGB SymbolColor(std::string_view letter);
TRGB SymbolInkColor(std::string_view letter);

std::string SplitHalfName(std::string_view name, int half);
std::string SplitBaseName(std::string_view name);
int SplitHalfNumber(std::string_view name);

} // namespace zandor
