// Loading, indexing and looking up a card base of 100,000 lines, against reading and
// splitting the same file in the same run.
#include "bench/BenchMain.h"
#include "core/UCardDatabase.h"
#include "core/UTextFile.h"
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

const std::string& baseDir() {
    static const std::string dir = [] {
        std::string path = (std::filesystem::temp_directory_path() / "zandor-big-base").string();
        std::filesystem::create_directories(path);
        const TBigBaseInfo info = MakeBigBase(path, baseLines());
        std::printf("card base: %zu lines, %zu bytes in %s\n", info.Lines, info.Bytes,
                    path.c_str());
        return path;
    }();
    return dir;
}

const TCardDatabase& loaded() {
    static TCardDatabase db = [] {
        TCardDatabase d;
        LoadCardDatabase(d, baseDir(), baseDir());
        return d;
    }();
    return db;
}

void BM_LoadResidentMemory(benchmark::State& state) {
    const auto fileBytes =
        static_cast<double>(std::filesystem::file_size(baseDir() + "/cardlist.dat"));
    double ratio = 0;
    for (auto _ : state) {
        const long long before = bench::ResidentBytes();
        auto* db = new TCardDatabase;
        LoadCardDatabase(*db, baseDir(), baseDir());
        // The first lookup builds the exact-name table; count it too.
        benchmark::DoNotOptimize(FindCard(*db, "Version", "@@"));
        const long long after = bench::ResidentBytes();
        ratio = static_cast<double>(after - before) / fileBytes;
        delete db;
    }
    state.counters["rss_per_file_byte"] = ratio;
}
BENCHMARK(BM_LoadResidentMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_RawReadAndSplit(benchmark::State& state) {
    const std::string path = baseDir() + "/cardlist.dat";
    for (auto _ : state) {
        std::string text;
        ReadWholeFile(path, text);
        std::vector<std::string> lines;
        SplitLines(text, lines);
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_RawReadAndSplit)->Unit(benchmark::kMillisecond);

// What `wc -l` does: the file read in 64 KiB pieces into one small buffer, line ends
// counted.
void BM_CountLines(benchmark::State& state) {
    const std::string path = baseDir() + "/cardlist.dat";
    std::vector<char> buffer(1 << 16);
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        std::size_t lines = 0, n;
        while ((n = std::fread(buffer.data(), 1, buffer.size(), file)) > 0)
            for (const char *p = buffer.data(), *end = p + n;
                 (p = static_cast<const char*>(std::memchr(p, '\n', end - p))); ++p)
                ++lines;
        std::fclose(file);
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_CountLines)->Unit(benchmark::kMillisecond);

// A fresh start of `zandor find`: load everything and look up one card.
void BM_LoadAndFindOne(benchmark::State& state) {
    for (auto _ : state) {
        TCardDatabase db;
        LoadCardDatabase(db, baseDir(), baseDir());
        benchmark::DoNotOptimize(FindCard(db, "Version", "@@"));
    }
}
BENCHMARK(BM_LoadAndFindOne)->Unit(benchmark::kMillisecond);

void BM_LoadAndIndex(benchmark::State& state) {
    for (auto _ : state) {
        TCardDatabase db;
        LoadCardDatabase(db, baseDir(), baseDir());
        benchmark::DoNotOptimize(db.NameIndex.size());
    }
}
BENCHMARK(BM_LoadAndIndex)->Unit(benchmark::kMillisecond);

std::vector<std::pair<std::string, std::string>> sampleNames(bool hits) {
    const TCardDatabase& db = loaded();
    std::mt19937 rng(7);
    std::vector<std::pair<std::string, std::string>> names;
    for (int i = 0; i < 1000; ++i) {
        const TZandorCard card = ParseCardLine(db.CardLines[rng() % db.CardLines.size()]);
        names.emplace_back(hits ? card.Name : card.Name + " Xq",
                           hits && i % 2 ? card.Edition.str() : "");
    }
    return names;
}

void BM_FindCardHit(benchmark::State& state) {
    const TCardDatabase& db = loaded();
    const auto names = sampleNames(true);
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& [name, edition] = names[i++ % names.size()];
        benchmark::DoNotOptimize(FindCard(db, name, edition));
    }
}
BENCHMARK(BM_FindCardHit)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_FindCardMiss(benchmark::State& state) {
    const TCardDatabase& db = loaded();
    const auto names = sampleNames(false);
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& [name, edition] = names[i++ % names.size()];
        benchmark::DoNotOptimize(FindCard(db, name, edition));
    }
}
BENCHMARK(BM_FindCardMiss)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PlainCardText(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "<2R>, <T>: target creature gains flying until end of turn.| ^Flavour \\ words ";
    for (auto _ : state)
        benchmark::DoNotOptimize(PlainCardText(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_PlainCardText);

} // namespace

int main(int argc, char** argv) {
    return bench::RunWithRatios(argc, argv,
                                {{{"BM_LoadAndIndex", "BM_RawReadAndSplit"}, 2.0},
                                 {{"BM_LoadAndFindOne", "BM_CountLines"}, 8.0}});
}
