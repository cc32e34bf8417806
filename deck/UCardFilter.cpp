#include "deck/UCardFilter.h"

#include "deck/UBaseList.h"

#include <algorithm>
#include <utility>

namespace zandor {

namespace {

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

constexpr std::size_t noItem = 99;

// The item of a colour code among the first eight items, or noItem.
std::size_t colorItem(std::string_view color) {
    static constexpr std::array<std::string_view, 8> codes{"B", "U",   "G",   "R",
                                                           "W", "Gld", "Art", "Lnd"};
    for (std::size_t i = 0; i < codes.size(); ++i)
        if (codes[i] == color)
            return i;
    return noItem;
}

bool spellRule(std::size_t item, std::string_view type) {
    switch (item) {
    case siInstant:
        return type == "Instant";
    case siInterrupt:
        return type == "Interrupt";
    case siSorcery:
        return type == "Sorcery";
    case siCreature:
        return startsWith(type, "Creature") || startsWith(type, "Smn ") ||
               startsWith(type, "Summon ");
    case siEnchantment:
        return type == "Enchantment";
    case siEnchantOther:
        return startsWith(type, "Echt") || startsWith(type, "Enchant ");
    case siLand:
        return startsWith(type, "Land") || startsWith(type, "Legendary Land");
    case siManaSource:
        return type == "Mana Source";
    case siArtifactCreature:
        return contains(type, "Artf Crt") ||
               (contains(type, "Artifact") && contains(type, "Creature"));
    case siArtifactOther:
        return contains(type, "Artifact") && !contains(type, "Artifact ");
    default:
        return false;
    }
}

// Sets the keys of one section with a single write of the file: keys already there keep
// their place and their line, new ones are appended, and every other line of the section
// (a comment, a key of the user's own, a quoted value) stays as the user wrote it.
TWriteResult writeKeys(TIniFile& settings, std::string_view section,
                       const std::vector<std::pair<std::string, std::string>>& keys) {
    // A key that already holds its value is left alone, quotes and all.
    std::vector<std::pair<std::string, std::string>> changed;
    for (const auto& [key, value] : keys)
        if (!settings.ValueExists(section, key) || settings.ReadString(section, key, "") != value)
            changed.emplace_back(key, value);
    return settings.WriteStrings(section, changed);
}

std::string boolText(bool value) {
    return value ? "1" : "0";
}

} // namespace

TFilterState LoadFilterState(const TIniFile& settings) {
    TFilterState state;
    for (std::size_t i = 0; i < state.Spells.size(); ++i)
        state.Spells[i] = settings.ReadBool(ini::SpellFilters, SpellFilterCaptions[i], true);
    for (std::size_t i = 0; i < state.Colors.size(); ++i)
        state.Colors[i] = settings.ReadBool(ini::ColorFilters, ColorFilterCaptions[i], true);
    state.Common = settings.ReadBool(ini::RarityFilters, ini::Common, true);
    state.Uncommon = settings.ReadBool(ini::RarityFilters, ini::Uncommon, true);
    state.Rare = settings.ReadBool(ini::RarityFilters, ini::Rare, true);
    return state;
}

TEditionSet TEditionSet::FromSettings(const TIniFile& settings) {
    TEditionSet set;
    for (const std::string& code : settings.ReadSection(ini::EditionFilters))
        if (settings.ReadBool(ini::EditionFilters, code, false))
            set.Insert(code);
    return set;
}

std::uint32_t TEditionSet::packed(std::string_view code) {
    std::uint32_t key = static_cast<std::uint32_t>(code.size()) << 24;
    for (std::size_t i = 0; i < code.size(); ++i) {
        char c = code[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        key |= static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << (16 - 8 * i);
    }
    return key;
}

void TEditionSet::Insert(std::string_view code) {
    m_codes.insert(upperAscii(code));
    if (code.size() <= EditionWidth) {
        const std::uint32_t key = packed(code);
        const auto at = std::lower_bound(m_short.begin(), m_short.end(), key);
        if (at == m_short.end() || *at != key)
            m_short.insert(at, key);
    }
}

bool TEditionSet::Contains(std::string_view code) const {
    if (code.size() <= EditionWidth)
        return std::binary_search(m_short.begin(), m_short.end(), packed(code));
    return m_codes.count(upperAscii(code)) != 0;
}

bool RarityPasses(std::string_view rarity, const TFilterState& filter) {
    if (rarity.empty())
        return false;
    switch (rarity[0]) {
    case 'R':
        return filter.Rare;
    case 'U':
        return filter.Uncommon;
    case 'C':
        return filter.Common;
    default:
        return false;
    }
}

bool ColorPasses(std::string_view color, std::string_view cost, const TFilterState& filter) {
    const std::size_t item = colorItem(color.substr(0, ColorWidth));
    if (filter.Colors[ciAndGold]) {
        if (item <= ciWhite)
            return filter.Colors[item];
        if (item != ciGold)
            return false;
        // A gold card passes when one of its cost colours is ticked.
        for (const char c : cost) {
            const std::size_t letter = colorItem(std::string_view(&c, 1));
            if (letter <= ciWhite && filter.Colors[letter])
                return true;
        }
        return false;
    }
    return item != noItem && filter.Colors[item];
}

bool SpellTypePasses(std::string_view cardType, const TFilterState& filter) {
    for (std::size_t i = 0; i < filter.Spells.size(); ++i)
        if (filter.Spells[i] && spellRule(i, cardType))
            return true;
    return false;
}

bool EditionPasses(std::string_view edition, const TEditionSet& editions) {
    return editions.Contains(edition.substr(0, EditionWidth));
}

bool RarityPasses(const TZandorCard& card, const TFilterState& filter) {
    return RarityPasses(card.Rarity.str(), filter);
}

bool ColorPasses(const TZandorCard& card, const TFilterState& filter) {
    return ColorPasses(card.Color.str(), card.Cost, filter);
}

bool SpellTypePasses(const TZandorCard& card, const TFilterState& filter) {
    return SpellTypePasses(card.CardType, filter);
}

bool EditionPasses(const TZandorCard& card, const TEditionSet& editions) {
    return EditionPasses(card.Edition.str(), editions);
}

bool TCardFilter::PassesLine(std::string_view line) const {
    std::string_view f[cfCost + 1];
    CardLineFields(line, f, cfCost + 1);
    return RarityPasses(f[cfRarity], State) && EditionPasses(f[cfEdition], Editions) &&
           ColorPasses(f[cfColor], f[cfCost], State) && SpellTypePasses(f[cfCardType], State);
}

TCardFilter TCardFilter::FromSettings(const TIniFile& settings) {
    return {LoadFilterState(settings), TEditionSet::FromSettings(settings)};
}

TFilterProgress FilterProgressOf(std::size_t count) {
    TFilterProgress progress;
    progress.Maximum = count == 0 ? 0 : count - 1;
    progress.Step = progress.Maximum / 40;
    return progress;
}

namespace {

template <class TLines>
std::vector<std::string> filterBase(const TLines& cardLines, const TCardFilter& filter,
                                    const TProgress& progress) {
    std::vector<std::string> base;
    base.reserve(cardLines.size());
    const std::size_t step = FilterProgressOf(cardLines.size()).Step;
    std::size_t next = 0;
    std::string_view f[cfCost + 1];
    for (std::size_t n = 0; n < cardLines.size(); ++n) {
        if (progress && n == next) {
            progress(n);
            next += step == 0 ? 1 : step;
        }
        // The fields the tests read, straight from the line: no record is built.
        CardLineFields(cardLines[n], f, cfCost + 1);
        const TFilterState& state = filter.State;
        if (RarityPasses(f[cfRarity], state) && EditionPasses(f[cfEdition], filter.Editions) &&
            ColorPasses(f[cfColor], f[cfCost], state) && SpellTypePasses(f[cfCardType], state))
            base.push_back(BaseLine(f[cfEdition].substr(0, EditionWidth), f[cfName]));
    }
    return base;
}

} // namespace

std::vector<std::string> FilterBase(const TCardLines& cardLines, const TCardFilter& filter,
                                    const TProgress& progress) {
    return filterBase(cardLines, filter, progress);
}

std::vector<std::string> FilterBase(const std::vector<std::string>& cardLines,
                                    const TCardFilter& filter, const TProgress& progress) {
    return filterBase(cardLines, filter, progress);
}

std::vector<std::string> FilterBase(const TCardDatabase& db, const TProgress& progress) {
    return FilterBase(db.CardLines, TCardFilter::FromSettings(db.Settings), progress);
}

void TFilterDialogModel::Load(const TIniFile& settings) {
    Editions.clear();
    for (const std::string& line : settings.ReadSectionValues(ini::Edition)) {
        const std::size_t eq = line.find('=');
        TEdition edition;
        edition.Code = line.substr(0, eq);
        edition.Name = eq == std::string::npos ? std::string() : Trim(line.substr(eq + 1));
        edition.Ticked = settings.ReadBool(ini::EditionFilters, edition.Code, true);
        Editions.push_back(std::move(edition));
    }
    State = LoadFilterState(settings);
    const long long type = settings.ReadInteger(ini::TypeFilters, ini::Key, etNone);
    EditionType = type >= etNone && type <= etType1 ? static_cast<int>(type) : etNone;
}

TWriteResult TFilterDialogModel::Save(TIniFile& settings) const {
    TWriteResult result;
    auto keep = [&result](TWriteResult r) {
        if (result.Ok && !r.Ok)
            result = std::move(r);
    };
    keep(writeKeys(settings, ini::RarityFilters,
                   {{std::string(ini::Rare), boolText(State.Rare)},
                    {std::string(ini::Uncommon), boolText(State.Uncommon)},
                    {std::string(ini::Common), boolText(State.Common)}}));
    std::vector<std::pair<std::string, std::string>> keys;
    for (std::size_t i = 0; i < State.Colors.size(); ++i)
        keys.emplace_back(ColorFilterCaptions[i], boolText(State.Colors[i]));
    keep(writeKeys(settings, ini::ColorFilters, keys));
    keys.clear();
    for (std::size_t i = 0; i < State.Spells.size(); ++i)
        keys.emplace_back(SpellFilterCaptions[i], boolText(State.Spells[i]));
    keep(writeKeys(settings, ini::SpellFilters, keys));
    keys.clear();
    // Each edition is saved under its own code, so that two editions sharing a display
    // name keep their own choice.
    for (const TEdition& edition : Editions)
        if (!edition.Code.empty())
            keys.emplace_back(edition.Code, boolText(edition.Ticked));
    keep(writeKeys(settings, ini::EditionFilters, keys));
    keep(writeKeys(settings, ini::TypeFilters,
                   {{std::string(ini::Key), std::to_string(EditionType)}}));
    return result;
}

TWriteResult TFilterDialogModel::Confirm(TIniFile& settings) {
    TWriteResult saved = Save(settings);
    Load(settings);
    return saved;
}

void TFilterDialogModel::ChooseEditionType(int type, const TIniFile& settings) {
    if (type < etNone || type > etType1)
        return;
    EditionType = type;
    if (type == etSelected)
        return;
    if (type == etNone || type == etAll) {
        for (TEdition& edition : Editions)
            edition.Ticked = type == etAll;
        return;
    }
    const std::string list = settings.ReadString(
        ini::TypeGamesEdition, EditionTypeCaptions[static_cast<std::size_t>(type)], "");
    std::vector<std::string_view> pieces;
    std::string_view rest = list;
    while (true) {
        const std::size_t comma = rest.find(',');
        pieces.push_back(rest.substr(0, comma));
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    for (TEdition& edition : Editions) {
        edition.Ticked = false;
        for (std::string_view piece : pieces)
            if (!piece.empty() && SameText(edition.Name, piece))
                edition.Ticked = true;
    }
}

void TFilterDialogModel::SetEditionTicked(std::size_t index, bool ticked) {
    Editions.at(index).Ticked = ticked;
    EditionType = etSelected;
}

void TFilterDialogModel::SetColorTicked(std::size_t index, bool ticked) {
    State.Colors.at(index) = ticked;
    if (!ticked)
        return;
    if (index == ciAndGold) {
        State.Colors[ciGold] = State.Colors[ciArtifacts] = State.Colors[ciLand] = false;
    } else if (index >= ciGold && index <= ciLand) {
        State.Colors[ciAndGold] = false;
    }
}

void TFilterDialogModel::SpellButtonClick() {
    const bool tick = SpellButtonCaption == "All";
    SpellButtonCaption = tick ? "None" : "All";
    State.Spells.fill(tick);
}

void TFilterDialogModel::ColorButtonClick() {
    if (ColorButtonCaption == "All") {
        ColorButtonCaption = "None";
        State.Colors.fill(true);
        State.Colors[ciAndGold] = false;
    } else {
        ColorButtonCaption = "All";
        State.Colors.fill(false);
    }
}

} // namespace zandor
