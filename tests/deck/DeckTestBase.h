// A small card database in a temporary data folder, built from readable card records,
// for the deck-editor tests.
#pragma once

#include "core/UCardDatabase.h"
#include "tests/testkit/TestKit.h"

#include <string>
#include <vector>

namespace zandor::test {

struct TCardFields {
    std::string Name;
    std::string Edition;
    std::string Color = "W";
    std::string Rarity = "C";
    std::string CardType = "Instant";
    std::string Cost{};
    std::string Text{};
    std::string Artist{};
    std::string PT{};
    std::string Value{};
};

TZandorCard MakeCard(const TCardFields& fields);

// Writes "cardlist.dat" (sorted), "Zandor.ini" and "rulecards.dat" into a fresh folder
// and loads them.
class TTestBase {
public:
    TTestBase(const std::vector<TCardFields>& cards, const std::vector<std::string>& ini,
              const std::vector<std::string>& rules = {});
    TTempDir Dir;
    TCardDatabase Db;
};

} // namespace zandor::test
