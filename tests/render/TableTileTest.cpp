// The table tile: icons, counter marks, turning, face-down backs, cut-off tiles, the split
// tile, the failures the table must survive, and the tile command over the sample cards.
#include "core/UCardDatabase.h"
#include "core/UCodePage.h"
#include "render/UCombine.h"
#include "render/UImageLists.h"
#include "render/UJpeg.h"
#include "render/UTableTile.h"
#include "render/UTileCommand.h"
#include "tests/testkit/TestKit.h"
#include "tools/UCardPictures.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace zandor;

namespace {

TMCardPlay playOf(const std::string& name, const std::string& color, const std::string& pt,
                  const std::string& keywords = "") {
    TMCardPlay play;
    play.Card.Name = name;
    play.Card.Edition = "TQ";
    play.Card.Color = color;
    play.Card.PT = pt;
    play.Keywords = keywords;
    return play;
}

QImage tileOf(const TMCardPlay& play, const TTileSources& sources = {}) {
    QImage tile;
    const TTileResult result = DrawTableTile(play, tile, QRect(0, 0, 100, 100), sources);
    EXPECT_TRUE(result.Drawn) << result.Error;
    return tile.convertToFormat(QImage::Format_RGB32);
}

QImage withPictures(QImage base, const std::vector<std::pair<QPoint, QImage>>& pictures) {
    QPainter p(&base);
    for (const auto& [at, picture] : pictures)
        p.drawImage(at, picture);
    return base;
}

// A folder with the counter mark, as the picture generator writes it.
struct TMarkFolder {
    test::TTempDir Dir;
    std::string Data = Dir.Path() + "/";
    TMarkFolder() {
        MakeCounterMark()
            .convertToFormat(QImage::Format_RGB888)
            .save(QString::fromStdString(Data + "caynt1.bmp"), "BMP");
    }
};

} // namespace

TEST(TableTile, ManaIconsStandAtTheirColumnsOfTheTopRow) {
    const struct {
        const char* Token;
        const char* Icon;
        int Left;
    } cases[] = {{"_MU_", "UMANA", 44}, {"_MB_", "BMANA", 35}, {"_MR_", "RMANA", 62},
                 {"_MG_", "GMANA", 53}, {"_MW_", "WMANA", 71}, {"_MART_", "ARTMANA", 26}};
    // No name, so that nothing is drawn over the icons.
    const QImage base = tileOf(playOf("", "Lnd", ""));
    for (const auto& c : cases) {
        const QImage tile = tileOf(playOf("", "Lnd", "", std::string("x") + c.Token + "y"));
        EXPECT_EQ(tile, withPictures(base, {{QPoint(c.Left, 0), TilePicture(c.Icon)}})) << c.Token;
        EXPECT_NE(tile, base) << c.Token;
    }
}

TEST(TableTile, AbilityIconsFillOneRowInTableOrderOnlyForCreatures) {
    const struct {
        const char* Keywords;
        std::vector<const char*> Icons;
    } cases[] = {
        {"_FL__TR_", {"FLY", "TRAMPLE"}},
        {"_TR_ _FL_", {"FLY", "TRAMPLE"}},
        {"_FL_ _FS_", {"FIS", "FLY"}},
        {"_WR_", {"MWALK"}},
        {"_PG__REG__WB_", {"BWALK", "REGEN", "PROTG"}},
    };
    const QImage base = tileOf(playOf("", "G", "2/2"));
    for (const auto& c : cases) {
        std::vector<std::pair<QPoint, QImage>> expected;
        for (std::size_t k = 0; k < c.Icons.size(); ++k)
            expected.push_back({QPoint(1 + 17 * static_cast<int>(k), 83), TilePicture(c.Icons[k])});
        EXPECT_EQ(tileOf(playOf("", "G", "2/2", c.Keywords)), withPictures(base, expected))
            << c.Keywords;
    }
    // A land with a mana token and a flying token shows the mana icon and no ability row.
    const QImage land = tileOf(playOf("", "Lnd", "", "_MG__FL_"));
    EXPECT_EQ(land,
              withPictures(tileOf(playOf("", "Lnd", "")), {{QPoint(53, 0), TilePicture("GMANA")}}));
}

