#include "deck/UTextDeckCommands.h"

#include "core/UCodePage.h"
#include "core/UTextFile.h"
#include "deck/UDeckFile.h"
#include "deck/UTextDeck.h"

namespace zandor {

namespace {

// Text as it came from the outside: shown as it is when it is UTF-8, else from the data
// files' code page.
std::string asUtf8(const std::string& text) {
    return Utf8ToCp1252(text) ? text : Cp1252ToUtf8(text);
}

} // namespace

std::string TextDeckProblemText(std::size_t lineNumber, const std::string& line,
                                const std::string& reason) {
    return "line " + std::to_string(lineNumber) + ": \"" + asUtf8(line) + "\": " + reason;
}

int RunDeckImportCommand(const TCardDatabase& db, const std::string& path,
                         const std::string& outPath, std::ostream& out, std::ostream& err) {
    const auto text = ReadTextLines(path);
    if (!text) {
        err << "zandor: cannot read \"" << path << "\"\n";
        return 1;
    }
    const TTextDeckImport imported = ImportTextDeck(*text, db);
    for (const TTextDeckProblem& problem : imported.Problems)
        err << "zandor: " << TextDeckProblemText(problem.LineNumber, problem.Line, problem.Reason)
            << "\n";
    if (outPath.empty()) {
        for (const std::string& line : imported.Lines)
            out << Cp1252ToUtf8(line) << "\n";
    } else {
        const std::string target = WithDecExtension(outPath);
        const TWriteResult written = SaveDeckFile(target, imported.Lines);
        if (!written.Ok) {
            err << "zandor: " << written.Error << "\n";
            return 1;
        }
        out << target << "\n";
    }
    return imported.AllPlaced() ? 0 : 1;
}

int RunDeckExportTextCommand(const TCardDatabase& db, const std::string& path, std::ostream& out,
                             std::ostream& err) {
    auto lines = ReadTextLines(path);
    if (!lines) {
        err << "zandor: cannot read \"" << path << "\"\n";
        return 1;
    }
    if (IsOldFormatDeck(*lines))
        *lines = ConvertOldDeck(*lines, db);
    const TTextDeckExport exported = ExportTextDeck(*lines);
    for (const std::string& line : exported.Lines)
        out << Cp1252ToUtf8(line) << "\n";
    for (const std::string& line : exported.Unreadable)
        err << "zandor: left out, its count is not a number: \"" << Cp1252ToUtf8(line) << "\"\n";
    return exported.Unreadable.empty() ? 0 : 1;
}

} // namespace zandor
