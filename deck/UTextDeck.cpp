#include "deck/UTextDeck.h"

#include "core/UCodePage.h"
#include "core/USettings.h"
#include "deck/UBaseList.h"
#include "deck/UDeckList.h"

#include <array>
#include <map>
#include <unordered_map>
#include <unordered_set>

namespace zandor {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isX(char c) {
    return c == 'x' || c == 'X';
}

bool startsWithText(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

bool isSideboardHeading(std::string_view text) {
    return SameText(text, "Sideboard") || SameText(text, "Sideboard:");
}

// A count of at most six digits; false for anything longer or below 1.
bool readCount(std::string_view digits, long long& count) {
    if (digits.empty() || digits.size() > 6)
        return false;
    long long value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    if (value < 1 || value > MaxTextDeckCount)
        return false;
    count = value;
    return true;
}

// The line in the data files' code page, with tabs and no-break spaces as plain blanks.
std::string normalisedLine(std::string_view line) {
    if (line.substr(0, 3) == "\xEF\xBB\xBF")
        line.remove_prefix(3);
    std::string text;
    if (const auto converted = Utf8ToCp1252(line))
        text = *converted;
    else
        text = std::string(line);
    for (char& c : text)
        if (c == '\t' || c == '\xA0')
            c = ' ';
    return text;
}

char lowerCp1252(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z')
        return static_cast<char>(b + 32);
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7)
        return static_cast<char>(b + 32);
    switch (b) {
    case 0x8A:
    case 0x8C:
    case 0x8E:
        return static_cast<char>(b + 16);
    case 0x9F:
        return '\xFF';
    case 0x92: // a typographic apostrophe, as web pages write one
        return '\'';
    default:
        return c;
    }
}

// Splits "text (CODE)" or "text (CODE) 123"; false when the text does not end so.
bool bracketedEdition(std::string_view text, std::string_view& name, std::string& edition) {
    std::string_view rest = trimBlanks(text);
    if (!rest.empty() && rest.back() != ')') {
        // A collector number after the edition.
        const std::size_t blank = rest.find_last_of(' ');
        if (blank == std::string_view::npos)
            return false;
        const std::string_view before = trimBlanks(rest.substr(0, blank));
        if (before.empty() || before.back() != ')')
            return false;
        rest = before;
    }
    if (rest.empty())
        return false;
    const std::size_t open = rest.rfind('(');
    if (open == std::string_view::npos)
        return false;
    const std::string_view code = trimBlanks(rest.substr(open + 1, rest.size() - open - 2));
    if (code.empty() || code.size() > 8 || code.find(' ') != std::string_view::npos)
        return false;
    name = trimBlanks(rest.substr(0, open));
    edition = std::string(code);
    return true;
}

struct TBaseCard {
    std::string Name;                  // as the base writes it (a split card without its half)
    std::vector<std::string> Editions; // in the order of the card list
};

using TBaseCards = std::unordered_map<std::string, TBaseCard>;

void nameKeyInto(std::string_view name, std::string& key) {
    key.clear();
    bool blank = false;
    for (const char c : trimBlanks(name)) {
        if (isBlank(c)) {
            blank = true;
            continue;
        }
        if (c == '/') {
            // "Left // Right" and "Left / Right" are "Left/Right".
            if (key.empty() || key.back() != '/')
                key += '/';
            blank = false;
            continue;
        }
        if (blank && !key.empty() && key.back() != '/')
            key += ' ';
        blank = false;
        key += lowerCp1252(c);
    }
}

// The cards of the base whose name keys are wanted, in one pass over the card list.
TBaseCards baseCards(const TCardDatabase& db, const std::unordered_set<std::string>& wanted) {
    TBaseCards cards;
    std::string key;
    for (std::size_t i = 0; i < db.CardLines.size(); ++i) {
        const std::string_view line = db.CardLines[i];
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos)
            continue;
        const std::string_view rawName = line.substr(0, tab);
        // A split half stands for its whole card.
        const bool half = rawName.find('/') != std::string_view::npos &&
                          rawName.find('(') != std::string_view::npos;
        const std::string whole = half ? DeckCardPart(rawName) : std::string();
        nameKeyInto(half ? std::string_view(whole) : rawName, key);
        if (wanted.find(key) == wanted.end())
            continue;
        const std::size_t tab2 = line.find('\t', tab + 1);
        const std::string edition(TrimView(line.substr(
            tab + 1, tab2 == std::string_view::npos ? std::string_view::npos : tab2 - tab - 1)));
        TBaseCard& card = cards[key];
        if (card.Name.empty())
            card.Name = half ? whole : std::string(rawName);
        bool known = false;
        for (const std::string& e : card.Editions)
            known = known || e == edition;
        if (!known)
            card.Editions.push_back(edition);
    }
    return cards;
}

