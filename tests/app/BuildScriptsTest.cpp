// The Makefile's commands name scripts that are there and that the shell can read.
#include "tests/testkit/TestKit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

TEST(BuildScripts, EveryScriptTheMakefileRunsExists) {
    const std::string top = ZANDOR_SOURCE_DIR;
    const std::string makefile = zandor::test::ReadBytes(top + "/Makefile");
    ASSERT_FALSE(makefile.empty());
    const std::regex script(R"(\bsh\s+(\S+\.sh)\b)");
    int scripts = 0;
    bool bench = false;
    for (auto it = std::sregex_iterator(makefile.begin(), makefile.end(), script);
         it != std::sregex_iterator(); ++it) {
        const std::string path = top + "/" + (*it)[1].str();
        ++scripts;
        bench = bench || path.find("benchmark") != std::string::npos;
        EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
        EXPECT_EQ(std::system(("sh -n '" + path + "'").c_str()), 0) << path;
    }
    EXPECT_GE(scripts, 2); // the dependencies and the benchmarks
    EXPECT_TRUE(bench) << "make bench runs a benchmark script";
}
