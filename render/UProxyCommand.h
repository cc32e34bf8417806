// The command-line side of proxies: a list of cards read from a deck or a text file of
// base lines, the "proxies" command that writes them as a PDF, and one proxy face drawn
// into a picture by "render --proxy".
#pragma once

#include "core/UCardDatabase.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace zandor {

// A list longer than this is refused: it is a mistake, not a print job.
inline constexpr long long MaxProxyCards = 10000;

// The base lines of a proxy list file. A ".dec" deck gives every main-deck line counted
// out (sideboard and comments left out; an old-format deck is converted first); any other
// file gives one base line ("[E] - Name") per non-empty line. Nothing and an error when the
// file cannot be read, a count is no number or the list is too long.
std::optional<std::vector<std::string>> ReadProxyList(const TCardDatabase& db,
                                                      const std::string& path, std::string& error);

struct TProxiesCommand {
    std::string ListFile;
    std::string OutFile;
    std::string Dpi;   // empty: 300
    std::string Paper; // empty: A4
    bool Base = false;
    bool NoArt = false;
    bool Border = false;
    bool Gap = false;
    bool CutMarks = false;
};

// Writes the list's proxies as a PDF. Prints nothing but errors; 0 when the file was
// written, 1 when the list or the file failed, 2 for a mistake in the arguments.
int RunProxiesCommand(const TCardDatabase& db, const TProxiesCommand& command, std::ostream& err);

// "WIDTHxHEIGHT" with both sides from 2 to 20000; nothing otherwise.
std::optional<std::pair<int, int>> ParseProxySize(const std::string& text);

// Draws one card's proxy into a white picture of size ("WIDTHxHEIGHT") and writes it as
// a PNG; exit codes as above.
int RunProxyRenderCommand(const TCardDatabase& db, const std::string& name,
                          const std::string& edition, const std::string& size, bool base,
                          bool noArt, bool border, const std::string& outFile, std::ostream& out,
                          std::ostream& err);

} // namespace zandor
