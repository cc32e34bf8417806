// Proxies: the card size and the row rule at printer resolutions, the cards-per-page
// count, one proxy face with and without base, art and border, the job across pages with
// its cancel and picture failures, the PDF file and the commands that write them.
#include "app/UCommandLine.h"
#include "core/UCardDatabase.h"
#include "render/UCombine.h"
#include "render/UJpeg.h"
#include "render/UProxyCommand.h"
#include "render/UProxyFace.h"
#include "render/UProxyJob.h"
#include "render/UProxyLayout.h"
#include "tests/testkit/TestKit.h"

#include <QPainter>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

using namespace zandor;

namespace {

// ---- layout -------------------------------------------------------------------------------

TEST(ProxyLayout, CardSizeAndGapsFollowTheResolution) {
    const struct {
        int dpiX, dpiY;
        bool gap;
        TProxyMetrics expected;
    } cases[] = {
        {300, 300, false, {732, 1050, 0, 0}},  {300, 300, true, {732, 1050, 30, 30}},
        {600, 600, false, {1464, 2100, 0, 0}}, {600, 600, true, {1464, 2100, 60, 60}},
        {72, 72, true, {175, 252, 7, 7}},      {300, 600, true, {732, 2100, 30, 60}},
        {100, 100, false, {244, 350, 0, 0}}, // 2.44 x 100 stays 244, not 243
    };
    for (const auto& c : cases) {
        const TProxyMetrics m = ProxyMetrics(c.dpiX, c.dpiY, c.gap);
        EXPECT_EQ(m.CardWidth, c.expected.CardWidth) << c.dpiX << " " << c.gap;
        EXPECT_EQ(m.CardHeight, c.expected.CardHeight) << c.dpiY << " " << c.gap;
        EXPECT_EQ(m.GapX, c.expected.GapX);
        EXPECT_EQ(m.GapY, c.expected.GapY);
    }
    // The step from card to card with gaps at 300 dpi.
    const TProxyMetrics g = ProxyMetrics(300, 300, true);
    EXPECT_EQ(g.CardWidth + g.GapX, 762);
    EXPECT_EQ(g.CardHeight + g.GapY, 1080);
}

TEST(ProxyLayout, CardsGoInRowsAcrossPages) {
    const TProxyMetrics plain = ProxyMetrics(300, 300, false);
    const TProxyMetrics gaps = ProxyMetrics(300, 300, true);
    const struct {
        const char* what;
        int count;
        TProxyMetrics metrics;
        int width, height;
        int pages;
        std::vector<std::pair<int, TProxyPlacement>> expected; // item -> place
    } cases[] = {
        {"A4, 9 cards: one page",
         9,
         plain,
         2480,
         3508,
         1,
         {{0, {0, 0, 0}}, {2, {0, 1464, 0}}, {3, {0, 0, 1050}}, {8, {0, 1464, 2100}}}},
        {"A4, 10 cards: the tenth on page 2", 10, plain, 2480, 3508, 2, {{9, {1, 0, 0}}}},
        {"A4 with gaps: 9 a page",
         10,
         gaps,
         2480,
         3508,
         2,
         {{1, {0, 762, 0}}, {3, {0, 0, 1080}}, {8, {0, 1524, 2160}}, {9, {1, 0, 0}}}},
        {"a row ending exactly at the bottom does not fit",
         7,
         plain,
         2480,
         3 * 1050,
         2,
         {{3, {0, 0, 1050}}, {5, {0, 1464, 1050}}, {6, {1, 0, 0}}}},
        {"a card ending exactly at the right edge does not fit",
         3,
         plain,
         2 * 732,
         5000,
         1,
         {{1, {0, 0, 1050}}, {2, {0, 0, 2100}}}},
        {"a card wider than the page takes a row",
         2,
         plain,
         500,
         5000,
         1,
         {{0, {0, 0, 0}}, {1, {0, 0, 1050}}}},
        {"no cards, no pages", 0, plain, 2480, 3508, 0, {}},
    };
    for (const auto& c : cases) {
        const auto placements = LayoutProxies(c.count, c.metrics, c.width, c.height);
        ASSERT_EQ(static_cast<int>(placements.size()), c.count) << c.what;
        EXPECT_EQ(ProxyPageCount(placements), c.pages) << c.what;
        for (const auto& [item, place] : c.expected) {
            const TProxyPlacement& got = placements[static_cast<std::size_t>(item)];
            EXPECT_EQ(got, place) << c.what << ": item " << item << " at page " << got.Page << " ("
                                  << got.X << "," << got.Y << ")";
        }
    }
}

TEST(ProxyLayout, CardsPerPageUsesItsOwnCardSize) {
    const struct {
        int dpi;
        bool gap;
        int width, height;
        int expected;
    } cases[] = {
        {300, false, 2480, 3508, 9}, {300, true, 2480, 3508, 9},
        {300, false, 2550, 3300, 9}, // Letter
        {600, false, 4960, 7016, 9}, // A4 at 600 dpi
        {300, false, 3508, 2480, 8}, // A4 across: 4 a row, 2 rows
        {300, false, 2190, 3160, 9}, // 3 x 729 fit where 3 x 732 do not
        {300, false, 100, 100, 1},   // the first card always counts
        {0, false, 2480, 3508, 0},   // no resolution: nothing, and no endless count
        {300, false, 0, 3508, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CardsPerPage(c.dpi, c.dpi, c.gap, c.width, c.height), c.expected)
            << c.dpi << " " << c.width << "x" << c.height;
    // The same page through the print job's rule holds only two cards a row there.
    const auto placements = LayoutProxies(9, ProxyMetrics(300, 300, false), 2190, 3160);
    EXPECT_EQ(ProxyPageCount(placements), 2);
}

// ---- the face ----------------------------------------------------------------------------

const QColor frameColour(70, 130, 60);
const QColor artColour(200, 40, 40);

bool near(QRgb p, QColor c, int tolerance = 24) {
    return std::abs(qRed(p) - c.red()) <= tolerance &&
           std::abs(qGreen(p) - c.green()) <= tolerance &&
           std::abs(qBlue(p) - c.blue()) <= tolerance;
}
bool black(QRgb p) {
    return qRed(p) < 60 && qGreen(p) < 60 && qBlue(p) < 60;
}
bool white(QRgb p) {
    return qRed(p) > 235 && qGreen(p) > 235 && qBlue(p) > 235;
}
// Any pixel whose channels differ: a colour rather than a grey.
bool coloured(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::max({qRed(p), qGreen(p), qBlue(p)}) -
                    std::min({qRed(p), qGreen(p), qBlue(p)}) >
                40)
                return true;
        }
    return false;
}
int inkIn(const QImage& image, const QRect& area, bool (*ink)(QRgb)) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += ink(image.pixel(x, y));
    return n;
}