TEST(TableTile, CounterRowsAreCentredAndSqueezedAboveThreeMarks) {
    EXPECT_EQ(CounterMarkLefts(3), (std::vector<int>{23, 41, 59}));
    EXPECT_EQ(CounterMarkLefts(5), (std::vector<int>{14, 28, 42, 56, 70}));
    EXPECT_EQ(CounterMarkLefts(1), (std::vector<int>{41}));
    EXPECT_TRUE(CounterMarkLefts(0).empty());
    EXPECT_TRUE(CounterMarkLefts(-2).empty());

    TMarkFolder folder;
    const TTileSources sources{"", folder.Data, nullptr};
    QImage mark(folder.Data.c_str() + QString("caynt1.bmp"));
    ASSERT_FALSE(mark.isNull());
    // White is the mark's transparent colour.
    mark = mark.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < mark.height(); ++y)
        for (int x = 0; x < mark.width(); ++x)
            if ((mark.pixel(x, y) & 0xffffff) == 0xffffff)
                mark.setPixel(x, y, 0);
    TMCardPlay play = playOf("Moss Vat", "G", "");
    const QImage base = tileOf(play, sources);
    const struct {
        const char* Counters;
        std::vector<int> Lefts;
    } cases[] = {{"3", {23, 41, 59}},
                 {"5", {14, 28, 42, 56, 70}},
                 {"0", {}},
                 {"x", {}},
                 {"", {}},
                 {"2b", {}},
                 {"-4", {}}};
    for (const auto& c : cases) {
        play.Counters = c.Counters;
        std::vector<std::pair<QPoint, QImage>> marks;
        for (int left : c.Lefts)
            marks.push_back({QPoint(left, 30), mark});
        EXPECT_EQ(tileOf(play, sources), withPictures(base, marks)) << c.Counters;
    }
}

TEST(TableTile, MissingCounterMarkIsAnErrorButTheTileIsDrawn) {
    test::TTempDir dir;
    TMCardPlay play = playOf("Moss Vat", "G", "");
    play.Counters = "2";
    QImage tile;
    const TTileResult result =
        DrawTableTile(play, tile, QRect(0, 0, 100, 100), {"", dir.Path() + "/", nullptr});
    EXPECT_TRUE(result.Drawn);
    EXPECT_NE(result.Error.find("caynt1.bmp"), std::string::npos) << result.Error;
    play.Counters.clear();
    EXPECT_EQ(tile.convertToFormat(QImage::Format_RGB32), tileOf(play));
}

TEST(TableTile, TappedIsTheUntappedTileTurnedAndFaceDownStaysUpright) {
    TMCardPlay play = playOf("Cinder Whelp", "R", "2/1", "_FL_");
    const QImage upright = tileOf(play);
    play.Untapped = 0;
    QImage turned = upright;
    RotateQuarter(turned);
    EXPECT_EQ(tileOf(play), turned);
    EXPECT_NE(turned, upright);

    play.FaceDown = 1;
    const QImage back = TilePicture("FDOWN").convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(tileOf(play), back);
    play.Untapped = 1;
    EXPECT_EQ(tileOf(play), back);
}

TEST(TableTile, RotateQuarterMovesTheTopLeftCornerToTheTopRight) {
    QImage square(3, 3, QImage::Format_RGB32);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            square.setPixel(c, r, qRgb(r * 10, c * 10, 0));
    RotateQuarter(square);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(square.pixel(2 - r, c), qRgb(r * 10, c * 10, 0)) << r << "," << c;
}

