#include "core/UInstallPaths.h"
#include "tests/testkit/TestKit.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace zandor;
using namespace zandor::test;

namespace fs = std::filesystem;

namespace {

// A prefix with PREFIX/bin, and optionally PREFIX/share/zandor-library with a sample.
struct InstallPaths : ::testing::Test {
    TTempDir dir;
    std::string bin = dir.File("prefix/bin");
    std::string share = dir.File("prefix/share/zandor-library");
    TUserEnvironment env{dir.File("xdg"), dir.File("home")};
    void SetUp() override { fs::create_directories(bin); }
    void installShare() {
        fs::create_directories(share + "/data/pics");
        fs::create_directories(share + "/help");
        WriteBytes(share + "/data/Zandor.ini", "[Location]\r\nPic=@PICDIR@\r\n");
        WriteBytes(share + "/data/cardlist.dat", "Gull Herald\t4E\t\r\n");
        WriteBytes(share + "/data/pics/4E.jpg", "picture");
        WriteBytes(share + "/help/mRuleE.hlp", "<html></html>");
    }
};

} // namespace

TEST_F(InstallPaths, TheDataFolderInUse) {
    // Nothing installed and no folder beside the program: the folder beside it.
    EXPECT_EQ(ChosenDataDir(bin, env), bin + "/data");
    installShare();
    EXPECT_EQ(InstalledShareDir(bin), share);
    const struct {
        TUserEnvironment env;
        std::string expected;
    } cases[] = {
        {{dir.File("xdg"), dir.File("home")}, dir.File("xdg/zandor-library/data")},
        {{"", dir.File("home")}, dir.File("home/.local/share/zandor-library/data")},
        {{"relative/xdg", dir.File("home")}, dir.File("home/.local/share/zandor-library/data")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UserDataDir(c.env), c.expected);
        EXPECT_EQ(ChosenDataDir(bin, c.env), c.expected);
    }
    // A writable data folder beside the program (a build folder) wins over the user's.
    fs::create_directories(bin + "/data");
    EXPECT_EQ(ChosenDataDir(bin, env), bin + "/data");
    if (::geteuid() != 0) {
        fs::permissions(bin + "/data", fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(ChosenDataDir(bin, env), dir.File("xdg/zandor-library/data"));
        fs::permissions(bin + "/data", fs::perms::owner_all);
    }
}

TEST_F(InstallPaths, TheHelpFileBesideTheProgramOrInstalled) {
    EXPECT_EQ(HelpFilePath(bin), bin + "/help/mRuleE.hlp");
    installShare();
    EXPECT_EQ(HelpFilePath(bin), share + "/help/mRuleE.hlp");
    fs::create_directories(bin + "/help");
    WriteBytes(bin + "/help/mRuleE.hlp", "<html></html>");
    EXPECT_EQ(HelpFilePath(bin), bin + "/help/mRuleE.hlp");
}

TEST_F(InstallPaths, TheFirstStartFillsTheUserFolderAndNeverOverwritesIt) {
    installShare();
    std::string problem;
    const std::string data = PrepareDataDir(bin, env, &problem);
    EXPECT_EQ(problem, "");
    ASSERT_EQ(data, dir.File("xdg/zandor-library/data"));
    EXPECT_EQ(ReadBytes(data + "/cardlist.dat"), "Gull Herald\t4E\t\r\n");
    EXPECT_EQ(ReadBytes(data + "/pics/4E.jpg"), "picture");
    EXPECT_EQ(ReadBytes(data + "/Zandor.ini"), "[Location]\r\nPic=" + data + "/pics\r\n");
    // Nothing of the temporary copy is left beside it.
    EXPECT_EQ(ListFolder(dir.File("xdg/zandor-library")), std::vector<std::string>{"data"});

    // The user's changes stay; files the user deleted are not brought back.
    WriteBytes(data + "/cardlist.dat", "Kelp Tangle\tSV\t\r\n");
    fs::remove(data + "/pics/4E.jpg");
    EXPECT_EQ(PrepareDataDir(bin, env, &problem), data);
    EXPECT_EQ(ReadBytes(data + "/cardlist.dat"), "Kelp Tangle\tSV\t\r\n");
    EXPECT_FALSE(FileExists(data + "/pics/4E.jpg"));
    EXPECT_TRUE(FillUserDataDir(share + "/data", data).Ok);
    EXPECT_EQ(ReadBytes(data + "/cardlist.dat"), "Kelp Tangle\tSV\t\r\n");
}

TEST_F(InstallPaths, AFolderThatCannotBeMadeIsReported) {
    installShare();
    WriteBytes(dir.File("blocked"), "a file where the folder should go");
    const TUserEnvironment blocked{dir.File("blocked"), dir.File("home")};
    std::string problem;
    const std::string data = PrepareDataDir(bin, blocked, &problem);
    EXPECT_EQ(data, dir.File("blocked/zandor-library/data"));
    EXPECT_NE(problem.find("Cannot make the data folder"), std::string::npos) << problem;
    EXPECT_FALSE(DirectoryExists(data));
}
