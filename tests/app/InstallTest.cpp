// Installs the built programs into a temporary prefix and runs them from there, as a user
// without a data folder of their own would on first start.
#include "core/UTextFile.h"
#include "tests/testkit/TestKit.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace zandor;
using namespace zandor::test;

namespace {

struct TRun {
    int Code = -1;
    std::string Out;
};

// Runs a shell command line and returns its exit code and what it printed (both streams).
TRun run(const std::string& command) {
    TRun result;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.Out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    result.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

std::size_t filesBelow(const std::string& folder) {
    std::size_t count = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error))
        count += entry.is_regular_file() ? 1 : 0;
    return count;
}

} // namespace

TEST(Install, IntoATemporaryPrefixTheProgramsRunWithTheirDataInTheXdgPlace) {
    TTempDir dir;
    const std::string prefix = dir.File("prefix");
    const TRun install = run(quoted(ZANDOR_CMAKE) + " --install " + quoted(ZANDOR_BUILD_DIR) +
                             " --prefix " + quoted(prefix));
    ASSERT_EQ(install.Code, 0) << install.Out;

    const std::string share = prefix + "/share/zandor-library";
    for (const std::string& file :
         {prefix + "/bin/zandor", prefix + "/bin/zandor-library", share + "/help/mRuleE.hlp",
          share + "/fonts/ZandorSymbols.ttf", share + "/data/cardlist.dat",
          share + "/data/Zandor.ini", share + "/data/w.jpg", share + "/data/decks/tidewall.dec",
          prefix + "/share/applications/zandor-library.desktop",
          prefix + "/share/icons/hicolor/scalable/apps/zandor-library.svg"})
        EXPECT_TRUE(FileExists(file)) << file;
    // The generated pictures come along: edition symbols and art, drawn in the build folder
    // and not into the bundled sample.
    EXPECT_TRUE(FileExists(share + "/data/4E_C.bmp"));
    EXPECT_FALSE(FileExists(std::string(ZANDOR_SOURCE_DIR) + "/data/4E_C.bmp"));
    EXPECT_GT(filesBelow(share + "/data/pics"), 150u);
    EXPECT_NE(ReadBytes(prefix + "/share/applications/zandor-library.desktop")
                  .find("Exec=\"" + prefix + "/bin/zandor-library\"\n"),
              std::string::npos);

    // A user with nothing yet: the data folder is made in the XDG place on first start.
    const std::string xdg = dir.File("xdg");
    const std::string data = xdg + "/zandor-library/data";
    const std::string env = "env -i PATH=/usr/bin:/bin HOME=" + quoted(dir.File("home")) +
                            " XDG_DATA_HOME=" + quoted(xdg) + " QT_QPA_PLATFORM=offscreen ";
    const TRun found = run(env + quoted(prefix + "/bin/zandor") + " find 'Gull Herald'");
    EXPECT_EQ(found.Code, 0) << found.Out;
    EXPECT_NE(found.Out.find("Name: Gull Herald\n"), std::string::npos) << found.Out;
    EXPECT_TRUE(FileExists(data + "/cardlist.dat"));
    EXPECT_NE(ReadBytes(data + "/Zandor.ini").find("Pic=" + data + "/pics\r\n"), std::string::npos);
    EXPECT_EQ(filesBelow(data + "/pics"), filesBelow(share + "/data/pics"));

    const TRun help = run(env + quoted(prefix + "/bin/zandor") + " --help");
    EXPECT_EQ(help.Code, 0);
    EXPECT_NE(help.Out.find("Data folder in use: " + data + "\n"), std::string::npos) << help.Out;

    const TRun version = run(env + quoted(prefix + "/bin/zandor-library") + " --version");
    EXPECT_EQ(version.Code, 0) << version.Out;
    EXPECT_NE(version.Out.find("Zandor Library 0.9.0"), std::string::npos) << version.Out;

    // --data still wins, and the user's folder is not filled again.
    WriteBytes(data + "/cardlist.dat", "");
    const TRun other = run(env + quoted(prefix + "/bin/zandor") + " --data " +
                           quoted(share + "/data") + " find 'Gull Herald'");
    EXPECT_EQ(other.Code, 0) << other.Out;
    const TRun again = run(env + quoted(prefix + "/bin/zandor") + " find 'Gull Herald'");
    EXPECT_EQ(again.Code, 1) << again.Out;
    EXPECT_EQ(ReadBytes(data + "/cardlist.dat"), "");
}
