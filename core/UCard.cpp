#include "core/UCard.h"

#include <array>
#include <cstring>

namespace zandor {

namespace {

// Cuts the text before the next TAB off the front of rest. Without a TAB the field is
// empty and the rest is dropped, so that every later field is empty too.
std::string_view takeField(std::string_view& rest) {
    const std::size_t tab = rest.find('\t');
    if (tab == std::string_view::npos) {
        rest = {};
        return {};
    }
    std::string_view field = rest.substr(0, tab);
    rest.remove_prefix(tab + 1);
    return field;
}

struct TColorPair {
    char letter;
    TRGB paper;
};

constexpr std::array<TColorPair, 5> symbolColors{{
    {'W', {255, 246, 210}},
    {'U', {151, 217, 239}},
    {'B', {201, 201, 203}},
    {'R', {239, 150, 132}},
    {'G', {131, 171, 135}},
}};
constexpr TRGB neutralSymbolColor{184, 182, 170};

} // namespace

TZandorCard ParseCardLine(std::string_view line) {
    TZandorCard card;
    std::string_view rest = line;
    card.Name = takeField(rest);
    card.Edition = takeField(rest);
    card.Color = takeField(rest);
    card.Text = takeField(rest);
    card.Rarity = takeField(rest);
    card.PT = takeField(rest);
    card.Value = takeField(rest);
    card.CardType = takeField(rest);
    card.Cost = takeField(rest);
    card.Artist = takeField(rest);
    card.Flavor = takeField(rest);
    card.Mana = takeField(rest);
    card.Seq = takeField(rest);
    return card;
}

void CardLineFields(std::string_view line, std::string_view* fields, std::size_t count) {
    const char* p = line.data();
    const char* const end = p + line.size();
    std::size_t i = 0;
    for (; i < count; ++i) {
        const auto* tab =
            p < end ? static_cast<const char*>(std::memchr(p, '\t', end - p)) : nullptr;
        if (!tab)
            break;
        fields[i] = std::string_view(p, static_cast<std::size_t>(tab - p));
        p = tab + 1;
    }
    for (; i < count; ++i)
        fields[i] = std::string_view();
}

std::string FormatCardLine(const TZandorCard& card) {
    const std::array<const std::string*, 13> fields{
        &card.Name,   &card.Edition.str(), &card.Color.str(), &card.Text, &card.Rarity.str(),
        &card.PT,     &card.Value,         &card.CardType,    &card.Cost, &card.Artist,
        &card.Flavor, &card.Mana,          &card.Seq};
    std::size_t length = fields.size();
    for (const std::string* field : fields)
        length += field->size();
    std::string line;
    line.reserve(length);
    for (const std::string* field : fields) {
        line += *field;
        line += '\t';
    }
    return line;
}

void ClearCard(TZandorCard& card) {
    card = TZandorCard{};
}

bool IsCostSymbol(std::string_view symbol) {
    if (symbol.size() != 1)
        return false;
    const char c = symbol[0];
    return (c >= '0' && c <= '9') || c == 'B' || c == 'U' || c == 'G' || c == 'R' || c == 'W' ||
           c == 'T' || c == 'X';
}

TRGB SymbolColor(std::string_view letter) {
    if (letter.size() == 1)
        for (const TColorPair& pair : symbolColors)
            if (pair.letter == letter[0])
                return pair.paper;
    return neutralSymbolColor;
}

TRGB SymbolInkColor(std::string_view letter) {
    // The ink is painted through an inverting raster operation, so it is the negative
    // of the colour that finally shows.
    const TRGB paper = SymbolColor(letter);
    return {static_cast<std::uint8_t>(255 - paper.R), static_cast<std::uint8_t>(255 - paper.G),
            static_cast<std::uint8_t>(255 - paper.B)};
}

std::string SplitBaseName(std::string_view name) {
    const std::size_t bracket = name.find('(');
    if (bracket == std::string_view::npos)
        return std::string(name);
    // Drop the blank before the bracket as well; a bracket at the very start leaves nothing.
    return std::string(name.substr(0, bracket == 0 ? 0 : bracket - 1));
}

std::string SplitHalfName(std::string_view name, int half) {
    const std::string base = SplitBaseName(name);
    const std::size_t slash = base.find('/');
    std::string part;
    if (half == 1)
        part = base.substr(0, slash == std::string::npos ? base.size() : slash);
    else
        part = slash == std::string::npos ? std::string() : base.substr(slash + 1);
    return base + " (" + part + ")";
}

int SplitHalfNumber(std::string_view name) {
    const std::size_t bracket = name.find('(');
    if (bracket == std::string_view::npos)
        return 1;
    std::string_view inner = name.substr(bracket + 1);
    if (!inner.empty())
        inner.remove_suffix(1);
    return !inner.empty() && name.substr(0, inner.size()) == inner ? 1 : 2;
}

} // namespace zandor
