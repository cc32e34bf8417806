// The base list of the deck editor: its lines ("[" + edition + "] - " + name), the
// first-letter list that find-as-you-type starts from, the group caption, and the copy
// of the list kept in "tempbase.dat" between runs.
#pragma once

#include "core/UCardDatabase.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zandor {

std::string BaseLine(std::string_view edition, std::string_view name);
std::string BaseLine(const TZandorCard& card);

struct TBaseLineParts {
    std::string Edition;
    std::string Name;
};

// The edition is the text between the leading "[" and the first "]"; the name follows the
// "]", a blank and a "-", trimmed. A line without "]" has no edition and is all name.
TBaseLineParts SplitBaseLine(std::string_view line);

// The text the group frame around the list shows.
std::string BaseCaption(std::size_t count);

// The first index of every run of base lines whose names begin with the same character.
class TFirstLetterList {
public:
    struct TEntry {
        char Letter;
        std::size_t Index;
    };
    void Build(const std::vector<std::string>& baseLines);
    const std::vector<TEntry>& Entries() const { return m_entries; }
    // The index of the first entry for the letter, letter case ignored, or -1.
    long long Find(char letter) const;

private:
    std::vector<TEntry> m_entries;
    std::array<long long, 256> m_first{};
};

struct TFindAsYouType {
    // The typed letter begins a run of names: the window restarts its find timer.
    bool LetterFound = false;
    // The line to make the top line and select, or -1.
    long long Index = -1;
};

// The first line at or after the typed name, searching from the first name that begins
// with the typed first letter (upper-cased); the name part compares byte by byte.
TFindAsYouType FindAsYouType(const std::vector<std::string>& baseLines,
                             const TFirstLetterList& firstLetters, std::string_view typed);

// The index of the line equal to text without regard to letter case, or -1.
long long FindBaseLine(const std::vector<std::string>& baseLines, std::string_view text);

// The base line of every card line, in list order.
// The base line of a raw card line, read without building its record.
std::string BaseLineOf(std::string_view cardLine);
std::vector<std::string> AllBaseLines(const TCardLines& cardLines);
std::vector<std::string> AllBaseLines(const std::vector<std::string>& cardLines);
// "tempbase.dat" of the data folder, or nothing when it cannot be read.
std::optional<std::vector<std::string>> LoadTempBase(const TCardDatabase& db);
TWriteResult SaveTempBase(const TCardDatabase& db, const std::vector<std::string>& lines);
// The list the deck editor opens with: the last saved list, or the whole base.
std::vector<std::string> InitialBaseList(const TCardDatabase& db);

// The list with its first-letter list kept beside it, so that every refill rebuilds it.
class TBaseList {
public:
    const std::vector<std::string>& Lines() const { return m_lines; }
    const TFirstLetterList& FirstLetters() const { return m_firstLetters; }
    std::size_t size() const { return m_lines.size(); }
    bool empty() const { return m_lines.empty(); }
    const std::string& operator[](std::size_t i) const { return m_lines[i]; }

    void SetLines(std::vector<std::string> lines);
    // Hands the lines over and leaves the list empty.
    std::vector<std::string> TakeLines();
    std::string Caption() const { return BaseCaption(m_lines.size()); }
    TFindAsYouType Find(std::string_view typed) const {
        return FindAsYouType(m_lines, m_firstLetters, typed);
    }
    long long IndexOf(std::string_view text) const { return FindBaseLine(m_lines, text); }

private:
    std::vector<std::string> m_lines;
    TFirstLetterList m_firstLetters;
};

} // namespace zandor
