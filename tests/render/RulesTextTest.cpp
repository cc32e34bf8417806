// The rules box and the cost line: word cutting, fitting, markup tokens, symbol discs.
#include "core/UCard.h"
#include "render/UCombine.h"
#include "render/UFonts.h"
#include "render/URulesText.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace zandor;

namespace {

using TWords = std::vector<std::string>;

bool isWhite(QRgb p) {
    return (p & 0xffffff) == 0xffffff;
}

bool near(QRgb p, TRGB c, int tolerance = 10) {
    return std::abs(qRed(p) - c.R) <= tolerance && std::abs(qGreen(p) - c.G) <= tolerance &&
           std::abs(qBlue(p) - c.B) <= tolerance;
}

// Rows and columns that hold any non-white pixel.
struct TInk {
    int Left = 1 << 30, Right = -1, Top = 1 << 30, Bottom = -1;
    bool empty() const { return Right < 0; }
};

TInk inkOf(const QImage& image, QRect area = {}) {
    if (area.isNull())
        area = image.rect();
    TInk ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (!isWhite(image.pixel(x, y))) {
                ink.Left = std::min(ink.Left, x);
                ink.Right = std::max(ink.Right, x);
                ink.Top = std::min(ink.Top, y);
                ink.Bottom = std::max(ink.Bottom, y);
            }
    return ink;
}

// The runs of rows that hold ink, as (first, last) pairs.
std::vector<std::pair<int, int>> inkBands(const QImage& image) {
    std::vector<std::pair<int, int>> bands;
    for (int y = 0; y < image.height(); ++y) {
        bool any = false;
        for (int x = 0; x < image.width() && !any; ++x)
            any = !isWhite(image.pixel(x, y));
        if (any && (bands.empty() || bands.back().second != y - 1))
            bands.push_back({y, y});
        else if (any)
            bands.back().second = y;
    }
    return bands;
}

int countColour(const QImage& image, TRGB c, int tolerance = 0) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += near(image.pixel(x, y), c, tolerance);
    return n;
}

} // namespace

