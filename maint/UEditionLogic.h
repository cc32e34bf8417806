// The edition catalogue's maintenance: reading a text spoiler into card records and card
// programs, adding an edition with its cards, deleting an edition with its cards, and the
// all-or-nothing save of the data files that every maintenance command shares.
#pragma once

#include "core/UCardDatabase.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zandor {

// The labels that introduce each field of a card in a text spoiler.
struct TSpoilerKeys {
    std::string Name = "Card Title:";
    std::string Color = "Card Color:";
    std::string CardType = "Type & Class:";
    std::string Cost = "Casting Cost:";
    std::string Rarity = "Rarity:";
    std::string PT = "Pow/Tgh:";
    std::string Text = "Card Text:";
    std::string Flavor = "Flavor Text:";
    std::string Artist = "Artist:";
    std::string Seq = "Card #:";
};

// The field names by which the command line names the keys, in the dialog's order.
inline constexpr std::array<std::string_view, 10> SpoilerFieldNames{
    "Name", "Color", "CardType", "Cost", "Rarity", "PT", "Text", "Flavor", "Artist", "Seq"};
// The key of a field by its name; nullptr for a name that is not one of SpoilerFieldNames.
std::string* SpoilerKey(TSpoilerKeys& keys, std::string_view field);

// The line that starts the card programs at the end of a spoiler.
inline constexpr std::string_view ProgramSectionMarker = "///PROG CARD CODE\\\\\\";

struct TSpoiler {
    std::vector<TZandorCard> Cards;
    // name, program, in the order of the program section
    std::vector<std::pair<std::string, std::string>> Programs;
    bool HasProgramSection = false;
};

// Reads every card of the spoiler's lines; each card gets the first 3 characters of
// editionKey as its edition. Keys are trimmed before use; an empty key matches nothing.
TSpoiler ParseSpoiler(const std::vector<std::string>& lines, const TSpoilerKeys& keys,
                      std::string_view editionKey);
// The colour code that a colour line of a spoiler gives.
std::string SpoilerColor(std::string_view line, std::string_view value);
// The rarity letter that a rarity line of a spoiler gives.
std::string SpoilerRarity(std::string_view line, std::string_view value);

// Sets the program of a card in "programm.dat"'s lines: a new name is added and the list
// sorted, a known name (letter case ignored) gets the new program, an empty program
// removes the entry. True when the lines changed.
bool MergeProgram(std::vector<std::string>& programLines, std::string_view name,
                  std::string_view program);
// Ascending, without regard to letter case.
void SortProgramLines(std::vector<std::string>& programLines);

// The edition window's lines: "KEY - Name" for every catalogue entry, in the section's order.
std::vector<std::string> EditionListLines(const TIniFile& settings);
// The key of an edition list line: the text before its first " -", trimmed.
std::string EditionKeyOfListLine(std::string_view line);

// What a maintenance command reports: the count of cards added or removed, or the message
// that tells the user why nothing was changed.
struct TMaintResult {
    bool Ok = true;
    std::string Error; // UTF-8, ready to show

    int Count = 0;
};

namespace maint {
inline constexpr std::string_view NotAllFields = "Не все поля заполнены";
inline constexpr std::string_view EditionExists = "Редакция уже существует";
inline constexpr std::string_view KeyTooLong =
    "Ключ редакции не может быть длиннее 3 символов: карты хранят только 3 символа ключа";
inline constexpr std::string_view BadKeyCharacter = "Ключ редакции не может содержать \"=\"";
inline constexpr std::string_view EditionNotFound = "Редакция не найдена: ";
inline constexpr std::string_view AddedPrefix = "Добавлено: ";
inline constexpr std::string_view DeletedPrefix = "Удалено: ";
inline constexpr std::string_view CardsSuffix = " карт";
inline constexpr std::string_view AskDelete = "Удалить редакцию: ";
} // namespace maint

struct TAddEditionRequest {
    std::string Name;
    std::string Key;
    std::string SpoilerPath; // empty when no spoiler was chosen
    bool OnlyCatalogue = false;
    TSpoilerKeys Keys;
};

// Checks a request the way the command does before it changes anything.
TMaintResult CheckAddEdition(const TCardDatabase& db, const TAddEditionRequest& request);
// Adds the edition first in the catalogue, unticked in the card filter, and, unless only the
// catalogue is wanted, every card and program of the spoiler. The spoiler is read whole
// before anything is written; any failure leaves the files and db as they were.
TMaintResult AddEdition(TCardDatabase& db, const TAddEditionRequest& request);

// The catalogue key spelt as the catalogue has it (letters compared without case), or the
// key itself when the catalogue does not hold it.
std::string CatalogueKey(const TIniFile& settings, std::string_view key);
// Removes the key from the catalogue and the card filter and every card line whose edition
// is exactly the key, saves and re-indexes. A save that fails changes nothing.
TMaintResult DeleteEdition(TCardDatabase& db, std::string_view key);

// One file of a maintenance change: its new lines, and the lines it held before (or
// nothing when it did not exist), to put back when a later file cannot be written.
struct TFileChange {
    std::string Path;
    const std::vector<std::string>* NewLines = nullptr;
    const std::string* NewText = nullptr; // the whole new file, when given instead of lines
    // The file's old lines, asked for only when a later file fails and this one is put back.
    std::function<std::vector<std::string>()> OldLines;
    bool Existed = true;
};
// Writes the files in the order given, each atomically. When one fails, the files already
// written get their old contents back, so the files never disagree with one another.
TWriteResult WriteFileChanges(const std::vector<TFileChange>& changes);

// The settings file's lines after a change made on a copy that is not written.
class TSettingsDraft {
public:
    explicit TSettingsDraft(const TIniFile& settings);
    TIniFile& Ini() { return m_draft; }
    const std::vector<std::string>& Lines() const { return m_draft.Lines(); }
    // Puts the draft's lines into the real settings once they are on disk.
    void CommitTo(TIniFile& settings) const;

private:
    TIniFile m_draft;
};

} // namespace zandor