// The names a card line may mean, with the edition that goes with each: the name as read;
// with the brackets at its end, which may be part of the name; and, after a lone "x", with
// that word in front.
std::array<std::pair<std::string, std::string>, 4> nameTries(const TTextDeckLine& parsed) {
    const std::string x = parsed.SeparateX ? "x " : "";
    return {{{parsed.Name, parsed.Edition},
             {parsed.NameAsWritten, ""},
             {x + parsed.Name, parsed.Edition},
             {x + parsed.NameAsWritten, ""}}};
}

bool isCommentLine(std::string_view text) {
    return text.substr(0, 2) == "//" || (!text.empty() && text.front() == '#');
}

// The edition given when the card is in it, else the first of the catalogue holding it,
// else the first the card list holds it in.
std::string chooseEdition(const TBaseCard& card, const std::string& given,
                          const std::vector<std::string>& catalogue) {
    if (!given.empty())
        for (const std::string& e : card.Editions)
            if (SameText(e, given))
                return e;
    for (const std::string& code : catalogue)
        for (const std::string& e : card.Editions)
            if (SameText(e, TrimView(code)))
                return e;
    return card.Editions.front();
}

std::string exportName(std::string_view name) {
    std::string out;
    for (const char c : name) {
        if (c == '/')
            out += " // ";
        else
            out += c;
    }
    return out;
}

} // namespace

std::string CardNameKey(std::string_view name) {
    std::string key;
    key.reserve(name.size());
    nameKeyInto(name, key);
    return key;
}

bool ParseTextDeckLine(std::string_view line, TTextDeckLine& parsed) {
    parsed = {};
    std::string_view text = trimBlanks(line);
    if (startsWithText(text, "SB:")) {
        parsed.Sideboard = true;
        text = trimBlanks(text.substr(3));
    }
    // "4 Name", "4x Name", "4 x Name".
    std::size_t digits = 0;
    while (digits < text.size() && isDigit(text[digits]))
        ++digits;
    bool counted = false;
    if (digits > 0) {
        std::size_t at = digits;
        if (at < text.size() && isX(text[at]) && (at + 1 == text.size() || isBlank(text[at + 1])))
            ++at;
        if (at == text.size() || isBlank(text[at])) {
            if (!readCount(text.substr(0, digits), parsed.Count))
                return false;
            text = trimBlanks(text.substr(at));
            if (at == digits && text.size() > 1 && isX(text[0]) && isBlank(text[1])) {
                text = trimBlanks(text.substr(1));
                parsed.SeparateX = true;
            }
            counted = true;
        }
    }
    // "Name x4".
    if (!counted) {
        std::size_t end = text.size();
        while (end > 0 && isDigit(text[end - 1]))
            --end;
        if (end < text.size() && end >= 2 && isX(text[end - 1]) && isBlank(text[end - 2])) {
            if (!readCount(text.substr(end), parsed.Count))
                return false;
            text = trimBlanks(text.substr(0, end - 2));
        }
    }
    // "[CODE] Name", and the base list's own "[CODE] - Name".
    if (!text.empty() && text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close != std::string_view::npos) {
            parsed.Edition = std::string(trimBlanks(text.substr(1, close - 1)));
            text = trimBlanks(text.substr(close + 1));
            if (!text.empty() && text.front() == '-')
                text = trimBlanks(text.substr(1));
        }
    }
    parsed.NameAsWritten = std::string(text);
    std::string_view name = text;
    std::string edition;
    if (parsed.Edition.empty() && bracketedEdition(text, name, edition))
        parsed.Edition = edition;
    parsed.Name = std::string(name);
    return !parsed.Name.empty();
}

