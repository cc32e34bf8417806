// The deck-editor commands of the command-line companion: the filtered base list, the
// select-all card search, the conversion of an old-format deck and the Apprentice export.
// Arguments and output are UTF-8; the database keeps its 8-bit text.
#pragma once

#include "core/UCardDatabase.h"
#include "deck/UFindCardLogic.h"

#include <ostream>
#include <string>

namespace zandor {

// "zandor filter": the base lines the saved card filter lets through, in list order.
int RunFilterCommand(const TCardDatabase& db, std::ostream& out);

struct TSearchCommand {
    std::string Term{};
    std::string Term2{}; // with --and or --or
    TFindOperator Operator = TFindOperator::And;
    std::string Fields{}; // "name,type,text,artist,pt"; empty for name, type and text
    bool WholeWords = false;
};
// "zandor search": the base lines of every matching card, filter applied; 1 when none.
int RunSearchCommand(const TCardDatabase& db, const TSearchCommand& command, std::ostream& out,
                     std::ostream& err);
// "zandor deck convert FILE.dec": the deck's lines, an old-format deck converted. The file
// is not changed.
int RunDeckConvertCommand(const TCardDatabase& db, const std::string& path, std::ostream& out,
                          std::ostream& err);
// "zandor deck export-apprentice FILE.dec OUT.dec".
int RunExportApprenticeCommand(const TCardDatabase& db, const std::string& path,
                               const std::string& outPath, std::ostream& out, std::ostream& err);

} // namespace zandor
