// The maintenance commands of the command-line companion: the edition list, adding an
// edition from a text spoiler, deleting an edition, setting fields of a card and the about
// box's texts. They run the same logic as the windows; arguments and output are UTF-8,
// messages go to the error stream and a refused command exits 1 with nothing changed.
#pragma once

#include "core/UCardDatabase.h"

#include <ostream>
#include <string>
#include <vector>

namespace zandor {

// "zandor edition list": "KEY - Name" per catalogue entry, in the section's order.
int RunEditionListCommand(const TCardDatabase& db, std::ostream& out);

struct TEditionAddCommand {
    std::string Key;
    std::string Name;
    std::string SpoilerPath;
    bool OnlyCatalogue = false;
    // "FIELD=LABEL" texts, FIELD one of the spoiler field names.
    std::vector<std::string> FieldKeys;
};
// "zandor edition add": prints "Добавлено: N карт".
int RunEditionAddCommand(TCardDatabase& db, const TEditionAddCommand& command, std::ostream& out,
                         std::ostream& err);
// "zandor edition delete KEY": deletes without asking, prints "Удалено: N карт".
int RunEditionDeleteCommand(TCardDatabase& db, const std::string& key, std::ostream& out,
                            std::ostream& err);
// "zandor card set NAME --edition CODE FIELD=VALUE ...": FIELD a record field name or
// Program. Prints the card's base line after the change.
int RunCardSetCommand(TCardDatabase& db, const std::string& name, const std::string& edition,
                      const std::vector<std::string>& assignments, std::ostream& out,
                      std::ostream& err);
// "zandor about": the about box's texts, one a line.
int RunAboutCommand(const TCardDatabase& db, std::ostream& out);

} // namespace zandor
