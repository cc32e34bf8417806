// Proxy speed: one proxy face with base and 488 x 680 art at 300 and 600 pixels per inch,
// and a PDF of sixty different cards of the sample base with their art at 300 pixels per
// inch, base on (its file size is reported as a counter). CPU times are of the whole
// process, since Qt scales large pictures on several threads.
#include "bench/BenchMain.h"
#include "core/UCardDatabase.h"
#include "core/UTextFile.h"
#include "deck/UBaseList.h"
#include "render/UCardFace.h"
#include "render/UJpeg.h"
#include "render/UProxyFace.h"
#include "render/UProxyJob.h"
#include "render/URenderCommand.h"
#include "tools/UCardPictures.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <set>

#ifndef ZANDOR_SOURCE_DIR
#define ZANDOR_SOURCE_DIR "."
#endif

using namespace zandor;

namespace {

// A copy of the sample data with its pictures drawn, in a folder of its own.
struct TProxyBench {
    std::string Root;
    TCardDatabase Db;
    TZandorCard Card; // a full card whose art is 488 x 680
    std::vector<std::string> Sixty;
};

TProxyBench& proxyBench() {
    static TProxyBench b = [] {
        TProxyBench bench;
        const auto root = std::filesystem::temp_directory_path() / "zandor-bench-proxy";
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root / "data");
        std::filesystem::copy(std::string(ZANDOR_SOURCE_DIR) + "/data", root / "data",
                              std::filesystem::copy_options::recursive);
        const std::string data = (root / "data").string() + "/";
        const std::string pics = (root / "pics").string();
        MakeSamplePictures(data, pics);
        bench.Root = root.string();
        LoadCardDatabase(bench.Db, bench.Root, data);
        bench.Db.PicDir = pics;

        std::set<std::string> seen;
        for (std::size_t i = 0; i < bench.Db.CardLines.size() && bench.Sixty.size() < 60; ++i) {
            const TZandorCard card = ParseCardLine(bench.Db.CardLines[i]);
            const std::string line = BaseLine(card);
            if (FileExists(ArtFileName(card, pics)) && seen.insert(line).second)
                bench.Sixty.push_back(line);
        }

        bench.Card.Name = "Thornwake Elder";
        bench.Card.Edition = "EM";
        bench.Card.Color = "G";
        bench.Card.Rarity = "R";
        bench.Card.Cost = "1GG";
        bench.Card.CardType = "Summon Treefolk";
        bench.Card.Text = "Other Treefolk you control get +1/+1. | < T > : Add < G > for each "
                          "Treefolk you control. ^";
        bench.Card.Flavor = "The grove keeps every name. & -- Thornwake saying &";
        bench.Card.PT = "2/4";
        bench.Card.Artist = " Ilse Marrow";
        QImage art = MakeCardArt(bench.Card).scaled(488, 680);
        std::filesystem::create_directories(std::filesystem::path(pics) / "EM");
        SaveJpegFile(ArtFileName(bench.Card, pics), art, 85);
        return bench;
    }();
    return b;
}

void BM_DrawProxyFace(benchmark::State& state) {
    TProxyBench& b = proxyBench();
    const int dpi = static_cast<int>(state.range(0));
    const TProxyMetrics m = ProxyMetrics(dpi, dpi, false);
    QImage face(m.CardWidth, m.CardHeight, QImage::Format_RGB888);
    for (auto _ : state) {
        face.fill(Qt::white);
        const TProxyFaceResult r =
            DrawProxyFace(b.Card, face, true, true, false, {b.Db.PicDir, b.Db.DataDir});
        benchmark::DoNotOptimize(r.Complete());
    }
    if (!DrawProxyFace(b.Card, face, true, true, false, {b.Db.PicDir, b.Db.DataDir}).Complete())
        state.SkipWithError("the proxy missed a picture");
}
BENCHMARK(BM_DrawProxyFace)
    ->ArgName("dpi")
    ->Arg(300)
    ->Arg(600)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

void BM_ProxyPdf60(benchmark::State& state) {
    TProxyBench& b = proxyBench();
    const std::string file = b.Root + "/sixty.pdf";
    TProxyJobOptions options;
    options.Base = true;
    int problems = 0;
    TProxyJobHooks hooks;
    hooks.PictureFailed = [&problems](const std::string&) {
        ++problems;
        return true;
    };
    for (auto _ : state) {
        const TProxyJobResult r =
            WriteProxyPdf(b.Db, b.Sixty, file, 300, QPageSize::A4, options, hooks);
        benchmark::DoNotOptimize(r.Pages);
    }
    state.counters["cards"] = static_cast<double>(b.Sixty.size());
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
    if (b.Sixty.size() != 60 || problems > 0)
        state.SkipWithError("the sample base gave fewer than sixty cards with art");
}
BENCHMARK(BM_ProxyPdf60)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    EnsureRenderingApplication();
    return bench::RunWithRatios(argc, argv, {});
}
