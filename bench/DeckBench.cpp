// The deck editor's base-list work on a card base of 100,000 lines: the filter run, a
// find-as-you-type keystroke and the select-all search, against parsing every card line
// once in the same run.
#include "bench/BenchMain.h"
#include "core/UCardDatabase.h"
#include "core/UTextFile.h"
#include "deck/UBaseList.h"
#include "deck/UCardFilter.h"
#include "deck/UDeckFile.h"
#include "deck/UFindCardLogic.h"
#include "tools/UBigBase.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>

using namespace zandor;

namespace {

std::size_t baseLines() {
    const char* n = std::getenv("ZANDOR_BENCH_LINES");
    return n ? static_cast<std::size_t>(std::strtoul(n, nullptr, 10)) : 100000;
}

// A folder of its own: confirming the filter writes its settings file.
TCardDatabase& loaded() {
    static TCardDatabase db = [] {
        const std::string path =
            (std::filesystem::temp_directory_path() / "zandor-deck-bench").string();
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

void BM_ParseEveryLine(benchmark::State& state) {
    const TCardDatabase& db = loaded();
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::ParseEveryLine(db.CardLines));
}
BENCHMARK(BM_ParseEveryLine)->Unit(benchmark::kMillisecond);

// The least a filter can do: the card list file read into one buffer (kept between runs,
// so that no fresh memory is touched) and split at line ends and TABs with memchr.
void BM_RawReadAndSplit(benchmark::State& state) {
    const std::string path = loaded().DataDir + "cardlist.dat";
    std::string text;
    std::vector<std::string_view> lines;
    for (auto _ : state) {
        ReadWholeFile(path, text);
        lines.clear();
        std::size_t fields = 0;
        const char* p = text.data();
        const char* const end = p + text.size();
        while (p < end) {
            const auto* lf = static_cast<const char*>(std::memchr(p, '\n', end - p));
            const char* stop = lf ? lf : end;
            lines.emplace_back(p, static_cast<std::size_t>(stop - p));
            for (const char* q = p; (q = static_cast<const char*>(std::memchr(q, '\t', stop - q)));
                 ++q)
                ++fields;
            p = stop + 1;
        }
        benchmark::DoNotOptimize(fields);
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_RawReadAndSplit)->Unit(benchmark::kMillisecond);

// The filter run alone over the loaded list, with the filter read once.
void BM_FilterLines(benchmark::State& state) {
    TCardDatabase& db = loaded();
    TCardFilter filter = TCardFilter::FromSettings(db.Settings);
    filter.State.Colors[ciRed] = false; // something to filter out
    std::size_t kept = 0;
    for (auto _ : state) {
        const std::vector<std::string> base =
            FilterBase(db.CardLines, filter, [](std::size_t n) { benchmark::DoNotOptimize(n); });
        kept = base.size();
    }
    state.counters["lines"] = static_cast<double>(kept);
}
BENCHMARK(BM_FilterLines)->Unit(benchmark::kMillisecond);

// From the filter dialog's OK to the new list and its first-letter list: save the dialog,
// load it again, run the filter.
void BM_FilterBase(benchmark::State& state) {
    TCardDatabase& db = loaded();
    TFilterDialogModel dialog;
    dialog.Load(db.Settings);
    dialog.State.Colors[ciRed] = false; // something to filter out
    TBaseList list;
    for (auto _ : state) {
        dialog.Save(db.Settings);
        dialog.Load(db.Settings);
        list.SetLines(FilterBase(db, [](std::size_t n) { benchmark::DoNotOptimize(n); }));
        benchmark::DoNotOptimize(list.size());
    }
    state.counters["lines"] = static_cast<double>(list.size());
    dialog.State.Colors[ciRed] = true; // the searches below use the whole base
    dialog.Save(db.Settings);
}
BENCHMARK(BM_FilterBase)->Unit(benchmark::kMillisecond);

// One keystroke in the find box: the lookup of the text typed so far in the whole base.
void BM_FindAsYouType(benchmark::State& state) {
    const TCardDatabase& db = loaded();
    TBaseList list;
    list.SetLines(AllBaseLines(db.CardLines));
    std::mt19937 rng(3);
    std::vector<std::string> typed;
    for (int i = 0; i < 500; ++i) {
        const std::string name = SplitBaseLine(list[rng() % list.size()]).Name;
        typed.push_back(name.substr(0, 1 + rng() % name.size()));
        typed.push_back(name + "zz"); // past every name of its letter
    }
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(list.Find(typed[i++ % typed.size()]).Index);
}
BENCHMARK(BM_FindAsYouType)->Unit(benchmark::kMicrosecond);

void selectAll(benchmark::State& state, const char* term1, const char* term2, bool whole) {
    const TCardDatabase& db = loaded();
    TBaseList list;
    list.SetLines(AllBaseLines(db.CardLines));
    TCardSearch search;
    search.Options.Find1 = term1;
    search.Options.Find2 = term2;
    search.Options.Operator = TFindOperator::Or;
    search.Options.SelectMatch = true;
    search.Options.MatchWhole = whole;
    std::size_t found = 0;
    for (auto _ : state) {
        search.Start(list, db);
        found = list.size();
        search.End(list);
    }
    state.counters["found"] = static_cast<double>(found);
}

void BM_SelectAllRareTerm(benchmark::State& state) {
    selectAll(state, "wyrm", "", false);
}
BENCHMARK(BM_SelectAllRareTerm)->Unit(benchmark::kMillisecond);

// Terms found on most lines: nearly every line is parsed and its fields searched.
void BM_SelectAllCommonTerms(benchmark::State& state) {
    selectAll(state, "flying", "damage", true);
}
BENCHMARK(BM_SelectAllCommonTerms)->Unit(benchmark::kMillisecond);

// Old-deck conversion of 1,000 edition-less lines against a catalogue of 100,000 codes
// whose real editions come last, the worst order for trying every code in turn.
const TCardDatabase& convertBase() {
    static TCardDatabase db = [] {
        const std::string path =
            (std::filesystem::temp_directory_path() / "zandor-deck-bench").string();
        loaded();
        TCardDatabase d;
        LoadCardDatabase(d, path, path);
        const std::vector<std::string> real = d.Settings.ReadSection("Edition");
        std::string ini = "[Edition]\r\n";
        for (int n = 0; n < 100000; ++n)
            ini += "f" + std::to_string(n) + "=Filler\r\n";
        for (const std::string& code : real)
            ini += code + "=Real\r\n";
        const std::string file = path + "/convert-bench.ini";
        if (std::FILE* f = std::fopen(file.c_str(), "wb")) {
            std::fwrite(ini.data(), 1, ini.size(), f);
            std::fclose(f);
        }
        d.Settings.Open(file);
        return d;
    }();
    return db;
}

std::vector<std::string> oldDeck(const TCardDatabase& db) {
    std::vector<std::string> lines;
    std::mt19937 random(7);
    for (int n = 0; n < 1000; ++n) {
        const std::string_view line = db.CardLines[random() % db.CardLines.size()];
        lines.push_back(" 2 " + std::string(line.substr(0, line.find('\t'))));
    }
    return lines;
}

void BM_ConvertOldDeck(benchmark::State& state) {
    const TCardDatabase& db = convertBase();
    const std::vector<std::string> deck = oldDeck(db);
    for (auto _ : state)
        benchmark::DoNotOptimize(ConvertOldDeck(deck, db));
}
BENCHMARK(BM_ConvertOldDeck)->Unit(benchmark::kMillisecond);

// Every code tried for every line: seconds, so it runs once.
void BM_ConvertOldDeckByEveryCode(benchmark::State& state) {
    const TCardDatabase& db = convertBase();
    const std::vector<std::string> deck = oldDeck(db);
    for (auto _ : state)
        benchmark::DoNotOptimize(ConvertOldDeckByEveryCode(deck, db));
}
BENCHMARK(BM_ConvertOldDeckByEveryCode)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    return bench::RunWithRatios(argc, argv,
                                {{{"BM_FilterLines", "BM_RawReadAndSplit"}, 2.0},
                                 {{"BM_FilterBase", "BM_ParseEveryLine"}, 3.0},
                                 {{"BM_SelectAllRareTerm", "BM_ParseEveryLine"}, 1.0},
                                 {{"BM_SelectAllCommonTerms", "BM_ParseEveryLine"}, 3.0}});
}
