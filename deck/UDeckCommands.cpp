#include "deck/UDeckCommands.h"

#include "core/UCodePage.h"
#include "core/UTextFile.h"
#include "deck/UCardFilter.h"
#include "deck/UDeckFile.h"

namespace zandor {

namespace {

void printLines(const std::vector<std::string>& lines, std::ostream& out) {
    for (const std::string& line : lines)
        out << Cp1252ToUtf8(line) << "\n";
}

bool setFields(const std::string& list, TFindOptions& options, std::ostream& err) {
    if (list.empty())
        return true;
    options.Name = options.Type = options.Text = options.Artist = options.PT = false;
    std::string_view rest = list;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string field = LowerAscii(TrimView(rest.substr(0, comma)));
        if (field == "name")
            options.Name = true;
        else if (field == "type")
            options.Type = true;
        else if (field == "text")
            options.Text = true;
        else if (field == "artist")
            options.Artist = true;
        else if (field == "pt")
            options.PT = true;
        else {
            err << "zandor: unknown search field \"" << field
                << "\" (fields: name, type, text, artist, pt)\n";
            return false;
        }
        if (comma == std::string_view::npos)
            return true;
        rest.remove_prefix(comma + 1);
    }
}

// The deck file's lines as the editor would show them, without writing anything back.
bool readDeck(const TCardDatabase& db, const std::string& path, std::vector<std::string>& lines,
              std::ostream& err) {
    std::string reason;
    auto read = ReadTextLines(path, &reason);
    if (!read) {
        err << "zandor: " << CannotReadMessage(path, reason) << "\n";
        return false;
    }
    lines = IsOldFormatDeck(*read) ? ConvertOldDeck(*read, db) : std::move(*read);
    return true;
}

} // namespace

int RunFilterCommand(const TCardDatabase& db, std::ostream& out) {
    printLines(FilterBase(db), out);
    return 0;
}

int RunSearchCommand(const TCardDatabase& db, const TSearchCommand& command, std::ostream& out,
                     std::ostream& err) {
    TFindOptions options;
    const auto term = Utf8ToCp1252(command.Term);
    const auto term2 = Utf8ToCp1252(command.Term2);
    if (!term || !term2) {
        err << "zandor: a search term holds a character the card base cannot hold\n";
        return 2;
    }
    options.Find1 = *term;
    options.Find2 = *term2;
    options.Operator = command.Operator;
    options.MatchWhole = command.WholeWords;
    options.SelectMatch = true;
    if (!setFields(command.Fields, options, err))
        return 2;
    const TSearchTerms terms = PrepareTerms(options);
    if (terms.Empty()) {
        err << "zandor: search needs a term\n";
        return 2;
    }
    const std::vector<std::string> found =
        AllMatches(db.CardLines, terms, options, TCardFilter::FromSettings(db.Settings));
    printLines(found, out);
    return found.empty() ? 1 : 0;
}

int RunDeckConvertCommand(const TCardDatabase& db, const std::string& path, std::ostream& out,
                          std::ostream& err) {
    std::vector<std::string> lines;
    if (!readDeck(db, path, lines, err))
        return 1;
    printLines(lines, out);
    return 0;
}

int RunExportApprenticeCommand(const TCardDatabase& db, const std::string& path,
                               const std::string& outPath, std::ostream& out, std::ostream& err) {
    if (TrimView(outPath).empty()) {
        err << "zandor: the file to write has an empty name\n";
        return 2;
    }
    const std::string target = WithDecExtension(outPath);
    // A name that ends in a separator, or names a folder before or after ".dec" is added,
    // would write into or over the folder.
    if (outPath.back() == PathSeparator() || DirectoryExists(outPath) || DirectoryExists(target)) {
        err << "zandor: \"" << outPath << "\" is a folder, not a file to write\n";
        return 1;
    }
    // The export never replaces the deck it reads: not by its own name, not with ".dec"
    // added, not through a link or another spelling of the same file.
    if (SameFile(path, target)) {
        err << "zandor: \"" << target << "\" is the deck being exported; choose another file\n";
        return 1;
    }
    std::vector<std::string> lines;
    if (!readDeck(db, path, lines, err))
        return 1;
    if (lines.empty()) {
        err << "zandor: the deck is empty; nothing was written\n";
        return 1;
    }
    const TWriteResult written = ExportApprentice(target, DeckNameOf(path), lines);
    if (!written.Ok) {
        err << "zandor: " << written.Error << "\n";
        return 1;
    }
    out << target << "\n";
    return 0;
}

} // namespace zandor
