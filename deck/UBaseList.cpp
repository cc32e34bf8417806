#include "deck/UBaseList.h"

#include "core/UTextFile.h"

#include <algorithm>

namespace zandor {

namespace {

unsigned char foldAscii(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

// The trimmed name part of a base line, without copying it.
std::string_view baseName(std::string_view line) {
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return TrimView(line);
    const std::size_t start = std::min(line.size(), close + 3);
    return TrimView(line.substr(start));
}

} // namespace

std::string BaseLine(std::string_view edition, std::string_view name) {
    std::string line;
    line.reserve(edition.size() + name.size() + 5);
    line += '[';
    line += edition;
    line += "] - ";
    line += name;
    return line;
}

std::string BaseLine(const TZandorCard& card) {
    return BaseLine(card.Edition.str(), card.Name);
}

std::string BaseLineOf(std::string_view cardLine) {
    std::string_view fields[2];
    CardLineFields(cardLine, fields, 2);
    return BaseLine(fields[cfEdition].substr(0, EditionWidth), fields[cfName]);
}

TBaseLineParts SplitBaseLine(std::string_view line) {
    TBaseLineParts parts;
    const std::size_t close = line.find(']');
    if (close != std::string_view::npos) {
        const std::size_t start = !line.empty() && line.front() == '[' ? 1 : 0;
        if (close > start)
            parts.Edition = line.substr(start, close - start);
    }
    parts.Name = baseName(line);
    return parts;
}

std::string BaseCaption(std::size_t count) {
    return "  Base: " + std::to_string(count) + " cards selected  ";
}

void TFirstLetterList::Build(const std::vector<std::string>& baseLines) {
    m_entries.clear();
    m_first.fill(-1);
    bool first = true;
    char previous = '\0';
    for (std::size_t i = 0; i < baseLines.size(); ++i) {
        const std::string_view name = baseName(baseLines[i]);
        const char letter = name.empty() ? '\0' : name.front();
        if (first || letter != previous) {
            m_entries.push_back({letter, i});
            long long& slot = m_first[foldAscii(letter)];
            if (slot < 0)
                slot = static_cast<long long>(i);
        }
        first = false;
        previous = letter;
    }
}

long long TFirstLetterList::Find(char letter) const {
    if (m_entries.empty())
        return -1;
    return m_first[foldAscii(letter)];
}

TFindAsYouType FindAsYouType(const std::vector<std::string>& baseLines,
                             const TFirstLetterList& firstLetters, std::string_view typed) {
    TFindAsYouType result;
    std::string t(TrimView(typed));
    if (t.empty())
        return result;
    if (t[0] >= 'a' && t[0] <= 'z')
        t[0] = static_cast<char>(t[0] - 'a' + 'A');
    const long long start = firstLetters.Find(t[0]);
    if (start < 0)
        return result;
    result.LetterFound = true;
    for (std::size_t i = static_cast<std::size_t>(start); i < baseLines.size(); ++i) {
        const std::string_view line = baseLines[i];
        const std::size_t dash = line.find('-');
        const std::string_view name = dash == std::string_view::npos || dash + 2 > line.size()
                                          ? std::string_view()
                                          : line.substr(dash + 2);
        if (name.compare(t) >= 0) {
            result.Index = static_cast<long long>(i);
            break;
        }
    }
    return result;
}

long long FindBaseLine(const std::vector<std::string>& baseLines, std::string_view text) {
    for (std::size_t i = 0; i < baseLines.size(); ++i)
        if (SameText(baseLines[i], text))
            return static_cast<long long>(i);
    return -1;
}

std::vector<std::string> AllBaseLines(const TCardLines& cardLines) {
    std::vector<std::string> lines;
    lines.reserve(cardLines.size());
    for (std::string_view cardLine : cardLines)
        lines.push_back(BaseLineOf(cardLine));
    return lines;
}

std::vector<std::string> AllBaseLines(const std::vector<std::string>& cardLines) {
    std::vector<std::string> lines;
    lines.reserve(cardLines.size());
    for (const std::string& cardLine : cardLines)
        lines.push_back(BaseLineOf(cardLine));
    return lines;
}

std::optional<std::vector<std::string>> LoadTempBase(const TCardDatabase& db) {
    return ReadTextLines(db.DataDir + std::string(TempBaseFile));
}

TWriteResult SaveTempBase(const TCardDatabase& db, const std::vector<std::string>& lines) {
    return SaveDataFile(db, TempBaseFile, lines);
}

std::vector<std::string> InitialBaseList(const TCardDatabase& db) {
    if (auto saved = LoadTempBase(db))
        return std::move(*saved);
    return AllBaseLines(db.CardLines);
}

std::vector<std::string> TBaseList::TakeLines() {
    std::vector<std::string> lines = std::move(m_lines);
    SetLines({});
    return lines;
}

void TBaseList::SetLines(std::vector<std::string> lines) {
    m_lines = std::move(lines);
    m_firstLetters.Build(m_lines);
}

} // namespace zandor