// A small base of invented cards with frames, edition symbols and art in a temporary folder.
class Proxy : public ::testing::Test {
protected:
    void SetUp() override {
        m_data = m_dir.File("data") + "/";
        std::filesystem::create_directories(m_data);
        std::filesystem::create_directories(m_dir.File("pics/QX"));
        for (const std::string_view file :
             {"w.jpg", "u.jpg", "b.jpg", "r.jpg", "g.jpg", "lnd.jpg", "gld.jpg", "art.jpg"}) {
            QImage frame(210, 300, QImage::Format_RGB888);
            frame.fill(frameColour);
            QPainter(&frame).fillRect(QRect(14, 19, 181, 144), Qt::white);
            ASSERT_TRUE(SaveJpegFile(m_data + std::string(file), frame, 100));
        }
        QImage silhouette(16, 16, QImage::Format_RGB888);
        silhouette.fill(Qt::black);
        ASSERT_TRUE(silhouette.save(QString::fromStdString(m_data + "QX_os.bmp")));
        QImage symbol(16, 16, QImage::Format_RGB888);
        symbol.fill(QColor(0, 255, 255)); // shows as red through OR-NOT
        ASSERT_TRUE(symbol.save(QString::fromStdString(m_data + "QX_C.bmp")));
        QImage art(120, 100, QImage::Format_RGB888);
        art.fill(artColour);
        ASSERT_TRUE(SaveJpegFile(m_dir.File("pics/QX/Brinewood Stalker.jpg"), art, 95));

        std::vector<std::string> lines;
        for (int i = 0; i < 12; ++i) {
            TZandorCard c = card();
            c.Name = "Quarry Sprite " + std::string(1, static_cast<char>('A' + i));
            lines.push_back(FormatCardLine(c));
        }
        lines.push_back(FormatCardLine(card()));
        TZandorCard half = card();
        half.Name = "Ebb/Flow (Ebb)";
        lines.push_back(FormatCardLine(half));
        half.Name = "Ebb/Flow (Flow)";
        lines.push_back(FormatCardLine(half));
        SortCardLines(lines);
        test::WriteBytes(m_data + "cardlist.dat", JoinLines(lines));
        test::WriteBytes(m_data + "Zandor.ini", "[Location]\r\nPic=" + m_dir.File("pics") +
                                                    "\r\n[Edition]\r\nQX=Quarry\r\n");
        LoadCardDatabase(m_db, m_dir.Path(), m_data);
        ASSERT_FALSE(IsNotFound(FindCard(m_db, "Brinewood Stalker", "QX")));
    }

