#include "maint/UEditionLogic.h"

#include "core/UCodePage.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace zandor {

namespace {

bool contains(std::string_view line, std::string_view word) {
    return line.find(word) != std::string_view::npos;
}

// A TAB ends a field of the card line, so one inside a value becomes a blank.
void noTabs(std::string& text) {
    for (char& c : text)
        if (c == '\t')
            c = ' ';
}

// The value of a field line: the text after the key, trimmed. The key must not be empty.
bool fieldValue(std::string_view line, std::string_view key, std::string& value) {
    if (key.empty())
        return false;
    const std::size_t at = line.find(key);
    if (at == std::string_view::npos)
        return false;
    value = Trim(line.substr(at + key.size()));
    noTabs(value);
    return true;
}

bool startsIndented(std::string_view line) {
    return !line.empty() && (line.front() == ' ' || line.front() == '\t');
}

// Appends the indented lines after line i to text, each after one blank; stops at the first
// line that is not indented or holds nothing but blanks.
void gatherContinuation(const std::vector<std::string>& lines, std::size_t i, std::string& text) {
    for (std::size_t k = i + 1; k < lines.size(); ++k) {
        const std::string_view line = lines[k];
        if (!startsIndented(line) || TrimView(line).empty())
            break;
        std::string part = Trim(line);
        noTabs(part);
        text += ' ';
        text += part;
    }
}

struct TTrimmedKeys {
    std::string Name, Color, CardType, Cost, Rarity, PT, Text, Flavor, Artist, Seq;
};

TTrimmedKeys trimmed(const TSpoilerKeys& k) {
    return {Trim(k.Name), Trim(k.Color), Trim(k.CardType), Trim(k.Cost),   Trim(k.Rarity),
            Trim(k.PT),   Trim(k.Text),  Trim(k.Flavor),   Trim(k.Artist), Trim(k.Seq)};
}

// The edition field of a card line as a parsed record holds it (first 3 characters), or
// nothing when the line has no second TAB.
std::string_view lineEdition(std::string_view line) {
    const std::size_t first = line.find('\t');
    if (first == std::string_view::npos)
        return {};
    const std::size_t second = line.find('\t', first + 1);
    if (second == std::string_view::npos)
        return {};
    return line.substr(first + 1, std::min<std::size_t>(second - first - 1, 3));
}

std::string cannotOpen(const std::string& path) {
    return "Cannot open file \"" + path + "\".";
}

} // namespace

std::string* SpoilerKey(TSpoilerKeys& keys, std::string_view field) {
    std::string* const all[] = {&keys.Name, &keys.Color, &keys.CardType, &keys.Cost,   &keys.Rarity,
                                &keys.PT,   &keys.Text,  &keys.Flavor,   &keys.Artist, &keys.Seq};
    for (std::size_t i = 0; i < SpoilerFieldNames.size(); ++i)
        if (SpoilerFieldNames[i] == field)
            return all[i];
    return nullptr;
}

std::string SpoilerColor(std::string_view line, std::string_view value) {
    // The first word of this list that the line holds decides, so a multicoloured card
    // ("Multi (White/Blue)") is gold before it is white.
    static constexpr std::pair<std::string_view, std::string_view> words[] = {
        {"Multi", "Gld"}, {"White", "W"},      {"Blue", "U"},   {"Black", "B"}, {"Red", "R"},
        {"Green", "G"},   {"Artifact", "Art"}, {"Land", "Lnd"}, {"n/a", "Lnd"}};
    for (const auto& [word, code] : words)
        if (contains(line, word))
            return std::string(code);
    return std::string(value.substr(0, 3));
}

std::string SpoilerRarity(std::string_view line, std::string_view value) {
    if (contains(line, "Rare"))
        return "R";
    if (contains(line, "Uncommon"))
        return "U";
    if (contains(line, "Common"))
        return "C";
    return std::string(value.substr(0, 1));
}

TSpoiler ParseSpoiler(const std::vector<std::string>& lines, const TSpoilerKeys& spoilerKeys,
                      std::string_view editionKey) {
    const TTrimmedKeys keys = trimmed(spoilerKeys);
    TSpoiler spoiler;
    TZandorCard pending;
    const auto finish = [&] {
        if (pending.Name.empty())
            return;
        pending.Edition = editionKey;
        spoiler.Cards.push_back(pending);
        ClearCard(pending);
    };
    std::string value;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (TrimView(line) == ProgramSectionMarker) {
            spoiler.HasProgramSection = true;
            for (std::size_t k = i + 1; k < lines.size(); ++k) {
                const std::string_view entry = lines[k];
                const std::size_t eq = entry.find('=');
                // A line without "=" (a blank one among them) names no card.
                if (eq == std::string_view::npos || TrimView(entry.substr(0, eq)).empty())
                    continue;
                spoiler.Programs.emplace_back(Trim(entry.substr(0, eq)),
                                              Trim(entry.substr(eq + 1)));
            }
        }
        if (fieldValue(line, keys.Name, value)) {
            finish();
            // A card whose title was empty is dropped whole: none of its fields may pass
            // to the next card.
            ClearCard(pending);
            pending.Name = value;
        } else if (fieldValue(line, keys.Color, value)) {
            pending.Color = SpoilerColor(line, value);
        } else {
            if (fieldValue(line, keys.CardType, value))
                pending.CardType = value;
            if (fieldValue(line, keys.Cost, value))
                pending.Cost = value;
            if (fieldValue(line, keys.Rarity, value)) {
                pending.Rarity = SpoilerRarity(line, value);
            } else if (fieldValue(line, keys.PT, value)) {
                pending.PT = value == "n/a" ? std::string() : value;
            } else if (fieldValue(line, keys.Text, value)) {
                pending.Text = value;
                gatherContinuation(lines, i, pending.Text);
            } else if (fieldValue(line, keys.Flavor, value)) {
                pending.Flavor = value;
                gatherContinuation(lines, i, pending.Flavor);
            } else {
                // The card face writes "Illus." right before the artist, so the stored
                // artist begins with a blank, as in the rest of the base.
                if (fieldValue(line, keys.Artist, value))
                    pending.Artist = value.empty() ? value : " " + value;
                if (fieldValue(line, keys.Seq, value))
                    pending.Seq = value;
            }
        }
    }
    finish();
    return spoiler;
}

