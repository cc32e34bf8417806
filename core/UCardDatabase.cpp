#include "core/UCardDatabase.h"

#include "core/URandom.h"
#include "core/UTextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace zandor {

namespace {

char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
unsigned char foldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c - 'A' + 'a');
    // The accented capitals of the Western code page fold onto their small letters.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 0x20);
    return c;
}

// Reads one data file; returns why it could not be read, or nothing.
std::optional<std::string> readList(TCardDatabase& db, std::string_view fileName,
                                    std::vector<std::string>& list) {
    const std::string path = db.DataDir + std::string(fileName);
    std::string reason;
    if (auto lines = ReadTextLines(path, &reason)) {
        list = std::move(*lines);
        return std::nullopt;
    }
    db.MissingFiles.push_back(std::string(fileName));
    return reason;
}

// A card line holds its name and at least one TAB; a file of none is no card list.
bool holdsCardLines(const TCardLines& lines) {
    for (const std::string_view line : lines) {
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos && tab > 0)
            return true;
    }
    return lines.empty();
}

// Checks the data folder and the settings file before they are read: what is wrong with
// either is said once, by name and with the system's reason.
bool checkDataFolder(TCardDatabase& db) {
    const std::string folder = db.DataDir.size() > 1 && db.DataDir.back() == PathSeparator()
                                   ? db.DataDir.substr(0, db.DataDir.size() - 1)
                                   : db.DataDir;
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) {
        db.BaseProblems.push_back("cannot read the data folder \"" + folder +
                                  "\": " + std::strerror(errno));
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        db.BaseProblems.push_back("cannot read the data folder \"" + folder +
                                  "\": it is not a folder");
        return false;
    }
    if (::access(folder.c_str(), R_OK | X_OK) != 0) {
        db.BaseProblems.push_back("cannot read the data folder \"" + folder +
                                  "\": " + std::strerror(errno));
        return false;
    }
    const std::string settings = db.DataDir + std::string(SettingsFile);
    std::string contents, reason;
    if (!ReadWholeFile(settings, contents, &reason))
        db.BaseProblems.push_back(CannotReadMessage(settings, reason));
    return true;
}

// The line holds the name and its TAB; does its edition field match?
bool editionMatches(std::string_view line, std::size_t nameSize, std::string_view edition) {
    if (edition.empty())
        return true;
    std::string_view rest = line.substr(nameSize + 1);
    const std::size_t tab = rest.find('\t');
    return tab != std::string_view::npos &&
           rest.substr(0, std::min<std::size_t>(tab, 3)) == edition;
}

} // namespace

void TNameIndex::Clear() {
    m_lines.clear();
    m_first.clear();
}

void TNameIndex::Append(std::string_view key, std::size_t line) {
    m_lines.push_back(std::string(key) + "=" + std::to_string(line));
    m_first.try_emplace(NameKey(key), line);
}

long long TNameIndex::Find(std::string_view key) const {
    const auto found = m_first.find(NameKey(key));
    return found == m_first.end() ? -1 : static_cast<long long>(found->second);
}

std::string NameKey(std::string_view text) {
    std::string key;
    for (std::size_t i = 0; i < text.size() && i < 2 && text[i] != '\t'; ++i)
        key += upperAscii(text[i]);
    return key;
}

namespace {

template <class TLines> void buildNameIndex(TNameIndex& index, const TLines& cardLines) {
    index.Clear();
    if (cardLines.empty())
        return;
    std::string previous = NameKey(cardLines[0]);
    index.Append(previous, 0);
    for (std::size_t n = 1; n < cardLines.size(); ++n) {
        std::string key = NameKey(cardLines[n]);
        if (key != previous) {
            index.Append(key, n);
            previous = std::move(key);
        }
    }
}

template <class TLines>
long long findByWalk(const TNameIndex& index, const TLines& cardLines, std::string_view name,
                     std::string_view edition) {
    if (name.empty() || name.find('\t') != std::string_view::npos)
        return -1; // no stored name is empty or holds a TAB
    const long long start = index.Find(NameKey(name));
    if (start < 0)
        return -1;
    const char first = name[0];
    for (std::size_t n = static_cast<std::size_t>(start); n < cardLines.size(); ++n) {
        const std::string_view line = cardLines[n];
        // A line matches when it begins with the name and its TAB; only then is the
        // edition field looked at, so most lines cost one comparison.
        if (line.size() > name.size() && line[name.size()] == '\t' &&
            std::memcmp(line.data(), name.data(), name.size()) == 0) {
            if (editionMatches(line, name.size(), edition))
                return static_cast<long long>(n);
        }
        // The scan ends with the block of names that share the first character. A line
        // without a TAB has an empty name and ends it too.
        const std::size_t tab = line.find('\t');
        if (tab == 0 || tab == std::string_view::npos || line[0] != first)
            break;
    }
    return -1;
}

} // namespace

void BuildNameIndex(TNameIndex& index, const TCardLines& cardLines) {
    buildNameIndex(index, cardLines);
}

void BuildNameIndex(TNameIndex& index, const std::vector<std::string>& cardLines) {
    buildNameIndex(index, cardLines);
}

long long FindCardLineByWalk(const TNameIndex& index, const TCardLines& cardLines,
                             std::string_view name, std::string_view edition) {
    return findByWalk(index, cardLines, name, edition);
}

long long FindCardLineByWalk(const TNameIndex& index, const std::vector<std::string>& cardLines,
                             std::string_view name, std::string_view edition) {
    return findByWalk(index, cardLines, name, edition);
}