    static TZandorCard card(const char* color = "G") {
        TZandorCard c;
        c.Name = "Brinewood Stalker";
        c.Edition = "QX";
        c.Color = color;
        c.Rarity = "C";
        c.Cost = "2G";
        c.CardType = "Summon Marsh Beast";
        c.Text = "< G > : Brinewood Stalker gets +1/+1 until end of turn.";
        c.PT = "3/2";
        c.Artist = " Oren Vale";
        return c;
    }

    QImage draw(const TZandorCard& c, bool base, bool art, bool border, int w = 732, int h = 1050) {
        QImage face(w, h, QImage::Format_RGB888);
        face.fill(Qt::white);
        m_last = DrawProxyFace(c, face, base, art, border, {m_dir.File("pics"), m_data});
        return face;
    }

    std::vector<std::string> lines(int n) const {
        std::vector<std::string> list;
        for (int i = 0; i < n; ++i)
            list.push_back("[QX] - Quarry Sprite " +
                           std::string(1, static_cast<char>('A' + i % 12)));
        return list;
    }

    test::TTempDir m_dir;
    std::string m_data;
    TCardDatabase m_db;
    TProxyFaceResult m_last;
};

TEST_F(Proxy, FrameFileIsFoundWithoutRegardToCase) {
    const struct {
        const char* color;
        const char* file;
    } cases[] = {{"G", "g.jpg"},     {"Lnd", "lnd.jpg"}, {"GLD", "gld.jpg"},
                 {"Art", "art.jpg"}, {"Xyz", ""},        {"", ""}};
    for (const auto& c : cases) {
        const std::string found = ProxyFrameFile(m_data, c.color);
        EXPECT_EQ(found.empty() ? std::string() : ExtractFileName(found), c.file) << c.color;
    }
}

TEST_F(Proxy, WithoutBaseOrBorderTwoNestedOutlinesAndBlackTexts) {
    const QImage face = draw(card(), false, false, false);
    EXPECT_TRUE(m_last.Complete());
    // Thin outline along the picture's edges, the card outline inside it, white between.
    EXPECT_TRUE(black(face.pixel(0, 500)));
    EXPECT_TRUE(black(face.pixel(366, 0)));
    EXPECT_TRUE(black(face.pixel(static_cast<int>(209 * 732 / 210.0), 500)));
    EXPECT_TRUE(black(face.pixel(366, static_cast<int>(299 * 1050 / 300.0))));
    EXPECT_TRUE(white(face.pixel(17, 500)));
    EXPECT_TRUE(black(face.pixel(static_cast<int>(10 * 732 / 210.0), 500)));
    EXPECT_TRUE(black(face.pixel(366, static_cast<int>(10 * 1050 / 300.0))));
    // The art window and the rules box are outlined and empty.
    EXPECT_TRUE(black(face.pixel(static_cast<int>(21 * 732 / 210.0), 300)));
    EXPECT_TRUE(black(face.pixel(366, static_cast<int>(179 * 1050 / 300.0))));
    EXPECT_TRUE(white(face.pixel(366, 300)));
    // Every text black, no disc and no colour anywhere; the name is there.
    EXPECT_FALSE(coloured(face));
    EXPECT_GT(inkIn(face, QRect(80, 42, 300, 30), black), 100);
    // The edition code written as text beside the type line.
    EXPECT_GT(inkIn(face, QRect(static_cast<int>(178 * 732 / 210.0), 581, 60, 30), black), 20);
}

TEST_F(Proxy, BorderFillsTenCardUnitsBlack) {
    for (const auto& [w, h] : {std::pair(732, 1050), std::pair(1464, 2100), std::pair(210, 300)}) {
        const QImage face = draw(card(), false, false, true, w, h);
        const int bx = static_cast<int>(10 * (w / 210.0));
        const int by = static_cast<int>(10 * (h / 300.0));
        EXPECT_EQ(inkIn(face, QRect(0, 0, bx, h), black), bx * h) << w;
        EXPECT_EQ(inkIn(face, QRect(w - bx, 0, bx, h), black), bx * h) << w;
        EXPECT_EQ(inkIn(face, QRect(0, h - by, w, by), black), by * w) << w;
        EXPECT_EQ(inkIn(face, QRect(0, 0, w, by), black), by * w) << w;
        EXPECT_TRUE(white(face.pixel(bx + 2, h / 2))) << w;
    }
}

