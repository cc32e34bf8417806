// The card face: frame by colour code, art window by stretch method, the text placed
// where the layout says, the edition symbol and its fallback, and the failure paths.
#include "app/UCommandLine.h"
#include "render/UCardFace.h"
#include "render/UCombine.h"
#include "render/UFonts.h"
#include "render/UImageLists.h"
#include "render/UJpeg.h"
#include "render/UPictureFiles.h"
#include "render/URenderCommand.h"
#include "tests/testkit/TestKit.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

using namespace zandor;

namespace {

// Each frame a flat colour with the white art window; the colours are far apart so a
// JPEG round trip cannot confuse them.
const QColor frameColours[8] = {{230, 220, 180}, {40, 80, 200}, {0, 0, 0},      {200, 30, 30},
                                {30, 150, 50},   {140, 90, 40}, {210, 170, 40}, {120, 120, 130}};

bool close(QRgb p, QColor c, int tolerance = 14) {
    return std::abs(qRed(p) - c.red()) <= tolerance &&
           std::abs(qGreen(p) - c.green()) <= tolerance &&
           std::abs(qBlue(p) - c.blue()) <= tolerance;
}

bool whiteish(QRgb p) {
    return qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) > 200;
}

class CardFace : public ::testing::Test {
protected:
    void SetUp() override {
        m_data = m_dir.Path() + "/";
        for (int i = 0; i < 8; ++i) {
            QImage frame(210, 300, QImage::Format_RGB888);
            frame.fill(frameColours[i]);
            QPainter(&frame).fillRect(QRect(14, 19, 181, 144), Qt::white);
            ASSERT_TRUE(SaveJpegFile(
                m_data + std::string(TListImageZandorCard::FrameFiles[static_cast<std::size_t>(i)]),
                frame, 100));
        }
        std::filesystem::create_directories(m_dir.File("pics/TST"));
        m_frames = std::make_unique<TListImageZandorCard>(m_data);
        ASSERT_TRUE(m_frames->Usable()) << m_frames->Error();
    }

    TCardFaceSources sources() const { return {m_frames.get(), m_dir.File("pics"), m_data}; }

    QImage draw(const TZandorCard& card, int stretch = 0) {
        QImage face(210, 300, QImage::Format_RGB888);
        face.fill(Qt::white);
        m_last = DrawCardFace(card, face, stretch, sources());
        return face;
    }

    static TZandorCard card(const char* color = "B") {
        TZandorCard c;
        c.Name = "Test Card";
        c.Edition = "TST";
        c.Color = color;
        c.Rarity = "C";
        c.CardType = "Summon Test";
        return c;
    }

    // Columns of white ink in the rows, within the columns.
    static std::pair<int, int> whiteColumns(const QImage& face, int top, int bottom, int left = 0,
                                            int right = 209) {
        int first = -1, last = -1;
        for (int x = left; x <= right; ++x)
            for (int y = top; y <= bottom; ++y)
                if (whiteish(face.pixel(x, y))) {
                    if (first < 0)
                        first = x;
                    last = x;
                    break;
                }
        return {first, last};
    }

    test::TTempDir m_dir;
    std::string m_data;
    std::unique_ptr<TListImageZandorCard> m_frames;
    TCardFaceResult m_last;
};

} // namespace

TEST_F(CardFace, FrameIsChosenByTheExactColourCode) {
    const struct {
        const char* code;
        int frame; // -1: no frame, the caller's white stays
    } cases[] = {{"W", 0},   {"U", 1},   {"B", 2},  {"R", 3},     {"G", 4}, {"Lnd", 5},
                 {"Gld", 6}, {"Art", 7}, {"w", -1}, {"Land", -1}, {"", -1}};
    for (const auto& c : cases) {
        TZandorCard k = card(c.code);
        k.Name.clear();
        k.CardType.clear();
        const QImage face = draw(k);
        const QRgb border = face.pixel(5, 120);
        if (c.frame >= 0) {
            EXPECT_TRUE(close(border, frameColours[c.frame])) << c.code;
        } else {
            EXPECT_EQ(border & 0xffffff, 0xffffffu) << c.code;
        }
    }
}

