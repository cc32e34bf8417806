#include "core/UTextFile.h"
#include "deck/UCardFilter.h"
#include "tests/deck/DeckTestBase.h"

#include <gtest/gtest.h>
#include <random>

using namespace zandor;
using namespace zandor::test;

namespace {

TZandorCard card(const std::string& color, const std::string& cost = "",
                 const std::string& type = "Instant", const std::string& rarity = "C") {
    TCardFields fields;
    fields.Name = "Card";
    fields.Edition = "QAL";
    fields.Color = color;
    fields.Cost = cost;
    fields.CardType = type;
    fields.Rarity = rarity;
    return MakeCard(fields);
}

TFilterState only(std::initializer_list<std::size_t> colors) {
    TFilterState state;
    state.Colors.fill(false);
    for (std::size_t c : colors)
        state.Colors[c] = true;
    return state;
}

// The spell-type items that let a card of this type through on their own.
std::vector<std::size_t> spellItemsFor(const std::string& type) {
    std::vector<std::size_t> items;
    for (std::size_t i = 0; i < 10; ++i) {
        TFilterState state;
        state.Spells.fill(false);
        state.Spells[i] = true;
        if (SpellTypePasses(card("W", "", type), state))
            items.push_back(i);
    }
    return items;
}

} // namespace

TEST(CardFilter, Rarity) {
    TFilterState state;
    state.Uncommon = false;
    EXPECT_TRUE(RarityPasses(card("W", "", "Instant", "C"), state));
    EXPECT_FALSE(RarityPasses(card("W", "", "Instant", "U"), state));
    EXPECT_TRUE(RarityPasses(card("W", "", "Instant", "R"), state));
    EXPECT_FALSE(RarityPasses(card("W", "", "Instant", ""), TFilterState{}));
    EXPECT_FALSE(RarityPasses(card("W", "", "Instant", "c"), TFilterState{}));
}

