// Broken data folders and files that are no regular files: every command that needs the
// card base says what is wrong, naming the file and the reason, and ends with 1; nothing
// blocks on a FIFO.
#include "app/UCommandLine.h"
#include "tests/testkit/TestKit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace zandor;
using namespace zandor::test;

namespace {

// A process that blocks on a FIFO is ended by the alarm instead of hanging the test run.
struct TAlarmGuard {
    TAlarmGuard() { ::alarm(60); }
    ~TAlarmGuard() { ::alarm(0); }
};

const char* deckText = "    2 [4E] - Orren Plateau\r\n    1 [4E] - Anchor Chain\r\n";

// Every command that loads the base, with the arguments it needs (a sound deck file).
std::vector<std::vector<std::string>> baseCommands(const std::string& deck,
                                                   const std::string& out) {
    return {
        {"find", "Anchor Chain"},
        {"render", "Anchor Chain", "--out", out + ".png"},
        {"filter"},
        {"search", "Chain"},
        {"deck", "hand", deck},
        {"deck", "stats", deck},
        {"deck", "convert", deck},
        {"deck", "export-apprentice", deck, out},
    };
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& w : words)
        text += w + " ";
    return text;
}

} // namespace

TEST(BrokenDataFolder, EveryCommandSaysWhichFileAndWhyAndEndsWithOne) {
    TAlarmGuard alarm;
    const bool root = ::geteuid() == 0;
    struct TCase {
        const char* what;
        std::function<void(const std::string& data)> breakIt;
        const char* file;   // named in the message
        const char* reason; // the reason given
    };
    const TCase cases[] = {
        {"no data folder", [](const std::string& d) { std::filesystem::remove_all(d); }, "data",
         "No such file or directory"},
        {"the data folder is a file",
         [](const std::string& d) {
             std::filesystem::remove_all(d);
             WriteBytes(d, "not a folder");
         },
         "data", "not a folder"},
        {"no card list", [](const std::string& d) { std::filesystem::remove(d + "/cardlist.dat"); },
         "cardlist.dat", "No such file or directory"},
        {"the card list is a folder",
         [](const std::string& d) {
             std::filesystem::remove(d + "/cardlist.dat");
             std::filesystem::create_directory(d + "/cardlist.dat");
         },
         "cardlist.dat", "is a folder"},
        {"the card list is a FIFO",
         [](const std::string& d) {
             std::filesystem::remove(d + "/cardlist.dat");
             ASSERT_EQ(::mkfifo((d + "/cardlist.dat").c_str(), 0644), 0);
         },
         "cardlist.dat", "not a regular file"},
        {"the card list is a link to itself",
         [](const std::string& d) {
             std::filesystem::remove(d + "/cardlist.dat");
             std::filesystem::create_symlink(d + "/cardlist.dat", d + "/cardlist.dat");
         },
         "cardlist.dat", "Too many levels of symbolic links"},
        {"the card list is garbage",
         [](const std::string& d) {
             std::string garbage;
             for (int i = 0; i < 4000; ++i)
                 garbage += static_cast<char>((i * 7919) % 251 == 9 ? 'x' : (i * 7919) % 251);
             WriteBytes(d + "/cardlist.dat", garbage);
         },
         "cardlist.dat", "no card line"},
        {"no settings file",
         [](const std::string& d) { std::filesystem::remove(d + "/Zandor.ini"); }, "Zandor.ini",
         "No such file or directory"},
        {"the settings file is a folder",
         [](const std::string& d) {
             std::filesystem::remove(d + "/Zandor.ini");
             std::filesystem::create_directory(d + "/Zandor.ini");
         },
         "Zandor.ini", "is a folder"},
        {"the settings file is a FIFO",
         [](const std::string& d) {
             std::filesystem::remove(d + "/Zandor.ini");
             ASSERT_EQ(::mkfifo((d + "/Zandor.ini").c_str(), 0644), 0);
         },
         "Zandor.ini", "not a regular file"},
        {"the card list cannot be read (not as root)",
         [](const std::string& d) { ::chmod((d + "/cardlist.dat").c_str(), 0); }, "cardlist.dat",
         root ? nullptr : "Permission denied"},
        {"the data folder cannot be read (not as root)",
         [](const std::string& d) { ::chmod(d.c_str(), 0); }, "data",
         root ? nullptr : "Permission denied"},
    };
    for (const TCase& c : cases) {
        if (!c.reason)
            continue; // root reads whatever the permissions say
        TTempDir dir;
        const std::string data = dir.File("data");
        std::filesystem::create_directory(data);
        CopySampleData(data);
        WriteBytes(dir.File("deck.dec"), deckText);
        {
            // The sound folder first: every command works on it.
            for (const auto& words : baseCommands(dir.File("deck.dec"), dir.File("out0"))) {
                std::vector<std::string> args{"--data", data};
                args.insert(args.end(), words.begin(), words.end());
                std::ostringstream out, err;
                EXPECT_EQ(RunCommandLine(args, out, err), 0)
                    << "sound folder: " << joined(words) << err.str();
            }
        }
        c.breakIt(data);
        int n = 0;
        for (const auto& words : baseCommands(dir.File("deck.dec"), dir.File("out"))) {
            std::vector<std::string> args{"--data", data};
            args.insert(args.end(), words.begin(), words.end());
            std::ostringstream out, err;
            const std::string label = std::string(c.what) + ": " + joined(words);
            EXPECT_EQ(RunCommandLine(args, out, err), 1) << label;
            EXPECT_EQ(out.str(), "") << label; // "XNOCARD" means a card, not the base, is missing
            EXPECT_NE(err.str().find(c.file), std::string::npos) << label << err.str();
            EXPECT_NE(err.str().find(c.reason), std::string::npos) << label << err.str();
            ++n;
        }
        // Nothing was written by a command that refused.
        EXPECT_FALSE(std::filesystem::exists(dir.File("out"))) << c.what;
        EXPECT_FALSE(std::filesystem::exists(dir.File("out.dec"))) << c.what;
        EXPECT_EQ(n, 8);
        ::chmod(data.c_str(), 0755);
    }
}

