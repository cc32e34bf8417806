// Decoding art files: good pictures come out 24-bit at their own size, and every kind of
// broken file gives an error value instead of ending the program.
#include "render/UJpeg.h"
#include "tests/testkit/TestKit.h"

#include <gtest/gtest.h>

using namespace zandor;

namespace {

QImage gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 128));
    return image;
}

std::string jpegBytes(const test::TTempDir& dir, const QImage& image) {
    const std::string path = dir.File("p.jpg");
    EXPECT_TRUE(SaveJpegFile(path, image, 90));
    return test::ReadBytes(path);
}

} // namespace

TEST(Jpeg, DecodesAtItsOwnSizeAndReusesThePicture) {
    test::TTempDir dir;
    ASSERT_TRUE(SaveJpegFile(dir.File("a.jpg"), gradient(61, 37), 95));
    QImage image;
    const TJpegResult r = LoadJpegFile(dir.File("a.jpg"), image);
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(image.size(), QSize(61, 37));
    EXPECT_EQ(image.format(), QImage::Format_RGB888);
    const QRgb corner = image.pixel(60, 36);
    EXPECT_NEAR(qRed(corner), 251, 6);
    EXPECT_NEAR(qGreen(corner), 248, 6);
    EXPECT_NEAR(qBlue(corner), 128, 6);
    const uchar* before = image.constBits();
    ASSERT_TRUE(LoadJpegFile(dir.File("a.jpg"), image).Ok);
    EXPECT_EQ(image.constBits(), before);
}

TEST(Jpeg, GreyscaleComesOutAsRgb) {
    test::TTempDir dir;
    QImage grey(20, 10, QImage::Format_Grayscale8);
    grey.fill(200);
    // Qt's own writer keeps one channel for a greyscale picture.
    ASSERT_TRUE(grey.save(QString::fromStdString(dir.File("g.jpg")), "JPG"));
    QImage image;
    ASSERT_TRUE(LoadJpegFile(dir.File("g.jpg"), image).Ok);
    EXPECT_EQ(image.format(), QImage::Format_RGB888);
    EXPECT_NEAR(qRed(image.pixel(5, 5)), 200, 3);
    EXPECT_EQ(qRed(image.pixel(5, 5)), qBlue(image.pixel(5, 5)));
}

TEST(Jpeg, BrokenFilesGiveAnErrorValue) {
    test::TTempDir dir;
    const std::string good = jpegBytes(dir, gradient(200, 150));
    const struct {
        const char* what;
        std::string bytes;
        int decodes; // 0 fails, 1 decodes (a cut picture ends grey), 2 either way
    } cases[] = {
        {"empty", "", 0},
        {"garbage", std::string(300, 'x'), 0},
        {"text named .jpg", "this is not a picture\r\n", 0},
        {"header only", good.substr(0, 2), 0},
        {"cut inside the header", good.substr(0, 100), 0},
        {"cut inside the picture data", good.substr(0, good.size() * 2 / 3), 1},
        {"bytes flipped in the tables",
         [&] {
             std::string b = good;
             for (std::size_t i = 20; i < 200 && i < b.size(); i += 3)
                 b[i] = static_cast<char>(b[i] ^ 0x5a);
             return b;
         }(),
         2},
    };
    for (const auto& c : cases) {
        const std::string path = dir.File("broken.jpg");
        test::WriteBytes(path, c.bytes);
        QImage image;
        const TJpegResult r = LoadJpegFile(path, image);
        if (c.decodes == 1) {
            EXPECT_TRUE(r.Ok) << c.what << ": " << r.Error;
            EXPECT_EQ(image.size(), QSize(200, 150)) << c.what;
        } else if (c.decodes == 0) {
            EXPECT_FALSE(r.Ok) << c.what;
            EXPECT_FALSE(r.Error.empty()) << c.what;
        }
    }
    QImage image;
    EXPECT_FALSE(LoadJpegFile(dir.File("missing.jpg"), image).Ok);
}
