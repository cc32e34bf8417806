// Decoding art files: good pictures come out 24-bit at their own size, and every kind of
// broken file gives an error value instead of ending the program.
#include "render/UJpeg.h"
#include "tests/testkit/TestKit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <jpeglib.h>
#include <sys/resource.h>
#include <sys/stat.h>

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

namespace {

// A small progressive JPEG made here with libjpeg, so that the test needs no picture file.
std::string progressiveBytes(int width, int height) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    const QImage picture = gradient(width, height);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(picture.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

// The same file with a frame header that claims another size: the scans stay those of the
// small picture, as in a picture bomb.
std::string withClaimedSize(std::string bytes, int width, int height) {
    for (std::size_t i = 0; i + 9 < bytes.size(); ++i) {
        const unsigned char marker = static_cast<unsigned char>(bytes[i + 1]);
        if (static_cast<unsigned char>(bytes[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            bytes[i + 5] = static_cast<char>(height >> 8);
            bytes[i + 6] = static_cast<char>(height & 0xFF);
            bytes[i + 7] = static_cast<char>(width >> 8);
            bytes[i + 8] = static_cast<char>(width & 0xFF);
            return bytes;
        }
    }
    ADD_FAILURE() << "no frame header";
    return bytes;
}

long peakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

TEST(Jpeg, PictureBombsAreRefusedFromTheHeaderWithoutTheAllocation) {
    const std::string small = progressiveBytes(32, 24);
    QImage image;
    ASSERT_TRUE(
        DecodeJpeg(reinterpret_cast<const unsigned char*>(small.data()), small.size(), image).Ok);
    EXPECT_EQ(image.size(), QSize(32, 24));

    const struct {
        const char* what;
        int width, height;
        bool progressive;
    } bombs[] = {
        {"progressive 65500 x 65500", 65500, 65500, true},
        {"baseline 65500 x 65500", 65500, 65500, false},
        {"progressive 8000 x 6000: sides allowed, 48 megapixels not", 8000, 6000, true},
        {"progressive 12001 x 8: one side too long", 12001, 8, true},
    };
    const std::string baseline = jpegBytes(test::TTempDir(), gradient(32, 24));
    for (const auto& bomb : bombs) {
        const std::string bytes =
            withClaimedSize(bomb.progressive ? small : baseline, bomb.width, bomb.height);
        const long before = peakResidentKb();
        QImage out;
        const TJpegResult r =
            DecodeJpeg(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), out);
        EXPECT_FALSE(r.Ok) << bomb.what;
        const std::string size = std::to_string(bomb.width) + "x" + std::to_string(bomb.height);
        EXPECT_NE(r.Error.find(size), std::string::npos) << bomb.what << ": " << r.Error;
        // The coefficient buffer of the forged frame alone would be gigabytes; the refusal
        // comes before it, so the peak stays where it was.
        EXPECT_LT(peakResidentKb() - before, 32 * 1024) << bomb.what;
        EXPECT_TRUE(out.isNull()) << bomb.what;
    }
}

TEST(Jpeg, AProgressivePictureOfEndlessScansIsRefused) {
    // The last scan repeated: libjpeg only warns about a repeated scan and would go on
    // passing over the whole picture for every one of them.
    const std::string bytes = progressiveBytes(32, 24);
    const std::size_t lastScan = bytes.rfind("\xFF\xDA");
    const std::size_t end = bytes.rfind("\xFF\xD9");
    ASSERT_NE(lastScan, std::string::npos);
    ASSERT_NE(end, std::string::npos);
    const std::string scan = bytes.substr(lastScan, end - lastScan);
    std::string endless = bytes.substr(0, end);
    for (int k = 0; k < MaxJpegScans + 50; ++k)
        endless += scan;
    endless += "\xFF\xD9";
    QImage out;
    const TJpegResult r =
        DecodeJpeg(reinterpret_cast<const unsigned char*>(endless.data()), endless.size(), out);
    EXPECT_FALSE(r.Ok);
    EXPECT_NE(r.Error.find("scans"), std::string::npos) << r.Error;
    // A few repeats are still a picture.
    std::string some = bytes.substr(0, end) + scan + scan + "\xFF\xD9";
    EXPECT_TRUE(
        DecodeJpeg(reinterpret_cast<const unsigned char*>(some.data()), some.size(), out).Ok);
}

TEST(Jpeg, FilesThatAreNoRegularFileAreRefusedWithTheReason) {
    test::TTempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("fifo.jpg").c_str(), 0644), 0);
    std::filesystem::create_directories(dir.File("folder.jpg"));
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {dir.File("fifo.jpg"), "not a regular file"},
        {dir.File("folder.jpg"), "is a folder"},
        {"/dev/zero", "not a regular file"},
        {dir.File("missing.jpg"), "No such file"},
    };
    for (const auto& c : cases) {
        QImage image;
        const TJpegResult r = LoadJpegFile(c.path, image);
        EXPECT_FALSE(r.Ok) << c.path;
        EXPECT_NE(r.Error.find(c.reason), std::string::npos) << c.path << ": " << r.Error;
    }
}