TEST(BrokenDataFolder, DeckFilesThatAreNoRegularFilesAreRefusedNotRead) {
    TAlarmGuard alarm;
    TTempDir dir;
    CopySampleData(dir.Path());
    ASSERT_EQ(::mkfifo(dir.File("fifo.dec").c_str(), 0644), 0);
    std::filesystem::create_directory(dir.File("folder.dec"));
    const struct {
        std::string deck;
        const char* reason;
    } decks[] = {
        {dir.File("fifo.dec"), "not a regular file"},
        {dir.File("folder.dec"), "is a folder"},
        {"/dev/zero", "not a regular file"},
        {dir.File("missing.dec"), "No such file or directory"},
    };
    for (const auto& d : decks) {
        for (const char* job : {"hand", "stats", "convert"}) {
            std::ostringstream out, err;
            EXPECT_EQ(RunCommandLine({"--data", dir.Path(), "deck", job, d.deck}, out, err), 1)
                << job << " " << d.deck;
            EXPECT_NE(err.str().find(d.deck), std::string::npos) << err.str();
            EXPECT_NE(err.str().find(d.reason), std::string::npos) << err.str();
        }
        std::ostringstream out, err;
        EXPECT_EQ(RunCommandLine({"--data", dir.Path(), "deck", "export-apprentice", d.deck,
                                  dir.File("exported.dec")},
                                 out, err),
                  1);
        EXPECT_NE(err.str().find(d.reason), std::string::npos) << err.str();
        EXPECT_FALSE(std::filesystem::exists(dir.File("exported.dec")));
    }
}

TEST(ExportApprentice, RefusesEveryNameOfTheDeckItReadsAndTheDeckSurvives) {
    TTempDir dir;
    CopySampleData(dir.Path());
    const std::string deck = dir.File("decks/tidewall.dec");
    const std::string original = ReadBytes(deck);
    ASSERT_FALSE(original.empty());
    std::filesystem::create_symlink(deck, dir.File("link.dec"));
    std::filesystem::create_symlink("decks/tidewall.dec", dir.File("relative-link.dec"));
    std::filesystem::create_hard_link(deck, dir.File("hard.dec"));
    std::filesystem::create_directory_symlink(dir.File("decks"), dir.File("decklinks"));
    std::filesystem::create_directory(dir.File("folder.dec"));
    const struct {
        std::string out;
        int code;
        const char* says;
    } cases[] = {
        {deck, 1, "is the deck being exported"},
        {dir.File("decks/tidewall"), 1, "is the deck being exported"}, // ".dec" appended
        {dir.File("decks/../decks/./tidewall.dec"), 1, "is the deck being exported"},
        {dir.File("link.dec"), 1, "is the deck being exported"},
        {dir.File("link"), 1, "is the deck being exported"},
        {dir.File("relative-link.dec"), 1, "is the deck being exported"},
        {dir.File("hard.dec"), 1, "is the deck being exported"},
        {dir.File("decklinks/tidewall"), 1, "is the deck being exported"},
        {"", 2, "empty name"},
        {"   ", 2, "empty name"},
        {dir.File("decks"), 1, "is a folder"},
        {dir.File("decks/"), 1, "is a folder"},
        {dir.File("folder"), 1, "is a folder"}, // a folder once ".dec" is added
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunCommandLine({"--data", dir.Path(), "deck", "export-apprentice", deck, c.out},
                                 out, err),
                  c.code)
            << "\"" << c.out << "\"";
        EXPECT_NE(err.str().find(c.says), std::string::npos) << c.out << ": " << err.str();
        EXPECT_EQ(ReadBytes(deck), original) << c.out;
        EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.dec")));
        EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.dec")));
    }
    // Another file is written; a link to another file is written through and stays a link.
    WriteBytes(dir.File("target.dec"), "old\r\n");
    std::filesystem::create_symlink("target.dec", dir.File("to-target.dec"));
    std::ostringstream out, err;
    ASSERT_EQ(RunCommandLine(
                  {"--data", dir.Path(), "deck", "export-apprentice", deck, dir.File("to-target")},
                  out, err),
              0)
        << err.str();
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("to-target.dec")));
    EXPECT_EQ(ReadBytes(dir.File("target.dec")).rfind("//NAME: tidewall\r\n", 0), 0u);
    EXPECT_EQ(ReadBytes(deck), original);
}