TEST_F(CardFace, ArtFillsTheWindowWithEveryStretchMethod) {
    // 300 x 200, blue left half and yellow right half: squeezed to 181 x 144.
    QImage art(300, 200, QImage::Format_RGB888);
    art.fill(QColor(30, 60, 220));
    QPainter(&art).fillRect(QRect(150, 0, 150, 200), QColor(240, 220, 20));
    ASSERT_TRUE(SaveJpegFile(m_dir.File("pics/TST/Test Card.jpg"), art, 100));
    for (int stretch : {StretchStandart, StretchBox, StretchLanczos3}) {
        const QImage face = draw(card("W"), stretch);
        EXPECT_TRUE(m_last.ArtDrawn) << stretch;
        EXPECT_TRUE(close(face.pixel(14, 90), QColor(30, 60, 220))) << stretch;
        EXPECT_TRUE(close(face.pixel(100, 60), QColor(30, 60, 220))) << stretch;
        EXPECT_TRUE(close(face.pixel(110, 60), QColor(240, 220, 20))) << stretch;
        EXPECT_TRUE(close(face.pixel(192, 160), QColor(240, 220, 20))) << stretch;
        // Outside the window the frame stays.
        EXPECT_TRUE(close(face.pixel(13, 90), frameColours[0])) << stretch;
        EXPECT_TRUE(close(face.pixel(195, 90), frameColours[0])) << stretch;
        EXPECT_TRUE(close(face.pixel(100, 163), frameColours[0])) << stretch;
    }
}

TEST_F(CardFace, WithoutArtTheWindowKeepsTheFrame) {
    const QImage face = draw(card("B"));
    EXPECT_FALSE(m_last.ArtFound);
    EXPECT_TRUE(close(face.pixel(100, 100), Qt::white));
}

TEST_F(CardFace, BrokenArtIsReportedAndTheRestOfTheFaceStays) {
    test::WriteBytes(m_dir.File("pics/TST/Test Card.jpg"), "not a jpeg at all");
    TZandorCard k = card("B");
    k.PT = "2/2";
    k.Cost = "1B";
    const QImage face = draw(k);
    EXPECT_TRUE(m_last.ArtFound);
    EXPECT_FALSE(m_last.ArtDrawn);
    EXPECT_NE(m_last.ArtError.find("Test Card.jpg"), std::string::npos) << m_last.ArtError;
    EXPECT_TRUE(close(face.pixel(100, 100), Qt::white));
    EXPECT_GE(whiteColumns(face, 278, 292, 150).second, 195);      // P/T drawn
    EXPECT_FALSE(close(face.pixel(198, 12), frameColours[2], 30)); // cost drawn
}

TEST_F(CardFace, ArtistLineIsCentredOnX105) {
    for (const char* artist : {" Douglas Shuler", "Quinton Hoover", "", " X"}) {
        TZandorCard k = card("B");
        k.Artist = artist;
        const QImage face = draw(k);
        const auto [left, right] = whiteColumns(face, 280, 295, 0, 209);
        ASSERT_GE(left, 0) << artist;
        EXPECT_NEAR((left + right) / 2.0, 105.0, 2.0) << artist;
    }
    // A leading space in the field shows as a space after "Illus.".
    TZandorCard joined = card("B"), spaced = card("B");
    joined.Artist = "Name";
    spaced.Artist = " Name";
    const auto emptyColumns = [](const QImage& face) {
        const auto [left, right] = whiteColumns(face, 280, 295);
        int empty = 0;
        for (int x = left; x <= right; ++x) {
            bool ink = false;
            for (int y = 280; y <= 295; ++y)
                ink |= qRed(face.pixel(x, y)) > 90;
            empty += !ink;
        }
        return empty;
    };
    EXPECT_GT(emptyColumns(draw(spaced)), emptyColumns(draw(joined)) + 1);
}

TEST_F(CardFace, PowerToughnessEndsAtX202) {
    for (const char* pt : {"1/1", "10/10", "*/1+*"}) {
        TZandorCard k = card("B");
        k.PT = pt;
        const auto [left, right] = whiteColumns(draw(k), 278, 292, 120);
        EXPECT_GE(right, 198) << pt;
        EXPECT_LE(right, 202) << pt;
        EXPECT_GT(left, 150) << pt;
    }
    TZandorCard blank = card("B");
    blank.PT = "  ";
    EXPECT_EQ(whiteColumns(draw(blank), 278, 292, 120).first, -1);
}

TEST_F(CardFace, NameAndTypeAreWhiteOverABlackShadow) {
    TZandorCard k = card("U");
    const QImage face = draw(k);
    const auto name = whiteColumns(face, 2, 15, 0, 150);
    const auto type = whiteColumns(face, 166, 180, 0, 150);
    EXPECT_NEAR(name.first, 12, 2);
    EXPECT_NEAR(type.first, 12, 2);
    int shadow = 0;
    for (int x = 12; x < 60; ++x)
        for (int y = 3; y < 16; ++y)
            shadow += qRed(face.pixel(x, y)) < 30 && qBlue(face.pixel(x, y)) < 60;
    EXPECT_GT(shadow, 10);
}