TEST(TableTile, CutOffTileShowsThePartAskedFor) {
    const TMCardPlay play = playOf("Gravel Ogre", "R", "3/3", "_TR_");
    const QImage whole = tileOf(play);
    const struct {
        QRect Source;
    } cases[] = {{QRect(0, 0, 100, 40)}, {QRect(30, 0, 70, 100)}, {QRect(10, 55, 45, 45)}};
    for (const auto& c : cases) {
        QImage part(c.Source.size(), QImage::Format_RGB32);
        part.fill(Qt::magenta);
        ASSERT_TRUE(DrawTableTile(play, part, c.Source, {}).Drawn);
        EXPECT_EQ(part, whole.copy(c.Source)) << c.Source.x() << "," << c.Source.y();
    }
}

TEST(TableTile, ArtComesFromTheCacheOrTheFileAndItsAbsenceLeavesTheWindow) {
    test::TTempDir dir;
    const std::string pics = dir.Path() + "/pics";
    std::filesystem::create_directories(pics + "/TQ");
    QImage art(120, 90, QImage::Format_RGB888);
    art.fill(QColor(250, 20, 20));
    ASSERT_TRUE(SaveJpegFile(pics + "/TQ/Ember Stag.jpg", art, 95));

    TMCardPlay play = playOf("Ember Stag", "R", "");
    const QImage frame = TilePicture("R_SMALL").convertToFormat(QImage::Format_RGB32);
    // Missing art: the picture window is the frame's.
    const QImage bare = tileOf(playOf("Nothing Here", "R", ""), {pics, "", nullptr});
    EXPECT_EQ(bare.pixel(50, 60), frame.pixel(50, 60));
    // The file, stretched into the window.
    const QImage fromFile = tileOf(play, {pics, "", nullptr});
    EXPECT_GT(qRed(fromFile.pixel(50, 60)), 200);
    EXPECT_LT(qGreen(fromFile.pixel(50, 60)), 60);
    EXPECT_EQ(fromFile.pixel(50, 97), frame.pixel(50, 97));
    // The cache: index 0 is drawn at (7,14) whatever the file now holds.
    TSListImageCard cache;
    ASSERT_EQ(cache.AddArt(pics, "TQ", "Ember Stag"), 0);
    art.fill(QColor(20, 20, 250));
    ASSERT_TRUE(SaveJpegFile(pics + "/TQ/Ember Stag.jpg", art, 95));
    play.ImageIndex = 0;
    const QImage fromCache = tileOf(play, {pics, "", &cache});
    EXPECT_GT(qRed(fromCache.pixel(50, 60)), 200);
    QImage small;
    ASSERT_TRUE(cache.Copy(0, small));
    EXPECT_EQ(fromCache.pixel(7 + 40, 14 + 40), small.pixel(40, 40));
}

TEST(TableTile, BrokenArtAndUnknownColourAreErrorValues) {
    test::TTempDir dir;
    const std::string pics = dir.Path() + "/pics";
    std::filesystem::create_directories(pics + "/TQ");
    test::WriteBytes(pics + "/TQ/Rust Idol.jpg", "not a picture");
    QImage tile;
    const TTileResult broken = DrawTableTile(playOf("Rust Idol", "Art", ""), tile,
                                             QRect(0, 0, 100, 100), {pics, "", nullptr});
    EXPECT_TRUE(broken.Drawn);
    EXPECT_NE(broken.Error.find("Rust Idol.jpg"), std::string::npos) << broken.Error;

    QImage target(100, 100, QImage::Format_RGB32);
    target.fill(Qt::cyan);
    const TTileResult unknown =
        DrawTableTile(playOf("Odd Thing", "Pnk", ""), target, QRect(0, 0, 100, 100), {});
    EXPECT_FALSE(unknown.Drawn);
    EXPECT_FALSE(unknown.Error.empty());
    EXPECT_EQ(target.pixel(50, 50), QColor(Qt::cyan).rgb());
    // Frames are found whatever the letter case of the colour code.
    EXPECT_TRUE(
        DrawTableTile(playOf("Odd Thing", "gld", ""), target, QRect(0, 0, 100, 100), {}).Drawn);
}