TEST(RulesWords, CutsAtEverySpaceAndAddsTheFlavourAfterACaret) {
    const struct {
        const char* text;
        const char* flavor;
        TWords words;
    } cases[] = {
        {"Flying", "", {"Flying"}},
        {"  a  b ", "", {"a", "", "b"}},
        {"a  |", "", {"a", "", "|"}},
        {"", "Never shown", {""}},
        {"one", "Not shown", {"one"}},
        {"one ^", "soft  words", {"one", "|", "/", "soft", "", "words", "\\"}},
        {"^", "alone", {"/", "alone", "\\"}},
        {"^", "   ", {}},
        {"one ^", "", {"one"}},
        {"<G>", "", {"<G>"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RulesWords(c.text, c.flavor), c.words) << '"' << c.text << '"';
}

TEST(RulesBox, SymbolRunsGetDiscsAndGluedTokensStayText) {
    TRulesLayers layers;
    LayoutRulesBox("Add < G >", "", 180, 90, 8, 1, layers);
    EXPECT_EQ(layers.TextSize, 8);
    EXPECT_FALSE(inkOf(layers.Text).empty());
    EXPECT_GT(countColour(layers.DiscColor, SymbolInkColor("G")), 20);
    EXPECT_GT(countColour(layers.DiscMask, {0, 0, 0}), 20);
    // The disc sits right of "Add".
    const QFontMetrics text = CardMetrics(CardFont(RulesFontFamily, 8));
    EXPECT_GE(inkOf(layers.DiscMask).Left, text.horizontalAdvance(QStringLiteral("Add")));

    LayoutRulesBox("Add <G>", "", 180, 90, 8, 1, layers);
    EXPECT_TRUE(inkOf(layers.DiscMask).empty());
    EXPECT_TRUE(inkOf(layers.DiscColor).empty());

    // Only cost symbols get discs: "o" and "+" in a symbol run do not.
    LayoutRulesBox("< +o R >", "", 180, 90, 8, 1, layers);
    EXPECT_GT(countColour(layers.DiscColor, SymbolInkColor("R")), 20);
    EXPECT_EQ(countColour(layers.DiscColor, SymbolInkColor("")), 0);
}

TEST(RulesBox, FittingShrinksFromTheStartSizeUntilTheTextFits) {
    TRulesLayers layers;
    LayoutRulesBox("Short.", "", 180, 90, 8, 1, layers);
    EXPECT_EQ(layers.TextSize, 8);
    const TInk one = inkOf(layers.Text);
    EXPECT_NEAR((one.Top + one.Bottom) / 2, 45, 4); // centred vertically

    std::string longer;
    for (int i = 0; i < 14; ++i)
        longer += "Whenever a creature comes into play, draw a card. ";
    LayoutRulesBox(longer, "", 180, 90, 8, 1, layers);
    EXPECT_LT(layers.TextSize, 8);
    EXPECT_GT(layers.TextSize, 1);
    EXPECT_GE(layers.Top, 0);

    // At 1 point words are a pixel or two wide; line breaks still overflow the box.
    std::string huge;
    for (int i = 0; i < 200; ++i)
        huge += "overflowing &| ";
    LayoutRulesBox(huge, "", 180, 90, 8, 1, layers);
    EXPECT_EQ(layers.TextSize, 1);
    EXPECT_LT(layers.Top, 0);

    // An unclosed "}" grows the font by one step at the end of every pass, and the pass
    // that does not fit takes that step back: the size never shrinks, yet the loop ends,
    // at the size it started with.
    LayoutRulesBox(huge + " }", "", 180, 90, 8, 1, layers);
    EXPECT_EQ(layers.TextSize, 8);
    LayoutRulesBox(huge + " }", "", 180, 90, 5, 1, layers);
    EXPECT_EQ(layers.TextSize, 5);
}

TEST(RulesBox, CaretShowsTheFlavourAfterAParagraphGap) {
    TRulesLayers with, without;
    LayoutRulesBox("Word ^", "Flavour", 180, 90, 8, 1, with);
    LayoutRulesBox("Word", "Flavour", 180, 90, 8, 1, without);
    EXPECT_EQ(inkBands(without.Text).size(), 1u);
    const auto bands = inkBands(with.Text);
    ASSERT_EQ(bands.size(), 2u);
    const int lineHeight = CardMetrics(CardFont(RulesFontFamily, 8)).height();
    // Paragraph: a line and a quarter between the tops of the two lines (give or take the
    // glyph shapes and the flavour's offset).
    EXPECT_NEAR(bands[1].first - bands[0].first, lineHeight + lineHeight / 4, 3);

    // The flavour alone starts without a gap: one band, centred.
    TRulesLayers alone;
    LayoutRulesBox("^", "Flavour", 180, 90, 8, 1, alone);
    const auto single = inkBands(alone.Text);
    ASSERT_EQ(single.size(), 1u);
    EXPECT_NEAR((single[0].first + single[0].second) / 2, 45, 5);
}

TEST(RulesBox, AmpersandAlignsRightAndPercentCentres) {
    TRulesLayers layers;
    LayoutRulesBox("^", "& -- Name &", 180, 90, 8, 1, layers);
    const QFontMetrics flavour = CardMetrics(CardFont(TitleFontFamily, 8, false, true));
    const int end = 180 - flavour.horizontalAdvance(QStringLiteral("&"));
    const TInk right = inkOf(layers.Text);
    EXPECT_LE(right.Right, end + 1);
    EXPECT_GE(right.Right, end - 3);
    EXPECT_GT(right.Left, 100);

    LayoutRulesBox("% Middle %", "", 180, 90, 8, 1, layers);
    const QFontMetrics text = CardMetrics(CardFont(RulesFontFamily, 8));
    const int w = text.horizontalAdvance(QStringLiteral("Middle")) +
                  text.horizontalAdvance(QLatin1Char(' ')) +
                  text.horizontalAdvance(QStringLiteral("%"));
    const int start = (180 - w) / 2 + text.horizontalAdvance(QLatin1Char(' '));
    const TInk centred = inkOf(layers.Text);
    EXPECT_NEAR(centred.Left, start, 2);
    EXPECT_NEAR(centred.Right, start + text.horizontalAdvance(QStringLiteral("Middle")), 2);
}

TEST(RulesBox, LineAndParagraphBreaksAndDoubleSpaces) {
    TRulesLayers a, b, c;
    LayoutRulesBox("Mid &| Mid", "", 180, 90, 8, 1, a);
    LayoutRulesBox("Mid  | Mid", "", 180, 90, 8, 1, b);
    const auto lines = inkBands(a.Text);
    const auto paragraphs = inkBands(b.Text);
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_EQ(paragraphs.size(), 2u);
    const int lineHeight = CardMetrics(CardFont(RulesFontFamily, 8)).height();
    EXPECT_NEAR(lines[1].first - lines[0].first, lineHeight, 1);
    EXPECT_NEAR(paragraphs[1].first - paragraphs[0].first, lineHeight + lineHeight / 4, 1);
    // Two spaces between words leave a wider gap than one.
    LayoutRulesBox("a b", "", 180, 90, 8, 1, a);
    LayoutRulesBox("a  b", "", 180, 90, 8, 1, c);
    const QFontMetrics text = CardMetrics(CardFont(RulesFontFamily, 8));
    EXPECT_NEAR(inkOf(c.Text).Right - inkOf(a.Text).Right, text.horizontalAdvance(QLatin1Char(' ')),
                1);
}

TEST(CostLine, DiscsTakeTheColourOfTheirSymbolAndEndAtTheRightEdge) {
    const struct {
        const char* cost;
        std::vector<std::string> colours; // the letter whose colour each disc has
    } cases[] = {
        {"2RR", {"2", "R", "R"}},
        {"(2/R)", {"(", "2", "/", "R", ")"}},
        {"WUBG", {"W", "U", "B", "G"}},
    };
    const QFontMetrics metrics = CardMetrics(CardFont(SymbolFontFamily, 11));
    const int cell = metrics.horizontalAdvance(QLatin1Char('W'));
    ASSERT_EQ(cell, metrics.horizontalAdvance(QLatin1Char('1')));
    const int centreY = 1 + metrics.ascent() - metrics.ascent() * 300 / 800;
    for (const auto& c : cases) {
        QImage card(210, 300, QImage::Format_RGB888);
        card.fill(Qt::white);
        QImage scratch = NewWorkPicture(210, 300);
        DrawCostLine(c.cost, scratch, card, 11, 202, 1);
        const int count = static_cast<int>(c.colours.size());
        const int x0 = 202 - count * cell;
        for (int k = 0; k < count; ++k) {
            const int cx = x0 + k * cell + cell / 2;
            const QRgb p = card.pixel(cx, centreY + 6);
            EXPECT_TRUE(near(p, SymbolColor(c.colours[static_cast<std::size_t>(k)]), 24))
                << c.cost << " disc " << k << ": " << qRed(p) << "," << qGreen(p) << ","
                << qBlue(p);
        }
        EXPECT_TRUE(isWhite(card.pixel(203, centreY))) << c.cost;
        EXPECT_FALSE(isWhite(card.pixel(200, centreY))) << c.cost;
        EXPECT_TRUE(isWhite(card.pixel(x0 - 2, centreY))) << c.cost;
        // Black glyphs sit on the discs.
        int black = 0;
        for (int x = x0; x < 202; ++x)
            for (int y = 1; y < 16; ++y)
                black += qRed(card.pixel(x, y)) < 40 && qGreen(card.pixel(x, y)) < 40;
        EXPECT_GT(black, 5 * count) << c.cost;
    }
}

TEST(CostLine, PrintVariantDrawsDiscsOnlyWhenAsked) {
    QImage card(300, 60, QImage::Format_RGB888);
    SetRendererResolution(card);
    card.fill(Qt::white);
    DrawCostLine("1G", card, 22, 290, 10, true);
    EXPECT_GT(countColour(card, SymbolColor("G"), 2), 50);
    EXPECT_GT(countColour(card, SymbolColor("1"), 2), 50);
    card.fill(Qt::white);
    DrawCostLine("1G", card, 22, 290, 10, false);
    EXPECT_EQ(countColour(card, SymbolColor("G"), 2), 0);
    EXPECT_FALSE(inkOf(card).empty());
    EXPECT_LE(inkOf(card).Right, 290);
}

TEST(RulesBox, AHugeTextIsCutToTheLongestACardCanHaveAndSaysSo) {
    // Words of every kind, markup and symbols among them, repeated to a megabyte.
    const std::string pattern = "Target creature gets %R %G +1/+1 until end of turn. { | } ";
    std::string huge;
    while (huge.size() < (1u << 20))
        huge += pattern;
    const struct {
        const char* what;
        std::string text, flavor;
        bool cut;
    } cases[] = {
        {"short", pattern, "", false},
        {"exactly the limit", huge.substr(0, MaxRulesTextLength), "", false},
        {"one character more, in the flavour", huge.substr(0, MaxRulesTextLength), "x", true},
        {"a megabyte of rules", huge, "", true},
        {"a megabyte of flavour", "Sting. ^", huge, true},
    };
    for (const auto& c : cases) {
        TRulesLayers layers;
        LayoutRulesBox(c.text, c.flavor, 180, 90, 8, 1, layers);
        EXPECT_EQ(layers.Cut, c.cut) << c.what;
        EXPECT_EQ(layers.Text.size(), QSize(180, 90)) << c.what;
        if (c.cut) {
            // What is shown is exactly the layout of the text's start.
            const std::string_view text = std::string_view(c.text).substr(0, MaxRulesTextLength);
            const std::string_view flavor =
                std::string_view(c.flavor).substr(0, MaxRulesTextLength - text.size());
            TRulesLayers start;
            LayoutRulesBox(text, flavor, 180, 90, 8, 1, start);
            EXPECT_FALSE(start.Cut) << c.what;
            EXPECT_EQ(layers.Text, start.Text) << c.what;
            EXPECT_EQ(layers.TextSize, start.TextSize) << c.what;
        }
    }
}
