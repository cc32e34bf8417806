#include "core/USettings.h"
#include "maint/UPriceList.h"
#include "tests/maint/MaintTestKit.h"

#include <gtest/gtest.h>
#include <random>

using namespace zandor;
using namespace zandor::test;

namespace {

struct LineCase {
    std::string Line;
    bool Entry;
    std::string Name;
    std::string Price;
    bool PriceOk;
};

} // namespace

TEST(PriceList, EntryLines) {
    const std::vector<LineCase> cases{
        {PriceHeader[0], false, "", "", false},
        {PriceHeader[1], false, "", "", false},
        {"total: 20 cards", false, "", "", false},
        {"", false, "", "", false},
        {"     \t ", false, "", "", false},
        // The comparison is case-sensitive: only "card" opens a header.
        {PriceEntryLine("Card Shark of Vel", "1.00"), true, "Card Shark of Vel", "1,00", true},
        // Padding before the separator goes with it, so edition-less names can match.
        {PriceEntryLine("Thicket Colossus", "9.00"), true, "Thicket Colossus", "9,00", true},
        {PriceEntryLine("Crag Wyrm (5th)", "12.50"), true, "Crag Wyrm (5th)", "12,50", true},
        {PriceEntryLine("Vessa, Ember Oracle (EM)", "11.5"), true, "Vessa, Ember Oracle (EM)",
         "11,5", true},
        // A price column without "," is the trimmed rest of the line.
        {"Fen Wight                     |   1.40", true, "Fen Wight", "1,40", true},
        {"Fen Wight                     |   7", true, "Fen Wight", "7", true},
        // A price that is no number prices nothing.
        {"Fen Wight                     |   n/a ,  1.00", true, "Fen Wight", "n/a", false},
        {"Fen Wight                     |       ,  1.00", true, "Fen Wight", "", false},
        {"Fen Wight                     |   1.2.3 ,", true, "Fen Wight", "1,2.3", false},
        {"Fen Wight|", true, "Fen Wight", "", false},
        // A name that fills the column loses its last character, whatever it is.
        {"Abcdefghijklmnopqrstuvwxyz01234   2.00", true, "Abcdefghijklmnopqrstuvwxyz0123", "2,00",
         true},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.Line);
        const auto entry = ParsePriceLine(c.Line);
        ASSERT_EQ(entry.has_value(), c.Entry);
        if (!entry)
            continue;
        EXPECT_EQ(entry->Name, c.Name);
        EXPECT_EQ(entry->Price, c.Price);
        EXPECT_EQ(entry->PriceOk, c.PriceOk);
    }
}

TEST(PriceList, EntryNamesAndEditions) {
    struct Case {
        std::string Entry, Name, Edition;
    };
    const std::vector<Case> cases{
        {"Crag Wyrm (4th)", "Crag Wyrm", "4E"},
        {"Crag Wyrm (5th)", "Crag Wyrm", "5E"},
        {"Crag Wyrm (6th)", "Crag Wyrm", "6E"},
        {"Crag Wyrm (7th)", "Crag Wyrm", "7E"},
        {"Crag Wyrm (8th)", "Crag Wyrm", "8E"},
        {"Crag Wyrm (9th)", "Crag Wyrm", "9th"},
        {"Crag Wyrm (SV)", "Crag Wyrm", "SV"},
        {"Crag Wyrm", "Crag Wyrm", ""},
        {"Hush/Howl", "Hush/Howl", ""},
        {"Vessa, Ember Oracle (EM)", "Vessa Ember Oracle", "EM"},
        {"Crag Wyrm (SV", "Crag Wyrm", "SV"},
        {"A, b, c", "A b, c", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Entry);
        const TPriceTarget target = PriceTargetOf(c.Entry);
        EXPECT_EQ(target.Name, c.Name);
        EXPECT_EQ(target.Edition, c.Edition);
    }
    EXPECT_EQ(PriceComparisonName("Hush/Howl (Howl)"), "Hush/Howl");
    EXPECT_EQ(PriceComparisonName("Vessa, Ember Oracle"), "Vessa Ember Oracle");
    EXPECT_EQ(PriceComparisonName("Crag Wyrm"), "Crag Wyrm");
}

