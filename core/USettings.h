// The sections and keys of "Zandor.ini" with their defaults, the filter item captions
// that serve as keys, and the options record the printing and card view read.
#pragma once

#include "core/UDate.h"
#include "core/UIniFile.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zandor {

namespace ini {
inline constexpr std::string_view Location = "Location";
inline constexpr std::string_view Pic = "Pic";
inline constexpr std::string_view Ramka = "Ramka";
inline constexpr std::string_view Key = "Key";
inline constexpr std::string_view Print = "Print";
inline constexpr std::string_view UseTempPic = "UseTempPic";
inline constexpr std::string_view UseOsn = "UseOsn";
inline constexpr std::string_view UseBord = "UseBord";
inline constexpr std::string_view Use5MM = "Use5MM";
inline constexpr std::string_view ViewCard = "ViewCard";
inline constexpr std::string_view UseAnim = "UseAnim";
inline constexpr std::string_view UseCopy = "UseCopy";
inline constexpr std::string_view Stretch = "Stretch";
inline constexpr std::string_view Edition = "Edition";
inline constexpr std::string_view EditionFilters = "Edition Filters";
inline constexpr std::string_view SpellFilters = "Spell Filters";
inline constexpr std::string_view ColorFilters = "Color Filters";
inline constexpr std::string_view RarityFilters = "Rarity Filters";
inline constexpr std::string_view TypeFilters = "Type Filters";
inline constexpr std::string_view TypeGamesEdition = "Type Games Edition";
inline constexpr std::string_view CardIndex = "CardIndex";
inline constexpr std::string_view Update = "Update";
inline constexpr std::string_view Price = "Price";
inline constexpr std::string_view Common = "Common";
inline constexpr std::string_view Uncommon = "Uncommon";
inline constexpr std::string_view Rare = "Rare";
} // namespace ini

// The spell-type items of the card filter, in order; the captions are the keys of
// "Spell Filters" exactly as written (the misspelt "Enchahtment" included).
inline constexpr std::array<std::string_view, 10> SpellFilterCaptions{
    "Instant",         "Interrupt", "Sorcery",     "Creature",          "Enchahtment",
    "Enchant {other}", "Land",      "Mana Source", "Artifact Creature", "Artifact {non-creature}"};

// The colour items of the card filter, in order; keys of "Color Filters".
inline constexpr std::array<std::string_view, 9> ColorFilterCaptions{
    "Black", "Blue", "Green", "Red", "White", "Gold", "Artifacts", "Land", "{and} Gold"};

// The edition-set choices; "Type Filters"/"Key" holds the index.
inline constexpr std::array<std::string_view, 6> EditionTypeCaptions{
    "None", "All", "Selected", "Type 2", "Extended", "Type 1"};

// The date of the last price update before any update was made.
inline constexpr TDate DefaultPriceDate{2011, 11, 11};

// Art resampling methods of "Stretch"/"Key".
enum class TStretchMethod : std::uint8_t { Standart = 0, Box = 1, Lanczos3 = 2 };

struct TProgramOptions {
    bool UseTempPic = true;
    bool UseOsn = false;
    bool UseBord = false;
    bool Use5MM = false;
    bool UseAnim = false;
    bool UseCopy = false;
    std::uint8_t Stretch = 0;
    friend bool operator==(const TProgramOptions&, const TProgramOptions&) = default;
};

// Reads the options with their defaults; the stretch key keeps its low eight bits.
TProgramOptions LoadOptions(const TIniFile& settings);
TWriteResult SaveOptions(TIniFile& settings, const TProgramOptions& options);

} // namespace zandor