TEST(CardFilter, Colors) {
    const struct {
        TZandorCard card;
        TFilterState state;
        bool passes;
    } cases[] = {
        {card("Gld", "1WU"), only({ciAndGold, ciWhite}), true},
        {card("Gld", "1WU"), only({ciAndGold, ciBlack}), false},
        {card("Gld", "1WU"), only({ciGold}), true},
        {card("Gld", "1WU"), only({ciWhite}), false},
        {card("U"), only({ciAndGold, ciBlue}), true},
        {card("U"), only({ciAndGold, ciRed}), false},
        {card("Art"), only({ciAndGold, ciArtifacts, ciLand, ciGold, ciBlack}), false},
        {card("Lnd"), only({ciAndGold, ciArtifacts, ciLand, ciGold, ciBlack}), false},
        {card("Art"), only({ciArtifacts}), true},
        {card("Lnd"), only({ciLand}), true},
        {card("B"), only({ciBlack}), true},
        {card("G"), only({ciGreen}), true},
        {card("R"), only({ciRed}), true},
        {card("R"), only({ciBlack, ciBlue, ciGreen, ciWhite, ciGold, ciArtifacts, ciLand}), false},
        {card("w"), TFilterState{}, false},
        {card(""), TFilterState{}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColorPasses(c.card, c.state), c.passes)
            << c.card.Color.str() << " " << c.card.Cost;
}

TEST(CardFilter, SpellTypes) {
    const struct {
        std::string type;
        std::vector<std::size_t> items;
    } cases[] = {
        {"Instant", {siInstant}},
        {"Interrupt", {siInterrupt}},
        {"Sorcery", {siSorcery}},
        {"Instant ", {}},
        {"Creature - Elf", {siCreature}},
        {"Summon Elf", {siCreature}},
        {"Smn Elf", {siCreature}},
        {"Enchantment", {siEnchantment}},
        {"Enchant Creature", {siEnchantOther}},
        {"Echt Wall", {siEnchantOther}},
        {"Land", {siLand}},
        {"Legendary Land", {siLand}},
        {"Mana Source", {siManaSource}},
        {"Artifact Creature", {siArtifactCreature}},
        {"Artf Crt Golem", {siArtifactCreature}},
        {"Artifact", {siArtifactOther}},
        {"Artifact Land", {}},
        {"instant", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(spellItemsFor(c.type), c.items) << c.type;
}

TEST(CardFilter, EditionsComeFromTheSettingsWithFalseForAMissingKey) {
    TTempDir dir;
    WriteTextLines(dir.File("z.ini"),
                   {"[Edition Filters]", "QAL=1", "QBE=0", "qsn=1", "QFR=yes", "QAL=0"});
    const TEditionSet set = TEditionSet::FromSettings(TIniFile(dir.File("z.ini")));
    EXPECT_TRUE(EditionPasses(card("W"), set));
    TZandorCard other = card("W");
    for (const auto& [code, passes] : std::vector<std::pair<std::string, bool>>{
             {"QBE", false}, {"QSN", true}, {"QFR", false}, {"QSM", false}, {"", false}}) {
        other.Edition = code;
        EXPECT_EQ(EditionPasses(other, set), passes) << code;
    }
}

TEST(FilterBase, KeepsListOrderAndReportsProgressInSteps) {
    std::vector<std::string> lines;
    for (int i = 0; i < 81; ++i) {
        TZandorCard c = card(i % 2 ? "U" : "R", "", "Instant", i % 3 ? "C" : "R");
        c.Name = "Card " + std::to_string(i);
        c.Edition = i == 80 ? "QBE" : "QAL";
        lines.push_back(FormatCardLine(c));
    }
    TCardFilter filter;
    filter.Editions.Insert("qal");
    filter.State.Colors[ciRed] = false;
    filter.State.Common = false;
    std::vector<std::size_t> progress;
    const std::vector<std::string> base =
        FilterBase(lines, filter, [&](std::size_t n) { progress.push_back(n); });
    // Odd numbers are blue, multiples of three rare: 3, 9, 15, ..., 75.
    ASSERT_EQ(base.size(), 13u);
    EXPECT_EQ(base.front(), "[QAL] - Card 3");
    EXPECT_EQ(base.back(), "[QAL] - Card 75");
    EXPECT_EQ(FilterProgressOf(81).Maximum, 80u);
    EXPECT_EQ(FilterProgressOf(81).Step, 2u);
    ASSERT_EQ(progress.size(), 41u);
    EXPECT_EQ(progress[1], 2u);
    EXPECT_EQ(progress.back(), 80u);

    progress.clear();
    FilterBase(std::vector<std::string>(lines.begin(), lines.begin() + 5), filter,
               [&](std::size_t n) { progress.push_back(n); });
    EXPECT_EQ(progress, (std::vector<std::size_t>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(FilterBase(TCardLines(), filter, [](std::size_t) { FAIL(); }).empty());
    EXPECT_EQ(FilterProgressOf(0).Maximum, 0u);
}

struct FilterDialog : ::testing::Test {
    TTempDir dir;
    TIniFile settings;
    TFilterDialogModel model;
    void open(const std::vector<std::string>& lines) {
        WriteTextLines(dir.File("Zandor.ini"), lines);
        settings.Open(dir.File("Zandor.ini"));
        model.Load(settings);
    }
    std::vector<bool> ticks() const {
        std::vector<bool> t;
        for (const auto& e : model.Editions)
            t.push_back(e.Ticked);
        return t;
    }
};

TEST_F(FilterDialog, WithoutSettingsEverythingIsTicked) {
    open({});
    EXPECT_TRUE(model.Editions.empty());
    EXPECT_EQ(model.State, TFilterState{});
    EXPECT_EQ(model.EditionType, etNone);
}

TEST_F(FilterDialog, AnEditionWithoutKeyIsTickedButPassesOnlyOnceSaved) {
    open({"[Edition]", "QAL=Dawnquay", "QBE= Duskquay ", "[Edition Filters]", "QBE=0", "OLD=1",
          "[Type Filters]", "Key=9"});
    ASSERT_EQ(model.Editions.size(), 2u);
    EXPECT_EQ(model.Editions[1].Code, "QBE");
    EXPECT_EQ(model.Editions[1].Name, "Duskquay");
    EXPECT_EQ(ticks(), (std::vector<bool>{true, false}));
    EXPECT_EQ(model.EditionType, etNone); // an index past the list reads as "None"
    EXPECT_FALSE(TEditionSet::FromSettings(settings).Contains("QAL"));

    model.State.Rare = false;
    model.SetColorTicked(ciAndGold, true);
    model.SetSpellTicked(siSorcery, false);
    model.EditionType = etType2;
    model.Editions[1].Name = "changed before the dialog closed";
    ASSERT_TRUE(model.Confirm(settings).Ok);
    EXPECT_EQ(model.Editions[1].Name, "Duskquay"); // loaded again after saving
    const TEditionSet saved = TEditionSet::FromSettings(settings);
    EXPECT_TRUE(saved.Contains("QAL"));
    EXPECT_FALSE(saved.Contains("QBE"));
    EXPECT_TRUE(saved.Contains("OLD")); // a key of no catalogue edition is kept

    TFilterDialogModel again;
    again.Load(TIniFile(dir.File("Zandor.ini")));
    EXPECT_EQ(again.State, model.State);
    EXPECT_EQ(again.EditionType, etType2);
    const std::vector<std::string>& lines = settings.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Enchahtment=1"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "{and} Gold=1"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Rare=0"), lines.end());
}

TEST_F(FilterDialog, AFailedSaveIsReported) {
    open({"[Edition]", "QAL=Dawnquay"});
    TFailingWriter failing;
    EXPECT_FALSE(model.Save(settings).Ok);
}

TEST_F(FilterDialog, EditionSets) {
    open({"[Edition]", "QAL=Dawnquay", "QBE=Duskquay", "QFR=Frostquay", "QSM=Saltquay",
          "[Type Games Edition]", "Type 2=frostquay,Saltquay",
          "Extended=Dawnquay, Saltquay,Nowhere", "Type 1="});
    model.ChooseEditionType(etType2, settings);
    EXPECT_EQ(ticks(), (std::vector<bool>{false, false, true, true}));
    // The piece after a blank keeps its blank and names nothing.
    model.ChooseEditionType(etExtended, settings);
    EXPECT_EQ(ticks(), (std::vector<bool>{true, false, false, false}));
    model.ChooseEditionType(etType1, settings);
    EXPECT_EQ(ticks(), (std::vector<bool>{false, false, false, false}));
    model.ChooseEditionType(etAll, settings);
    EXPECT_EQ(ticks(), (std::vector<bool>{true, true, true, true}));
    model.SetEditionTicked(1, false);
    EXPECT_EQ(model.EditionType, etSelected);
    model.ChooseEditionType(etSelected, settings);
    EXPECT_EQ(ticks(), (std::vector<bool>{true, false, true, true}));
    model.ChooseEditionType(etNone, settings);
    EXPECT_EQ(ticks(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(model.EditionType, etNone);
}

TEST(FilterDialogButtons, SpellAndColorButtonsAndTheGoldRule) {
    TFilterDialogModel model;
    model.SpellButtonClick();
    EXPECT_EQ(model.SpellButtonCaption, "All");
    EXPECT_EQ(model.State.Spells, (std::array<bool, 10>{}));
    model.SpellButtonClick();
    EXPECT_EQ(model.SpellButtonCaption, "None");
    EXPECT_EQ(model.State.Spells, TFilterState{}.Spells);

    model.ColorButtonClick();
    EXPECT_EQ(model.ColorButtonCaption, "None");
    EXPECT_EQ(model.State.Colors,
              (std::array<bool, 9>{true, true, true, true, true, true, true, true, false}));
    model.ColorButtonClick();
    EXPECT_EQ(model.ColorButtonCaption, "All");
    EXPECT_EQ(model.State.Colors, (std::array<bool, 9>{}));

    model.State.Colors.fill(true);
    model.State.Colors[ciAndGold] = false;
    model.SetColorTicked(ciAndGold, true);
    EXPECT_EQ(model.State.Colors,
              (std::array<bool, 9>{true, true, true, true, true, false, false, false, true}));
    model.SetColorTicked(ciRed, false);
    EXPECT_TRUE(model.State.Colors[ciAndGold]);
    model.SetColorTicked(ciArtifacts, true);
    EXPECT_FALSE(model.State.Colors[ciAndGold]);
    EXPECT_TRUE(model.State.Colors[ciArtifacts]);
}

TEST_F(FilterDialog, ConfirmingKeepsTheHandWrittenLinesOfTheFilterSections) {
    const std::vector<std::string> handWritten = {
        "[Edition]",
        "KSV=Kestrel Vale",
        "EMB=Emberfall",
        "[Edition Filters]",
        "; editions I play with",
        "KSV=\"1\"",
        "EMB=1",
        "OLD=1",
        "[Rarity Filters]",
        "; rares are expensive",
        "Rare=\"1\"",
        "Common=1",
        "[Color Filters]",
        "Black=\"1\"",
        "; gold on purpose",
        "Gold=1",
        "[Spell Filters]",
        "Land=\"0\"",
        "[Type Filters]",
        "; the edition set",
        "Key=\"2\"",
        "[Location]",
        "Pic=/pictures",
    };
    open(handWritten);
    EXPECT_FALSE(model.State.Spells[siLand]);
    model.State.Common = false;            // changed
    model.SetEditionTicked(1, false);      // changed, and the set becomes "Selected" (2)
    model.SetSpellTicked(siSorcery, true); // unchanged (missing keys read as ticked)
    ASSERT_TRUE(model.Confirm(settings).Ok);
    const auto written = ReadTextLines(dir.File("Zandor.ini"));
    ASSERT_TRUE(written);
    const auto holds = [&](const std::string& line) {
        return std::find(written->begin(), written->end(), line) != written->end();
    };
    // Comments and the quoted values that did not change stay as the user wrote them.
    for (const char* kept :
         {"; editions I play with", "KSV=\"1\"", "OLD=1", "; rares are expensive", "Rare=\"1\"",
          "Black=\"1\"", "; gold on purpose", "Land=\"0\"", "; the edition set", "Key=\"2\"",
          "Pic=/pictures"})
        EXPECT_TRUE(holds(kept)) << kept;
    // The changes are there, and read back.
    EXPECT_TRUE(holds("Common=0"));
    EXPECT_TRUE(holds("EMB=0"));
    EXPECT_FALSE(holds("EMB=1"));
    TFilterDialogModel again;
    again.Load(TIniFile(dir.File("Zandor.ini")));
    EXPECT_EQ(again.State, model.State);
    EXPECT_FALSE(again.State.Common);
    EXPECT_EQ(again.EditionType, etSelected);
    EXPECT_EQ(ticks(), (std::vector<bool>{true, false}));
}

TEST(FilterBase, ReadingTheFieldsFromTheLineAgreesWithParsingEveryRecord) {
    // Random lines, malformed ones included (fields missing, no final TAB, long short
    // fields, letters in either case), through random filters: the filter that reads the
    // fields straight from each line lets through exactly what the parsed records pass.
    std::mt19937 rng(9);
    const std::vector<std::string> pieces[] = {
        {"Gloam Heron", "Ashen Crossing", "", "Pyre/Ash (Pyre)"}, // name
        {"KSV", "ksv", "EMB", "EMBR", "", "K"},                   // edition
        {"B", "U", "G", "R", "W", "Gld", "Gold", "Art", "Lnd", "gld", ""},
        {"Rules text with \"quotes\".", "", "Lots of words"}, // text
        {"C", "U", "R", "Rare", "r", "", "X"},                // rarity
        {"2/2", ""},
        {"0,25", ""},
        {"Instant", "Creature - Heron", "Summon Heron", "Smn Bird", "Artifact Creature", "Artifact",
         "Enchant Creature", "Enchantment", "Land", "Legendary Land", "Mana Source", "Artf Crt",
         "Echt", ""},
        {"1WU", "BR", "3", "G", ""}, // cost
        {"Mira Oakes", ""},
    };
    std::vector<std::string> lines;
    for (int i = 0; i < 3000; ++i) {
        std::string line;
        const std::size_t fields = rng() % 14; // up to every field and one more
        for (std::size_t f = 0; f < fields; ++f) {
            if (f < std::size(pieces))
                line += pieces[f][rng() % pieces[f].size()];
            if (f + 1 < fields || rng() % 3 != 0)
                line += '\t';
        }
        lines.push_back(std::move(line));
    }
    std::size_t passedInAll = 0;
    for (int round = 0; round < 40; ++round) {
        TCardFilter filter;
        for (bool& spell : filter.State.Spells)
            spell = rng() % 3 != 0;
        for (bool& color : filter.State.Colors)
            color = rng() % 3 != 0;
        filter.State.Common = rng() % 2;
        filter.State.Uncommon = rng() % 2;
        filter.State.Rare = rng() % 2;
        for (const char* code : {"KSV", "emb", "EMBR", "K"})
            if (rng() % 2)
                filter.Editions.Insert(code);
        std::vector<std::string> expected;
        for (const std::string& line : lines) {
            const TZandorCard card = ParseCardLine(line);
            if (filter.Passes(card))
                expected.push_back("[" + card.Edition.str() + "] - " + card.Name);
        }
        EXPECT_EQ(FilterBase(lines, filter), expected) << "round " << round;
        EXPECT_EQ(FilterBase(TCardLines(lines), filter), expected) << "round " << round;
        std::size_t passing = 0;
        for (const std::string& line : lines)
            passing += filter.PassesLine(line);
        EXPECT_EQ(passing, expected.size()) << "round " << round;
        passedInAll += expected.size();
    }
    // The cases are not all one way.
    EXPECT_GT(passedInAll, 200u);
    EXPECT_LT(passedInAll, 40u * lines.size() / 2);
}