TEST(PriceList, Addresses) {
    EXPECT_EQ(PriceListUrl(""), "");
    EXPECT_EQ(PriceListUrl("   "), "");
    EXPECT_EQ(PriceListUrl("http://127.0.0.1:8080"),
              "http://127.0.0.1:8080/pricelists/current-zandor");
    EXPECT_EQ(PriceListUrl("http://prices.example.org/"),
              "http://prices.example.org/pricelists/current-zandor");
    EXPECT_EQ(PriceListUrl("prices.example.org:81"),
              "http://prices.example.org:81/pricelists/current-zandor");
    EXPECT_EQ(PriceListUrl("http://127.0.0.1:8080/lists/today.txt"),
              "http://127.0.0.1:8080/lists/today.txt");
}

namespace {

struct Prices : ::testing::Test {
    TTempDir dir;
    TCardDatabase db;
    const TDate today{2026, 12, 11};

    void SetUp() override {
        LoadBase(
            db, dir.Path(),
            {CardLine("Crag Wyrm", "4E", "6,00"), CardLine("Crag Wyrm", "5E", "6,00"),
             CardLine("Crag Wyrm", "SV", "6,00"), CardLine("Crag Runner", "EM"),
             CardLine("Hush/Howl (Howl)", "EM", "1,50"), CardLine("Hush/Howl (Hush)", "EM", "1,50"),
             CardLine("Hush/Howl (Howl)", "4E", "1,00"), CardLine("Hush/Howl (Hush)", "4E", "1,00"),
             CardLine("Vessa, Ember Oracle", "EM", "3,00"),
             CardLine("Thicket Colossus", "SV", "8,75"),
             "Version\t@@\t\tBase 0.8 version\t\t\t\t\t\t\t02.07.01\t\t\t"});
    }
    std::string value(const std::string& name, const std::string& edition) {
        return FindCard(db, name, edition).Value;
    }
    std::vector<std::string> list(std::vector<std::string> entries) {
        std::vector<std::string> lines = PriceHeader;
        lines.insert(lines.end(), entries.begin(), entries.end());
        lines.push_back(PriceHeader[1]);
        lines.push_back("total: " + std::to_string(entries.size()) + " cards");
        return lines;
    }
    TCardLines onDisk() { return TCardLines(*ReadTextLines(dir.File("cardlist.dat"))); }
};

} // namespace

TEST_F(Prices, AnEditionInParenthesesPricesThatEditionOnly) {
    const TPriceRun run =
        ApplyPrices(db, list({PriceEntryLine("Crag Wyrm (5th)", "12.50")}), today);
    ASSERT_TRUE(run.Ok) << run.Error;
    EXPECT_EQ(run.Updated, 1u);
    EXPECT_TRUE(run.NotFound.empty());
    EXPECT_EQ(value("Crag Wyrm", "5E"), "12,50");
    EXPECT_EQ(value("Crag Wyrm", "4E"), "6,00");
    EXPECT_EQ(value("Crag Wyrm", "SV"), "6,00");
    EXPECT_EQ(onDisk(), db.CardLines);
}

TEST_F(Prices, NamesWithoutEditionSplitCardsAndCommas) {
    const TPriceRun run =
        ApplyPrices(db,
                    list({PriceEntryLine("Crag Wyrm", "7.25"), PriceEntryLine("Hush/Howl", "0.90"),
                          PriceEntryLine("Vessa, Ember Oracle (EM)", "11.50"),
                          PriceEntryLine("Thicket Colossus", "9.00")}),
                    today);
    ASSERT_TRUE(run.Ok) << run.Error;
    EXPECT_EQ(run.Updated, 3u + 4u + 1u + 1u);
    for (const char* edition : {"4E", "5E", "SV"})
        EXPECT_EQ(value("Crag Wyrm", edition), "7,25") << edition;
    for (const char* half : {"Hush/Howl (Howl)", "Hush/Howl (Hush)"})
        for (const char* edition : {"EM", "4E"})
            EXPECT_EQ(value(half, edition), "0,90") << half << " " << edition;
    EXPECT_EQ(value("Vessa, Ember Oracle", "EM"), "11,50");
    EXPECT_EQ(value("Thicket Colossus", "SV"), "9,00");
    EXPECT_EQ(value("Crag Runner", "EM"), "0,05");
}

