// The card filter: the four tests a card must pass to appear in the base list, the filter
// state they read from the settings file, the filter run over the whole card list, and the
// model of the filter dialog (its lists, buttons and rules) that a dialog window drives.
#pragma once

#include "core/UCardDatabase.h"
#include "deck/UProgress.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace zandor {

// Indexes of the spell-type items and colour items of the filter.
enum TSpellItem : std::size_t {
    siInstant,
    siInterrupt,
    siSorcery,
    siCreature,
    siEnchantment,
    siEnchantOther,
    siLand,
    siManaSource,
    siArtifactCreature,
    siArtifactOther
};
enum TColorItem : std::size_t {
    ciBlack,
    ciBlue,
    ciGreen,
    ciRed,
    ciWhite,
    ciGold,
    ciArtifacts,
    ciLand,
    ciAndGold
};
// The edition-set choices, as stored in "Type Filters"/"Key".
enum TEditionType : int { etNone, etAll, etSelected, etType2, etExtended, etType1 };

// The spell types, colours and rarities let through.
struct TFilterState {
    std::array<bool, 10> Spells{true, true, true, true, true, true, true, true, true, true};
    std::array<bool, 9> Colors{true, true, true, true, true, true, true, true, true};
    bool Common = true;
    bool Uncommon = true;
    bool Rare = true;
    friend bool operator==(const TFilterState&, const TFilterState&) = default;
};

// The "Spell Filters", "Color Filters" and "Rarity Filters" sections; a missing key lets
// its item through.
TFilterState LoadFilterState(const TIniFile& settings);

// The editions whose "Edition Filters" key is true; a missing key is false here.
class TEditionSet {
public:
    static TEditionSet FromSettings(const TIniFile& settings);
    void Insert(std::string_view code);
    bool Contains(std::string_view code) const;

private:
    // A code of at most three characters (every card's edition) as one number, so that
    // the filter's test per card is a search in a few numbers.
    static std::uint32_t packed(std::string_view code);
    std::unordered_set<std::string> m_codes; // upper-cased, as keys match without case
    std::vector<std::uint32_t> m_short;      // sorted packed codes of the short ones
};

bool RarityPasses(const TZandorCard& card, const TFilterState& filter);
bool ColorPasses(const TZandorCard& card, const TFilterState& filter);
bool SpellTypePasses(const TZandorCard& card, const TFilterState& filter);
bool EditionPasses(const TZandorCard& card, const TEditionSet& editions);
// The same tests on the fields as they stand in a card line (short fields not yet cut).
bool RarityPasses(std::string_view rarity, const TFilterState& filter);
bool ColorPasses(std::string_view color, std::string_view cost, const TFilterState& filter);
bool SpellTypePasses(std::string_view cardType, const TFilterState& filter);
bool EditionPasses(std::string_view edition, const TEditionSet& editions);

// Everything the four tests read, taken from the settings file once per run.
struct TCardFilter {
    TFilterState State;
    TEditionSet Editions;
    static TCardFilter FromSettings(const TIniFile& settings);
    bool Passes(const TZandorCard& card) const {
        return RarityPasses(card, State) && ColorPasses(card, State) &&
               SpellTypePasses(card, State) && EditionPasses(card, Editions);
    }
    // The same for a raw card line, read field by field without building its record.
    bool PassesLine(std::string_view line) const;
};

// The progress bar of a filter run over count card lines: its maximum, and the step
// between the positions it is set to.
struct TFilterProgress {
    std::size_t Maximum = 0;
    std::size_t Step = 0;
};
TFilterProgress FilterProgressOf(std::size_t count);

// Reads the fields the tests need from every card line and gives the base lines of the
// cards that pass, in list order. progress is called with 0, step, 2 * step, ... (every
// line when step is 0).
std::vector<std::string> FilterBase(const TCardLines& cardLines, const TCardFilter& filter,
                                    const TProgress& progress = {});
std::vector<std::string> FilterBase(const std::vector<std::string>& cardLines,
                                    const TCardFilter& filter, const TProgress& progress = {});
// The same with the filter saved in the database's settings.
std::vector<std::string> FilterBase(const TCardDatabase& db, const TProgress& progress = {});

// The filter dialog's state and commands. Load it each time the dialog is shown; Save it
// when the dialog is confirmed.
class TFilterDialogModel {
public:
    struct TEdition {
        std::string Code; // the key of the "Edition" section
        std::string Name; // its display name
        bool Ticked = true;
    };

    std::vector<TEdition> Editions;
    TFilterState State;
    int EditionType = etNone;
    // The captions of the spell-type and colour buttons; the dialog keeps them between uses.
    std::string SpellButtonCaption = "None";
    std::string ColorButtonCaption = "All";

    void Load(const TIniFile& settings);
    // Writes the dialog's choices to the filter sections; the first failed write is
    // returned.
    TWriteResult Save(TIniFile& settings) const;
    // The dialog was closed with OK: save it, then load it again from the settings.
    TWriteResult Confirm(TIniFile& settings);

    // The user picked an entry of the edition-set list.
    void ChooseEditionType(int type, const TIniFile& settings);
    // The user ticked or unticked an edition by hand: the choice becomes "Selected".
    void SetEditionTicked(std::size_t index, bool ticked);
    // The user ticked or unticked a colour item; "{and} Gold" excludes "Gold",
    // "Artifacts" and "Land".
    void SetColorTicked(std::size_t index, bool ticked);
    void SetSpellTicked(std::size_t index, bool ticked) { State.Spells.at(index) = ticked; }
    void SpellButtonClick();
    void ColorButtonClick();
};

} // namespace zandor
