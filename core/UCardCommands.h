// The card database commands of the command-line companion: looking a card up and
// printing its fields.
#pragma once

#include "core/UCardDatabase.h"

#include <ostream>
#include <string>

namespace zandor {

// Prints the fields of the card one per line as "Field: value" in declared order, the
// program taken from "programm.dat", and returns 0; prints "XNOCARD" and returns 1 on a miss.
// Names and output are UTF-8; the database keeps its 8-bit text.
// The card of a name and edition typed on the command line (UTF-8); a name the code page
// cannot hold is not found either.
TZandorCard FindCardByUtf8(const TCardDatabase& db, const std::string& name,
                           const std::string& edition);

int RunFindCommand(const TCardDatabase& db, const std::string& name, const std::string& edition,
                   std::ostream& out);

} // namespace zandor