TEST_F(Prices, MissesAndPricesThatAreNoNumbersAreListed) {
    const TCardLines before = db.CardLines;
    const TPriceRun run = ApplyPrices(db,
                                      list({PriceEntryLine("Gloomvale Revenant", "2.00"),
                                            PriceEntryLine("Crag Wyrm (GL)", "1.00"),
                                            "Crag Wyrm                     |   n/a ,   1.00",
                                            PriceEntryLine("Crag Runner", "0.20")}),
                                      today);
    ASSERT_TRUE(run.Ok) << run.Error;
    EXPECT_EQ(run.Updated, 1u);
    EXPECT_EQ(run.NotFound,
              (std::vector<std::string>{"Gloomvale Revenant", "Crag Wyrm (GL)", "Crag Wyrm"}));
    for (const char* edition : {"4E", "5E", "SV"})
        EXPECT_EQ(value("Crag Wyrm", edition), "6,00") << edition;
    EXPECT_EQ(value("Crag Runner", "EM"), "0,20");
}

TEST_F(Prices, AnEntryWithoutANameMatchesNothing) {
    // A line without a name in the card list must not take the price of a nameless entry.
    db.CardLines.Insert(0, "\tSV\tR\t\tC\t\t0,05\t\t\t\t\t\t\t");
    BuildNameIndex(db.NameIndex, db.CardLines);
    const TCardLines before = db.CardLines;
    const TPriceRun run = ApplyPrices(db, list({PriceEntryLine("(SV)", "5.00")}), today);
    ASSERT_TRUE(run.Ok);
    EXPECT_EQ(run.Updated, 0u);
    EXPECT_EQ(run.NotFound, (std::vector<std::string>{"(SV)"}));
    EXPECT_EQ(db.CardLines[0], before[0]);
}

TEST_F(Prices, AListWithoutEntriesStillDatesAndSaves) {
    std::remove(dir.File("cardlist.dat").c_str());
    const TPriceRun run = ApplyPrices(db, list({}), today);
    ASSERT_TRUE(run.Ok) << run.Error;
    EXPECT_EQ(run.Updated, 0u);
    EXPECT_EQ(run.Date, "11.12.26");
    EXPECT_EQ(FindCard(db, "Version", "@@").Flavor, "11.12.26");
    EXPECT_EQ(LastPriceDate(db), "11.12.26");
    EXPECT_EQ(db.Settings.ReadString(ini::Update, ini::Price, ""), "11.12.26");
    TIniFile reread(dir.File("Zandor.ini"));
    EXPECT_EQ(reread.ReadString(ini::Update, ini::Price, ""), "11.12.26");
    ASSERT_TRUE(FileExists(dir.File("cardlist.dat")));
    EXPECT_EQ(onDisk(), db.CardLines);
}

TEST_F(Prices, WithoutAVersionRecordTheDateComesFromTheSettings) {
    TCardDatabase plain;
    TTempDir other;
    LoadBase(plain, other.Path(), {CardLine("Crag Wyrm", "SV")});
    EXPECT_EQ(LastPriceDate(plain), "11.11.11");
    ASSERT_TRUE(ApplyPrices(plain, list({}), today).Ok);
    EXPECT_EQ(LastPriceDate(plain), "11.12.26");
}