TTextDeckImport ImportTextDeck(const std::vector<std::string>& textLines, const TCardDatabase& db) {
    TTextDeckImport result;
    const std::vector<std::string> catalogue = db.Settings.ReadSection(ini::Edition);
    // The line of each card part in each half of the deck, so that a card listed twice
    // gets one line with the counts added.
    std::map<std::pair<bool, std::string>, std::size_t> placed;
    std::vector<long long> counts;
    std::vector<int> kinds; // 0 comment, 1 main, 2 sideboard
    std::vector<std::string> parts;
    // A text that marks its sideboard itself (a "Sideboard" line or "SB:" lines) uses its
    // empty lines only to part its sections; in any other text the first empty line after a
    // card line is where the sideboard starts.
    // The card list is read once, for the names the text may mean.
    bool marked = false;
    std::unordered_set<std::string> wanted;
    for (const std::string& raw : textLines) {
        const std::string line = normalisedLine(raw);
        const std::string_view text = trimBlanks(line);
        marked = marked || isSideboardHeading(text) || startsWithText(text, "SB:");
        TTextDeckLine parsed;
        if (text.empty() || isCommentLine(text) || isSideboardHeading(text) ||
            !ParseTextDeckLine(text, parsed))
            continue;
        for (const auto& [name, given] : nameTries(parsed))
            wanted.insert(CardNameKey(name));
    }
    const TBaseCards cards = baseCards(db, wanted);
    bool sideboard = false;
    bool cardSeen = false;
    for (std::size_t n = 0; n < textLines.size(); ++n) {
        const std::string line = normalisedLine(textLines[n]);
        const std::string_view text = trimBlanks(line);
        const auto problem = [&](std::string reason) {
            result.Problems.push_back({n + 1, textLines[n], std::move(reason)});
        };
        if (text.empty()) {
            sideboard = sideboard || (cardSeen && !marked);
            continue;
        }
        if (isCommentLine(text)) {
            const std::string_view comment = trimBlanks(text.substr(text.front() == '#' ? 1 : 2));
            if (!comment.empty()) {
                kinds.push_back(0);
                counts.push_back(0);
                parts.push_back(CommentLine(comment));
            }
            continue;
        }
        if (isSideboardHeading(text)) {
            sideboard = true;
            continue;
        }
        TTextDeckLine parsed;
        if (!ParseTextDeckLine(text, parsed)) {
            problem("not a card line");
            continue;
        }
        cardSeen = true;
        auto found = cards.end();
        std::string edition;
        for (const auto& [name, given] : nameTries(parsed)) {
            found = cards.find(CardNameKey(name));
            edition = given;
            if (found != cards.end())
                break;
        }
        if (found == cards.end()) {
            problem("no card of that name in the base");
            continue;
        }
        const TBaseCard& card = found->second;
        const bool toSideboard = sideboard || parsed.Sideboard;
        const std::string part = BaseLine(chooseEdition(card, edition, catalogue), card.Name);
        const auto [at, fresh] = placed.try_emplace({toSideboard, part}, parts.size());
        if (fresh) {
            kinds.push_back(toSideboard ? 2 : 1);
            counts.push_back(parsed.Count);
            parts.push_back(part);
        } else if (counts[at->second] + parsed.Count > MaxTextDeckCount) {
            // One line holds at most as many copies as a line of text may name, so that the
            // deck written out as text reads back the same.
            problem("more than " + std::to_string(MaxTextDeckCount) + " copies of the card");
        } else {
            counts[at->second] += parsed.Count;
        }
    }
    result.Lines.reserve(parts.size());
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (kinds[i] == 0)
            result.Lines.push_back(parts[i]);
        else if (kinds[i] == 1)
            result.Lines.push_back(MainDeckLine(counts[i], parts[i]));
        else
            result.Lines.push_back(SideboardLine(counts[i], parts[i]));
    }
    return result;
}

TTextDeckExport ExportTextDeck(const std::vector<std::string>& deckLines) {
    TTextDeckExport result;
    std::vector<std::string> main, side, comments;
    for (const std::string& line : deckLines) {
        if (TrimView(line).empty())
            continue;
        if (DeckLineKind(line) == TDeckLineKind::Comment) {
            comments.push_back(line.substr(0, 2) == "//" ? line : "/" + line);
            continue;
        }
        TDeckEntry entry;
        if (!ParseDeckLine(line, entry).Ok || entry.Count < 1) {
            result.Unreadable.push_back(line);
            continue;
        }
        const TBaseLineParts card = SplitBaseLine(entry.CardPart);
        std::string text = std::to_string(entry.Count) + " " + exportName(card.Name);
        if (!card.Edition.empty())
            text += " (" + card.Edition + ")";
        // Comments go with the card that follows them.
        std::vector<std::string>& block = entry.Kind == TDeckLineKind::Sideboard ? side : main;
        block.insert(block.end(), comments.begin(), comments.end());
        comments.clear();
        block.push_back(std::move(text));
    }
    (side.empty() ? main : side)
        .insert((side.empty() ? main : side).end(), comments.begin(), comments.end());
    result.Lines = std::move(main);
    if (!side.empty()) {
        result.Lines.push_back("");
        result.Lines.push_back("Sideboard");
        result.Lines.insert(result.Lines.end(), side.begin(), side.end());
    }
    return result;
}

} // namespace zandor
