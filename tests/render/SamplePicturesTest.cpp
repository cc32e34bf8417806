// The sample picture generator: what it writes for a card list, what it leaves alone, and
// that its frames and symbols fit the way the card face combines them.
#include "core/UTextFile.h"
#include "render/UCardFace.h"
#include "render/UImageLists.h"
#include "tests/testkit/TestKit.h"
#include "tools/UCardPictures.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace zandor;

TEST(SamplePictures, OneArtFilePerCardAndSymbolsPerEditionWrittenOnce) {
    test::TTempDir dir;
    const std::string data = dir.Path() + "/";
    test::WriteBytes(data + "cardlist.dat",
                     "Version\t@@\t\tBase 0.8 version\t\t\t\t\t\t\t02.07.01\t\t\t\r\n"
                     "Ember/Rime (Ember)\tQE\tR\t\tU\t\t\tInstant\t1R\t\t\t\t\t\r\n"
                     "Bramble Bears\tQAL\tG\t\tC\t2/2\t\tSummon Bears\t1G\t\t\t\t\t\r\n"
                     "x:/../../../../outside\tQAL\tG\t\tC\t\t\t\t\t\t\t\t\t\r\n");
    const TSampleCount first = MakeSamplePictures(data, data + "pics");
    EXPECT_EQ(first.Cards, 3);
    EXPECT_EQ(first.Frames, 8);
    EXPECT_EQ(first.Symbols, 8);
    EXPECT_EQ(first.Art, 2);
    EXPECT_TRUE(std::filesystem::exists(data + "pics/QE/EmberRime (Ember).jpg"));
    EXPECT_TRUE(std::filesystem::exists(data + "pics/QAL/Bramble Bears.jpg"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/../outside.jpg"));
    for (const char* file : {"QE_os.bmp", "QE_C.bmp", "QE_U.bmp", "QE_R.bmp", "QAL_os.bmp"})
        EXPECT_TRUE(std::filesystem::exists(data + file)) << file;
    const TSampleCount second = MakeSamplePictures(data, data + "pics");
    EXPECT_EQ(second.Frames + second.Symbols + second.Art, 0);

    const TListImageZandorCard frames(data);
    ASSERT_TRUE(frames.Usable()) << frames.Error();
    QImage frame;
    ASSERT_TRUE(frames.Copy(FrameIndex("Lnd"), frame));
    EXPECT_EQ(frame.pixel(100, 90), qRgb(255, 255, 255)); // the art window
    EXPECT_LT(qRed(frame.pixel(100, 10)), 200);           // the dark title bar
}

TEST(SamplePictures, EditionColoursAreWhiteOutsideTheSilhouette) {
    const QImage silhouette = MakeEditionSilhouette("QAL");
    for (const char rarity : {'C', 'U', 'R'}) {
        const QImage colours = MakeEditionColors("QAL", rarity);
        ASSERT_EQ(colours.size(), silhouette.size());
        for (int y = 0; y < silhouette.height(); ++y)
            for (int x = 0; x < silhouette.width(); ++x)
                if (silhouette.pixel(x, y) == qRgb(255, 255, 255)) {
                    ASSERT_EQ(colours.pixel(x, y), qRgb(255, 255, 255)) << rarity << x << "," << y;
                }
    }
    TZandorCard card;
    card.Name = "Bramble Bears";
    const QImage art = MakeCardArt(card);
    EXPECT_GE(art.width(), 181);
    EXPECT_NE(art.pixel(art.width() / 2, 2), art.pixel(art.width() / 2, art.height() - 3));
}

// The bundled sample base, once it is there: every card is drawn with every method, with
// its art and its frame.
TEST(SamplePictures, EveryBundledCardIsDrawnWithItsArt) {
    if (!std::filesystem::exists(std::string(ZANDOR_SOURCE_DIR) + "/data/cardlist.dat"))
        GTEST_SKIP() << "no bundled card list";
    test::TTempDir dir;
    test::CopySampleData(dir.Path());
    const std::string data = dir.Path() + "/";
    MakeSamplePictures(data, data + "pics");
    const TListImageZandorCard frames(data);
    ASSERT_TRUE(frames.Usable()) << frames.Error();
    const auto lines = ReadTextLines(data + "cardlist.dat");
    ASSERT_TRUE(lines.has_value());
    int drawn = 0;
    QImage face;
    for (const std::string& line : *lines) {
        const TZandorCard card = ParseCardLine(line);
        if (card.Edition == "@@")
            continue;
        for (int stretch : {StretchStandart, StretchBox, StretchLanczos3}) {
            face = QImage(210, 300, QImage::Format_RGB888);
            face.fill(Qt::white);
            const TCardFaceResult r =
                DrawCardFace(card, face, stretch, {&frames, data + "pics", data});
            EXPECT_TRUE(r.ArtDrawn) << card.Name << ": " << r.ArtError;
            if (FrameIndex(card.Color.str()) >= 0) {
                EXPECT_NE(face.pixel(5, 120), qRgb(255, 255, 255)) << card.Name;
            }
        }
        ++drawn;
    }
    EXPECT_GT(drawn, 100);
}
