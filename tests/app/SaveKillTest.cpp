// Saves that survive anything: each save of the program runs in a child process that is
// killed at random moments of its writing, and the file is always the old one or the new
// one, whole; a caught signal leaves no temporary file, and the next write of a file removes
// those a kill left. The same saves against a full disk fail, say why, and keep the old file.
// ZANDOR_KILL_ROUNDS sets the kills per save (a few by default; thousands for a long run).
#include "core/UCardDatabase.h"
#include "core/UIniFile.h"
#include "deck/UBaseList.h"
#include "deck/UDeckFile.h"
#include "tests/testkit/TestKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace zandor;
using namespace zandor::test;

namespace {

int rounds() {
    const char* n = std::getenv("ZANDOR_KILL_ROUNDS");
    return n ? std::max(1, std::atoi(n)) : 6;
}

// Large enough that a kill often lands while the file is being written.
std::vector<std::string> version(char tag, int lines = 40000) {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(lines));
    for (int n = 0; n < lines; ++n)
        out.push_back(std::string(1, tag) + std::to_string(n) + "\tStone Wyvern\tEM\tR\t" +
                      std::string(20, tag));
    return out;
}

// One kind of save: what it writes, where, for the versions 0 and 1 it alternates between.
struct TSave {
    const char* Name;
    std::string File;                       // below the data folder
    std::function<bool(int)> Write;         // writes version v in this process
    std::vector<std::string> Contents = {}; // the exact bytes of: the old file, version 0, 1
};

struct TData {
    TTempDir Dir;
    TCardDatabase Db;
    std::string Data;
};

std::vector<TSave> saves(TData& d) {
    d.Data = d.Dir.File("data");
    std::filesystem::create_directory(d.Data);
    CopySampleData(d.Data);
    LoadCardDatabase(d.Db, d.Data, d.Data);
    const auto* db = &d.Db;
    const std::vector<std::vector<std::string>> versions{version('a'), version('b')};
    const auto lines = [versions](int v) { return versions[static_cast<std::size_t>(v)]; };
    std::vector<TSave> list;
    for (const std::string_view file : {CardListFile, ProgramFile, RuleFile})
        list.push_back({file.data(), std::string(file),
                        [db, lines, file](int v) { return SaveDataFile(*db, file, lines(v)).Ok; }});
    list.push_back({"tempbase.dat", std::string(TempBaseFile),
                    [db, lines](int v) { return SaveTempBase(*db, lines(v)).Ok; }});
    const std::string deck = d.Data + "/decks/tidewall.dec";
    list.push_back({"deck file", "decks/tidewall.dec",
                    [deck, lines](int v) { return SaveDeckFile(deck, lines(v)).Ok; }});
    const std::string apprentice = d.Data + "/apprentice.dec";
    list.push_back({"Apprentice export", "apprentice.dec", [apprentice, lines](int v) {
                        return ExportApprentice(apprentice, "tidewall", lines(v)).Ok;
                    }});
    // The settings: one key written, the whole file saved; many keys make it long.
    const std::string ini = d.Data + "/Zandor.ini";
    {
        TIniFile settings(ini);
        std::vector<std::string> filler;
        for (int n = 0; n < 20000; ++n)
            filler.push_back("Card" + std::to_string(n) + "=1");
        settings.WriteSectionValues("Edition Filters", filler);
    }
    list.push_back({"settings", "Zandor.ini", [ini](int v) {
                        TIniFile settings(ini);
                        return settings.WriteString("Location", "Pic", v ? "/pictures/b" : "/a").Ok;
                    }});
    if (!FileExists(d.Data + "/apprentice.dec"))
        WriteBytes(d.Data + "/apprentice.dec", "//NAME: old\r\n");
    // The exact bytes of each version, made in a scratch copy of the folder.
    for (TSave& save : list) {
        const std::string path = d.Data + "/" + save.File;
        const std::string old = ReadBytes(path);
        save.Contents.push_back(old);
        for (int v : {0, 1}) {
            EXPECT_TRUE(save.Write(v)) << save.Name;
            save.Contents.push_back(ReadBytes(path));
        }
        WriteBytes(path, old);
        EXPECT_NE(save.Contents[1], save.Contents[2]) << save.Name;
    }
    return list;
}

// The temporary files of the writer's pattern beside the file.
std::vector<std::string> temporaries(const std::string& path) {
    std::vector<std::string> found;
    const std::string prefix = "." + ExtractFileName(path) + ".";
    for (const std::string& name : ListFolder(ExtractFileDir(path)))
        if (name.rfind(prefix, 0) == 0)
            found.push_back(name);
    return found;
}

struct TKillCounts {
    int Kills = 0;
    int MidWrite = 0; // kills after which a temporary file showed the write was under way
    int Old = 0, First = 0, Second = 0;
};