TEST_F(Proxy, BaseDrawsTheFrameWhiteTitlesDiscsAndTheEditionSymbol) {
    const QImage face = draw(card(), true, false, false);
    EXPECT_TRUE(m_last.Complete()) << m_last.FrameError;
    EXPECT_TRUE(near(face.pixel(45, 500), frameColour));
    // White name over the frame.
    EXPECT_GT(inkIn(face, QRect(80, 42, 300, 30), white), 50);
    // A green disc behind the cost, at the right top.
    const TRGB green = SymbolColor("G");
    int greenPixels = 0;
    for (int y = 30; y < 90; ++y)
        for (int x = 560; x < 690; ++x)
            greenPixels += near(face.pixel(x, y), QColor(green.R, green.G, green.B), 30);
    EXPECT_GT(greenPixels, 50);
    // The edition symbol: the colour picture shows as red inside the silhouette's place.
    const QRect symbol(
        QPoint(static_cast<int>(176 * 732 / 210.0), static_cast<int>(166.5 * 3.5)),
        QPoint(static_cast<int>(192 * 732 / 210.0) - 1, static_cast<int>(182 * 3.5) - 1));
    EXPECT_TRUE(near(face.pixel(symbol.center()), QColor(255, 0, 0), 40));
}

TEST_F(Proxy, AMissingEditionPictureFallsBackToTheCodeAsText) {
    // The symbol's place at 732 x 1050: x from [176 sx], y from [166.5 sy].
    const QRect place(
        QPoint(static_cast<int>(176 * 732 / 210.0), static_cast<int>(166.5 * 3.5)),
        QPoint(static_cast<int>(192 * 732 / 210.0) - 1, static_cast<int>(182 * 3.5) - 1));
    const QRect text(static_cast<int>(178 * 732 / 210.0), static_cast<int>(166 * 3.5), 60, 30);
    const auto red = [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80; };
    // Both pictures: the red symbol, no code.
    QImage face = draw(card(), true, false, false);
    EXPECT_GT(inkIn(face, place, red), place.width() * place.height() / 2);
    // Only the colour picture missing: the black silhouette stays and the code shows white
    // on it.
    std::filesystem::remove(m_data + "QX_C.bmp");
    face = draw(card(), true, false, false);
    EXPECT_EQ(inkIn(face, place, red), 0);
    EXPECT_GT(inkIn(face, place, black), place.width() * place.height() / 3);
    EXPECT_GT(inkIn(face, place, white), 10);
    // No silhouette either: the code in black over the frame.
    std::filesystem::remove(m_data + "QX_os.bmp");
    face = draw(card(), true, false, false);
    EXPECT_GT(inkIn(face, text, black), 20);
    EXPECT_LT(inkIn(face, place, black), place.width() * place.height() / 3);
}

TEST_F(Proxy, ArtIsScaledIntoTheWindowOnlyWhenWanted) {
    const QImage with = draw(card(), false, true, false);
    EXPECT_TRUE(near(with.pixel(366, 300), artColour));
    EXPECT_TRUE(near(with.pixel(static_cast<int>(23 * 732 / 210.0), static_cast<int>(30 * 3.5)),
                     artColour));
    const QImage without = draw(card(), false, false, false);
    EXPECT_TRUE(white(without.pixel(366, 300)));
}

TEST_F(Proxy, AMissingFrameGivesTheFaceWithoutBaseAndNamesTheFile) {
    std::filesystem::remove(m_data + "g.jpg");
    const QImage face = draw(card(), true, false, false);
    EXPECT_NE(m_last.FrameError.find("G.jpg"), std::string::npos) << m_last.FrameError;
    EXPECT_FALSE(coloured(face));
    EXPECT_TRUE(black(face.pixel(static_cast<int>(10 * 732 / 210.0), 500)));
    EXPECT_GT(inkIn(face, QRect(80, 42, 300, 30), black), 100);
}

