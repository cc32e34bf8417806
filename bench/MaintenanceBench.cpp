// The database maintenance commands on a card base of 100,000 lines: importing a spoiler
// of 400 cards (sort, save, index), deleting an edition of 400 cards, and one card edit
// with its save; beside them the bare save of the card list, the floor under all three.
#include "bench/BenchMain.h"
#include "core/UCardDatabase.h"
#include "core/UTextFile.h"
#include "maint/UEditCardLogic.h"
#include "maint/UEditionLogic.h"
#include "tools/UBigBase.h"
#include "tools/UBigSpoiler.h"

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

// A folder of its own: the commands rewrite its files.
const std::string& baseDir() {
    static const std::string dir = [] {
        std::string path =
            (std::filesystem::temp_directory_path() / "zandor-big-base-maint").string();
        std::filesystem::create_directories(path);
        const TBigBaseInfo info = MakeBigBase(path, baseLines());
        MakeBigSpoiler(path + "/spoiler.txt", 400);
        std::printf("card base: %zu lines, %zu bytes in %s; spoiler of 400 cards\n", info.Lines,
                    info.Bytes, path.c_str());
        return path;
    }();
    return dir;
}

const TCardDatabase& pristine() {
    static TCardDatabase db = [] {
        TCardDatabase d;
        LoadCardDatabase(d, baseDir(), baseDir());
        return d;
    }();
    return db;
}

TAddEditionRequest importRequest() {
    TAddEditionRequest request;
    request.Name = "Generated Edition";
    request.Key = "QZ";
    request.SpoilerPath = baseDir() + "/spoiler.txt";
    return request;
}

void BM_SaveCardList(benchmark::State& state) {
    const TCardDatabase& db = pristine();
    for (auto _ : state) {
        const TWriteResult written = SaveDataFile(db, CardListFile, db.CardLines);
        if (!written.Ok)
            state.SkipWithError(written.Error.c_str());
    }
}
BENCHMARK(BM_SaveCardList)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ImportSpoiler400(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        TCardDatabase db = pristine();
        state.ResumeTiming();
        const TMaintResult result = AddEdition(db, importRequest());
        if (!result.Ok || result.Count != 400)
            state.SkipWithError(result.Error.c_str());
        state.PauseTiming();
        db = TCardDatabase();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ImportSpoiler400)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_DeleteEdition400(benchmark::State& state) {
    static const TCardDatabase withEdition = [] {
        TCardDatabase db = pristine();
        AddEdition(db, importRequest());
        return db;
    }();
    for (auto _ : state) {
        state.PauseTiming();
        TCardDatabase db = withEdition;
        state.ResumeTiming();
        const TMaintResult result = DeleteEdition(db, "QZ");
        if (!result.Ok || result.Count != 400)
            state.SkipWithError(result.Error.c_str());
        state.PauseTiming();
        db = TCardDatabase();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteEdition400)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_EditCardAndSave(benchmark::State& state) {
    static TCardDatabase db = pristine();
    // A card in the middle of the list, its price changed back and forth.
    const TZandorCard card = ParseCardLine(db.CardLines[db.CardLines.size() / 2]);
    TZandorCard edited = card;
    bool flip = false;
    for (auto _ : state) {
        edited.Value = (flip = !flip) ? "9,99" : card.Value;
        const TMaintResult result = SaveEditedCard(db, card.Name, card.Edition, edited);
        if (!result.Ok)
            state.SkipWithError(result.Error.c_str());
    }
}
BENCHMARK(BM_EditCardAndSave)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

// The targets are absolute: import 400 ms, deletion 300 ms, edit 100 ms. The bare save
// beside them shows how much of each figure is the save itself on the machine as it is.
int main(int argc, char** argv) {
    return bench::RunWithRatios(argc, argv, {});
}