// Kills a child that saves the two versions in turn, at a random moment, rounds times.
TKillCounts killWhileSaving(const TSave& save, const std::string& path, int signal,
                            std::mt19937& random) {
    TKillCounts counts;
    for (int round = 0; round < rounds(); ++round) {
        // Left by earlier kills that could not be caught, until a write of the file removes
        // them; only a file this child made counts against it.
        const std::vector<std::string> before = temporaries(path);
        std::fflush(nullptr); // the child must not write this process's buffered output
        const pid_t child = ::fork();
        if (child == 0) {
            for (int v = 0;; v = 1 - v)
                save.Write(v);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 40000));
        ::kill(child, signal);
        int status = 0;
        ::waitpid(child, &status, 0);
        ++counts.Kills;
        const std::string now = ReadBytes(path);
        if (now == save.Contents[0])
            ++counts.Old;
        else if (now == save.Contents[1])
            ++counts.First;
        else if (now == save.Contents[2])
            ++counts.Second;
        else
            ADD_FAILURE() << save.Name << ": a kill left a file that is neither old nor new ("
                          << now.size() << " bytes)";
        std::vector<std::string> left;
        for (const std::string& name : temporaries(path))
            if (std::find(before.begin(), before.end(), name) == before.end())
                left.push_back(name);
        if (!left.empty())
            ++counts.MidWrite;
        // A signal the program can catch removes its temporary file before it ends.
        if (signal != SIGKILL) {
            EXPECT_TRUE(left.empty()) << save.Name << ": " << left.front();
        }
    }
    return counts;
}

} // namespace

TEST(SaveKill, EverySaveIsOldOrNewWholeWhereverAKillLands) {
    TData d;
    const std::vector<TSave> list = saves(d);
    std::mt19937 random(20261211);
    for (const TSave& save : list) {
        const std::string path = d.Data + "/" + save.File;
        for (const int signal : {SIGKILL, SIGTERM, SIGINT}) {
            const TKillCounts c = killWhileSaving(save, path, signal, random);
            std::printf("%-18s %-7s kills %5d, mid-write %5d: old %d, first %d, second %d\n",
                        save.Name,
                        signal == SIGKILL   ? "SIGKILL"
                        : signal == SIGTERM ? "SIGTERM"
                                            : "SIGINT",
                        c.Kills, c.MidWrite, c.Old, c.First, c.Second);
        }
        // Whatever the kills left behind, the next write of the file removes it.
        ASSERT_TRUE(save.Write(0)) << save.Name;
        EXPECT_TRUE(temporaries(path).empty()) << save.Name;
        EXPECT_EQ(ReadBytes(path), save.Contents[1]) << save.Name;
    }
}

TEST(SaveKill, AFullDiskFailsEverySaveWithTheReasonAndKeepsTheOldFile) {
    TData d;
    const std::vector<TSave> list = saves(d);
    for (const TSave& save : list) {
        const std::string path = d.Data + "/" + save.File;
        // The disk fills up halfway through the new file, as a small file system would.
        std::fflush(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = save.Contents[2].size() / 2;
            setrlimit(RLIMIT_FSIZE, &limit);
            ::_exit(save.Write(1) ? 1 : 0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << save.Name << ": ended by signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), 0) << save.Name << ": the save said it succeeded";
        EXPECT_EQ(ReadBytes(path), save.Contents[0]) << save.Name;
        EXPECT_TRUE(temporaries(path).empty()) << save.Name;
    }
    // And through the seam, with the reason the caller shows: the settings keep theirs.
    TFailingWriter failing;
    TIniFile settings(d.Data + "/Zandor.ini");
    const TWriteResult r = settings.WriteString("Location", "Pic", "/elsewhere");
    EXPECT_FALSE(r.Ok);
    EXPECT_FALSE(r.Error.empty());
    EXPECT_EQ(ReadBytes(d.Data + "/Zandor.ini"), list.back().Contents[0]);
}

TEST(SaveKill, TheRenderedPictureIsOldOrNewWholeWhereverAKillLands) {
    TTempDir dir;
    CopySampleData(dir.Path());
    const std::string zandor = std::string(ZANDOR_BIN_DIR) + "/zandor";
    const std::string png = dir.File("face.png");
    const auto render = [&](const char* card) {
        std::fflush(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            std::freopen("/dev/null", "w", stdout);
            std::freopen("/dev/null", "w", stderr);
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            ::execl(zandor.c_str(), "zandor", "--data", dir.Path().c_str(), "render", card, "--out",
                    png.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        return child;
    };
    const auto finish = [](pid_t child) {
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    ASSERT_EQ(finish(render("Anchor Chain")), 0);
    const std::string old = ReadBytes(png);
    ASSERT_EQ(finish(render("Orren Plateau")), 0);
    const std::string fresh = ReadBytes(png);
    ASSERT_NE(old, fresh);
    std::mt19937 random(7);
    int kills = 0, freshCount = 0;
    for (int round = 0; round < rounds(); ++round) {
        WriteBytes(png, old);
        const pid_t child = render("Orren Plateau");
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 400000));
        ::kill(child, round % 2 ? SIGKILL : SIGTERM);
        finish(child);
        ++kills;
        const std::string now = ReadBytes(png);
        EXPECT_TRUE(now == old || now == fresh) << "round " << round << ": " << now.size();
        freshCount += now == fresh;
    }
    std::printf("rendered PNG: kills %d, new picture after %d\n", kills, freshCount);
    ASSERT_EQ(finish(render("Orren Plateau")), 0);
    EXPECT_TRUE(temporaries(png).empty());
}
