#include "deck/UDeckList.h"

#include "deck/UBaseList.h"

#include <charconv>
#include <climits>

namespace zandor {

namespace {

struct TLineParts {
    std::string_view Count;
    std::string_view CardPart;
};

// A main-deck line is blanks, the count, one blank and the card part; a sideboard line
// is "SB:" followed by the same.
TLineParts lineParts(std::string_view line) {
    if (DeckLineKind(line) == TDeckLineKind::Sideboard)
        line.remove_prefix(std::min<std::size_t>(3, line.size()));
    const std::size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return {};
    line.remove_prefix(start);
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos)
        return {line, {}};
    return {line.substr(0, blank), line.substr(blank + 1)};
}

bool parseCount(std::string_view text, long long& count) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return false;
    count = value;
    return true;
}

TDeckResult badCount(std::string_view line, std::string_view count) {
    TDeckResult result;
    result.Ok = false;
    result.BadLine = std::string(line);
    result.Message = "'" + std::string(count) + "' is not a valid integer value";
    return result;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

TDeckLineKind DeckLineKind(std::string_view line) {
    if (!line.empty() && line.front() == '/')
        return TDeckLineKind::Comment;
    if (!line.empty() && line.front() == 'S')
        return TDeckLineKind::Sideboard;
    return TDeckLineKind::Main;
}

TDeckResult ParseDeckLine(std::string_view line, TDeckEntry& entry) {
    entry.Kind = DeckLineKind(line);
    if (entry.Kind == TDeckLineKind::Comment)
        return badCount(line, line);
    const TLineParts parts = lineParts(line);
    if (!parseCount(parts.Count, entry.Count))
        return badCount(line, parts.Count);
    entry.CardPart = std::string(parts.CardPart);
    return {};
}

std::string_view DeckLineCardPart(std::string_view line) {
    return lineParts(line).CardPart;
}

std::string MainDeckLine(long long count, std::string_view cardPart) {
    return "    " + std::to_string(count) + " " + std::string(cardPart);
}

std::string SideboardLine(long long count, std::string_view cardPart) {
    return "SB: " + std::to_string(count) + " " + std::string(cardPart);
}

std::string CommentLine(std::string_view text) {
    return "// " + std::string(text);
}

std::string DeckCardPart(std::string_view baseLine) {
    // Only a split half, which carries its half in brackets, is cut; a name with "/" but
    // no bracket is added as it stands.
    if (baseLine.find('/') != std::string_view::npos &&
        baseLine.find('(') != std::string_view::npos)
        return SplitBaseName(baseLine);
    return std::string(baseLine);
}

void TDeckList::SetLines(std::vector<std::string> lines) {
    m_lines = std::move(lines);
    m_selected = -1;
}

void TDeckList::Select(int index) {
    m_selected = index >= 0 && static_cast<std::size_t>(index) < m_lines.size() ? index : -1;
}

TDeckResult TDeckList::add(std::string_view baseLine, TDeckLineKind kind) {
    const std::string part = DeckCardPart(baseLine);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const std::string& line = m_lines[i];
        if (DeckLineKind(line) != kind || DeckLineCardPart(line) != part)
            continue;
        TDeckEntry entry;
        const TDeckResult parsed = ParseDeckLine(line, entry);
        if (!parsed.Ok)
            return parsed;
        const long long count = entry.Count + 1;
        m_lines[i] =
            kind == TDeckLineKind::Main ? MainDeckLine(count, part) : SideboardLine(count, part);
        m_selected = static_cast<int>(i);
        return {};
    }
    m_lines.push_back(kind == TDeckLineKind::Main ? MainDeckLine(1, part) : SideboardLine(1, part));
    m_selected = static_cast<int>(m_lines.size() - 1);
    return {};
}

TDeckResult TDeckList::AddCard(std::string_view baseLine) {
    return add(baseLine, TDeckLineKind::Main);
}

TDeckResult TDeckList::AddSideboardCard(std::string_view baseLine) {
    return add(baseLine, TDeckLineKind::Sideboard);
}

TDeckResult TDeckList::DeleteCard() {
    if (m_selected < 0)
        return {};
    const std::size_t i = static_cast<std::size_t>(m_selected);
    const std::string line = m_lines[i];
    bool remove = DeckLineKind(line) == TDeckLineKind::Comment;
    TDeckEntry entry;
    if (!remove) {
        const TDeckResult parsed = ParseDeckLine(line, entry);
        if (!parsed.Ok)
            return parsed;
        remove = entry.Count <= 1;
    }
    if (remove) {
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(i));
        if (m_lines.empty())
            m_selected = -1;
        else
            m_selected = i == 0 ? 0 : static_cast<int>(i - 1);
        return {};
    }
    m_lines[i] = entry.Kind == TDeckLineKind::Main ? MainDeckLine(entry.Count - 1, entry.CardPart)
                                                   : SideboardLine(entry.Count - 1, entry.CardPart);
    return {};
}

bool TDeckList::InsertComment(std::string_view text) {
    if (TrimView(text).empty())
        return false;
    const std::size_t at = m_selected < 0 ? m_lines.size() : static_cast<std::size_t>(m_selected);
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), CommentLine(text));
    m_selected = static_cast<int>(at);
    return true;
}

bool TDeckList::MoveUp() {
    if (m_selected <= 0)
        return false;
    std::swap(m_lines[static_cast<std::size_t>(m_selected)],
              m_lines[static_cast<std::size_t>(m_selected - 1)]);
    --m_selected;
    return true;
}

bool TDeckList::MoveDown() {
    if (m_selected < 0 || static_cast<std::size_t>(m_selected) + 1 >= m_lines.size())
        return false;
    std::swap(m_lines[static_cast<std::size_t>(m_selected)],
              m_lines[static_cast<std::size_t>(m_selected + 1)]);
    ++m_selected;
    return true;
}

void TDeckList::New() {
    m_lines.clear();
    m_selected = -1;
    m_deckName.clear();
}

TCountResult CountDeck(const std::vector<std::string>& lines, const TCardDatabase& db) {
    TCountResult result;
    TDeckCounts& counts = result.Counts;
    for (const std::string& line : lines) {
        // Blank lines of a hand-edited file hold no card and count nothing.
        if (DeckLineKind(line) == TDeckLineKind::Comment || TrimView(line).empty())
            continue;
        TDeckEntry entry;
        const TDeckResult parsed = ParseDeckLine(line, entry);
        if (!parsed.Ok) {
            if (result.Error.Ok)
                result.Error = parsed;
            continue;
        }
        if (entry.Kind == TDeckLineKind::Sideboard) {
            counts.SB += entry.Count;
            continue;
        }
        counts.Deck += entry.Count;
        const TBaseLineParts card = SplitBaseLine(entry.CardPart);
        if (card.Name.find('/') != std::string::npos) {
            counts.Spells += entry.Count;
            continue;
        }
        const std::string type = FindCard(db, card.Name, card.Edition).CardType;
        if (startsWith(type, "Creature") || startsWith(type, "Smn ") || startsWith(type, "Summon "))
            counts.Creature += entry.Count;
        else if (startsWith(type, "Land") || startsWith(type, "Legendary Land"))
            counts.Land += entry.Count;
        else
            counts.Spells += entry.Count;
    }
    return result;
}

std::string CounterText(long long count) {
    return std::to_string(count) + " cards";
}

} // namespace zandor