TEST_F(CardFace, EditionCodeIsWrittenInWhiteWhenItsPicturesAreMissing) {
    const QImage face = draw(card("B"));
    const auto [left, right] = whiteColumns(face, 168, 181, 176, 209);
    EXPECT_NEAR(left, 183, 2);
    EXPECT_GT(right, left + 10);
    int top = -1;
    for (int y = 165; y < 185 && top < 0; ++y)
        for (int x = 180; x < 209; ++x)
            if (whiteish(face.pixel(x, y))) {
                top = y;
                break;
            }
    EXPECT_NEAR(top, 170, 3);
}

TEST_F(CardFace, EditionSymbolIsAndedThenOredInverted) {
    // A 10 x 10 silhouette; the rare picture stores NOT gold inside it.
    QImage silhouette(10, 10, QImage::Format_RGB888), colours(10, 10, QImage::Format_RGB888);
    silhouette.fill(Qt::black);
    colours.fill(QColor(255 - 230, 255 - 180, 255 - 40));
    ASSERT_TRUE(silhouette.save(QString::fromStdString(m_data + "TST_os.bmp")));
    ASSERT_TRUE(colours.save(QString::fromStdString(m_data + "TST_R.bmp")));
    TZandorCard k = card("G");
    k.Rarity = "R";
    const QImage face = draw(k);
    EXPECT_EQ(face.pixel(188, 168), qRgb(230, 180, 40));
    EXPECT_EQ(face.pixel(197, 177), qRgb(230, 180, 40));
    EXPECT_TRUE(close(face.pixel(187, 172), frameColours[4]));
    EXPECT_TRUE(close(face.pixel(198, 172), frameColours[4]));
    // A rarity without its picture falls back to the code, over the silhouette.
    k.Rarity = "U";
    const QImage fallback = draw(k);
    EXPECT_GE(whiteColumns(fallback, 168, 181, 176, 209).first, 180);
}

TEST_F(CardFace, AMissingFrameLeavesTheListUnusableAndFacesFrameless) {
    std::filesystem::remove(m_data + "gld.jpg");
    const TListImageZandorCard frames(m_data);
    EXPECT_FALSE(frames.Usable());
    EXPECT_NE(frames.Error().find("gld.jpg"), std::string::npos);
    QImage face(210, 300, QImage::Format_RGB888);
    face.fill(Qt::white);
    DrawCardFace(card("B"), face, 0, {&frames, m_dir.File("pics"), m_data});
    EXPECT_EQ(face.pixel(5, 120) & 0xffffff, 0xffffffu);
    QImage copy;
    EXPECT_FALSE(frames.Copy(0, copy));
}

TEST(ArtFileName, DropsColonsElseSlashes) {
    const struct {
        const char* name;
        const char* edition;
        const char* path;
    } cases[] = {
        {"Ember/Rime (Ember)", "QE", "/p/QE/EmberRime (Ember).jpg"},
        {"Ward of Embers: Red", "QAL", "/p/QAL/Ward of Embers Red.jpg"},
        {"Odd: A/B", "X", "/p/X/Odd A/B.jpg"},
        {"Plain Name", "4ED", "/p/4ED/Plain Name.jpg"},
    };
    for (const auto& c : cases) {
        TZandorCard card;
        card.Name = c.name;
        card.Edition = c.edition;
        EXPECT_EQ(ArtFileName(card, "/p"), c.path);
        EXPECT_EQ(ArtFileName(card, "/p/"), c.path);
    }
}

TEST(BlankCard, LoadsTheBuiltInPicture) {
    QImage blank;
    LoadBlankCard(blank);
    ASSERT_EQ(blank.size(), QSize(210, 300));
    EXPECT_EQ(blank.format(), QImage::Format_RGB888);
    EXPECT_NE(blank.pixel(5, 150), blank.pixel(100, 230)); // not one flat fill
}

