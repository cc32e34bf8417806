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
