#include "deck/UDeckFile.h"

#include "core/UTextFile.h"
#include "deck/UBaseList.h"
#include "deck/UDeckList.h"

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
    auto lines = ReadTextLines(path);
    if (!lines)
        return {};
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

std::vector<std::string> ConvertOldDeck(const std::vector<std::string>& lines,
                                        const TCardDatabase& db, const TProgress& progress) {
    const std::vector<std::string> codes = db.Settings.ReadSection(ini::Edition);
    std::vector<std::string> out;
    out.reserve(lines.size());
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (progress)
            progress(n);
        const std::string& line = lines[n];
        // A line that already names its edition (a hand-mixed file) is kept as it is.
        if (line.empty() || line.front() == '/' || line.find('[') != std::string::npos) {
            out.push_back(line);
            continue;
        }
        std::string_view rest = TrimView(line);
        const bool sideboard = !rest.empty() && rest.front() == 'S';
        if (sideboard)
            rest = TrimView(rest.substr(std::min<std::size_t>(3, rest.size())));
        const std::size_t blank = rest.find(' ');
        const std::string count(rest.substr(0, blank));
        const std::string name =
            blank == std::string_view::npos ? std::string() : Trim(rest.substr(blank + 1));
        std::string edition;
        bool found = false;
        for (const std::string& code : codes) {
            if (!IsNotFound(FindCard(db, name, code))) {
                edition = Trim(code);
                found = true;
                break;
            }
        }
        if (found)
            out.push_back((sideboard ? "SB: " : "    ") + count + " " + BaseLine(edition, name));
        else
            out.push_back((sideboard ? "//SB:  " : "//     ") + count + " " + name);
    }
    if (progress)
        progress(0);
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
