// The price update and the rulings update on a card base of 100,000 lines: a 30,000-entry
// price list applied and saved, one entry priced without and with the walk, and a
// 20,000-line rulings summary taking over 500 changed cards with its backup. Saving the
// card list alone is the baseline of the price run.
#include "bench/BenchMain.h"
#include "core/UCardDatabase.h"
#include "core/UTextFile.h"
#include "maint/UPriceList.h"
#include "maint/URulingsUpdate.h"
#include "tools/UBigBase.h"
#include "tools/UBigMaintData.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

using namespace zandor;

namespace {

std::size_t envSize(const char* name, std::size_t fallback) {
    const char* n = std::getenv(name);
    return n ? static_cast<std::size_t>(std::strtoul(n, nullptr, 10)) : fallback;
}

const std::string& baseDir() {
    static const std::string dir = [] {
        std::string path = (std::filesystem::temp_directory_path() / "zandor-maint-base").string();
        std::filesystem::create_directories(path);
        const TBigBaseInfo info = MakeBigBase(path, envSize("ZANDOR_BENCH_LINES", 100000));
        std::printf("card base: %zu lines, %zu bytes in %s\n", info.Lines, info.Bytes,
                    path.c_str());
        return path;
    }();
    return dir;
}

TCardDatabase& loaded() {
    static TCardDatabase db = [] {
        TCardDatabase d;
        LoadCardDatabase(d, baseDir(), baseDir());
        return d;
    }();
    return db;
}

const std::vector<std::string>& priceList() {
    static const std::vector<std::string> lines =
        MakeBigPriceList(loaded().CardLines, envSize("ZANDOR_BENCH_PRICES", 30000));
    return lines;
}

void BM_SaveCardList(benchmark::State& state) {
    TCardDatabase& db = loaded();
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveDataFile(db, CardListFile, db.CardLines).Ok);
}
BENCHMARK(BM_SaveCardList)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ApplyPrices(benchmark::State& state) {
    TCardDatabase& db = loaded();
    const std::vector<std::string>& lines = priceList();
    TPriceRun run;
    for (auto _ : state) {
        run = ApplyPrices(db, lines, TDate{2026, 12, 11});
        benchmark::DoNotOptimize(run.Updated);
    }
    if (!run.Ok)
        state.SkipWithError(run.Error.c_str());
    state.counters["entries"] = static_cast<double>(lines.size() - 4);
    state.counters["lines_priced"] = static_cast<double>(run.Updated);
    state.counters["not_found"] = static_cast<double>(run.NotFound.size());
}
BENCHMARK(BM_ApplyPrices)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// One entry that names no card: the fast form looks it up, the walk goes to the last
// line of the list.
void BM_PriceMissFast(benchmark::State& state) {
    TCardDatabase& db = loaded();
    const TPriceLookup lookup(db.NameIndex, db.CardLines);
    for (auto _ : state)
        benchmark::DoNotOptimize(UpdateCardPrice(db, lookup, "Bsent Card of Nothing", "1,00"));
}
BENCHMARK(BM_PriceMissFast)->Unit(benchmark::kMicrosecond);

void BM_PriceMissWalk(benchmark::State& state) {
    TCardDatabase& db = loaded();
    for (auto _ : state)
        benchmark::DoNotOptimize(UpdateCardPriceByWalk(db, "Bsent Card of Nothing", "1,00"));
}
BENCHMARK(BM_PriceMissWalk)->Unit(benchmark::kMicrosecond)->Iterations(20);

void BM_RulingsUpdate(benchmark::State& state) {
    TCardDatabase& db = loaded();
    const TBigRulings rulings =
        MakeBigRulings(db.CardLines, envSize("ZANDOR_BENCH_RULINGS", 20000), 500);
    const TRulingsCheck check = CheckRulingsChanges(rulings.Changes, "02/05/17");
    std::size_t lines = 0;
    for (auto _ : state) {
        state.PauseTiming();
        db.RuleLines = rulings.Installed;
        state.ResumeTiming();
        const TRulingsUpdateResult result = UpdateRulings(db, rulings.Changes, check);
        if (!result.Done)
            state.SkipWithError(result.Error.c_str());
        lines = db.RuleLines.size();
    }
    state.counters["summary_lines"] = static_cast<double>(rulings.Installed.size());
    state.counters["changes_lines"] = static_cast<double>(rulings.Changes.size());
    state.counters["result_lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_RulingsUpdate)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    // The price run's target is absolute (at most 1 s with the save); the ratio to the save
    // alone shows how much of it is the pricing.
    return bench::RunWithRatios(
        argc, argv, {{{"BM_ApplyPrices/min_time:3.000", "BM_SaveCardList/min_time:2.000"}, 10.0}});
}
