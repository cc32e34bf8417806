#include "tests/deck/DeckTestBase.h"

#include "core/UTextFile.h"

namespace zandor::test {

TZandorCard MakeCard(const TCardFields& fields) {
    TZandorCard card;
    card.Name = fields.Name;
    card.Edition = fields.Edition;
    card.Color = fields.Color;
    card.Rarity = fields.Rarity;
    card.CardType = fields.CardType;
    card.Cost = fields.Cost;
    card.Text = fields.Text;
    card.Artist = fields.Artist;
    card.PT = fields.PT;
    card.Value = fields.Value;
    return card;
}

TTestBase::TTestBase(const std::vector<TCardFields>& cards, const std::vector<std::string>& ini,
                     const std::vector<std::string>& rules) {
    std::vector<std::string> lines;
    for (const TCardFields& fields : cards)
        lines.push_back(FormatCardLine(MakeCard(fields)));
    SortCardLines(lines);
    WriteTextLines(Dir.File("cardlist.dat"), lines);
    WriteTextLines(Dir.File("Zandor.ini"), ini);
    WriteTextLines(Dir.File("rulecards.dat"), rules);
    WriteTextLines(Dir.File("programm.dat"), {});
    LoadCardDatabase(Db, Dir.Path(), Dir.Path());
}

} // namespace zandor::test
