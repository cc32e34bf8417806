#include "tests/deck/DeckTestBase.h"

#include "core/UTextFile.h"

namespace zandor::test {

TZandorCard MakeCard(const TCardSpec& spec) {
    TZandorCard card;
    card.Name = spec.Name;
    card.Edition = spec.Edition;
    card.Color = spec.Color;
    card.Rarity = spec.Rarity;
    card.CardType = spec.CardType;
    card.Cost = spec.Cost;
    card.Text = spec.Text;
    card.Artist = spec.Artist;
    card.PT = spec.PT;
    card.Value = spec.Value;
    return card;
}

TTestBase::TTestBase(const std::vector<TCardSpec>& cards, const std::vector<std::string>& ini,
                     const std::vector<std::string>& rules) {
    std::vector<std::string> lines;
    for (const TCardSpec& spec : cards)
        lines.push_back(FormatCardLine(MakeCard(spec)));
    SortCardLines(lines);
    WriteTextLines(Dir.File("cardlist.dat"), lines);
    WriteTextLines(Dir.File("Zandor.ini"), ini);
    WriteTextLines(Dir.File("rulecards.dat"), rules);
    WriteTextLines(Dir.File("programm.dat"), {});
    LoadCardDatabase(Db, Dir.Path(), Dir.Path());
}

} // namespace zandor::test
