#include "stats/UStatCommands.h"

#include "core/UCodePage.h"
#include "core/UTextFile.h"
#include "stats/UStat.h"

namespace zandor {

int RunDeckStatsCommand(const TCardDatabase& db, const std::string& deckFile, std::ostream& out,
                        std::ostream& err) {
    std::string reason;
    const auto lines = ReadTextLines(deckFile, &reason);
    if (!lines) {
        err << "zandor: cannot read the deck file \"" << deckFile << "\": " << reason << "\n";
        return 1;
    }
    // Decks of the old format name no editions; the deck editor converts them when it loads
    // them, and the statistics need the converted lines.
    for (const std::string& line : *lines) {
        if (line.empty() || line.front() == '\\')
            continue;
        // A line of a count alone is a broken line, which the build names, not an old one.
        std::int32_t lone = 0;
        if (line.front() == ' ' && line.find('[') == std::string::npos &&
            !TryReadInt32(line, lone)) {
            err << "zandor: \"" << deckFile
                << "\" is a deck of the old format, without editions; load it in the deck "
                   "editor and save it again first\n";
            return 1;
        }
    }
    TStatCards stats;
    const TStatResult built = stats.Build(*lines, db.NameIndex, db.CardLines);
    if (!built.Ok) {
        err << "zandor: " << Cp1252ToUtf8(built.Error) << "\n";
        return 1;
    }
    for (const TMissingStatCard& card : stats.Missing)
        err << "zandor: line " << card.LineNumber << " of the deck: the card base has no "
            << Cp1252ToUtf8(card.Name) << " [" << Cp1252ToUtf8(card.Edition)
            << "]; it is not counted\n";
    const char point = '.';
    const TTypeCounts types = stats.TypeCounts();
    const std::int64_t total = types.Total();
    const TRarityCounts rarities = stats.RarityCounts();
    out << "Cards: " << total << "\n";
    const std::pair<const char*, std::int64_t> typeLines[] = {
        {"Lands", types.Lands}, {"Creatures", types.Creatures}, {"Spells", types.Spells}};
    for (const auto& [label, count] : typeLines)
        out << label << ": " << count << " (" << SharePercent(count, total, point) << "%)\n";
    out << "Commons: " << rarities.Commons << "\n";
    out << "Uncommons: " << rarities.Uncommons << "\n";
    out << "Rares: " << rarities.Rares << "\n";
    out << "Value: " << FormatCurrency(stats.DeckValue(point), point) << " $\n";
    out << "Curve:";
    for (int bucket = 1; bucket <= CurveBuckets; ++bucket)
        out << " " << stats.CurveCount(bucket);
    out << "\nAverage:";
    for (std::string_view key : StatColorKeys)
        out << " " << key << "=" << AverageText(stats.ColorTotal(key), stats.NonLandCount, point);
    out << " All=" << AverageText(stats.AllColorTotal(), stats.NonLandCount, point) << "\n";
    return 0;
}

} // namespace zandor
