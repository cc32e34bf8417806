#include "deck/UDeckCommands.h"
#include "tests/deck/DeckTestBase.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace zandor;
using namespace zandor::test;

namespace {

struct DeckCommands : ::testing::Test {
    TTestBase base{
        {{"\xC6rnwood Gale", "QAL", "U", "U", "Enchantment", "3U", "Nobody casts."},
         {"Jolt", "QAL", "R", "C", "Instant", "R", "Deals 3 damage.", "Kaja"},
         {"Jolt", "QBE", "R", "C", "Instant", "R", "Deals 3 damage.", "Kaja"},
         {"Spider", "QAL", "G", "C", "Summon Spider", "3G", "Blocks fliers."}},
        {"[Edition]", "QAL=Dawnquay", "QBE=Duskquay", "[Edition Filters]", "QAL=1", "QBE=0"}};
    std::ostringstream out, err;
};

} // namespace

TEST_F(DeckCommands, FilterPrintsTheBaseInListOrderAsUtf8) {
    EXPECT_EQ(RunFilterCommand(base.Db, out), 0);
    EXPECT_EQ(out.str(), "[QAL] - Jolt\n[QAL] - Spider\n[QAL] - \xC3\x86rnwood Gale\n");
}

TEST_F(DeckCommands, Search) {
    const struct {
        TSearchCommand command;
        int code;
        const char* printed;
    } cases[] = {
        {{"damage"}, 0, "[QAL] - Jolt\n"},
        {{"jolt", "fliers", TFindOperator::Or}, 0, "[QAL] - Jolt\n[QAL] - Spider\n"},
        {{"jolt", "fliers", TFindOperator::And}, 1, ""},
        {{"kaja", "", TFindOperator::And, "artist"}, 0, "[QAL] - Jolt\n"},
        {{"kaja"}, 1, ""},
        {{"dam", "", TFindOperator::And, "", true}, 1, ""},
        {{"\xC3\x86RNWOOD"}, 0, "[QAL] - \xC3\x86rnwood Gale\n"},
    };
    for (const auto& c : cases) {
        std::ostringstream printed;
        EXPECT_EQ(RunSearchCommand(base.Db, c.command, printed, err), c.code) << c.command.Term;
        EXPECT_EQ(printed.str(), c.printed) << c.command.Term;
    }
    EXPECT_EQ(RunSearchCommand(base.Db, {"jolt", "", TFindOperator::And, "name,colour"}, out, err),
              2);
    EXPECT_NE(err.str().find("colour"), std::string::npos);
    EXPECT_EQ(RunSearchCommand(base.Db, {"  "}, out, err), 2);
    EXPECT_EQ(out.str(), "");
}

TEST_F(DeckCommands, ConvertAndExportLeaveTheDeckFileAlone) {
    const std::string deck = base.Dir.File("Old Burn.dec");
    const std::string bytes = "// PR\r\n  4 Jolt\r\nSB: 2 Spider\r\n  1 Nothing\r\n";
    WriteBytes(deck, bytes);
    EXPECT_EQ(RunDeckConvertCommand(base.Db, deck, out, err), 0);
    EXPECT_EQ(out.str(), "// PR\n    4 [QAL] - Jolt\nSB: 2 [QAL] - Spider\n//     1 Nothing\n");
    out.str("");
    EXPECT_EQ(RunExportApprenticeCommand(base.Db, deck, base.Dir.File("app"), out, err), 0);
    EXPECT_EQ(out.str(), base.Dir.File("app.dec") + "\n");
    EXPECT_EQ(ReadBytes(base.Dir.File("app.dec")),
              "//NAME: Old Burn\r\n// PR\r\n    4  Jolt\r\nSB: 2  Spider\r\n//     1 Nothing\r\n");
    EXPECT_EQ(ReadBytes(deck), bytes);

    EXPECT_EQ(RunDeckConvertCommand(base.Db, base.Dir.File("none.dec"), out, err), 1);
    WriteBytes(base.Dir.File("empty.dec"), "");
    EXPECT_EQ(RunExportApprenticeCommand(base.Db, base.Dir.File("empty.dec"),
                                         base.Dir.File("e.dec"), out, err),
              1);
    EXPECT_FALSE(FileExists(base.Dir.File("e.dec")));
    TFailingWriter failing;
    EXPECT_EQ(RunExportApprenticeCommand(base.Db, deck, base.Dir.File("f.dec"), out, err), 1);
}