TEST_F(CardFace, RenderCommandWritesThePicture) {
    TCardDatabase db;
    db.DataDir = m_data;
    db.PicDir = m_dir.File("pics");
    db.CardLines = {
        "Test Card\tTST\tR\tDeal 1 damage.\tC\t1/1\t\tSummon Test\t1R\tSomeone\t\t\t\t"};
    BuildNameIndex(db.NameIndex, db.CardLines);
    std::ostringstream out, err;
    const std::string png = m_dir.File("face.png");
    EXPECT_EQ(RunRenderCommand(db, "Test Card", "", "lanczos3", png, out, err), 0) << err.str();
    QImage face(QString::fromStdString(png));
    EXPECT_EQ(face.size(), QSize(210, 300));
    EXPECT_TRUE(close(face.pixel(5, 120), frameColours[3]));
    EXPECT_EQ(RunRenderCommand(db, "No Such Card", "", "", png, out, err), 1);
    // Names come in as UTF-8 and are looked up as the card list's Windows-1252 bytes.
    db.CardLines.push_back("\xC6rnwood Gale\tTST\tU\t\tC\t\t\tEnchantment\t3U\t\t\t\t\t");
    BuildNameIndex(db.NameIndex, db.CardLines);
    EXPECT_EQ(RunRenderCommand(db, "\xC3\x86rnwood Gale", "TST", "", png, out, err), 0)
        << err.str();
    EXPECT_TRUE(close(QImage(QString::fromStdString(png)).pixel(5, 120), frameColours[1]));
    EXPECT_EQ(RunRenderCommand(db, "Test Card", "", "bicubic", png, out, err), 2);
}

TEST_F(CardFace, CommandLineRendersFromADataFolder) {
    test::WriteBytes(m_data + "cardlist.dat",
                     "Test Card\tTST\tU\t\tC\t\t\tInstant\tU\t\t\t\t\t\r\n");
    test::WriteBytes(m_data + "Zandor.ini", "[Location]\r\nPic=" + m_dir.File("pics") + "\r\n");
    std::ostringstream out, err;
    const std::string png = m_dir.File("cli.png");
    ASSERT_EQ(RunCommandLine(
                  {"--data", m_dir.Path(), "render", "Test Card", "--stretch", "box", "--out", png},
                  out, err),
              0)
        << err.str();
    QImage face(QString::fromStdString(png));
    EXPECT_TRUE(close(face.pixel(5, 120), frameColours[1]));
    EXPECT_EQ(RunCommandLine({"--data", m_dir.Path(), "render", "Test Card"}, out, err), 2);
}

TEST(Combine, MultipliesAndItsInverseMatchAndAndOrNotOnBlackAndWhite) {
    // Each byte pair, computed independently: a * b / 255 rounded, and its inverse.
    const int bytes[] = {0, 1, 2, 64, 127, 128, 129, 190, 191, 192, 254, 255};
    QImage sources(1, 1, QImage::Format_RGB888);
    for (int a : bytes)
        for (int b : bytes) {
            QImage target(1, 1, QImage::Format_RGB888);
            target.fill(QColor(a, a, a));
            sources.fill(QColor(b, b, b));
            CombineAnd(target, 0, 0, sources);
            const int product = static_cast<int>(std::lround(a * b / 255.0));
            EXPECT_EQ(qRed(target.pixel(0, 0)), product) << a << " x " << b;
            target.fill(QColor(a, a, a));
            CombineOrNot(target, 0, 0, sources);
            const int inverse = 255 - static_cast<int>(std::lround((255 - a) * b / 255.0));
            EXPECT_EQ(qRed(target.pixel(0, 0)), inverse) << a << " or-not " << b;
            if ((a == 0 || a == 255) && (b == 0 || b == 255)) {
                target.fill(QColor(a, a, a));
                CombineAnd(target, 0, 0, sources);
                EXPECT_EQ(qRed(target.pixel(0, 0)), a & b);
                target.fill(QColor(a, a, a));
                CombineOrNot(target, 0, 0, sources);
                EXPECT_EQ(qRed(target.pixel(0, 0)), (a | ~b) & 0xff);
            }
        }
}

