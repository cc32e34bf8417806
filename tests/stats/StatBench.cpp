// What the statistics cost on a big card base: building the model of a 60-card deck against
// the bare lookups of its cards, and what one edit in the table recomputes and redraws.
#include "bench/BenchMain.h"
#include "core/UCardDatabase.h"
#include "stats/UStat.h"
#include "stats/UStatPictures.h"
#include "tools/UBigBase.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <filesystem>

using namespace zandor;

namespace {

const TCardDatabase& base() {
    static TCardDatabase db = [] {
        const std::string dir =
            (std::filesystem::temp_directory_path() / "zandor-stats-bench-base").string();
        std::filesystem::create_directories(dir);
        MakeBigBase(dir, 100000);
        TCardDatabase d;
        LoadCardDatabase(d, dir, dir);
        return d;
    }();
    return db;
}

// Sixty main-deck lines of cards spread over the whole base.
const std::vector<std::string>& deck() {
    static const std::vector<std::string> lines = [] {
        std::vector<std::string> result;
        const auto& cards = base().CardLines;
        for (std::size_t i = 0; i < 60; ++i) {
            const TZandorCard card = ParseCardLine(cards[(i * 1663) % cards.size()]);
            result.push_back("    " + std::to_string(1 + i % 4) + " [" + card.Edition.str() +
                             "] - " + card.Name);
        }
        return result;
    }();
    return lines;
}

void BM_LookupsAlone(benchmark::State& state) {
    const TCardDatabase& db = base();
    for (auto _ : state) {
        for (const std::string& line : deck()) {
            const std::size_t open = line.find('[');
            const std::size_t close = line.find(']');
            benchmark::DoNotOptimize(
                FindCard(db, line.substr(close + 4), line.substr(open + 1, close - open - 1)));
        }
    }
}
BENCHMARK(BM_LookupsAlone)->Unit(benchmark::kMicrosecond);

void BM_BuildDeckStatistics(benchmark::State& state) {
    const TCardDatabase& db = base();
    TStatCards stats;
    for (auto _ : state) {
        stats.Build(deck(), db.NameIndex, db.CardLines);
        benchmark::DoNotOptimize(stats.Cards.data());
    }
}
BENCHMARK(BM_BuildDeckStatistics)->Unit(benchmark::kMicrosecond);

// One keystroke in the table: the row update and the pictures and figures drawn again.
void BM_EditAndRedraw(benchmark::State& state) {
    const TCardDatabase& db = base();
    TStatCards stats;
    stats.Build(deck(), db.NameIndex, db.CardLines);
    QImage curve(249, 265, QImage::Format_RGB32);
    QImage average(177, 65, QImage::Format_RGB32);
    int count = 1;
    for (auto _ : state) {
        stats.UpdateRow(7, "2GG", std::to_string(count++ % 9));
        DrawManaCurve(curve, stats);
        DrawAverageCost(average, stats, '.');
        benchmark::DoNotOptimize(stats.DeckValue('.'));
        benchmark::DoNotOptimize(stats.TypeCounts());
        benchmark::DoNotOptimize(stats.RarityCounts());
    }
}
BENCHMARK(BM_EditAndRedraw)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // A lookup costs about 0.3 us, so the copies each row makes of its card's fields weigh
    // as much as the lookups themselves; the whole build of a 60-line deck stays near 40 us.
    return bench::RunWithRatios(argc, argv, {{{"BM_BuildDeckStatistics", "BM_LookupsAlone"}, 2.5}});
}
