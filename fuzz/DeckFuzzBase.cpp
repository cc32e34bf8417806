// The small card base and settings shared by the deck fuzz targets, and their check.
#include "fuzz/DeckFuzzBase.h"

#include "core/UTextFile.h"

#include <cstdio>
#include <cstdlib>

namespace zandor::fuzz {

std::vector<std::string> InputLines(const std::uint8_t* data, std::size_t size, std::size_t limit) {
    std::vector<std::string> lines;
    SplitLines(std::string_view(reinterpret_cast<const char*>(data), size), lines);
    if (lines.size() > limit)
        lines.resize(limit);
    return lines;
}

namespace {

class TPlainWriter final : public TFileWriter {
public:
    TWriteResult WriteFile(const std::string& path, std::string_view data) override {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file)
            return {false, "cannot write " + path};
        const bool ok = std::fwrite(data.data(), 1, data.size(), file) == data.size();
        return {std::fclose(file) == 0 && ok, ok ? "" : "cannot write " + path};
    }
};

} // namespace

void InstallPlainWriter() {
    static TPlainWriter writer;
    static const bool installed = (SetFileWriter(&writer), true);
    (void)installed;
}

void check(bool condition) {
    if (!condition)
        std::abort();
}

const TCardDatabase& SmallBase() {
    static const TCardDatabase db = [] {
        TCardDatabase d;
        std::vector<std::string> lines;
        const char* cards[][4] = {{"Jolt", "QAL", "R", "Instant"},
                                  {"Jolt", "QBE", "R", "Instant"},
                                  {"Ember/Rime (Ember)", "QEM", "R", "Instant"},
                                  {"Ember/Rime (Rime)", "QEM", "U", "Instant"},
                                  {"Mossy Hollow", "QAL", "Lnd", "Land"},
                                  {"Gold Elf", "QBE", "Gld", "Summon Elf"}};
        for (const auto& c : cards) {
            TZandorCard card;
            card.Name = c[0];
            card.Edition = c[1];
            card.Color = c[2];
            card.CardType = c[3];
            card.Rarity = "C";
            card.Cost = "1WG";
            lines.push_back(FormatCardLine(card));
        }
        SortCardLines(lines);
        d.CardLines = std::move(lines);
        BuildNameIndex(d.NameIndex, d.CardLines);
        d.Settings.LoadFromText("/nonexistent/Zandor.ini",
                                "[Edition]\nQAL=Dawnquay\nQBE=Duskquay\nQEM=Emberquay\n"
                                "[Edition Filters]\nQAL=1\nQBE=1\nQEM=1\n");
        return d;
    }();
    return db;
}

} // namespace zandor::fuzz
