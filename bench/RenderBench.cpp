// Rendering speed: the resampler on the card sizes (the Pillow comparison runs these
// through bench/resample-pillow.py), JPEG decoding against a bare libjpeg-turbo decode of
// the same file in the same run, and whole card faces.
#include "bench/BenchMain.h"
#include "core/UCard.h"
#include "render/UCardFace.h"
#include "render/UImageLists.h"
#include "render/UJpeg.h"
#include "render/URenderCommand.h"
#include "render/UResample.h"
#include "tools/UCardPictures.h"

#include <QDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <jpeglib.h>
#include <map>
#include <vector>

using namespace zandor;

namespace {

// A picture with smooth areas and fine detail, the same for every run; or the file of
// that size in $ZANDOR_BENCH_IMAGES (the Pillow script's images), when given.
const QImage& picture(int width, int height) {
    static std::map<std::pair<int, int>, QImage> pictures;
    auto& image = pictures[{width, height}];
    if (image.isNull()) {
        if (const char* dir = std::getenv("ZANDOR_BENCH_IMAGES"))
            image = QImage(QStringLiteral("%1/%2x%3.ppm").arg(dir).arg(width).arg(height))
                        .convertToFormat(QImage::Format_RGB888);
        if (image.isNull()) {
            image = QImage(width, height, QImage::Format_RGB888);
            std::uint32_t state = 12345;
            for (int y = 0; y < height; ++y) {
                uchar* line = image.scanLine(y);
                for (int x = 0; x < width; ++x) {
                    state = state * 1664525u + 1013904223u;
                    const int noise = static_cast<int>(state >> 28);
                    line[x * 3] = static_cast<uchar>((x * 255 / width + noise) & 255);
                    line[x * 3 + 1] = static_cast<uchar>((y * 255 / height + noise) & 255);
                    line[x * 3 + 2] = static_cast<uchar>(((x + y) & 64 ? 200 : 40) + noise);
                }
            }
        }
    }
    return image;
}

void BM_Resample(benchmark::State& state) {
    const int filter = static_cast<int>(state.range(0));
    const QImage& source =
        picture(static_cast<int>(state.range(1)), static_cast<int>(state.range(2)));
    const int width = static_cast<int>(state.range(3));
    const int height = static_cast<int>(state.range(4));
    const float radius = filter == BoxFilter ? 1.0f : 3.0f;
    QImage out;
    for (auto _ : state) {
        ResampleImage(width, height, filter, out, source, radius);
        benchmark::DoNotOptimize(out.constBits());
    }
}

// The cases of the Pillow comparison: filter, source size, target size.
BENCHMARK(BM_Resample)
    ->ArgNames({"filter", "sw", "sh", "w", "h"})
    ->Args({Lanczos3Filter, 488, 680, 181, 144})
    ->Args({Lanczos3Filter, 1200, 1700, 181, 144})
    ->Args({Lanczos3Filter, 488, 680, 87, 80})
    ->Args({Lanczos3Filter, 488, 680, 1022, 1068})
    ->Args({Lanczos3Filter, 2400, 3400, 1022, 1068})
    ->Args({BoxFilter, 210, 300, 52, 67})
    ->Unit(benchmark::kMillisecond);

const std::vector<unsigned char>& artFile() {
    static const std::vector<unsigned char> bytes = [] {
        const std::string path =
            (std::filesystem::temp_directory_path() / "zandor-bench-art.jpg").string();
        TZandorCard card;
        card.Name = "Bench";
        card.Color = "G";
        QImage art = MakeCardArt(card).scaled(488, 680);
        SaveJpegFile(path, art, 85);
        std::FILE* f = std::fopen(path.c_str(), "rb");
        std::vector<unsigned char> data;
        unsigned char chunk[65536];
        std::size_t got;
        while (f && (got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
            data.insert(data.end(), chunk, chunk + got);
        if (f)
            std::fclose(f);
        return data;
    }();
    return bytes;
}

void BM_JpegDecode(benchmark::State& state) {
    const auto& data = artFile();
    QImage image;
    for (auto _ : state) {
        const TJpegResult r = DecodeJpeg(data.data(), data.size(), image);
        benchmark::DoNotOptimize(r.Ok);
    }
}
BENCHMARK(BM_JpegDecode)->Unit(benchmark::kMillisecond);

// libjpeg-turbo on its own, decoding the same bytes into one buffer kept across calls.
void BM_JpegBareDecode(benchmark::State& state) {
    const auto& data = artFile();
    std::vector<unsigned char> buffer;
    for (auto _ : state) {
        jpeg_decompress_struct info;
        jpeg_error_mgr error;
        info.err = jpeg_std_error(&error);
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
        jpeg_read_header(&info, TRUE);
        info.out_color_space = JCS_RGB;
        jpeg_start_decompress(&info);
        const std::size_t stride = info.output_width * 3;
        buffer.resize(stride * info.output_height);
        while (info.output_scanline < info.output_height) {
            JSAMPROW rows[16];
            unsigned int n = std::min(16u, info.output_height - info.output_scanline);
            for (unsigned int k = 0; k < n; ++k)
                rows[k] = buffer.data() + (info.output_scanline + k) * stride;
            jpeg_read_scanlines(&info, rows, n);
        }
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(BM_JpegBareDecode)->Unit(benchmark::kMillisecond);

// A data folder with frames and symbols and one full card with 488 x 680 art.
struct TFaceBench {
    std::string Data, Pics;
    std::unique_ptr<TListImageZandorCard> Frames;
    TZandorCard Card;
};

const TFaceBench& faceBench() {
    static const TFaceBench bench = [] {
        TFaceBench b;
        const auto root = std::filesystem::temp_directory_path() / "zandor-bench-face";
        b.Data = root.string() + "/";
        b.Pics = (root / "pics").string();
        std::filesystem::create_directories(root / "pics" / "BEN");
        for (std::size_t i = 0; i < TListImageZandorCard::FrameFiles.size(); ++i)
            SaveJpegFile(b.Data + std::string(TListImageZandorCard::FrameFiles[i]),
                         MakeFramePicture(static_cast<int>(i)), 92);
        MakeEditionSilhouette("BEN").save(QString::fromStdString(b.Data + "BEN_os.bmp"));
        MakeEditionColors("BEN", 'R').save(QString::fromStdString(b.Data + "BEN_R.bmp"));
        b.Frames = std::make_unique<TListImageZandorCard>(b.Data);
        b.Card.Name = "Elvish Archdruid";
        b.Card.Edition = "BEN";
        b.Card.Color = "G";
        b.Card.Rarity = "R";
        b.Card.Cost = "1GG";
        b.Card.CardType = "Summon Elf";
        b.Card.Text = "Other Elves you control get +1/+1. | < T > : Add < G > for each Elf you "
                      "control. ^";
        b.Card.Flavor = "The forest remembers every name. & -- Elvish saying &";
        b.Card.PT = "2/2";
        b.Card.Artist = " Someone Else";
        const auto& data = artFile();
        std::FILE* f = std::fopen(ArtFileName(b.Card, b.Pics).c_str(), "wb");
        if (f) {
            std::fwrite(data.data(), 1, data.size(), f);
            std::fclose(f);
        }
        return b;
    }();
    return bench;
}

void BM_DrawCardFace(benchmark::State& state) {
    const TFaceBench& b = faceBench();
    const int stretch = static_cast<int>(state.range(0));
    QImage face(CardWidth, CardHeight, QImage::Format_RGB888);
    for (auto _ : state) {
        face.fill(Qt::white);
        const TCardFaceResult r =
            DrawCardFace(b.Card, face, stretch, {b.Frames.get(), b.Pics, b.Data});
        benchmark::DoNotOptimize(r.ArtDrawn);
    }
}
BENCHMARK(BM_DrawCardFace)
    ->ArgName("stretch")
    ->Arg(StretchStandart)
    ->Arg(StretchBox)
    ->Arg(StretchLanczos3)
    ->Repetitions(5)
    ->ComputeStatistics("min",
                        [](const std::vector<double>& v) {
                            return *std::min_element(v.begin(), v.end());
                        })
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    EnsureRenderingApplication();
    return bench::RunWithRatios(argc, argv, {{{"BM_JpegDecode", "BM_JpegBareDecode"}, 1.1}});
}
