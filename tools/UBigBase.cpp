#include "tools/UBigBase.h"

#include "core/UCard.h"
#include "core/UCardDatabase.h"
#include "core/UTextFile.h"

#include <array>
#include <random>
#include <set>
#include <vector>

namespace zandor {

namespace {

const std::array<const char*, 24> syllables{
    "ar",  "bel", "cor", "dra", "el",   "fen", "gar", "hal", "ir", "jun", "kel", "lor",
    "mor", "nes", "or",  "pel", "quin", "ral", "sel", "tor", "ul", "vor", "wen", "zan"};
const std::array<const char*, 16> nouns{"Warden",  "Gate", "Hound", "Spire",  "Oath",  "Bloom",
                                        "Ember",   "Tide", "Crown", "Shard",  "Vigil", "Harbor",
                                        "Lantern", "Wyrm", "Grove", "Bastion"};
const std::array<const char*, 12> types{"Summon Knight", "Instant",           "Sorcery",
                                        "Enchantment",   "Enchant Creature",  "Land",
                                        "Artifact",      "Artifact Creature", "Interrupt",
                                        "Summon Wall",   "Mana Source",       "Legendary Land"};
const std::array<const char*, 20> words{"target",  "creature",  "player",  "damage",   "draw",
                                        "card",    "until",     "end",     "of",       "turn",
                                        "gains",   "flying",    "each",    "opponent", "discard",
                                        "library", "graveyard", "counter", "untap",    "sacrifice"};

struct TGenerator {
    std::mt19937 rng;
    explicit TGenerator(std::uint32_t seed) : rng(seed) {}
    int pick(int n) { return static_cast<int>(rng() % static_cast<std::uint32_t>(n)); }

    // A word opens with one of about two hundred letter pairs, as card names spread over
    // the alphabet, then runs on in syllables.
    std::string word() {
        static const char* onsets[] = {"b",  "c",  "d",  "f",  "g",  "h",  "j",  "k",
                                       "l",  "m",  "n",  "p",  "r",  "s",  "t",  "v",
                                       "w",  "z",  "br", "cr", "dr", "gr", "st", "th",
                                       "sh", "sk", "bl", "fl", "gl", "tr", "qu", "y"};
        static const char* vowels[] = {"a", "e", "i", "o", "u", "y", "ae", "ou"};
        std::string w = onsets[pick(32)];
        w += vowels[pick(8)];
        const int parts = 1 + pick(2);
        for (int i = 0; i < parts; ++i)
            w += syllables[static_cast<std::size_t>(pick(static_cast<int>(syllables.size())))];
        w[0] = static_cast<char>(w[0] - 'a' + 'A');
        return w;
    }
    std::string name() {
        std::string n = word();
        if (pick(3) > 0)
            n += std::string(" ") +
                 nouns[static_cast<std::size_t>(pick(static_cast<int>(nouns.size())))];
        if (pick(4) == 0)
            n += " of " + word();
        return n;
    }
    std::string sentence(int minWords, int maxWords) {
        std::string s;
        const int count = minWords + pick(maxWords - minWords + 1);
        for (int i = 0; i < count; ++i) {
            if (i)
                s += ' ';
            s += words[static_cast<std::size_t>(pick(static_cast<int>(words.size())))];
        }
        return s;
    }
};

} // namespace

TBigBaseInfo MakeBigBase(const std::string& folder, std::size_t lines, std::uint32_t seed) {
    TGenerator g(seed);
    const std::size_t editionCount = std::max<std::size_t>(4, lines / 350);
    std::vector<std::string> editions;
    for (std::size_t i = 0; i < editionCount; ++i) {
        std::string code;
        code += static_cast<char>('A' + i % 26);
        code += static_cast<char>('A' + (i / 26) % 26);
        code += static_cast<char>('0' + (i / 676) % 10);
        editions.push_back(code);
    }
    std::set<std::string> seen;
    std::vector<std::string> cardLines;
    cardLines.reserve(lines);
    const char* colors[] = {"W", "U", "B", "R", "G", "Gld", "Art", "Lnd"};
    while (cardLines.size() + 1 < lines) {
        TZandorCard card;
        card.Name = g.name();
        const int color = g.pick(8);
        card.Color = colors[color];
        card.CardType = types[static_cast<std::size_t>(g.pick(static_cast<int>(types.size())))];
        card.Cost = color == 7 ? ""
                               : std::to_string(g.pick(5)) +
                                     std::string(g.pick(3) + 1, "WUBRGW"[color % 6]);
        card.Text = g.sentence(8, 30) + "|" + g.sentence(4, 20) + ".";
        if (g.pick(2))
            card.Flavor = "^" + g.sentence(6, 18);
        card.Rarity = std::string(1, "CUR"[g.pick(3)]);
        if (card.CardType.find("Summon") == 0 || card.CardType == "Artifact Creature")
            card.PT = std::to_string(g.pick(7)) + "/" + std::to_string(1 + g.pick(7));
        card.Value = std::to_string(g.pick(20)) + "," + std::to_string(10 + g.pick(90));
        card.Artist = g.word() + " " + g.word();
        // Most names are printed in one to four editions.
        const int reprints = 1 + g.pick(4);
        for (int r = 0; r < reprints && cardLines.size() + 1 < lines; ++r) {
            card.Edition =
                editions[static_cast<std::size_t>(g.pick(static_cast<int>(editions.size())))];
            if (!seen.insert(card.Name + "\t" + card.Edition.str()).second)
                continue;
            card.Seq = std::to_string(1 + g.pick(350));
            cardLines.push_back(FormatCardLine(card));
        }
    }
    TZandorCard version;
    version.Name = "Version";
    version.Edition = "@@";
    version.Text = "Base 0.8 version";
    version.Flavor = "02.07.01";
    cardLines.push_back(FormatCardLine(version));
    SortCardLines(cardLines);

    const std::string dir = IncludeTrailingSeparator(folder);
    TBigBaseInfo info;
    info.Lines = cardLines.size();
    info.Editions = editions.size();
    const std::string text = JoinLines(cardLines);
    info.Bytes = text.size();
    CurrentFileWriter().WriteFile(dir + "cardlist.dat", text);

    std::vector<std::string> ini{"[Edition]"};
    for (std::size_t i = 0; i < editions.size(); ++i)
        ini.push_back(editions[i] + "=Edition " + std::to_string(i + 1));
    ini.push_back("[Edition Filters]");
    for (const std::string& code : editions)
        ini.push_back(code + "=1");
    ini.push_back("[Type Games Edition]");
    ini.push_back("Type 2=Edition 1,Edition 2,Edition 3");
    WriteTextLines(dir + "Zandor.ini", ini);

    std::vector<std::string> rules, programs;
    for (std::size_t i = 0; i < cardLines.size(); i += 50) {
        const TZandorCard card = ParseCardLine(cardLines[i]);
        rules.push_back(card.Name + ":");
        rules.push_back("  " + g.sentence(10, 25) + ".");
        if (i % 200 == 0)
            programs.push_back(card.Name + "=TAP");
    }
    WriteTextLines(dir + "rulecards.dat", rules);
    WriteTextLines(dir + "programm.dat", programs);
    return info;
}

} // namespace zandor
