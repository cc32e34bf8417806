// Reading a pasted text deck list against a card base of 100,000 lines, and the draw odds of
// the statistics window's panel, against parsing every card line once in the same run.
#include "bench/BenchMain.h"
#include "core/UCardDatabase.h"
#include "deck/UTextDeck.h"
#include "stats/UDrawOdds.h"
#include "tools/UBigBase.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

using namespace zandor;

namespace {

std::size_t baseLines() {
    const char* n = std::getenv("ZANDOR_BENCH_LINES");
    return n ? static_cast<std::size_t>(std::strtoul(n, nullptr, 10)) : 100000;
}

const TCardDatabase& loaded() {
    static TCardDatabase db = [] {
        const std::string path =
            (std::filesystem::temp_directory_path() / "zandor-text-deck-bench").string();
        std::filesystem::create_directories(path);
        const TBigBaseInfo info = MakeBigBase(path, baseLines());
        std::printf("card base: %zu lines, %zu editions in %s\n", info.Lines, info.Editions,
                    path.c_str());
        TCardDatabase d;
        LoadCardDatabase(d, path, path);
        return d;
    }();
    return db;
}

// A list of 24 cards spread over the base, as a player pastes one: counts, editions given
// and left out, a sideboard, and two lines that match nothing.
std::vector<std::string> pastedList() {
    const TCardDatabase& db = loaded();
    std::vector<std::string> text{"// pasted from the forum"};
    const std::size_t step = db.CardLines.size() / 24;
    for (std::size_t i = 0; i < 24; ++i) {
        const TZandorCard card = ParseCardLine(db.CardLines[1 + i * step]);
        if (i == 18)
            text.push_back("Sideboard");
        text.push_back(std::to_string(1 + i % 4) + "x " + card.Name +
                       (i % 2 ? " (" + card.Edition.str() + ") 17" : ""));
    }
    text.push_back("3 No Such Card");
    text.push_back("Creatures (20)");
    return text;
}

void BM_ParseEveryLine(benchmark::State& state) {
    const TCardDatabase& db = loaded();
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::ParseEveryLine(db.CardLines));
}
BENCHMARK(BM_ParseEveryLine)->Unit(benchmark::kMillisecond);

void BM_ImportTextDeck(benchmark::State& state) {
    const TCardDatabase& db = loaded();
    const std::vector<std::string> text = pastedList();
    std::size_t placed = 0;
    for (auto _ : state) {
        const TTextDeckImport imported = ImportTextDeck(text, db);
        placed = imported.Lines.size();
        benchmark::DoNotOptimize(placed);
    }
    state.counters["deck lines"] = static_cast<double>(placed);
}
BENCHMARK(BM_ImportTextDeck)->Unit(benchmark::kMillisecond);

// What the odds panel works out for one selected row: 4 copies of a 60-card deck, the
// opening hand and seven turns, at least 1 to 4 copies.
void BM_OddsPanelOfOneRow(benchmark::State& state) {
    for (auto _ : state)
        for (int seen = OpeningHand; seen <= OpeningHand + OddsTurns; ++seen)
            for (int atLeast = 1; atLeast <= OddsMostCopies; ++atLeast)
                benchmark::DoNotOptimize(DrawOddsHundredths(60, 4, seen, atLeast));
}
BENCHMARK(BM_OddsPanelOfOneRow)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return bench::RunWithRatios(argc, argv, {{{"BM_ImportTextDeck", "BM_ParseEveryLine"}, 2.0}});
}