TEST_F(Proxy, BrokenArtIsReportedAndTheRestIsDrawn) {
    test::WriteBytes(m_dir.File("pics/QX/Brinewood Stalker.jpg"), "no picture here");
    const QImage face = draw(card(), true, true, false);
    EXPECT_NE(m_last.ArtError.find("Brinewood Stalker.jpg"), std::string::npos) << m_last.ArtError;
    EXPECT_TRUE(m_last.FrameError.empty());
    EXPECT_TRUE(near(face.pixel(45, 500), frameColour));
}

TEST_F(Proxy, TheFaceScalesWithThePicture) {
    // The name's first ink column sits at 22 card units at every size.
    for (const auto& [w, h] : {std::pair(210, 300), std::pair(732, 1050), std::pair(1464, 2100)}) {
        const QImage face = draw(card(), false, false, false, w, h);
        const double sx = w / 210.0;
        const double sy = h / 300.0;
        int first = -1;
        for (int x = static_cast<int>(15 * sx); x < w / 2 && first < 0; ++x)
            for (int y = static_cast<int>(12 * sy); y < static_cast<int>(26 * sy); ++y)
                if (black(face.pixel(x, y))) {
                    first = x;
                    break;
                }
        EXPECT_NEAR(first / sx, 22.0, 1.5) << w;
    }
}

// ---- the job -----------------------------------------------------------------------------

// Pages drawn into pictures: each new page keeps the finished one.
struct TPictureSheets {
    QImage Page;
    std::vector<QImage> Done;
    QPainter Painter;
    TPictureSheets(int w, int h) : Page(w, h, QImage::Format_RGB888) {
        Page.fill(Qt::white);
        Painter.begin(&Page);
    }
    std::function<bool()> newPage() {
        return [this] {
            Done.push_back(Page.copy());
            Page.fill(Qt::white);
            return true;
        };
    }
    void finish() {
        Painter.end();
        Done.push_back(Page);
    }
};

TEST_F(Proxy, JobPlacesCardsAcrossPagesAndTellsProgress) {
    TPictureSheets sheets(2480, 3508);
    std::vector<int> progress;
    TProxyJobHooks hooks;
    hooks.Progress = [&](int done, int total) {
        EXPECT_EQ(total, 10);
        progress.push_back(done);
        return true;
    };
    TProxyJobOptions options;
    options.Art = false;
    const TProxyJobResult result = DrawProxyPages(m_db, lines(10), sheets.Painter, 300, 300, 2480,
                                                  3508, options, sheets.newPage(), hooks);
    sheets.finish();
    EXPECT_TRUE(result.Completed());
    EXPECT_EQ(result.Pages, 2);
    EXPECT_EQ(result.Cards, 10);
    ASSERT_EQ(sheets.Done.size(), 2u);
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress.back(), 10);
    // Page 1 full, page 2 one card at the top left, the rest white.
    EXPECT_TRUE(black(sheets.Done[0].pixel(1464, 2100 + 500)));
    EXPECT_TRUE(black(sheets.Done[1].pixel(0, 500)));
    EXPECT_TRUE(white(sheets.Done[1].pixel(1000, 500)));
}

TEST_F(Proxy, JobStopsWhenCancelled) {
    TPictureSheets sheets(2480, 3508);
    TProxyJobHooks hooks;
    hooks.Progress = [](int done, int) { return done < 3; };
    const TProxyJobResult result = DrawProxyPages(m_db, lines(10), sheets.Painter, 300, 300, 2480,
                                                  3508, {}, sheets.newPage(), hooks);
    sheets.finish();
    EXPECT_EQ(result.Outcome, TProxyJobOutcome::Cancelled);
    EXPECT_EQ(result.Cards, 3);
    EXPECT_TRUE(white(sheets.Done[0].pixel(1464 + 100, 500))); // the fourth card never came
}

TEST_F(Proxy, APictureThatFailsIsToldAndTheUserChooses) {
    test::WriteBytes(m_dir.File("pics/QX/Brinewood Stalker.jpg"), "broken");
    const std::vector<std::string> list{"[QX] - Quarry Sprite A", "[QX] - Brinewood Stalker",
                                        "[QX] - Quarry Sprite B"};
    for (const bool goOn : {true, false}) {
        TPictureSheets sheets(2480, 3508);
        std::vector<std::string> told;
        TProxyJobHooks hooks;
        hooks.PictureFailed = [&](const std::string& problem) {
            told.push_back(problem);
            return goOn;
        };
        const TProxyJobResult result = DrawProxyPages(m_db, list, sheets.Painter, 300, 300, 2480,
                                                      3508, {}, sheets.newPage(), hooks);
        sheets.finish();
        ASSERT_EQ(told.size(), 1u) << goOn;
        EXPECT_NE(told[0].find("[QX] - Brinewood Stalker"), std::string::npos) << told[0];
        EXPECT_NE(told[0].find("Brinewood Stalker.jpg"), std::string::npos) << told[0];
        if (goOn) {
            EXPECT_TRUE(result.Completed());
            EXPECT_EQ(result.Cards, 3);
            EXPECT_EQ(result.Problems, told);
        } else {
            EXPECT_EQ(result.Outcome, TProxyJobOutcome::Cancelled);
            EXPECT_EQ(result.Cards, 1);
        }
    }
}

