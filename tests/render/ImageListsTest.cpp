// The small artwork cache and the frame list: caching, case-insensitive paths, names
// never cached, Clear, and sizes.
#include "render/UImageLists.h"
#include "render/UJpeg.h"
#include "tests/testkit/TestKit.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace zandor;

namespace {

void writeArt(const std::string& path, QSize size, QColor colour) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    QImage art(size, QImage::Format_RGB888);
    art.fill(colour);
    ASSERT_TRUE(SaveJpegFile(path, art, 95));
}

} // namespace

TEST(SmallArtCache, CachesEachFileOnceWhateverItsCase) {
    test::TTempDir dir;
    const std::string pics = dir.File("pics");
    writeArt(pics + "/QAL/Bramble Bears.jpg", {488, 680}, QColor(20, 160, 40));
    writeArt(pics + "/QAL/Cinderpeak Drake.jpg", {300, 200}, QColor(200, 20, 20));
    TSListImageCard cache;
    EXPECT_EQ(cache.AddArt(pics, "QAL", "Bramble Bears"), 0);
    // The second copy does not decode again: the file is broken by now.
    test::WriteBytes(pics + "/QAL/Bramble Bears.jpg", "garbage");
    EXPECT_EQ(cache.AddArt(pics, "QAL", "Bramble Bears"), 0);
    EXPECT_EQ(cache.AddArt(pics + "/qal/BRAMBLE BEARS.jpg"), 0);
    EXPECT_EQ(cache.AddArt(pics, "QAL", "Cinderpeak Drake"), 1);
    EXPECT_EQ(cache.Count(), 2);
    QImage small;
    ASSERT_TRUE(cache.Copy(1, small));
    EXPECT_EQ(small.size(), QSize(87, 80));
    EXPECT_NEAR(qRed(small.pixel(40, 40)), 200, 8);
    EXPECT_FALSE(cache.Copy(2, small));
    cache.Clear();
    EXPECT_EQ(cache.Count(), 0);
    EXPECT_EQ(cache.AddArt(pics, "QAL", "Cinderpeak Drake"), 0);
}

TEST(SmallArtCache, SplitBracketedMissingAndBrokenFilesAreNotCached) {
    test::TTempDir dir;
    const std::string pics = dir.File("pics");
    writeArt(pics + "/QE/A/B (A).jpg", {100, 100}, Qt::red);
    writeArt(pics + "/QE/Bracket (B).jpg", {100, 100}, Qt::red);
    std::filesystem::create_directories(pics + "/AP");
    test::WriteBytes(pics + "/QE/Broken.jpg", "not a picture");
    TSListImageCard cache;
    EXPECT_EQ(cache.AddArt(pics, "QE", "A/B (A)"), -1);
    EXPECT_EQ(cache.AddArt(pics, "QE", "Bracket (B)"), -1);
    EXPECT_EQ(cache.AddArt(pics + "/QE/Bracket (B).jpg"), -1);
    EXPECT_EQ(cache.AddArt(pics, "QE", "Missing"), -1);
    std::string error;
    EXPECT_EQ(cache.AddArt(pics, "QE", "Broken", &error), -1);
    EXPECT_NE(error.find("Broken.jpg"), std::string::npos) << error;
    EXPECT_EQ(cache.Count(), 0);
}

TEST(FrameImages, FramesOfAnySizeAreStoredAtCardSize) {
    test::TTempDir dir;
    const std::string data = dir.Path() + "/";
    for (std::size_t i = 0; i < TListImageZandorCard::FrameFiles.size(); ++i) {
        const QSize size = i == 0 ? QSize(420, 600) : QSize(210, 300);
        QImage frame(size, QImage::Format_RGB888);
        frame.fill(QColor(static_cast<int>(i) * 30, 100, 100));
        QPainter(&frame).fillRect(QRect(0, 0, size.width() / 2, size.height()), Qt::white);
        ASSERT_TRUE(
            SaveJpegFile(data + std::string(TListImageZandorCard::FrameFiles[i]), frame, 95));
    }
    const TListImageZandorCard frames(data);
    ASSERT_TRUE(frames.Usable()) << frames.Error();
    EXPECT_EQ(frames.Count(), 8);
    QImage picture;
    ASSERT_TRUE(frames.Copy(0, picture));
    EXPECT_EQ(picture.size(), QSize(210, 300));
    EXPECT_GT(qRed(picture.pixel(50, 150)), 240); // left half white
    EXPECT_LT(qRed(picture.pixel(160, 150)), 20); // frame 0 red channel 0
    ASSERT_TRUE(frames.Copy(7, picture));
    EXPECT_NEAR(qRed(picture.pixel(160, 150)), 210, 6);
    EXPECT_FALSE(frames.Copy(8, picture));
    EXPECT_FALSE(frames.Copy(-1, picture));
}

TEST(SmallArtCache, APictureBombOrAFifoIsRefusedAndNotCached) {
    test::TTempDir dir;
    const std::string pics = dir.File("pics");
    writeArt(pics + "/EM/Small.jpg", {16, 16}, Qt::green);
    // The small picture with a frame header that claims 65500 x 65500 pixels.
    std::string bomb = test::ReadBytes(pics + "/EM/Small.jpg");
    for (std::size_t i = 0; i + 9 < bomb.size(); ++i)
        if (static_cast<unsigned char>(bomb[i]) == 0xFF &&
            static_cast<unsigned char>(bomb[i + 1]) == 0xC0) {
            bomb[i + 5] = bomb[i + 7] = static_cast<char>(0xFF);
            bomb[i + 6] = bomb[i + 8] = static_cast<char>(0xDC);
            break;
        }
    test::WriteBytes(pics + "/EM/Bomb.jpg", bomb);
    ASSERT_EQ(::mkfifo((pics + "/EM/Pipe.jpg").c_str(), 0644), 0);
    TSListImageCard cache;
    std::string error;
    EXPECT_EQ(cache.AddArt(pics, "EM", "Bomb", &error), -1);
    EXPECT_NE(error.find("65500x65500"), std::string::npos) << error;
    EXPECT_EQ(cache.AddArt(pics, "EM", "Pipe", &error), -1);
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_EQ(cache.AddArt(pics, "EM", "Small"), 0);
    EXPECT_EQ(cache.Count(), 1);
}