TEST(Combine, TextOnAFaintlyTintedFrameHasNoColouredPixel) {
    // A light grey frame whose channels differ by a few units: grey letter edges ANDed
    // bitwise with it come out green or magenta.
    test::TTempDir dir;
    const std::string data = dir.Path() + "/";
    const QColor tint(192, 189, 196);
    for (std::string_view file : TListImageZandorCard::FrameFiles) {
        QImage frame(210, 300, QImage::Format_RGB888);
        frame.fill(tint);
        QPainter(&frame).fillRect(QRect(14, 19, 181, 144), Qt::white);
        ASSERT_TRUE(SaveJpegFile(data + std::string(file), frame, 100));
    }
    const TListImageZandorCard frames(data);
    ASSERT_TRUE(frames.Usable()) << frames.Error();
    TZandorCard k;
    k.Name = "Gloomwater Tinker";
    k.Edition = "TST";
    k.Color = "U";
    k.Rarity = "U";
    k.CardType = "Summon Tinkerer";
    k.Text = "When Gloomwater Tinker comes into play, each player draws a card and then "
             "discards a card at random. Tinkerers you control cannot be blocked by walls.";
    k.Flavor = "\"Every gear remembers the hand that bent it.\"";
    QImage face(210, 300, QImage::Format_RGB888);
    face.fill(Qt::white);
    DrawCardFace(k, face, StretchStandart, {&frames, dir.File("pics"), data});
    const auto spread = [](QRgb p) {
        return std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)});
    };
    const QRect regions[] = {{10, 2, 150, 15}, {10, 166, 150, 15}, {15, 184, 180, 90}};
    for (const QRect& region : regions) {
        int coloured = 0, inked = 0;
        for (int y = region.top(); y <= region.bottom(); ++y)
            for (int x = region.left(); x <= region.right(); ++x) {
                const QRgb p = face.pixel(x, y);
                coloured += spread(p) > 20;
                inked += qGreen(p) < 150;
            }
        EXPECT_EQ(coloured, 0) << "region at y " << region.top();
        EXPECT_GT(inked, 20) << "region at y " << region.top() << " holds no text";
    }
}

TEST(PictureFiles, AreFoundWithoutRegardToLetterCase) {
    test::TTempDir dir;
    std::filesystem::create_directories(dir.File("pics/4e"));
    std::filesystem::create_directories(dir.File("pics/EM"));
    test::WriteBytes(dir.File("pics/4e/Rusted Sentry.JPG"), "a");
    test::WriteBytes(dir.File("pics/EM/cinder hound.jpg"), "b");
    test::WriteBytes(dir.File("pics/EM/Twin.jpg"), "c");
    test::WriteBytes(dir.File("pics/EM/TWIN.jpg"), "d");
    test::WriteBytes(dir.File("pics/EM/\xC3\x86ther Wisp.jpg"), "e"); // "Æther Wisp"
    const std::string pics = dir.File("pics");
    const struct {
        const char* asked;
        const char* found; // "" for none
    } cases[] = {
        {"/4E/Rusted Sentry.jpg", "/4e/Rusted Sentry.JPG"},
        {"/4e/rusted sentry.jpg", "/4e/Rusted Sentry.JPG"},
        {"/4e/Rusted Sentry.JPG", "/4e/Rusted Sentry.JPG"}, // as written
        {"/em/Cinder Hound.jpg", "/EM/cinder hound.jpg"},
        {"/EM/twin.JPG", "/EM/TWIN.jpg"}, // of two, the first in byte order
        {"/EM/Twin.jpg", "/EM/Twin.jpg"}, // the exact name wins
        {"/EM/\xC3\xA6THER WISP.jpg", "/EM/\xC3\x86ther Wisp.jpg"},
        {"/4E/Rusted Sentr.jpg", ""},
        {"/SV/Rusted Sentry.jpg", ""},
        {"/4E", ""}, // a folder is no picture
    };
    for (const auto& c : cases) {
        const std::string expected = *c.found ? pics + c.found : std::string();
        EXPECT_EQ(FindPictureFile(pics + c.asked), expected) << c.asked;
    }
    EXPECT_EQ(FindPictureFile(""), "");
}

TEST(PictureFiles, EachFolderIsListedOnceUntilItChanges) {
    test::TTempDir dir;
    std::filesystem::create_directories(dir.File("pics/ksv"));
    const std::string folder = dir.File("pics/ksv");
    const long long before = PictureFolderListings();
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(FindPictureFile(dir.File("pics/KSV/Card " + std::to_string(i) + ".jpg")), "");
    // The picture folder and the edition folder, each read once for twenty lookups.
    EXPECT_LE(PictureFolderListings() - before, 2);
    // A file added later is found: the folder changed, so it is read again.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    test::WriteBytes(folder + "/card 3.JPG", "x");
    EXPECT_EQ(FindPictureFile(dir.File("pics/KSV/Card 3.jpg")), folder + "/card 3.JPG");
}

