#include "tests/play/PlayTestKit.h"

#include "core/UTextFile.h"
#include "tests/testkit/TestKit.h"

#include <gtest/gtest.h>

namespace zandor::test {

TPlayBase::TPlayBase() {
    const std::string folder = FixturePath("play/");
    CardLines = ReadTextLines(folder + "cardlist.dat").value_or(std::vector<std::string>{});
    ProgramLines = ReadTextLines(folder + "programm.dat").value_or(std::vector<std::string>{});
    EXPECT_FALSE(CardLines.empty());
    BuildNameIndex(NameIndex, CardLines);
}

void TPlayBase::AddCard(const std::string& name, const std::string& type, const std::string& pt,
                        const std::string& program, const std::string& color) {
    TZandorCard card;
    card.Name = name;
    card.Edition = "TST";
    card.Color = color;
    card.CardType = type;
    card.PT = pt;
    CardLines.push_back(FormatCardLine(card));
    CardLines.Sort();
    BuildNameIndex(NameIndex, CardLines);
    if (!program.empty())
        ProgramLines.push_back(name + "=" + program);
}

std::vector<std::string> ReadDeck(const std::string& fixtureName) {
    auto lines = ReadTextLines(FixturePath("play/" + fixtureName));
    EXPECT_TRUE(lines.has_value()) << fixtureName;
    return lines.value_or(std::vector<std::string>{});
}

std::vector<std::string> DeckOf(const std::vector<std::string>& names) {
    std::vector<std::string> deck;
    for (const std::string& name : names)
        deck.push_back("    1 [TST] - " + name);
    return deck;
}

void LoadGame(TPlayerTest& game, const TPlayBase& base, const std::vector<std::string>& deck1,
              const std::vector<std::string>& deck2) {
    const TNewGameResult result = game.NewGame("Player1", "Player2", "", base.ProgramLines,
                                               base.CardLines, base.NameIndex, deck1, deck2);
    EXPECT_TRUE(result.Player1Skipped.empty());
    EXPECT_TRUE(result.Player2Skipped.empty());
}

TScriptedRandom::TScriptedRandom(std::vector<int> values)
    : m_values(std::move(values)), m_previous(SetRandomGenerator(this)) {}

TScriptedRandom::~TScriptedRandom() {
    SetRandomGenerator(m_previous);
}

int TScriptedRandom::Next(int n) {
    Asked.push_back(n);
    if (m_values.empty())
        return 0;
    const int v = m_values[std::min(m_next, m_values.size() - 1)];
    ++m_next;
    return v;
}

} // namespace zandor::test
