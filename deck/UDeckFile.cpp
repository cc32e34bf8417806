#include "deck/UDeckFile.h"

#include "core/UTextFile.h"
#include "deck/UBaseList.h"
#include "deck/UDeckList.h"

#include <algorithm>
#include <unordered_map>

namespace zandor {

std::string WithDecExtension(const std::string& path) {
    if (path.size() >= 4 && SameText(std::string_view(path).substr(path.size() - 4), ".dec"))
        return path;
    return path + ".dec";
}

std::string DeckNameOf(const std::string& path) {
    const std::string name = ExtractFileName(path);
    return name.substr(0, name.size() < 4 ? 0 : name.size() - 4);
}

TDeckSavePlan PlanDeckSave(const std::string& chosen) {
    TDeckSavePlan plan;
    plan.Path = WithDecExtension(chosen);
    plan.AskReplace = FileExists(plan.Path);
    if (plan.AskReplace)
        plan.Question = plan.Path + " already exists.\rDo you want to replace it?";
    return plan;
}

TWriteResult SaveDeckFile(const std::string& path, const std::vector<std::string>& lines) {
    return WriteTextLines(path, lines);
}

namespace {

bool skipped(const std::string& line) {
    return line.empty() || line.front() == '\\';
}

bool oldFormatLine(const std::string& line) {
    return line.find('[') == std::string::npos && line.front() == ' ';
}

} // namespace

bool IsOldFormatDeck(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        if (!skipped(line) && oldFormatLine(line))
            return true;
    return false;
}

TDeckFile LoadDeckFile(const std::string& path, const TCardDatabase& db,
                       const TProgress& progress) {
    std::string reason;
    auto lines = ReadTextLines(path, &reason);
    if (!lines) {
        TDeckFile failed;
        failed.Error = CannotReadMessage(path, reason);
        return failed;
    }
    return LoadDeckLines(path, std::move(*lines), db, progress);
}

TDeckFile LoadDeckLines(const std::string& path, std::vector<std::string> lines,
                        const TCardDatabase& db, const TProgress& progress) {
    TDeckFile deck;
    deck.Ok = true;
    deck.Lines = std::move(lines);
    for (std::string& line : deck.Lines) {
        if (skipped(line))
            continue;
        if (oldFormatLine(line)) {
            deck.OldFormat = true;
            break;
        }
        const std::size_t pr = line.find("PR");
        if (pr != std::string::npos) {
            line[pr + 1] = 'Y';
            deck.Rewritten = true;
        }
    }
    if (deck.Rewritten)
        deck.Rewrite = WriteTextLines(path, deck.Lines);
    if (deck.OldFormat)
        deck.Lines = ConvertOldDeck(deck.Lines, db, progress);
    deck.DeckName = DeckNameOf(path);
    deck.DeckDir = ExtractFileDir(path);
    return deck;
}

TWriteResult SaveDeckAs(TDeckList& deck, TCardDatabase& db, const std::string& path) {
    const TWriteResult written = SaveDeckFile(path, deck.Lines());
    if (written.Ok) {
        deck.SetDeckName(DeckNameOf(path));
        db.DeckDir = ExtractFileDir(path);
    }
    return written;
}

TDeckFile LoadDeckInto(TDeckList& deck, TCardDatabase& db, const std::string& path,
                       const TProgress& progress) {
    TDeckFile file = LoadDeckFile(path, db, progress);
    if (!file.Ok)
        return file;
    deck.SetLines(file.Lines);
    deck.SetDeckName(file.DeckName);
    db.DeckDir = file.DeckDir;
    return file;
}

namespace {

// The parts of an edition-less card line.
struct TOldLine {
    bool Sideboard = false;
    std::string Count;
    std::string Name;
};

TOldLine readOldLine(std::string_view line) {
    TOldLine old;
    std::string_view rest = TrimView(line);
    old.Sideboard = !rest.empty() && rest.front() == 'S';
    if (old.Sideboard)
        rest = TrimView(rest.substr(std::min<std::size_t>(3, rest.size())));
    const std::size_t blank = rest.find(' ');
    old.Count = std::string(rest.substr(0, blank));
    old.Name = blank == std::string_view::npos ? std::string() : Trim(rest.substr(blank + 1));
    return old;
}

bool keptAsIs(const std::string& line) {
    // A line that already names its edition (a hand-mixed file) is kept as it is.
    return line.empty() || line.front() == '/' || line.find('[') != std::string::npos;
}

} // namespace

std::vector<std::string> ConvertOldDeck(const std::vector<std::string>& lines,
                                        const TCardDatabase& db, const TProgress& progress) {
    const std::vector<std::string> codes = db.Settings.ReadSection(ini::Edition);
    // The catalogue's rank of every code (its first place), so that a card's editions are
    // put in catalogue order without trying every code for every line.
    std::unordered_map<std::string_view, std::size_t> rank;
    rank.reserve(codes.size());
    for (std::size_t i = 0; i < codes.size(); ++i)
        rank.try_emplace(codes[i], i);

    // One pass over the card list gathers the editions of the deck's names; a lookup of the
    // name and the edition then confirms each, in catalogue order.
    std::unordered_map<std::string, std::vector<std::size_t>> editionRanks;
    for (const std::string& line : lines)
        if (!keptAsIs(line))
            editionRanks.try_emplace(readOldLine(line).Name);
    if (!rank.empty()) {
        for (std::size_t n = 0; n < db.CardLines.size(); ++n) {
            const std::string_view card = db.CardLines[n];
            const std::size_t tab = card.find('\t');
            if (tab == std::string_view::npos)
                continue;
            const auto names = editionRanks.find(std::string(card.substr(0, tab)));
            if (names == editionRanks.end())
                continue;
            const std::string_view rest = card.substr(tab + 1);
            const std::size_t end = rest.find('\t');
            if (end == std::string_view::npos)
                continue;
            // The lookup compares the stored edition's first three characters.
            const auto found = rank.find(rest.substr(0, std::min<std::size_t>(end, 3)));
            if (found != rank.end())
                names->second.push_back(found->second);
        }
        for (auto& [name, ranks] : editionRanks) {
            std::sort(ranks.begin(), ranks.end());
            ranks.erase(std::unique(ranks.begin(), ranks.end()), ranks.end());
        }
    }

    std::vector<std::string> out;
    out.reserve(lines.size());
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (progress)
            progress(n);
        const std::string& line = lines[n];
        if (keptAsIs(line)) {
            out.push_back(line);
            continue;
        }
        const TOldLine old = readOldLine(line);
        std::string edition;
        bool found = false;
        for (const std::size_t r : editionRanks[old.Name]) {
            if (!IsNotFound(FindCard(db, old.Name, codes[r]))) {
                edition = Trim(codes[r]);
                found = true;
                break;
            }
        }
        if (found)
            out.push_back((old.Sideboard ? "SB: " : "    ") + old.Count + " " +
                          BaseLine(edition, old.Name));
        else
            out.push_back((old.Sideboard ? "//SB:  " : "//     ") + old.Count + " " + old.Name);
    }
    if (progress)
        progress(0);
    return out;
}

