// Any bytes as a deck for the statistics: building, the figures and row edits never read
// out of range or overflow, and a failed build leaves the model as it was. (A hand-edited
// negative count is a number and is counted as written.)
#include "fuzz/DeckFuzzBase.h"
#include "stats/UStat.h"

#include <cstdint>

using namespace zandor;
using zandor::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = fuzz::InputLines(data, size, 200);
    const TCardDatabase& db = fuzz::SmallBase();
    TStatCards model;
    const TStatResult built = model.Build(lines, db.NameIndex, db.CardLines);
    if (!built.Ok) {
        check(model.Cards.empty() && model.NonLandCount == 0);
        return 0;
    }
    for (int bucket = 0; bucket <= 8; ++bucket)
        (void)model.CurveCount(bucket);
    (void)model.AllColorTotal();
    (void)model.TypeCounts();
    (void)model.RarityCounts();
    (void)model.DeckValue();
    for (std::size_t row = 0; row < model.Cards.size() && row < lines.size(); ++row)
        (void)model.UpdateRow(row, lines[row], lines[lines.size() - 1 - row]);
    (void)model.UpdateRow(model.Cards.size(), "2G", "1"); // one past the end
    for (const std::string& line : lines)
        (void)TStatCards::ConvertedCost(line);
    return 0;
}