TEST_F(Proxy, CutMarksLieOutsideTheCards) {
    for (const bool gap : {true, false}) {
        TProxyJobOptions options;
        options.Art = false;
        options.Gap = gap;
        options.Border = true;
        QImage pages[2];
        for (const bool marks : {false, true}) {
            options.CutMarks = marks;
            TPictureSheets sheets(2480, 3508);
            DrawProxyPages(m_db, lines(4), sheets.Painter, 300, 300, 2480, 3508, options,
                           sheets.newPage(), {});
            sheets.finish();
            pages[marks] = sheets.Done[0];
        }
        const TProxyMetrics m = ProxyMetrics(300, 300, gap);
        // The cards themselves are the same with and without marks.
        for (int card = 0; card < 4; ++card) {
            const int x = (card % 3) * (m.CardWidth + m.GapX);
            const int y = (card / 3) * (m.CardHeight + m.GapY);
            const QRect area(x, y, m.CardWidth, m.CardHeight);
            EXPECT_EQ(pages[1].copy(area), pages[0].copy(area)) << gap << " card " << card;
        }
        // Below the first row, under the corner of the third card, a mark; none far from it.
        const int right = 2 * (m.CardWidth + m.GapX) + m.CardWidth;
        EXPECT_TRUE(black(pages[1].pixel(right + 5, 1))) << gap;
        EXPECT_TRUE(white(pages[0].pixel(right + 5, 1))) << gap;
        EXPECT_TRUE(
            black(pages[1].pixel(m.CardWidth - 1, m.CardHeight + m.GapY + m.CardHeight + 10)))
            << gap;
        if (gap) { // into the gap beside the first card's top edge
            EXPECT_TRUE(black(pages[1].pixel(m.CardWidth + 5, 0)));
        }
        EXPECT_TRUE(white(pages[1].pixel(right + 200, 500))) << gap;
    }
}

// ---- PDF ---------------------------------------------------------------------------------

int pdfPages(const std::string& bytes) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return static_cast<int>(
        QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())).count(page));
}
int occurrences(const std::string& bytes, const std::string& what) {
    int n = 0;
    for (auto at = bytes.find(what); at != std::string::npos; at = bytes.find(what, at + 1))
        ++n;
    return n;
}

TEST_F(Proxy, PdfHasTheRightPagesOfTheRightPaper) {
    const struct {
        int count;
        QPageSize::PageSizeId paper;
        bool gap;
        int pages;
        const char* mediaBox;
    } cases[] = {
        {9, QPageSize::A4, false, 1, "/MediaBox [0 0 595.000000 842.000000]"},
        {10, QPageSize::A4, false, 2, "/MediaBox [0 0 595.000000 842.000000]"},
        {10, QPageSize::A4, true, 2, "/MediaBox [0 0 595.000000 842.000000]"},
        {19, QPageSize::A4, false, 3, "/MediaBox [0 0 595.000000 842.000000]"},
        {9, QPageSize::Letter, false, 1, "/MediaBox [0 0 612.000000 792.000000]"},
        // Legal is 4200 pixels high: a fourth row would end exactly at the bottom edge.
        {10, QPageSize::Legal, false, 2, "/MediaBox [0 0 612.000000 1008.000000]"},
    };
    for (const auto& c : cases) {
        const std::string file = m_dir.File("proxies.pdf");
        TProxyJobOptions options;
        options.Gap = c.gap;
        const TProxyJobResult result =
            WriteProxyPdf(m_db, lines(c.count), file, 300, c.paper, options);
        ASSERT_TRUE(result.Completed()) << result.Error;
        const std::string bytes = test::ReadBytes(file);
        EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
        EXPECT_EQ(pdfPages(bytes), c.pages) << c.count;
        EXPECT_EQ(result.Pages, c.pages) << c.count;
        EXPECT_EQ(occurrences(bytes, c.mediaBox), c.pages) << c.count << " " << c.mediaBox;
        // Every card is one picture, JPEG-compressed.
        EXPECT_EQ(occurrences(bytes, "/DCTDecode"), c.count);
    }
}