long long FindCardLine(const TNameIndex& index, const TCardLines& cardLines, std::string_view name,
                       std::string_view edition) {
    if (name.empty())
        return -1;
    if (!cardLines.PreferTable())
        return findByWalk(index, cardLines, name, edition);
    return FindCardLineByTable(index, cardLines, name, edition);
}

long long FindCardLineByTable(const TNameIndex& index, const TCardLines& cardLines,
                              std::string_view name, std::string_view edition) {
    if (name.empty())
        return -1;
    const long long start = index.Find(NameKey(name));
    if (start < 0)
        return -1;
    return cardLines.FirstReachable(
        static_cast<std::size_t>(start), name,
        [&](std::string_view line) { return editionMatches(line, name.size(), edition); });
}

TZandorCard FindCard(const TNameIndex& index, const TCardLines& cardLines, std::string_view name,
                     std::string_view edition) {
    const long long line = FindCardLine(index, cardLines, name, edition);
    if (line < 0) {
        TZandorCard missing;
        missing.Name = NotFoundName;
        return missing;
    }
    return ParseCardLine(cardLines[static_cast<std::size_t>(line)]);
}

TZandorCard FindCard(const TCardDatabase& db, std::string_view name, std::string_view edition) {
    return FindCard(db.NameIndex, db.CardLines, name, edition);
}

bool IsNotFound(const TZandorCard& card) {
    return card.Name == NotFoundName;
}

std::string CardProgram(const std::vector<std::string>& programLines, std::string_view name) {
    for (const std::string& line : programLines) {
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos && SameText(std::string_view(line).substr(0, eq), name))
            return line.substr(eq + 1);
    }
    return {};
}

std::string PlainCardText(std::string_view text) {
    std::string out;
    if (TrimView(text).empty())
        return out;
    out.reserve(text.size() + text.size() / 25);
    int col = 1;
    bool wrap = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool blankFollows = i + 1 < text.size() && text[i + 1] == ' ';
        if (c == '|') {
            if (col > 1)
                out += "\n\r";
            col = 1;
            ++i; // the character after the bar goes too
        } else if (c == '\\' || c == '^' || c == '%' || (c == '/' && blankFollows)) {
            ++i;
        } else if (c == '<' || c == '>') {
        } else {
            if (col > 50)
                wrap = true;
            if (wrap && c == ' ') {
                out += "\n\r";
                wrap = false;
                col = 1;
            } else {
                out += c;
                ++col;
            }
        }
    }
    return out;
}

bool CardLineLess(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = foldCase(static_cast<unsigned char>(a[i]));
        const unsigned char y = foldCase(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

void SortCardLines(std::vector<std::string>& lines) {
    std::stable_sort(lines.begin(), lines.end(),
                     [](const std::string& a, const std::string& b) { return CardLineLess(a, b); });
}

void LoadCardDatabase(TCardDatabase& db, const std::string& programDir,
                      const std::string& dataDir) {
    db.ProgramDir = programDir;
    db.DataDir = IncludeTrailingSeparator(dataDir);
    db.Settings.Open(db.DataDir + std::string(SettingsFile));
    db.PicDir = db.Settings.ReadString(ini::Location, ini::Pic, "");
    db.CardLines.clear();
    db.RuleLines.clear();
    db.ProgramLines.clear();
    db.MissingFiles.clear();
    db.BaseProblems.clear();
    const bool folderReadable = checkDataFolder(db);
    // The card list is the big one: its file is mapped once and its lines point into it.
    const std::string cardListPath = db.DataDir + std::string(CardListFile);
    std::string cardListProblem;
    if (!db.CardLines.LoadFile(cardListPath, &cardListProblem)) {
        db.MissingFiles.push_back(std::string(CardListFile));
        if (folderReadable)
            db.BaseProblems.push_back(CannotReadMessage(cardListPath, cardListProblem));
    } else if (!holdsCardLines(db.CardLines)) {
        db.BaseProblems.push_back("\"" + cardListPath +
                                  "\" holds no card line; it is not a card list");
        db.CardLines.clear();
    }
    readList(db, RuleFile, db.RuleLines);
    readList(db, ProgramFile, db.ProgramLines);
    BuildNameIndex(db.NameIndex, db.CardLines);
    db.ProgramOptions = LoadOptions(db.Settings);
    db.DeckDir = programDir;
    db.TableDragFrame = db.Settings.ReadBool(ini::Ramka, ini::Key, false);
    db.PlayOrigin = "Main";
    RandomizeFromClock();
}

std::string BaseProblemText(const TCardDatabase& db) {
    std::string text;
    for (const std::string& problem : db.BaseProblems) {
        if (!text.empty())
            text += "\n";
        text += problem;
    }
    return text;
}

void FreeCardDatabase(TCardDatabase& db) {
    db.CardLines.clear();
    db.ProgramLines.clear();
    db.Settings = TIniFile();
    db.RuleLines.clear();
    db.NameIndex.Clear();
    db.DataDir.clear();
    db.PicDir.clear();
}

TWriteResult SaveDataFile(const TCardDatabase& db, std::string_view fileName,
                          const std::vector<std::string>& lines) {
    return WriteTextLines(db.DataDir + std::string(fileName), lines);
}

TWriteResult SaveDataFile(const TCardDatabase& db, std::string_view fileName,
                          const TCardLines& lines) {
    std::size_t length = 0;
    for (std::string_view line : lines)
        length += line.size() + 2;
    std::string text;
    text.reserve(length);
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    // Written to a new file renamed over the old one: the text the list was read from
    // stays as it was for as long as the list points into it.
    return CurrentFileWriter().WriteFile(db.DataDir + std::string(fileName), text);
}

} // namespace zandor
