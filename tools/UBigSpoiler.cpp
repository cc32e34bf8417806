#include "tools/UBigSpoiler.h"

#include "core/UTextFile.h"

#include <array>
#include <random>
#include <set>
#include <vector>

namespace zandor {

namespace {

const std::array<const char*, 16> starts{"Brin", "Cald", "Dorn", "Elva", "Fass", "Grim",
                                         "Holl", "Istr", "Jass", "Korv", "Lum",  "Morr",
                                         "Nyth", "Orr",  "Pell", "Quar"};
const std::array<const char*, 12> ends{"wick", "mere", "hollow", "spire", "fall", "reach",
                                       "gate", "moor", "fold",   "crest", "holt", "shade"};
const std::array<const char*, 12> kinds{"Warden", "Heron",  "Adept", "Ward", "Drake", "Sage",
                                        "Golem",  "Strand", "Shade", "Stag", "Imp",   "Relic"};
const std::array<const char*, 8> colours{"White", "Blue",     "Black", "Red",
                                         "Green", "Artifact", "Land",  "Multi (Green/Blue)"};
const std::array<const char*, 6> types{"Creature - Warden", "Instant",  "Sorcery",
                                       "Enchantment",       "Artifact", "Land"};
const std::array<const char*, 3> rarities{"Common", "Uncommon", "Rare"};
const std::array<const char*, 6> artists{"Mira Oakes", "Lio Varga",     "Tovin Haller",
                                         "Kit Marrow", "Edda Brannock", "Piet Alcorn"};
const std::array<const char*, 16> words{
    "target", "creature", "player", "damage", "draw",    "card",  "until",  "end",
    "of",     "turn",     "gains",  "flying", "counter", "untap", "tapped", "sacrifice"};

} // namespace

bool MakeBigSpoiler(const std::string& path, std::size_t cards, std::uint32_t seed) {
    std::mt19937 rng(seed);
    const auto pick = [&rng](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    const auto sentence = [&](std::size_t count) {
        std::string s;
        for (std::size_t i = 0; i < count; ++i)
            s += (i ? " " : "") + std::string(words[pick(words.size())]);
        return s;
    };
    std::vector<std::string> lines{"Generated edition -- text spoiler list",
                                   std::to_string(cards) + " cards", ""};
    std::set<std::string> used;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < cards; ++i) {
        std::string name;
        do {
            name = std::string(starts[pick(starts.size())]) + ends[pick(ends.size())] + " " +
                   kinds[pick(kinds.size())];
            if (used.count(name))
                name += " " + std::to_string(i + 1);
        } while (used.count(name));
        used.insert(name);
        names.push_back(name);
        const std::size_t colour = pick(colours.size());
        const bool creature = pick(2) == 0;
        lines.push_back("Card Title:   " + name);
        lines.push_back(std::string("Card Color:   ") + colours[colour]);
        lines.push_back(std::string("Type & Class: ") + types[pick(types.size())]);
        lines.push_back("Casting Cost: " + std::to_string(1 + pick(5)) + "G");
        lines.push_back("Pow/Tgh:      " +
                        (creature ? std::to_string(1 + pick(5)) + "/" + std::to_string(1 + pick(5))
                                  : std::string("n/a")));
        lines.push_back("Card Text:    " + sentence(6 + pick(6)));
        if (pick(2) == 0)
            lines.push_back("              " + sentence(4 + pick(6)) + ".");
        lines.push_back("Flavor Text:  " + (pick(3) == 0 ? sentence(8) : std::string()));
        lines.push_back(std::string("Artist:       ") + artists[pick(artists.size())]);
        lines.push_back(std::string("Rarity:       ") + rarities[pick(rarities.size())]);
        lines.push_back("Card #:       " + std::to_string(i + 1) + "/" + std::to_string(cards));
        lines.push_back("");
    }
    lines.push_back("///PROG CARD CODE\\\\\\");
    for (std::size_t i = 0; i < names.size(); i += 4)
        lines.push_back(names[i] + "=KEYWORLD[_FL_]");
    return WriteTextLines(path, lines).Ok;
}

} // namespace zandor
