// The resampler against a plain transcription of its rules (contributors, 8.8 weights,
// s div t, s >> 8, clamping), and the edge cases a card face meets.
#include "render/UResample.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace zandor;

namespace {

QImage noise(int width, int height, quint32 seed) {
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < width * 3; ++x)
            line[x] = static_cast<uchar>(random.bounded(256));
    }
    return image;
}

int channelOf(std::int64_t s, std::int64_t t) {
    std::int64_t v;
    if (t != 0)
        v = static_cast<std::int32_t>(s) / static_cast<std::int32_t>(t);
    else
        v = static_cast<std::uint32_t>(static_cast<std::int32_t>(s)) >> 8;
    return static_cast<int>(std::clamp<std::int64_t>(v, 0, 255));
}

// One pass at a time, per channel, with integer division: the rules as written.
QImage reference(int newWidth, int newHeight, int filter, const QImage& source, float radius) {
    TContributorList columns, rows;
    BuildContributors(columns, newWidth, source.width(), filter, radius);
    BuildContributors(rows, newHeight, source.height(), filter, radius);
    std::vector<int> work(static_cast<std::size_t>(newWidth * source.height() * 3));
    for (int y = 0; y < source.height(); ++y)
        for (int i = 0; i < newWidth; ++i)
            for (int c = 0; c < 3; ++c) {
                std::int64_t s = 0, t = 0;
                for (auto e = columns.begin(i); e != columns.end(i); ++e) {
                    s += e->Weight * source.constScanLine(y)[e->Pixel * 3 + c];
                    t += e->Weight;
                }
                work[static_cast<std::size_t>((y * newWidth + i) * 3 + c)] = channelOf(s, t);
            }
    QImage out(newWidth, newHeight, QImage::Format_RGB888);
    for (int x = 0; x < newWidth; ++x)
        for (int i = 0; i < newHeight; ++i)
            for (int c = 0; c < 3; ++c) {
                std::int64_t s = 0, t = 0;
                for (auto e = rows.begin(i); e != rows.end(i); ++e) {
                    s += e->Weight *
                         work[static_cast<std::size_t>((e->Pixel * newWidth + x) * 3 + c)];
                    t += e->Weight;
                }
                out.scanLine(i)[x * 3 + c] = static_cast<uchar>(channelOf(s, t));
            }
    return out;
}

int differingBytes(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width() * 3; ++x)
            count += a.constScanLine(y)[x] != b.constScanLine(y)[x];
    return count;
}

} // namespace

TEST(Resample, MatchesTheRulesForEveryFilterAndDirection) {
    const struct {
        int sw, sh, nw, nh;
    } sizes[] = {{61, 45, 23, 17}, {20, 13, 57, 41}, {200, 7, 9, 33},
                 {3, 2, 40, 5},    {1, 9, 6, 4},     {488, 68, 181, 14}};
    quint32 seed = 1;
    for (const auto& s : sizes) {
        const QImage source = noise(s.sw, s.sh, seed++);
        for (int filter = 0; filter < ResampleFilterCount; ++filter) {
            for (float radius : {0.0f, DefaultSupport(filter) * 1.5f}) {
                const float support = radius > 0 ? radius : DefaultSupport(filter);
                QImage out;
                ResampleImage(s.nw, s.nh, filter, out, source, radius);
                ASSERT_EQ(out.size(), QSize(s.nw, s.nh));
                ASSERT_EQ(out.format(), QImage::Format_RGB888);
                EXPECT_EQ(differingBytes(out, reference(s.nw, s.nh, filter, source, support)), 0)
                    << s.sw << "x" << s.sh << " -> " << s.nw << "x" << s.nh << " filter " << filter
                    << " radius " << support;
            }
        }
    }
}