void SortProgramLines(std::vector<std::string>& programLines) {
    std::stable_sort(programLines.begin(), programLines.end(),
                     [](const std::string& a, const std::string& b) { return CardLineLess(a, b); });
}

bool MergeProgram(std::vector<std::string>& programLines, std::string_view name,
                  std::string_view program) {
    for (std::size_t i = 0; i < programLines.size(); ++i) {
        const std::string_view line = programLines[i];
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || !SameText(line.substr(0, eq), name))
            continue;
        if (program.empty()) {
            programLines.erase(programLines.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
        std::string replaced = std::string(line.substr(0, eq + 1)) + std::string(program);
        if (replaced == line)
            return false;
        programLines[i] = std::move(replaced);
        return true;
    }
    // A card without a program needs no entry.
    if (program.empty())
        return false;
    programLines.push_back(std::string(name) + "=" + std::string(program));
    SortProgramLines(programLines);
    return true;
}

std::vector<std::string> EditionListLines(const TIniFile& settings) {
    std::vector<std::string> lines;
    for (const std::string& entry : settings.ReadSectionValues(ini::Edition)) {
        const std::size_t eq = entry.find('=');
        lines.push_back(entry.substr(0, eq) + " - " +
                        (eq == std::string::npos ? std::string() : entry.substr(eq + 1)));
    }
    return lines;
}

std::string EditionKeyOfListLine(std::string_view line) {
    return Trim(line.substr(0, line.find(" -")));
}

TSettingsDraft::TSettingsDraft(const TIniFile& settings) {
    // A draft without a file name: its writes change only its lines.
    m_draft.LoadFromText("", JoinLines(settings.Lines()));
}

void TSettingsDraft::CommitTo(TIniFile& settings) const {
    settings.LoadFromText(settings.FileName(), JoinLines(m_draft.Lines()));
}

TWriteResult WriteFileChanges(const std::vector<TFileChange>& changes) {
    for (std::size_t i = 0; i < changes.size(); ++i) {
        TWriteResult written =
            changes[i].NewText ? CurrentFileWriter().WriteFile(changes[i].Path, *changes[i].NewText)
                               : WriteTextLines(changes[i].Path, *changes[i].NewLines);
        if (written.Ok)
            continue;
        for (std::size_t j = i; j-- > 0;) {
            const TFileChange& done = changes[j];
            bool restored = true;
            if (done.Existed)
                restored = WriteTextLines(done.Path, done.OldLines()).Ok;
            else
                restored = std::remove(done.Path.c_str()) == 0;
            if (!restored)
                written.Error += "\n\"" + done.Path + "\" was changed and could not be put back.";
        }
        return written;
    }
    return {};
}

namespace {

TFileChange change(const std::string& path, const std::vector<std::string>& newLines,
                   const std::vector<std::string>& oldLines) {
    return {path, &newLines, nullptr, [&oldLines] { return oldLines; }, FileExists(path)};
}

// The card list is read as views into its file; its old lines are copied out only when
// they must be written back.
TFileChange change(const std::string& path, const std::vector<std::string>& newLines,
                   const TCardLines& oldLines) {
    return {path, &newLines, nullptr, [&oldLines] { return oldLines.Lines(); }, FileExists(path)};
}

// The card list with the new lines in their places. A sorted list only needs the new
// lines merged in; the result is the same as sorting the whole list.
std::vector<std::string> withCards(const std::vector<std::string>& old,
                                   const std::vector<TZandorCard>& cards) {
    std::vector<std::string> added;
    added.reserve(cards.size());
    for (const TZandorCard& card : cards)
        added.push_back(FormatCardLine(card));
    std::vector<std::string> lines;
    lines.reserve(old.size() + added.size());
    const auto less = [](const std::string& a, const std::string& b) { return CardLineLess(a, b); };
    if (std::is_sorted(old.begin(), old.end(), less)) {
        SortCardLines(added);
        std::merge(old.begin(), old.end(), std::make_move_iterator(added.begin()),
                   std::make_move_iterator(added.end()), std::back_inserter(lines), less);
    } else {
        lines = old;
        std::move(added.begin(), added.end(), std::back_inserter(lines));
        SortCardLines(lines);
    }
    return lines;
}

} // namespace

TMaintResult CheckAddEdition(const TCardDatabase& db, const TAddEditionRequest& request) {
    const std::string name = Trim(request.Name);
    const std::string key = Trim(request.Key);
    if (name.empty() || key.empty() || (request.SpoilerPath.empty() && !request.OnlyCatalogue))
        return {false, std::string(maint::NotAllFields)};
    if (!db.Settings.ReadString(ini::Edition, key, "").empty())
        return {false, std::string(maint::EditionExists)};
    if (key.size() > 3)
        return {false, std::string(maint::KeyTooLong)};
    if (key.find('=') != std::string::npos)
        return {false, std::string(maint::BadKeyCharacter)};
    return {};
}

TMaintResult AddEdition(TCardDatabase& db, const TAddEditionRequest& request) {
    TMaintResult checked = CheckAddEdition(db, request);
    if (!checked.Ok)
        return checked;
    const std::string name = Trim(request.Name);
    const std::string key = Trim(request.Key);

    // Everything is read and worked out before the first file is written.
    TSpoiler spoiler;
    if (!request.OnlyCatalogue) {
        const auto lines = ReadTextLines(request.SpoilerPath);
        if (!lines)
            return {false, cannotOpen(request.SpoilerPath)};
        spoiler = ParseSpoiler(*lines, request.Keys, key);
    }

    TSettingsDraft settings(db.Settings);
    std::vector<std::string> catalogue = db.Settings.ReadSectionValues(ini::Edition);
    catalogue.insert(catalogue.begin(), key + "=" + name);
    settings.Ini().WriteSectionValues(ini::Edition, catalogue);
    settings.Ini().WriteBool(ini::EditionFilters, key, false);

    std::vector<TFileChange> changes;
    std::vector<std::string> cardLines;
    std::vector<std::string> programLines;
    if (!request.OnlyCatalogue) {
        cardLines = withCards(db.CardLines, spoiler.Cards);
        changes.push_back(change(db.DataDir + std::string(CardListFile), cardLines, db.CardLines));
    }
    changes.push_back(change(db.Settings.FileName(), settings.Lines(), db.Settings.Lines()));
    if (spoiler.HasProgramSection) {
        programLines = db.ProgramLines;
        for (const auto& [cardName, program] : spoiler.Programs)
            MergeProgram(programLines, cardName, program);
        changes.push_back(
            change(db.DataDir + std::string(ProgramFile), programLines, db.ProgramLines));
    }
    const TWriteResult written = WriteFileChanges(changes);
    if (!written.Ok)
        return {false, written.Error};

    settings.CommitTo(db.Settings);
    if (!request.OnlyCatalogue) {
        db.CardLines = std::move(cardLines);
        BuildNameIndex(db.NameIndex, db.CardLines);
    }
    if (spoiler.HasProgramSection)
        db.ProgramLines = std::move(programLines);
    return {true, {}, static_cast<int>(spoiler.Cards.size())};
}

std::string CatalogueKey(const TIniFile& settings, std::string_view key) {
    for (const std::string& entry : settings.ReadSection(ini::Edition))
        if (SameText(entry, key))
            return entry;
    return std::string(key);
}

TMaintResult DeleteEdition(TCardDatabase& db, std::string_view typedKey) {
    const std::string key = CatalogueKey(db.Settings, TrimView(typedKey));
    if (key.empty())
        return {false, std::string(maint::NotAllFields)};
    std::vector<std::string> kept;
    kept.reserve(db.CardLines.size());
    int removed = 0;
    for (const std::string_view line : db.CardLines) {
        if (lineEdition(line) == key)
            ++removed;
        else
            kept.emplace_back(line);
    }
    const bool listed = db.Settings.ValueExists(ini::Edition, key) ||
                        db.Settings.ValueExists(ini::EditionFilters, key);
    if (!listed && removed == 0)
        return {false, std::string(maint::EditionNotFound) + Cp1252ToUtf8(key)};

    TSettingsDraft settings(db.Settings);
    settings.Ini().DeleteKey(ini::Edition, key);
    settings.Ini().DeleteKey(ini::EditionFilters, key);

    // The cards go first: should the settings then fail, the card list is put back; an
    // edition left in the catalogue without cards can still be deleted again.
    std::vector<TFileChange> changes;
    if (removed > 0)
        changes.push_back(change(db.DataDir + std::string(CardListFile), kept, db.CardLines));
    changes.push_back(change(db.Settings.FileName(), settings.Lines(), db.Settings.Lines()));
    const TWriteResult written = WriteFileChanges(changes);
    if (!written.Ok)
        return {false, written.Error};

    settings.CommitTo(db.Settings);
    if (removed > 0) {
        db.CardLines = std::move(kept);
        BuildNameIndex(db.NameIndex, db.CardLines);
    }
    return {true, {}, removed};
}

} // namespace zandor
