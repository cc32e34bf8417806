// The about box's dates: the rulings summary's header, the version record and the price
// date of the settings, in the user's date formats.
#include "maint/UAboutBoxLogic.h"
#include "tests/testkit/TestKit.h"

#include <gtest/gtest.h>

using namespace zandor;
using namespace zandor::test;

namespace {

struct DateFormatGuard {
    TShortDateFormat saved = ShortDateFormat();
    ~DateFormatGuard() { SetShortDateFormat(saved); }
};

struct About : ::testing::Test {
    TTempDir dir;
    TCardDatabase db;
    DateFormatGuard guard;
    void load(const std::string& cards, const std::string& ini) {
        WriteBytes(dir.File("cardlist.dat"), cards);
        WriteBytes(dir.File("rulecards.dat"),
                   "GAME RULES\r\nThe summary\r\nCard Rulings Summary      Updated 02/05/17\r\n");
        WriteBytes(dir.File("programm.dat"), "");
        WriteBytes(dir.File("Zandor.ini"), ini);
        LoadCardDatabase(db, dir.Path(), dir.Path());
    }
};

std::string versionLine(const std::string& text, const std::string& flavor) {
    TZandorCard record;
    record.Name = "Version";
    record.Edition = "@@";
    record.Text = text;
    record.Flavor = flavor;
    return FormatCardLine(record) + "\r\n";
}

} // namespace

TEST(AboutDates, RulingsHeader) {
    const struct {
        const char* line;
        const char* date;
    } cases[] = {
        {"Card Rulings Summary                 Updated 02/05/17", "17.05.2002"},
        {"Updated 2002/05/17", "17.05.2002"},
        {"02/05/17", "17.05.2002"},
        {"/02/05/17", "/1./0.20/0"}, // "/" among the first two characters: read from the start
        {"no date", "e.da.20no"},
        {"", "..20"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RulingsDate(c.line), c.date) << c.line;
}

TEST(AboutDates, PriceDates) {
    DateFormatGuard guard;
    EXPECT_EQ(PriceDateText("17/05/02"), "17.05.2002");
    EXPECT_EQ(PriceDateText("02.07.01"), "02.07.2001");
    EXPECT_EQ(PriceDateText("02.07.99"), "02.07.1999");
    EXPECT_EQ(PriceDateText("1.2"), "1...20");
    SetShortDateFormat({TShortDateFormat::Order::DMY, '.', true});
    EXPECT_EQ(PriceDateText("11.11.2011"), "11.11.2011");
    SetShortDateFormat({TShortDateFormat::Order::MDY, '/', false});
    EXPECT_EQ(PriceDateText("05/17/02"), "17.05.2002");
    EXPECT_EQ(PriceDateText("17/05/02"), "17.05.2002"); // no month 17: cut by position
}

TEST_F(About, TheVersionRecordGivesThePriceDateAndCaption) {
    load(versionLine("Base 0.6 version", "17/05/02"), "[Update]\r\nPrice=01.01.01\r\n");
    const TAboutTexts texts = AboutTexts(db);
    EXPECT_EQ(texts.Name, "Zandor Library");
    EXPECT_EQ(texts.Version, "Version 0.60 beta");
    EXPECT_EQ(texts.RuleDate, "17.05.2002");
    EXPECT_EQ(texts.PriceDate, "17.05.2002");
    EXPECT_EQ(texts.BaseVersion, "Base 0.6 version");
}

TEST_F(About, WithoutRecordTheSettingsOrTheirDefaultDecide) {
    load("", "");
    EXPECT_EQ(AboutTexts(db).PriceDate, "11.11.2011");
    EXPECT_EQ(AboutTexts(db).BaseVersion, "Base 0.5 version");
    SetShortDateFormat({TShortDateFormat::Order::DMY, '.', true});
    EXPECT_EQ(AboutTexts(db).PriceDate, "11.11.2011");
    SetShortDateFormat({});
    load("", "[Update]\r\nPrice=03.04.05\r\n");
    EXPECT_EQ(AboutTexts(db).PriceDate, "03.04.2005");
}

TEST_F(About, FewerThanThreeRulingsLinesChangeNothing) {
    load(versionLine("Base 0.6 version", "17/05/02"), "");
    db.RuleLines.resize(2);
    const TAboutTexts texts = AboutTexts(db);
    EXPECT_EQ(texts.PriceDate, "00.00.00");
    EXPECT_EQ(texts.RuleDate, "00.00.00");
    EXPECT_EQ(texts.BaseVersion, "Base 0.5 version");
}