TEST_F(Prices, ACardListThatCannotBeSavedChangesNothing) {
    const TCardLines before = db.CardLines;
    const std::string settingsBefore = ReadBytes(dir.File("Zandor.ini"));
    TPriceRun run;
    {
        TFailOneFile fail("cardlist.dat");
        run = ApplyPrices(db, list({PriceEntryLine("Crag Wyrm", "7.25")}), today);
        EXPECT_EQ(fail.Attempts, 1);
    }
    EXPECT_FALSE(run.Ok);
    EXPECT_NE(run.Error.find("no space"), std::string::npos);
    EXPECT_EQ(db.CardLines, before);
    EXPECT_EQ(value("Crag Wyrm", "SV"), "6,00");
    EXPECT_EQ(FindCard(db, "Version", "@@").Flavor, "02.07.01");
    EXPECT_FALSE(db.Settings.ValueExists(ini::Update, ini::Price));
    EXPECT_EQ(ReadBytes(dir.File("Zandor.ini")), settingsBefore);
    EXPECT_EQ(onDisk(), before);

    // A settings file that cannot be written stops the run before the card list is saved.
    {
        TFailOneFile fail("Zandor.ini");
        run = ApplyPrices(db, list({PriceEntryLine("Crag Wyrm", "7.25")}), today);
    }
    EXPECT_FALSE(run.Ok);
    EXPECT_EQ(db.CardLines, before);
    EXPECT_EQ(onDisk(), before);
}

TEST_F(Prices, ACardListThatCouldNotBeReadIsNotOverwritten) {
    db.MissingFiles.push_back("cardlist.dat");
    const std::string bytes = ReadBytes(dir.File("cardlist.dat"));
    const TPriceRun run = ApplyPrices(db, list({PriceEntryLine("Crag Wyrm", "7.25")}), today);
    EXPECT_FALSE(run.Ok);
    EXPECT_EQ(ReadBytes(dir.File("cardlist.dat")), bytes);
}

TEST_F(Prices, TheDownloadedListIsSavedBesideTheProgramOrInTheDataFolder) {
    TTempDir program;
    db.ProgramDir = program.Path();
    std::string path;
    ASSERT_TRUE(SaveDownloadedPrices(db, {"a", "b"}, &path).Ok);
    EXPECT_EQ(path, program.File("price.txt"));
    EXPECT_EQ(ReadBytes(program.File("price.txt")), "a\r\nb\r\n");
    db.ProgramDir = program.File("no such folder");
    ASSERT_TRUE(SaveDownloadedPrices(db, {"c"}, &path).Ok);
    EXPECT_EQ(path, dir.File("price.txt"));
    EXPECT_EQ(ReadBytes(dir.File("price.txt")), "c\r\n");
}

TEST_F(Prices, ProgressReportsEveryEntry) {
    std::vector<std::string> shown;
    TPriceProgress progress;
    progress.Entry = [&](const std::string& name, std::size_t updated, std::size_t notFound) {
        shown.push_back(name + "/" + std::to_string(updated) + "/" + std::to_string(notFound));
    };
    ApplyPrices(db,
                list({PriceEntryLine("Crag Wyrm", "1.00"), PriceEntryLine("Nothing Here", "1.00"),
                      PriceEntryLine("Crag Runner", "1.00")}),
                today, progress);
    EXPECT_EQ(shown,
              (std::vector<std::string>{"Crag Wyrm/0/0", "Nothing Here/3/0", "Crag Runner/3/1"}));
}

