// The card database held in memory for the whole run: the card list, rulings and card
// programs as raw lines, the settings file, the two-letter name index and the one card
// lookup every subsystem uses.
#pragma once

#include "core/UCard.h"
#include "core/UCardLines.h"
#include "core/UIniFile.h"
#include "core/USettings.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zandor {

inline constexpr std::string_view CardListFile = "cardlist.dat";
inline constexpr std::string_view RuleFile = "rulecards.dat";
inline constexpr std::string_view ProgramFile = "programm.dat";
inline constexpr std::string_view SettingsFile = "Zandor.ini";
inline constexpr std::string_view TempBaseFile = "tempbase.dat";

// One entry "key=line" per run of card lines sharing their two-letter key, in list
// order. A hash of the first entry of every key sits beside the text so that a lookup
// costs one probe instead of a walk over all entries.
class TNameIndex {
public:
    const std::vector<std::string>& Lines() const { return m_lines; }
    std::size_t size() const { return m_lines.size(); }
    bool empty() const { return m_lines.empty(); }
    void Clear();
    void Append(std::string_view key, std::size_t line);
    // The line number of the first entry whose key equals key without regard to case,
    // or -1.
    long long Find(std::string_view key) const;

private:
    std::vector<std::string> m_lines;
    std::unordered_map<std::string, std::size_t> m_first;
};

struct TCardDatabase {
    std::string ProgramDir; // the program's folder, without a trailing separator
    std::string DataDir;    // ends with a separator; file names are appended directly
    TIniFile Settings;
    std::string PicDir;
    TCardLines CardLines;
    std::vector<std::string> RuleLines;
    std::vector<std::string> ProgramLines;
    TNameIndex NameIndex;
    TProgramOptions ProgramOptions;
    std::string DeckDir;
    std::string PlayOrigin = "Main";
    bool TableDragFrame = false;
    // Data files that could not be read at start, for the shell to mention.
    std::vector<std::string> MissingFiles;
    // What keeps the card base from loading: the data folder, "cardlist.dat" or "Zandor.ini"
    // missing, unreadable, a folder, no regular file, or a card list without a card line.
    // One message per problem, naming the file and the reason; empty when the base is sound.
    std::vector<std::string> BaseProblems;
};

// Loads everything from dataDir (with or without a trailing separator). Each of the three
// data files is read on its own: a missing one leaves only its own list empty.
void LoadCardDatabase(TCardDatabase& db, const std::string& programDir, const std::string& dataDir);
// The base problems as one text, one per line, for a message box or standard error.
std::string BaseProblemText(const TCardDatabase& db);
// Empties the lists and forgets the folders, at shutdown.
void FreeCardDatabase(TCardDatabase& db);

// The two-letter key of a card line: its first two characters, plain-ASCII upper-cased.
// A one-letter name gives a one-letter key, so that such a card can still be found.
std::string NameKey(std::string_view text);
void BuildNameIndex(TNameIndex& index, const TCardLines& cardLines);
void BuildNameIndex(TNameIndex& index, const std::vector<std::string>& cardLines);

// Finds the card by exact name and, when edition is not empty, exact edition. A miss gives
// a record named "XNOCARD" with every other field empty.
TZandorCard FindCard(const TCardDatabase& db, std::string_view name, std::string_view edition);
TZandorCard FindCard(const TNameIndex& index, const TCardLines& cardLines, std::string_view name,
                     std::string_view edition);
// Index of the matching line, or -1. The lookup starts at the name's index entry and walks
// forward until the first line whose name begins with another character; after a few
// lookups the card list keeps a table that gives the walk's answer without walking.
long long FindCardLine(const TNameIndex& index, const TCardLines& cardLines, std::string_view name,
                       std::string_view edition);
// The same lookup always answered from the card list's table.
long long FindCardLineByTable(const TNameIndex& index, const TCardLines& cardLines,
                              std::string_view name, std::string_view edition);
// The same lookup done by the walk itself, line by line.
long long FindCardLineByWalk(const TNameIndex& index, const TCardLines& cardLines,
                             std::string_view name, std::string_view edition);
long long FindCardLineByWalk(const TNameIndex& index, const std::vector<std::string>& cardLines,
                             std::string_view name, std::string_view edition);
bool IsNotFound(const TZandorCard& card);

// The program of a card from "programm.dat" (name=program, name compared without case).
std::string CardProgram(const std::vector<std::string>& programLines, std::string_view name);

// The rules text without markup, broken at the first blank after the 50th character;
// a break is LF followed by CR.
std::string PlainCardText(std::string_view text);

// Case-insensitive order of whole card lines, as "cardlist.dat" is kept.
bool CardLineLess(std::string_view a, std::string_view b);
void SortCardLines(std::vector<std::string>& lines);

// Saves one of the data files of db (for example "cardlist.dat" with db.CardLines).
TWriteResult SaveDataFile(const TCardDatabase& db, std::string_view fileName,
                          const std::vector<std::string>& lines);
TWriteResult SaveDataFile(const TCardDatabase& db, std::string_view fileName,
                          const TCardLines& lines);

} // namespace zandor