TEST_F(Proxy, ACancelledOrFailedPdfLeavesNoHalfFile) {
    const std::string file = m_dir.File("keep.pdf");
    test::WriteBytes(file, "the old file");
    TProxyJobHooks hooks;
    hooks.Progress = [](int done, int) { return done < 5; };
    EXPECT_EQ(WriteProxyPdf(m_db, lines(10), file, 300, QPageSize::A4, {}, hooks).Outcome,
              TProxyJobOutcome::Cancelled);
    EXPECT_EQ(test::ReadBytes(file), "the old file");
    {
        test::TFailingWriter failing;
        const TProxyJobResult result = WriteProxyPdf(m_db, lines(2), file, 300, QPageSize::A4, {});
        EXPECT_EQ(result.Outcome, TProxyJobOutcome::Failed);
        EXPECT_EQ(result.Error, "disk full (test)");
        EXPECT_EQ(failing.Attempts, 1);
    }
    EXPECT_EQ(test::ReadBytes(file), "the old file");
    const std::string fresh = m_dir.File("fresh.pdf");
    WriteProxyPdf(m_db, lines(3), fresh, 300, QPageSize::A4, {}, hooks);
    EXPECT_TRUE(FileExists(fresh)) << "three cards come before the cancel";
    // data, pics, keep.pdf and fresh.pdf: no temporary file is left behind.
    EXPECT_EQ(test::ListFolder(m_dir.Path()).size(), 4u);
}

// ---- the commands ------------------------------------------------------------------------

TEST_F(Proxy, ListFileGivesBaseLines) {
    const struct {
        const char* file;
        const char* text;
        std::vector<std::string> expected;
    } cases[] = {
        {"d.dec",
         "// a comment\r\n    2 [QX] - Quarry Sprite A\r\nSB: 3 [QX] - Quarry Sprite B\r\n"
         "    1 [QX] - Brinewood Stalker\r\n\r\n    0 [QX] - Quarry Sprite C\r\n",
         {"[QX] - Quarry Sprite A", "[QX] - Quarry Sprite A", "[QX] - Brinewood Stalker"}},
        {"upper.DEC",
         "    3 [QX] - Quarry Sprite D\r\n",
         {"[QX] - Quarry Sprite D", "[QX] - Quarry Sprite D", "[QX] - Quarry Sprite D"}},
        {"list.txt",
         "[QX] - Quarry Sprite A\n\n  [QX] - Brinewood Stalker  \n[QX] - Quarry Sprite A\n",
         {"[QX] - Quarry Sprite A", "[QX] - Brinewood Stalker", "[QX] - Quarry Sprite A"}},
    };
    for (const auto& c : cases) {
        test::WriteBytes(m_dir.File(c.file), c.text);
        std::string error;
        const auto list = ReadProxyList(m_db, m_dir.File(c.file), error);
        ASSERT_TRUE(list) << error;
        EXPECT_EQ(*list, c.expected) << c.file;
    }
    std::string error;
    test::WriteBytes(m_dir.File("bad.dec"), "    x2 [QX] - Quarry Sprite A\r\n");
    EXPECT_FALSE(ReadProxyList(m_db, m_dir.File("bad.dec"), error));
    EXPECT_NE(error.find("x2 [QX]"), std::string::npos) << error;
    test::WriteBytes(m_dir.File("huge.dec"), "    99999999999 [QX] - Quarry Sprite A\r\n");
    EXPECT_FALSE(ReadProxyList(m_db, m_dir.File("huge.dec"), error));
    EXPECT_FALSE(ReadProxyList(m_db, m_dir.File("absent.dec"), error));
}

TEST_F(Proxy, SplitCardOfADeckPrintsItsFirstHalf) {
    EXPECT_EQ(ProxyCard(m_db, "[QX] - Ebb/Flow").Name, "Ebb/Flow (Ebb)");
    EXPECT_EQ(ProxyCard(m_db, "[QX] - Ebb/Flow (Flow)").Name, "Ebb/Flow (Flow)");
    EXPECT_TRUE(IsNotFound(ProxyCard(m_db, "[QX] - Nothing/Here")));
}

struct TRun {
    int Code;
    std::string Out;
    std::string Err;
};