// The conversion as first written: every code of the catalogue tried for every line. Kept
// as the reference the faster one is held to.
std::vector<std::string> ConvertOldDeckByEveryCode(const std::vector<std::string>& lines,
                                                   const TCardDatabase& db) {
    const std::vector<std::string> codes = db.Settings.ReadSection(ini::Edition);
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        if (keptAsIs(line)) {
            out.push_back(line);
            continue;
        }
        const TOldLine old = readOldLine(line);
        std::string edition;
        bool found = false;
        for (const std::string& code : codes) {
            if (!IsNotFound(FindCard(db, old.Name, code))) {
                edition = Trim(code);
                found = true;
                break;
            }
        }
        if (found)
            out.push_back((old.Sideboard ? "SB: " : "    ") + old.Count + " " +
                          BaseLine(edition, old.Name));
        else
            out.push_back((old.Sideboard ? "//SB:  " : "//     ") + old.Count + " " + old.Name);
    }
    return out;
}

std::vector<std::string> ApprenticeLines(std::string_view deckName,
                                         const std::vector<std::string>& lines) {
    std::string_view name = deckName;
    const std::size_t separator = name.find_last_of("/\\");
    if (separator != std::string_view::npos)
        name.remove_prefix(separator + 1);
    std::vector<std::string> out;
    out.reserve(lines.size() + 1);
    out.push_back("//NAME: " + std::string(name));
    for (const std::string& line : lines) {
        const std::size_t open = line.find('[');
        // The "-" that ends the edition is the first one after the "["; a "-" before it
        // (in a comment, say) is no part of the edition.
        const std::size_t dash = open == std::string::npos ? open : line.find('-', open);
        if (dash == std::string::npos)
            out.push_back(line);
        else
            out.push_back(line.substr(0, open) + line.substr(dash + 1));
    }
    return out;
}

TWriteResult ExportApprentice(const std::string& path, std::string_view deckName,
                              const std::vector<std::string>& lines) {
    return WriteTextLines(path, ApprenticeLines(deckName, lines));
}

} // namespace zandor