TEST(TableTile, NameShrinksToFitAndStopsAtTheSmallestSize) {
    EXPECT_EQ(TileNamePoints(QStringLiteral("Elk"), 93), 8);
    const QString longName(300, QLatin1Char('W'));
    EXPECT_EQ(TileNamePoints(longName, 93), TileNameMinPoints);
    const int points = TileNamePoints(QStringLiteral("Grand Warden of the Sunken Thicket"), 93);
    EXPECT_LT(points, 8);
    EXPECT_GE(points, TileNameMinPoints);
    // The long name still draws.
    tileOf(playOf(std::string(300, 'W'), "W", "1/1"));
}

TEST(TableTile, SplitTileJoinsTheHalvesAtColumn48) {
    TMCardPlay first = playOf("Ash/Frost (Ash)", "R", "");
    TMCardPlay second = playOf("Ash/Frost (Frost)", "U", "");
    QImage tile;
    ASSERT_TRUE(DrawSplitTile(first, second, tile, {}).Drawn);
    tile = tile.convertToFormat(QImage::Format_RGB32);
    const QImage red = TilePicture("R_SMALL");
    const QImage blue = TilePicture("U_SMALL");
    for (int y : {30, 60, 90}) {
        EXPECT_EQ(tile.pixel(20, y), red.pixel(20, y));
        EXPECT_EQ(tile.pixel(47, y), red.pixel(47, y));
        EXPECT_EQ(tile.pixel(48, y), blue.pixel(48, y));
        EXPECT_EQ(tile.pixel(80, y), blue.pixel(80, y));
    }
    // The titles: something light is written in the top bar of each half.
    const auto lightIn = [&tile](int x0, int x1) {
        for (int y = 0; y < 13; ++y)
            for (int x = x0; x < x1; ++x)
                if (qGray(tile.pixel(x, y)) > 200)
                    return true;
        return false;
    };
    EXPECT_TRUE(lightIn(0, 48));
    EXPECT_TRUE(lightIn(48, 100));
    // Never turned, no counters.
    first.Untapped = 0;
    first.Counters = "3";
    QImage again;
    ASSERT_TRUE(DrawSplitTile(first, second, again, {}).Drawn);
    EXPECT_EQ(again.convertToFormat(QImage::Format_RGB32), tile);
}

TEST(TileCommand, DrawsEverySampleCardAndRefusesUnknownOnes) {
    test::TTempDir dir;
    test::CopySampleData(dir.Path());
    const std::string data = dir.Path() + "/";
    MakeSamplePictures(data, data + "pics");
    TCardDatabase db;
    LoadCardDatabase(db, dir.Path(), dir.Path());
    db.PicDir = data + "pics";
    int drawn = 0;
    for (std::size_t i = 0; i < db.CardLines.size(); ++i) {
        const TZandorCard card = ParseCardLine(db.CardLines[i]);
        if (card.Edition == VersionEdition || card.Name.empty())
            continue;
        TTileCommand command;
        command.Name = Cp1252ToUtf8(card.Name);
        command.Edition = card.Edition.str();
        command.Counters = "2";
        command.Tapped = i % 2 == 1;
        command.OutFile = dir.File("tile.png");
        std::ostringstream out, err;
        ASSERT_EQ(RunTileCommand(db, command, out, err), 0) << card.Name << ": " << err.str();
        EXPECT_EQ(err.str(), "") << card.Name;
        ++drawn;
    }
    EXPECT_GT(drawn, 50);
    const QImage written(QString::fromStdString(dir.File("tile.png")));
    EXPECT_EQ(written.size(), QSize(100, 100));

    TTileCommand split;
    split.Name = "Hush/Howl";
    split.OutFile = dir.File("split.png");
    {
        std::ostringstream out, err;
        EXPECT_EQ(RunTileCommand(db, split, out, err), 0) << err.str();
        EXPECT_TRUE(std::filesystem::exists(dir.File("split.png")));
    }

    TTileCommand missing;
    missing.Name = "Nobody Knows Me";
    missing.OutFile = dir.File("none.png");
    std::ostringstream out, err;
    EXPECT_EQ(RunTileCommand(db, missing, out, err), 1);
    EXPECT_EQ(out.str(), "XNOCARD\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("none.png")));
}
