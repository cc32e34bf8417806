#include "render/UResample.h"

#include <algorithm>
#include <cmath>
#include <cstring>

// The two passes are the hot loops of every card face drawn with "Box" or "Lanczos3";
// they are built once more for AVX2 machines and picked at load time.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define ZANDOR_HOT_LOOP __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define ZANDOR_HOT_LOOP
#endif

namespace zandor {

namespace {

double sinc(double x) {
    if (x == 0.0)
        return 1.0;
    x *= M_PI;
    return std::sin(x) / x;
}

// How one output value leaves its weighted sum s: s div t with a float reciprocal where
// that is exact (0 < t <= 4096, |s| far below 2^24), integer division for any other t,
// and an unsigned shift by 8 bits when the weights sum to 0.
struct TNormaliser {
    enum TMode : std::uint8_t { Reciprocal, Divide, Shift };
    TMode Mode = Reciprocal;
    std::int32_t Sum = 0;
    float Inverse = 0;
};

// A sum of integer weights times byte values stays an integer below 2^24 in magnitude, so
// float arithmetic adds it up exactly. With t <= 4096 the quotient's distance to the next
// integer is at least 1/4096, far more than the float error plus this margin.
constexpr float QuotientMargin = 1.0f / 16384.0f;

TNormaliser makeNormaliser(std::int32_t sum) {
    TNormaliser n;
    n.Sum = sum;
    if (sum > 0 && sum <= 4096) {
        n.Mode = TNormaliser::Reciprocal;
        n.Inverse = 1.0f / static_cast<float>(sum);
    } else if (sum != 0) {
        n.Mode = TNormaliser::Divide;
    } else {
        n.Mode = TNormaliser::Shift;
    }
    return n;
}

float normaliseSlow(float s, const TNormaliser& n) {
    const auto whole = static_cast<std::int32_t>(s);
    std::int64_t value;
    if (n.Mode == TNormaliser::Divide)
        value = whole / n.Sum;
    else
        value = static_cast<std::uint32_t>(whole) >> 8;
    return static_cast<float>(std::clamp<std::int64_t>(value, 0, 255));
}

constexpr int BlockRows = 8;
constexpr int BlockLanes = BlockRows * 3;

struct TWorkspace {
    TContributorList Columns, Rows;
    int ColumnsKey[4] = {-1, -1, -1, -1};
    int RowsKey[4] = {-1, -1, -1, -1};
    std::vector<TNormaliser> ColumnNorms, RowNorms;
    std::vector<float> Block; // 8 source rows, transposed: [x][row][channel]
    std::vector<float> Work;  // the horizontal pass's result, newWidth x source height
    std::vector<float> Sums;  // one output row of the vertical pass
};

TWorkspace& workspace() {
    thread_local TWorkspace w;
    return w;
}

void prepare(TContributorList& list, int (&key)[4], std::vector<TNormaliser>& norms, int newSize,
             int sourceSize, int filter, float support) {
    int supportBits;
    std::memcpy(&supportBits, &support, sizeof supportBits);
    const int wanted[4] = {newSize, sourceSize, filter, supportBits};
    if (std::equal(wanted, wanted + 4, key))
        return;
    BuildContributors(list, newSize, sourceSize, filter, support);
    norms.resize(list.Positions.size());
    for (std::size_t i = 0; i < norms.size(); ++i)
        norms[i] = makeNormaliser(list.Positions[i].WeightSum);
    std::copy(wanted, wanted + 4, key);
}

// Eight floats at a time; on machines without AVX2 the compiler splits them in two. The
// helpers are always inlined: called out of line from the AVX2 copy of a pass, a vector
// argument or result would cross two calling conventions, which crashes an unoptimised
// build.
#if defined(__clang__)
#pragma clang diagnostic ignored "-Wpsabi"
#elif defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif
typedef float TFloats __attribute__((vector_size(32)));
typedef std::int32_t TInts __attribute__((vector_size(32)));

[[gnu::always_inline]] inline TFloats loadFloats(const float* p) {
    TFloats v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

[[gnu::always_inline]] inline void storeFloats(float* p, TFloats v) {
    std::memcpy(p, &v, sizeof v);
}

[[gnu::always_inline]] inline TFloats splat(float f) {
    return TFloats{f, f, f, f, f, f, f, f};
}

// s div t through the reciprocal, clamped to 0..255 and cut toward zero.
[[gnu::always_inline]] inline TFloats normaliseFast(TFloats s, TFloats inverse) {
    TFloats v = s * inverse + splat(QuotientMargin);
    v = v < splat(0.0f) ? splat(0.0f) : v;
    v = v > splat(255.0f) ? splat(255.0f) : v;
    return __builtin_convertvector(__builtin_convertvector(v, TInts), TFloats);
}

ZANDOR_HOT_LOOP
void horizontalPass(const unsigned char* source, qsizetype stride, int sourceWidth,
                    int sourceHeight, const TContributorList& columns, const TNormaliser* norms,
                    int newWidth, float* block, float* work) {
    const qsizetype workStride = static_cast<qsizetype>(newWidth) * 3;
    for (int y0 = 0; y0 < sourceHeight; y0 += BlockRows) {
        const int rows = std::min(BlockRows, sourceHeight - y0);
        // One source pixel's 8 rows side by side: the writes stay within one block entry.
        const unsigned char* lines[BlockRows];
        for (int r = 0; r < BlockRows; ++r)
            lines[r] = source + (y0 + std::min(r, rows - 1)) * stride;
        for (int x = 0; x < sourceWidth; ++x) {
            float* out = block + static_cast<qsizetype>(x) * BlockLanes;
            for (int r = 0; r < BlockRows; ++r) {
                const unsigned char* p = lines[r] + x * 3;
                out[r * 3 + 0] = p[0];
                out[r * 3 + 1] = p[1];
                out[r * 3 + 2] = p[2];
            }
        }
        for (int i = 0; i < newWidth; ++i) {
            TFloats s0 = splat(0), s1 = splat(0), s2 = splat(0);
            for (const TContributorEntry* e = columns.begin(i); e != columns.end(i); ++e) {
                const TFloats weight = splat(static_cast<float>(e->Weight));
                const float* in = block + static_cast<qsizetype>(e->Pixel) * BlockLanes;
                s0 += weight * loadFloats(in);
                s1 += weight * loadFloats(in + 8);
                s2 += weight * loadFloats(in + 16);
            }
            float sums[BlockLanes];
            const TNormaliser& n = norms[i];
            if (n.Mode == TNormaliser::Reciprocal) {
                const TFloats inverse = splat(n.Inverse);
                storeFloats(sums, normaliseFast(s0, inverse));
                storeFloats(sums + 8, normaliseFast(s1, inverse));
                storeFloats(sums + 16, normaliseFast(s2, inverse));
            } else {
                storeFloats(sums, s0);
                storeFloats(sums + 8, s1);
                storeFloats(sums + 16, s2);
                for (int k = 0; k < BlockLanes; ++k)
                    sums[k] = normaliseSlow(sums[k], n);
            }
            float* out = work + y0 * workStride + i * 3;
            for (int r = 0; r < rows; ++r) {
                out[r * workStride + 0] = sums[r * 3 + 0];
                out[r * workStride + 1] = sums[r * 3 + 1];
                out[r * workStride + 2] = sums[r * 3 + 2];
            }
        }
    }
}

ZANDOR_HOT_LOOP
void verticalPass(const float* work, int newWidth, const TContributorList& rows,
                  const TNormaliser* norms, int newHeight, float* sums, unsigned char* destination,
                  qsizetype destinationStride) {
    const qsizetype width = static_cast<qsizetype>(newWidth) * 3;
    const qsizetype vectors = width / 8 * 8;
    for (int i = 0; i < newHeight; ++i) {
        std::fill(sums, sums + width, 0.0f);
        for (const TContributorEntry* e = rows.begin(i); e != rows.end(i); ++e) {
            const float w = static_cast<float>(e->Weight);
            const TFloats weight = splat(w);
            const float* in = work + static_cast<qsizetype>(e->Pixel) * width;
            qsizetype k = 0;
            for (; k < vectors; k += 8)
                storeFloats(sums + k, loadFloats(sums + k) + weight * loadFloats(in + k));
            for (; k < width; ++k)
                sums[k] += w * in[k];
        }
        unsigned char* out = destination + i * destinationStride;
        const TNormaliser& n = norms[i];
        if (n.Mode == TNormaliser::Reciprocal) {
            const TFloats inverse = splat(n.Inverse);
            qsizetype k = 0;
            for (; k < vectors; k += 8) {
                const TInts v =
                    __builtin_convertvector(normaliseFast(loadFloats(sums + k), inverse), TInts);
                for (int j = 0; j < 8; ++j)
                    out[k + j] = static_cast<unsigned char>(v[j]);
            }
            for (; k < width; ++k) {
                float v = sums[k] * n.Inverse + QuotientMargin;
                v = v < 0.0f ? 0.0f : (v > 255.0f ? 255.0f : v);
                out[k] = static_cast<unsigned char>(static_cast<std::int32_t>(v));
            }
        } else {
            for (qsizetype k = 0; k < width; ++k)
                out[k] = static_cast<unsigned char>(normaliseSlow(sums[k], n));
        }
    }
}

} // namespace

float ResampleFilterValue(int filter, float value) {
    const double x = value;
    const double a = std::fabs(x);
    double result = 0.0;
    switch (filter) {
    case BoxFilter:
        result = (x > -0.5 && x <= 0.5) ? 1.0 : 0.0;
        break;
    case TriangleFilter:
        result = a < 1.0 ? 1.0 - a : 0.0;
        break;
    case HermiteFilter:
        result = a < 1.0 ? (2.0 * a - 3.0) * x * x + 1.0 : 0.0;
        break;
    case BellFilter:
        if (a < 0.5)
            result = 0.75 - x * x;
        else if (a < 1.5)
            result = 0.5 * (a - 1.5) * (a - 1.5);
        break;
    case BSplineFilter:
        if (a < 1.0)
            result = a * a * a / 2.0 - x * x + 2.0 / 3.0;
        else if (a < 2.0)
            result = (2.0 - a) * (2.0 - a) * (2.0 - a) / 6.0;
        break;
    case Lanczos3Filter:
        result = a < 3.0 ? sinc(x) * sinc(x / 3.0) : 0.0;
        break;
    case MitchellFilter:
        if (a < 1.0)
            result = (7.0 * a * a * a - 12.0 * x * x + 16.0 / 3.0) / 6.0;
        else if (a < 2.0)
            result = (-7.0 / 3.0 * a * a * a + 12.0 * x * x - 20.0 * a + 32.0 / 3.0) / 6.0;
        break;
    default:
        break;
    }
    return static_cast<float>(result);
}

float DefaultSupport(int filter) {
    static constexpr float supports[ResampleFilterCount] = {0.5f, 1.0f, 1.0f, 1.5f,
                                                            2.0f, 3.0f, 2.0f};
    return filter >= 0 && filter < ResampleFilterCount ? supports[filter] : 1.0f;
}

float ResampleScale(int newSize, int sourceSize) {
    if (sourceSize <= 1 || newSize <= 1)
        return static_cast<float>(newSize) / static_cast<float>(std::max(sourceSize, 1));
    return static_cast<float>(newSize - 1) / static_cast<float>(sourceSize - 1);
}

void BuildContributors(TContributorList& list, int newSize, int sourceSize, int filter,
                       float support) {
    list.Positions.assign(static_cast<std::size_t>(std::max(newSize, 0)), TContributors{});
    list.Entries.clear();
    if (newSize <= 0 || sourceSize <= 0)
        return;
    const float scale = ResampleScale(newSize, sourceSize);
    const bool enlarging = scale >= 1.0f;
    const float width = enlarging ? support : support / scale;
    for (int i = 0; i < newSize; ++i) {
        const float center = newSize == 1 ? static_cast<float>(sourceSize - 1) / 2.0f
                                          : static_cast<float>(i) / scale;
        const int left = static_cast<int>(std::floor(center - width));
        const int right = static_cast<int>(std::ceil(center + width));
        TContributors& position = list.Positions[static_cast<std::size_t>(i)];
        position.First = static_cast<std::int32_t>(list.Entries.size());
        for (int j = left; j <= right; ++j) {
            const float distance = center - static_cast<float>(j);
            float weight;
            if (enlarging)
                weight = ResampleFilterValue(filter, distance) * 256.0f;
            else
                weight = ResampleFilterValue(filter, distance * scale) * scale * 256.0f;
            // nearbyint rounds halves to the even neighbour in the default rounding mode.
            const auto w = static_cast<std::int32_t>(std::nearbyint(weight));
            if (w == 0)
                continue;
            int pixel = j < 0 ? -j : (j >= sourceSize ? 2 * sourceSize - 1 - j : j);
            pixel = std::clamp(pixel, 0, sourceSize - 1);
            list.Entries.push_back({pixel, w});
            position.WeightSum += w;
        }
        position.Count = static_cast<std::int32_t>(list.Entries.size()) - position.First;
    }
}

void ResampleImage(int newWidth, int newHeight, int filter, QImage& destination,
                   const QImage& source, float radius) {
    if (newWidth < 1 || newHeight < 1 || source.isNull()) {
        destination = QImage();
        return;
    }
    // A shallow copy keeps the source alive when destination is the same picture.
    const QImage input = source.format() == QImage::Format_RGB888
                             ? source
                             : source.convertToFormat(QImage::Format_RGB888);
    const float support = radius > 0.0f ? radius : DefaultSupport(filter);
    TWorkspace& w = workspace();
    prepare(w.Columns, w.ColumnsKey, w.ColumnNorms, newWidth, input.width(), filter, support);
    prepare(w.Rows, w.RowsKey, w.RowNorms, newHeight, input.height(), filter, support);

    const std::size_t workSize =
        static_cast<std::size_t>(newWidth) * 3 * static_cast<std::size_t>(input.height());
    if (w.Work.size() < workSize)
        w.Work.resize(workSize);
    const std::size_t blockSize = static_cast<std::size_t>(input.width()) * BlockLanes;
    if (w.Block.size() < blockSize)
        w.Block.resize(blockSize);
    if (w.Sums.size() < static_cast<std::size_t>(newWidth) * 3)
        w.Sums.resize(static_cast<std::size_t>(newWidth) * 3);

    horizontalPass(input.constBits(), input.bytesPerLine(), input.width(), input.height(),
                   w.Columns, w.ColumnNorms.data(), newWidth, w.Block.data(), w.Work.data());

    if (destination.width() != newWidth || destination.height() != newHeight ||
        destination.format() != QImage::Format_RGB888 || destination.isNull())
        destination = QImage(newWidth, newHeight, QImage::Format_RGB888);
    unsigned char* out = destination.bits();
    verticalPass(w.Work.data(), newWidth, w.Rows, w.RowNorms.data(), newHeight, w.Sums.data(), out,
                 destination.bytesPerLine());
}

void StretchImage(QImage& target, const QRect& rect, const QImage& source) {
    if (rect.width() <= 0 || rect.height() <= 0 || source.isNull() || target.isNull())
        return;
    const bool wide = target.format() == QImage::Format_RGB32;
    if (!wide && target.format() != QImage::Format_RGB888)
        target = target.convertToFormat(QImage::Format_RGB888);
    const QImage input = source.format() == QImage::Format_RGB888
                             ? source
                             : source.convertToFormat(QImage::Format_RGB888);
    const QRect area = rect.intersected(target.rect());
    if (area.isEmpty())
        return;
    thread_local std::vector<int> columns;
    columns.resize(static_cast<std::size_t>(area.width()));
    for (int x = area.left(); x <= area.right(); ++x)
        columns[static_cast<std::size_t>(x - area.left())] = static_cast<int>(
            static_cast<long long>(x - rect.left()) * input.width() / rect.width() * 3);
    const int width = area.width();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const int sy = static_cast<int>(static_cast<long long>(y - rect.top()) * input.height() /
                                        rect.height());
        const unsigned char* in = input.constScanLine(sy);
        if (wide) {
            auto* out = reinterpret_cast<QRgb*>(target.scanLine(y)) + area.left();
            for (int k = 0; k < width; ++k) {
                const unsigned char* p = in + columns[static_cast<std::size_t>(k)];
                out[k] = qRgb(p[0], p[1], p[2]);
            }
        } else {
            unsigned char* out = target.scanLine(y) + area.left() * 3;
            for (int k = 0; k < width; ++k) {
                const unsigned char* p = in + columns[static_cast<std::size_t>(k)];
                out[k * 3 + 0] = p[0];
                out[k * 3 + 1] = p[1];
                out[k * 3 + 2] = p[2];
            }
        }
    }
}

} // namespace zandor
