// Small card bases and games for the play-test tests: the fixture folder of the play
// test, decks written inline, and a scripted random generator.
#pragma once

#include "core/UCardDatabase.h"
#include "core/URandom.h"
#include "play/UTest.h"

#include <string>
#include <vector>

namespace zandor::test {

// The card base of tests/fixtures/play, loaded once per test.
struct TPlayBase {
    TPlayBase();
    TCardLines CardLines;
    std::vector<std::string> ProgramLines;
    TNameIndex NameIndex;
    // Adds a card line (kept sorted, index rebuilt) and optionally its program.
    void AddCard(const std::string& name, const std::string& type, const std::string& pt,
                 const std::string& program = "", const std::string& color = "W");
};

std::vector<std::string> ReadDeck(const std::string& fixtureName);
// One main-deck line per name, count 1 each, edition TST, in the order given.
std::vector<std::string> DeckOf(const std::vector<std::string>& names);

// A game whose libraries are in deck order (no shuffle, no deal).
void LoadGame(TPlayerTest& game, const TPlayBase& base, const std::vector<std::string>& deck1,
              const std::vector<std::string>& deck2 = {});

// Hands out the values given, one per call, then repeats the last; records each n asked.
class TScriptedRandom final : public TRandomGenerator {
public:
    explicit TScriptedRandom(std::vector<int> values);
    ~TScriptedRandom() override;
    int Next(int n) override;
    std::vector<int> Asked;

private:
    std::vector<int> m_values;
    std::size_t m_next = 0;
    TRandomGenerator* m_previous;
};

} // namespace zandor::test