namespace {

// The seven filters written out again from their formulas, in double precision.
double filterValue(int filter, double x) {
    const double a = std::fabs(x);
    const double pi = 3.14159265358979323846;
    const auto sinc = [pi](double v) { return v == 0.0 ? 1.0 : std::sin(pi * v) / (pi * v); };
    switch (filter) {
    case 0: // box
        return x > -0.5 && x <= 0.5 ? 1.0 : 0.0;
    case 1: // triangle
        return a < 1.0 ? 1.0 - a : 0.0;
    case 2: // Hermite
        return a < 1.0 ? (2.0 * a - 3.0) * a * a + 1.0 : 0.0;
    case 3: // bell
        return a < 0.5 ? 0.75 - a * a : a < 1.5 ? 0.5 * (a - 1.5) * (a - 1.5) : 0.0;
    case 4: // B-spline
        return a < 1.0   ? a * a * a / 2.0 - a * a + 2.0 / 3.0
               : a < 2.0 ? (2.0 - a) * (2.0 - a) * (2.0 - a) / 6.0
                         : 0.0;
    case 5: // Lanczos3
        return a < 3.0 ? sinc(x) * sinc(x / 3.0) : 0.0;
    case 6: // Mitchell, B = C = 1/3
        return a < 1.0   ? (7.0 * a * a * a - 12.0 * a * a + 16.0 / 3.0) / 6.0
               : a < 2.0 ? (-7.0 / 3.0 * a * a * a + 12.0 * a * a - 20.0 * a + 32.0 / 3.0) / 6.0
                         : 0.0;
    }
    return 0.0;
}

// The contributors of one output position by the rules: c = i / s, the radius and weights
// of enlarging or shrinking, halves rounded to even, zero weights skipped, mirrored edges.
std::vector<std::pair<int, int>> expectedWeights(int i, int newSize, int sourceSize, int filter,
                                                 float support) {
    const float s = sourceSize == 1 ? static_cast<float>(newSize)
                                    : static_cast<float>(newSize - 1) / (sourceSize - 1);
    const float c = static_cast<float>(i) / s;
    const bool enlarging = s >= 1.0f;
    const float r = enlarging ? support : support / s;
    std::vector<std::pair<int, int>> weights;
    for (int j = static_cast<int>(std::floor(c - r)); j <= static_cast<int>(std::ceil(c + r));
         ++j) {
        const float distance = c - static_cast<float>(j);
        // The filter's value as a single-precision number, scaled in single precision.
        const float w = enlarging
                            ? static_cast<float>(filterValue(filter, distance)) * 256.0f
                            : static_cast<float>(filterValue(filter, distance * s)) * s * 256.0f;
        const int weight = static_cast<int>(std::nearbyint(w));
        if (weight == 0)
            continue;
        const int pixel = j < 0 ? -j : j >= sourceSize ? 2 * sourceSize - 1 - j : j;
        weights.emplace_back(pixel, weight);
    }
    return weights;
}

} // namespace

TEST(Resample, ContributorWeightsOfEveryFilterFollowItsFormula) {
    // A few small cases per filter, shrinking and enlarging, against weights worked out
    // here from the formulas rather than by the code that builds them.
    const struct { int newSize, sourceSize; } sizes[] = {{7, 20}, {13, 5}, {4, 9}, {16, 16}};
    for (int filter = 0; filter < ResampleFilterCount; ++filter)
        for (const auto& size : sizes) {
            const float support = DefaultSupport(filter);
            TContributorList list;
            BuildContributors(list, size.newSize, size.sourceSize, filter, support);
            ASSERT_EQ(list.Positions.size(), static_cast<std::size_t>(size.newSize));
            for (int i = 0; i < size.newSize; ++i) {
                std::vector<std::pair<int, int>> built;
                for (auto e = list.begin(i); e != list.end(i); ++e)
                    built.emplace_back(e->Pixel, e->Weight);
                const auto expected =
                    expectedWeights(i, size.newSize, size.sourceSize, filter, support);
                ASSERT_EQ(built.size(), expected.size())
                    << "filter " << filter << " " << size.sourceSize << " -> " << size.newSize
                    << " position " << i;
                for (std::size_t k = 0; k < built.size(); ++k) {
                    EXPECT_EQ(built[k].first, expected[k].first)
                        << "filter " << filter << " position " << i << " entry " << k;
                    EXPECT_EQ(built[k].second, expected[k].second)
                        << "filter " << filter << " position " << i << " entry " << k;
                }
            }
        }
    // A few weights worked out by hand. Triangle, 5 -> 13: s = 3, c = 1/3 for i = 1, so
    // pixel 0 weighs (1 - 1/3) * 256 = 170.67 -> 171 and pixel 1 weighs 85.33 -> 85.
    TContributorList list;
    BuildContributors(list, 13, 5, TriangleFilter, 1.0f);
    std::vector<std::pair<int, int>> triangle;
    for (auto e = list.begin(1); e != list.end(1); ++e)
        triangle.emplace_back(e->Pixel, e->Weight);
    EXPECT_EQ(triangle, (std::vector<std::pair<int, int>>{{0, 171}, {1, 85}}));
    // Box, 20 -> 7 shrinking: s = 6/19, each kept pixel weighs s * 256 = 80.84 -> 81.
    BuildContributors(list, 7, 20, BoxFilter, 0.5f);
    for (auto e = list.begin(3); e != list.end(3); ++e)
        EXPECT_EQ(e->Weight, 81) << "pixel " << e->Pixel;
}

