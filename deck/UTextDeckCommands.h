// The plain-text deck commands of the command-line companion: a text deck list read into
// ".dec" lines, and a deck written out as a text list. Output is UTF-8.
#pragma once

#include "core/UCardDatabase.h"

#include <ostream>
#include <string>

namespace zandor {

// "zandor deck import FILE.txt [--out FILE.dec]": prints the deck lines, or writes them to
// outPath (".dec" added when missing) and prints its name. Every line that could not be
// placed is reported on err with its number. 0 when every line was placed, 1 otherwise
// (also when the file cannot be read or written).
int RunDeckImportCommand(const TCardDatabase& db, const std::string& path,
                         const std::string& outPath, std::ostream& out, std::ostream& err);
// "zandor deck export-text FILE.dec": the deck as "N Name (CODE)" lines with a "Sideboard"
// block. 1 when the file cannot be read or a deck line had to be left out.
int RunDeckExportTextCommand(const TCardDatabase& db, const std::string& path, std::ostream& out,
                             std::ostream& err);

// How a left-out line is reported: line N: "TEXT": reason.
std::string TextDeckProblemText(std::size_t lineNumber, const std::string& line,
                                const std::string& reason);

} // namespace zandor