class ProxyCommand : public Proxy {
protected:
    TRun run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data", m_data});
        std::ostringstream out, err;
        const int code = RunCommandLine(args, out, err);
        return {code, out.str(), err.str()};
    }
};

TEST_F(ProxyCommand, WritesTheDeckAsPdfAndPrintsNothing) {
    test::WriteBytes(m_dir.File("d.dec"),
                     "    6 [QX] - Quarry Sprite A\r\n    4 [QX] - Brinewood Stalker\r\n"
                     "SB: 9 [QX] - Quarry Sprite B\r\n");
    const std::string pdf = m_dir.File("d.pdf");
    const TRun r = run({"proxies", m_dir.File("d.dec"), "--out", pdf, "--base", "--border", "--gap",
                        "--cut-marks"});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err, "");
    EXPECT_EQ(pdfPages(test::ReadBytes(pdf)), 2);
    // 150 pixels per inch and Letter.
    const TRun small = run({"proxies", m_dir.File("d.dec"), "--out", pdf, "--dpi", "150", "--paper",
                            "letter", "--no-art"});
    EXPECT_EQ(small.Code, 0) << small.Err;
    const std::string bytes = test::ReadBytes(pdf);
    EXPECT_EQ(occurrences(bytes, "/MediaBox [0 0 612.000000 792.000000]"), 2);
    EXPECT_NE(bytes.find("/Width 366"), std::string::npos); // 2.44 x 150
}

TEST_F(ProxyCommand, MistakesAreToldWithTheirExitCodes) {
    test::WriteBytes(m_dir.File("list.txt"), "[QX] - Quarry Sprite A\n[QX] - Nowhere Hound\n");
    test::WriteBytes(m_dir.File("ok.txt"), "[QX] - Quarry Sprite A\n");
    test::WriteBytes(m_dir.File("empty.txt"), "\n\n");
    const std::string pdf = m_dir.File("out.pdf");
    const struct {
        std::vector<std::string> args;
        int code;
        const char* message;
    } cases[] = {
        {{"proxies", m_dir.File("ok.txt")}, 2, "--out"},
        {{"proxies", "--out", pdf}, 2, "list file"},
        {{"proxies", m_dir.File("ok.txt"), "--out", pdf, "--dpi", "20"}, 2, "--dpi"},
        {{"proxies", m_dir.File("ok.txt"), "--out", pdf, "--dpi", "3OO"}, 2, "--dpi"},
        {{"proxies", m_dir.File("ok.txt"), "--out", pdf, "--paper", "A3"}, 2, "--paper"},
        {{"proxies", m_dir.File("list.txt"), "--out", pdf}, 1, "no card \"[QX] - Nowhere Hound\""},
        {{"proxies", m_dir.File("empty.txt"), "--out", pdf}, 1, "names no cards"},
        {{"proxies", m_dir.File("absent.dec"), "--out", pdf}, 1, "cannot read"},
        {{"render", "Brinewood Stalker", "--proxy", "732by1050", "--out", m_dir.File("f.png")},
         2,
         "--proxy"},
        {{"render", "Brinewood Stalker", "--proxy", "1x1050", "--out", m_dir.File("f.png")},
         2,
         "--proxy"},
    };
    for (const auto& c : cases) {
        const TRun r = run(c.args);
        EXPECT_EQ(r.Code, c.code) << c.args[0] << " " << c.args.back();
        EXPECT_NE(r.Err.find(c.message), std::string::npos) << r.Err;
        EXPECT_FALSE(FileExists(pdf));
    }
}

TEST_F(ProxyCommand, RenderDrawsOneProxyOfTheSize) {
    const std::string png = m_dir.File("face.png");
    const TRun r = run({"render", "Brinewood Stalker", "--edition", "QX", "--proxy", "366x525",
                        "--base", "--border", "--out", png});
    EXPECT_EQ(r.Code, 0) << r.Err;
    const QImage face(QString::fromStdString(png));
    ASSERT_EQ(face.size(), QSize(366, 525));
    EXPECT_TRUE(black(face.pixel(2, 260)));             // border
    EXPECT_TRUE(near(face.pixel(183, 150), artColour)); // art
    const TRun plain =
        run({"render", "Brinewood Stalker", "--proxy", "366x525", "--no-art", "--out", png});
    EXPECT_EQ(plain.Code, 0) << plain.Err;
    const QImage bare(QString::fromStdString(png));
    EXPECT_TRUE(white(bare.pixel(183, 150)));
    EXPECT_TRUE(white(bare.pixel(4, 260)));
}

} // namespace