TEST(Resample, EnlargingWithTheBoxCopiesTheNearestPixelLowerOnATie) {
    TContributorList list;
    // 4 -> 7: scale 2, centres 0, 0.5, 1, 1.5 ...; a tie goes to the lower pixel.
    BuildContributors(list, 7, 4, BoxFilter, 1.0f);
    const int expected[7] = {0, 0, 1, 1, 2, 2, 3};
    for (int i = 0; i < 7; ++i) {
        ASSERT_EQ(list.Positions[static_cast<std::size_t>(i)].Count, 1) << i;
        EXPECT_EQ(list.begin(i)->Weight, 256) << i;
        EXPECT_EQ(list.begin(i)->Pixel, expected[i]) << i;
    }
}

TEST(Resample, ShrinkingWithTheBoxAveragesTheCoveredPixels) {
    // 210 -> 52: scale 51/209; output column 1 is centred on 209/51 = 4.098 and reaches
    // half the input span of an output pixel (2.049) to each side: pixels 3, 4, 5 and 6.
    TContributorList list;
    BuildContributors(list, 52, 210, BoxFilter, 1.0f);
    std::vector<int> pixels;
    for (auto e = list.begin(1); e != list.end(1); ++e)
        pixels.push_back(e->Pixel);
    EXPECT_EQ(pixels, (std::vector<int>{3, 4, 5, 6}));
    QImage source(210, 300, QImage::Format_RGB888);
    source.fill(Qt::black);
    for (int y = 0; y < 300; ++y)
        for (int x = 5; x < 7; ++x)
            source.setPixel(x, y, qRgb(255, 255, 255));
    QImage out;
    ResampleImage(52, 67, BoxFilter, out, source, 1.0f);
    EXPECT_EQ(qRed(out.pixel(1, 30)), 255 * 2 / 4); // two white of four equal weights
}

TEST(Resample, UniformPicturesStayUniformUpToTheBorders) {
    QImage source(37, 23, QImage::Format_RGB888);
    source.fill(qRgb(17, 130, 240));
    for (int filter = 0; filter < ResampleFilterCount; ++filter)
        for (QSize size : {QSize(11, 7), QSize(90, 61)}) {
            QImage out;
            ResampleImage(size.width(), size.height(), filter, out, source, 0);
            for (int y = 0; y < out.height(); ++y)
                for (int x = 0; x < out.width(); ++x)
                    ASSERT_EQ(out.pixel(x, y), qRgb(17, 130, 240))
                        << "filter " << filter << " at " << x << "," << y;
        }
}

