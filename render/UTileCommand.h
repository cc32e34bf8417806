// The "tile" command of the command-line program: the table tile of one card written as a
// PNG, with the play state given on the command line.
#pragma once

#include "core/UCardDatabase.h"

#include <ostream>
#include <string>

namespace zandor {

struct TTileCommand {
    std::string Name; // UTF-8; a split card's base name "Left/Right" draws the split tile
    std::string Edition;
    bool Tapped = false;
    bool FaceDown = false;
    std::string Counters;
    std::string Keywords;
    std::string OutFile;
};

// Writes the tile; prints "XNOCARD" and returns 1 when the card is not found, 0 when the
// picture was written.
int RunTileCommand(const TCardDatabase& db, const TTileCommand& command, std::ostream& out,
                   std::ostream& err);

} // namespace zandor