// The pricing without a walk per entry must price exactly the lines the walk prices, on
// sorted and unsorted lists, with names that share letters, keys that differ in case,
// commas, split halves and editions that are and are not there.
TEST(PriceLookup, PricesWhatTheWalkPrices) {
    std::mt19937 rng(20261211);
    const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    // "(x) Ab" compares as "Ab" but sits under another key, so it can stand at the end
    // line of the "AB" block.
    const std::vector<std::string> stems{"Ab",     "AB",  "Ac",     "ab",     "B",
                                         "Ba",     "Bb",  "C,",     "(x) C",  "(x) Ab",
                                         "(y) Ba", "A/B", "Ab, Ca", "\xC6th", "\xE6th"};
    const std::vector<std::string> editions{"4E", "5E", "SV", "EM", "GL"};
    TTempDir dir;
    std::size_t checkedLines = 0;
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> names;
        for (int n = 0; n < 12; ++n) {
            std::string name = stems[pick(stems.size())];
            if (pick(2))
                name += " " + std::string(1, static_cast<char>('a' + pick(3)));
            if (pick(5) == 0)
                name += pick(2) ? " (Left)" : " (Right)";
            names.push_back(name);
        }
        std::vector<std::string> lines;
        const std::size_t count = 1 + pick(60);
        for (std::size_t i = 0; i < count; ++i)
            lines.push_back(pick(40) == 0 ? std::string("stray line without a tab")
                                          : CardLine(names[pick(names.size())],
                                                     editions[pick(editions.size())]));
        if (pick(3))
            SortCardLines(lines);
        TCardDatabase fast;
        fast.DataDir = IncludeTrailingSeparator(dir.Path());
        fast.CardLines = lines;
        BuildNameIndex(fast.NameIndex, fast.CardLines);
        TCardDatabase walk;
        walk.CardLines = lines;
        BuildNameIndex(walk.NameIndex, walk.CardLines);
        const TPriceLookup lookup(fast.NameIndex, fast.CardLines);
        for (int e = 0; e < 20; ++e) {
            std::string entry = pick(4) ? PriceComparisonName(names[pick(names.size())])
                                        : names[pick(names.size())];
            if (pick(2))
                entry +=
                    " (" + (pick(4) ? editions[pick(editions.size())] : std::string("5th")) + ")";
            if (pick(6) == 0)
                entry = "Zz " + entry;
            const std::string price = std::to_string(round) + "," + std::to_string(e);
            const std::size_t a = UpdateCardPrice(fast, lookup, entry, price);
            const std::size_t b = UpdateCardPriceByWalk(walk, entry, price);
            ASSERT_EQ(a, b) << "round " << round << " entry " << entry;
            ASSERT_EQ(fast.CardLines, walk.CardLines) << "round " << round << " entry " << entry;
            checkedLines += a;
        }
    }
    // The rounds must have priced something, or they compared nothing.
    EXPECT_GT(checkedLines, 1000u);
}

// A miss walks on past the end of its block: a line of the name placed after the block
// (the list is edited in place and never re-sorted) is priced only when the block itself
// held no match.
TEST(PriceLookup, TheWalkGoesOnPastTheBlockOnlyWhenItFoundNothing) {
    TCardDatabase db;
    db.CardLines = std::vector<std::string>{CardLine("Ab", "SV"), CardLine("Ac", "SV"),
                                            CardLine("Ba", "SV"), CardLine("Ab", "EM")};
    BuildNameIndex(db.NameIndex, db.CardLines);
    const TPriceLookup lookup(db.NameIndex, db.CardLines);
    EXPECT_EQ(lookup.Lines(PriceTargetOf("Ab")), (std::vector<std::size_t>{0}));
    EXPECT_EQ(lookup.Lines(PriceTargetOf("Ab (EM)")), (std::vector<std::size_t>{3}));
    EXPECT_EQ(UpdateCardPriceByWalk(db, "Ab", "1,00"), 1u);
    EXPECT_EQ(UpdateCardPriceByWalk(db, "Ab (EM)", "2,00"), 1u);
    EXPECT_EQ(ParseCardLine(db.CardLines[3]).Value, "2,00");

    // The end line belongs to the walk: a match there stops it, even when the line's own
    // key is another.
    db.CardLines = std::vector<std::string>{CardLine("Ca x", "SV"), CardLine("(x) Ca", "SV"),
                                            CardLine("Ca", "EM")};
    BuildNameIndex(db.NameIndex, db.CardLines);
    const TPriceLookup again(db.NameIndex, db.CardLines);
    EXPECT_EQ(again.Lines(PriceTargetOf("Ca")), (std::vector<std::size_t>{1}));
    EXPECT_EQ(UpdateCardPriceByWalk(db, "Ca", "3,00"), 1u);
}