TEST(Resample, Lanczos3OvershootIsClampedAtSharpEdges) {
    QImage source(40, 8, QImage::Format_RGB888);
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 8; ++y)
            source.setPixel(x, y, x < 20 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    QImage out;
    ResampleImage(131, 8, Lanczos3Filter, out, source, 3.0f);
    // Beside the edge the filter rings below 0 and above 255; the ring is cut, not wrapped.
    int black = 0, white = 0;
    for (int x = 0; x < out.width(); ++x) {
        const int v = qRed(out.pixel(x, 4));
        black += v == 0;
        white += v == 255;
        if (x < 55) {
            EXPECT_LT(v, 128) << x;
        }
        if (x > 76) {
            EXPECT_GT(v, 128) << x;
        }
    }
    EXPECT_GT(black, 40);
    EXPECT_GT(white, 40);
    // The raw sums do overshoot there, so the clamp is what keeps 0 and 255.
    TContributorList list;
    BuildContributors(list, 131, 40, Lanczos3Filter, 3.0f);
    bool overshoot = false;
    for (int i = 0; i < 131; ++i) {
        long s = 0, t = 0;
        for (auto e = list.begin(i); e != list.end(i); ++e) {
            s += e->Weight * (e->Pixel < 20 ? 0 : 255);
            t += e->Weight;
        }
        overshoot |= s < 0 || s / t > 255;
    }
    EXPECT_TRUE(overshoot);
}

TEST(Resample, TinySourcesAndTargetsStayInside) {
    QImage column(1, 5, QImage::Format_RGB888);
    for (int y = 0; y < 5; ++y)
        column.setPixel(0, y, qRgb(y * 50, 100, 200 - y * 40));
    QImage out;
    ResampleImage(9, 12, Lanczos3Filter, out, column, 3.0f);
    ASSERT_EQ(out.size(), QSize(9, 12));
    for (int y = 0; y < 12; ++y)
        for (int x = 1; x < 9; ++x)
            EXPECT_EQ(out.pixel(x, y), out.pixel(0, y)) << x << "," << y;
    EXPECT_FLOAT_EQ(ResampleScale(9, 1), 9.0f);

    QImage dot(1, 1, QImage::Format_RGB888);
    dot.fill(qRgb(9, 99, 199));
    for (QSize size : {QSize(1, 1), QSize(1, 7), QSize(5, 1), QSize(2, 2)}) {
        ResampleImage(size.width(), size.height(), BoxFilter, out, dot, 1.0f);
        ASSERT_EQ(out.size(), size);
        EXPECT_EQ(out.pixel(size.width() - 1, size.height() - 1), qRgb(9, 99, 199));
    }
    // One output pixel from a wide source looks at the source's middle.
    QImage bar(9, 3, QImage::Format_RGB888);
    bar.fill(Qt::black);
    for (int y = 0; y < 3; ++y)
        for (int x = 3; x <= 5; ++x)
            bar.setPixel(x, y, qRgb(255, 255, 255));
    ResampleImage(1, 1, BoxFilter, out, bar, 0.1f);
    EXPECT_EQ(out.pixel(0, 0), qRgb(255, 255, 255));
    ResampleImage(0, 5, BoxFilter, out, bar, 1.0f);
    EXPECT_TRUE(out.isNull());
}

TEST(Resample, DestinationMayBeTheSource) {
    QImage image = noise(30, 20, 7);
    const QImage expected = reference(12, 9, Lanczos3Filter, image, 3.0f);
    ResampleImage(12, 9, Lanczos3Filter, image, image, 3.0f);
    EXPECT_EQ(differingBytes(image, expected), 0);
}

TEST(Resample, StretchTakesTheNearestPixelOfItsColumn) {
    QImage source(4, 2, QImage::Format_RGB888);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 2; ++y)
            source.setPixel(x, y, qRgb(x * 60, y * 200, 0));
    QImage target(20, 10, QImage::Format_RGB888);
    target.fill(Qt::white);
    StretchImage(target, QRect(2, 1, 8, 4), source);
    EXPECT_EQ(target.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(target.pixel(2, 1), qRgb(0, 0, 0));
    EXPECT_EQ(target.pixel(5, 1), qRgb(60, 0, 0));
    EXPECT_EQ(target.pixel(9, 4), qRgb(180, 200, 0));
    EXPECT_EQ(target.pixel(10, 4), qRgb(255, 255, 255));
}