TEST_F(CardFace, ArtAndEditionSymbolsAreFoundWhateverTheirCase) {
    QImage art(181, 144, QImage::Format_RGB888);
    art.fill(QColor(30, 60, 220));
    std::filesystem::remove(m_dir.File("pics/TST"));
    std::filesystem::create_directories(m_dir.File("pics/tst"));
    ASSERT_TRUE(SaveJpegFile(m_dir.File("pics/tst/test card.JPG"), art, 100));
    QImage silhouette(10, 10, QImage::Format_RGB888), colours(10, 10, QImage::Format_RGB888);
    silhouette.fill(Qt::black);
    colours.fill(QColor(255 - 230, 255 - 180, 255 - 40));
    ASSERT_TRUE(silhouette.save(QString::fromStdString(m_data + "tst_OS.BMP"), "BMP"));
    ASSERT_TRUE(colours.save(QString::fromStdString(m_data + "Tst_r.bmp"), "BMP"));
    TZandorCard k = card("G");
    k.Rarity = "R";
    const QImage face = draw(k);
    EXPECT_TRUE(m_last.ArtDrawn);
    EXPECT_TRUE(close(face.pixel(100, 90), QColor(30, 60, 220)));
    EXPECT_EQ(face.pixel(188, 168), qRgb(230, 180, 40));
}

namespace {

// A tiny progressive picture whose frame header claims 65500 x 65500 pixels.
std::string pictureBomb(const test::TTempDir& dir) {
    QImage small(16, 16, QImage::Format_RGB888);
    small.fill(Qt::red);
    const std::string path = dir.File("small.jpg");
    EXPECT_TRUE(SaveJpegFile(path, small, 80));
    std::string bytes = test::ReadBytes(path);
    for (std::size_t i = 0; i + 9 < bytes.size(); ++i)
        if (static_cast<unsigned char>(bytes[i]) == 0xFF &&
            static_cast<unsigned char>(bytes[i + 1]) == 0xC0) {
            bytes[i + 1] = static_cast<char>(0xC2); // and call it progressive
            bytes[i + 5] = bytes[i + 7] = static_cast<char>(0xFF);
            bytes[i + 6] = bytes[i + 8] = static_cast<char>(0xDC);
            break;
        }
    return bytes;
}

} // namespace

TEST_F(CardFace, RenderSaysWhatItCouldNotDrawAndEndsWithThree) {
    test::WriteBytes(m_data + "cardlist.dat",
                     "Test Card\tTST\tU\t\tC\t\t\tInstant\tU\t\t\t\t\t\r\n");
    test::WriteBytes(m_data + "Zandor.ini", "[Location]\r\nPic=" + m_dir.File("pics") + "\r\n");
    const auto render = [&](const std::string& png, std::string& err) {
        std::ostringstream out, errors;
        const int code = RunCommandLine(
            {"--data", m_dir.Path(), "render", "Test Card", "--out", png}, out, errors);
        err = errors.str();
        return code;
    };
    std::string err;
    const std::string png = m_dir.File("face.png");
    ASSERT_EQ(render(png, err), 0) << err; // no art file at all is no failure
    const std::string whole = test::ReadBytes(png);

    // The art is a picture bomb: refused, said, the face written without it, status 3.
    test::WriteBytes(m_dir.File("pics/TST/Test Card.jpg"), pictureBomb(m_dir));
    EXPECT_EQ(render(png, err), RenderIncomplete);
    EXPECT_NE(err.find("Test Card.jpg"), std::string::npos) << err;
    EXPECT_NE(err.find("65500x65500"), std::string::npos) << err;
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(210, 300));
    std::filesystem::remove(m_dir.File("pics/TST/Test Card.jpg"));

    // A frame file is missing: said, status 3.
    std::filesystem::remove(m_data + std::string(TListImageZandorCard::FrameFiles[0]));
    EXPECT_EQ(render(png, err), RenderIncomplete);
    EXPECT_NE(err.find("without a frame"), std::string::npos) << err;

    // The picture cannot be written: the system's reason, status 1, the old file whole and
    // no temporary file beside it.
    test::WriteBytes(png, whole);
    std::filesystem::create_directory(m_dir.File("locked"));
    EXPECT_EQ(render(m_dir.File("no/such/folder/face.png"), err), 1);
    EXPECT_NE(err.find("No such file or directory"), std::string::npos) << err;
    EXPECT_EQ(render(m_dir.File("locked") + "/", err), 1);
    EXPECT_NE(err.find("Is a directory"), std::string::npos) << err;
    EXPECT_EQ(test::ReadBytes(png), whole);
    for (const std::string& name : test::ListFolder(m_dir.Path()))
        EXPECT_NE(name.rfind(".face.png.", 0), 0u) << name;
}
