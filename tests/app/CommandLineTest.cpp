#include "app/UCommandLine.h"
#include "core/UCard.h"
#include "tests/testkit/TestKit.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace zandor;
using namespace zandor::test;

namespace {

struct Cli : ::testing::Test {
    TTempDir dir;
    std::ostringstream out, err;
    void SetUp() override {
        TZandorCard card;
        card.Name = "\xC6rnwood Lantern";
        card.Edition = "QKL";
        card.Color = "Art";
        card.Rarity = "U";
        card.Cost = "3";
        card.CardType = "Artifact";
        card.Text = "<T>: Add one mana.";
        card.Value = "1,50";
        card.Seq = "201";
        WriteBytes(dir.File("cardlist.dat"), FormatCardLine(card) + "\r\n");
        WriteBytes(dir.File("programm.dat"), "\xC6rnwood Lantern=TAP\r\n");
        WriteBytes(dir.File("Zandor.ini"), "");
    }
    int run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data", dir.Path()});
        return RunCommandLine(args, out, err);
    }
};

} // namespace

TEST_F(Cli, FindPrintsEveryFieldInDeclaredOrder) {
    ASSERT_EQ(run({"find", "\xC3\x86rnwood Lantern", "--edition", "QKL"}), 0) << err.str();
    EXPECT_EQ(out.str(), "Name: \xC3\x86rnwood Lantern\n"
                         "Edition: QKL\nColor: Art\nRarity: U\nCost: 3\nCardType: Artifact\n"
                         "Text: <T>: Add one mana.\nFlavor: \nMana: \nProgram: TAP\nPT: \n"
                         "Value: 1,50\nArtist: \nSeq: 201\n");
}

TEST_F(Cli, MissesAndMistakes) {
    EXPECT_EQ(run({"find", "Nothing"}), 1);
    EXPECT_EQ(out.str(), "XNOCARD\n");
    EXPECT_EQ(run({"find", "\xC3\x86rnwood Lantern", "--edition", "ZZZ"}), 1);
    EXPECT_EQ(run({"find", "\xD0\x9A"}), 1); // a name the code page cannot hold
    EXPECT_EQ(run({"find"}), 2);
    EXPECT_EQ(run({"frobnicate"}), 2);
    EXPECT_EQ(run({"find", "--edition"}), 2);
    EXPECT_NE(err.str().find("unknown command"), std::string::npos);
}

TEST_F(Cli, HelpAndVersion) {
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_NE(out.str().find("find NAME"), std::string::npos);
    out.str("");
    EXPECT_EQ(run({"--version"}), 0);
    EXPECT_EQ(out.str().rfind("zandor ", 0), 0u);
}

TEST(CliSample, FindsASampleCard) {
    TTempDir dir;
    CopySampleData(dir.Path());
    std::ostringstream out, err;
    ASSERT_EQ(
        RunCommandLine({"--data", dir.Path(), "find", "Version", "--edition", "@@"}, out, err), 0);
    EXPECT_NE(out.str().find("Text: Base 0.8 version"), std::string::npos);
}

TEST(CliSample, DeckEditorCommandsOnTheSampleData) {
    TTempDir dir;
    CopySampleData(dir.Path());
    const auto run = [&](std::vector<std::string> args, std::string& text) {
        std::ostringstream out, err;
        args.insert(args.begin(), {"--data", dir.Path()});
        const int code = RunCommandLine(args, out, err);
        text = out.str() + err.str();
        return code;
    };
    std::string text;
    ASSERT_EQ(run({"filter"}, text), 0) << text;
    EXPECT_NE(text.find("[4E] - "), std::string::npos);
    ASSERT_EQ(run({"search", "Knight", "--fields", "type"}, text), 0) << text;
    EXPECT_NE(text.find("] - "), std::string::npos);
    EXPECT_EQ(run({"search", "Knight", "--and", "x", "--or", "y"}, text), 2);
    EXPECT_EQ(run({"search", "Knight", "--fields", "colour"}, text), 2);
    ASSERT_EQ(run({"deck", "convert", dir.File("decks/old_fen_shades.dec")}, text), 0) << text;
    EXPECT_NE(text.find("    22 [4E] - Morrow Fen"), std::string::npos);
    const std::string out = dir.File("apprentice.dec");
    ASSERT_EQ(run({"deck", "export-apprentice", dir.File("decks/tidewall.dec"), out}, text), 0)
        << text;
    EXPECT_EQ(ReadBytes(out).rfind("//NAME: tidewall\r\n", 0), 0u);
    EXPECT_EQ(run({"deck", "export-apprentice", dir.File("decks/tidewall.dec")}, text), 2);
}

TEST_F(Cli, AnUnknownOptionIsRefusedByNameWithTheUsage) {
    for (const char* option : {"--editon", "--outfile", "--whole-word", "--verbose"}) {
        out.str("");
        err.str("");
        EXPECT_EQ(run({"find", "\xC3\x86rnwood Lantern", option, "x"}), 2) << option;
        EXPECT_NE(err.str().find(std::string("unknown option \"") + option + "\""),
                  std::string::npos)
            << err.str();
        EXPECT_NE(err.str().find("Usage: zandor"), std::string::npos);
        EXPECT_EQ(out.str(), "");
    }
    // The known ones still work, and a value that looks like an option is a value.
    EXPECT_EQ(run({"find", "\xC3\x86rnwood Lantern", "--edition", "QKL"}), 0) << err.str();
}
