#include "core/USettings.h"
#include "tests/testkit/TestKit.h"

#include <gtest/gtest.h>

using namespace zandor;
using namespace zandor::test;

TEST(Options, DefaultsWithoutAFile) {
    TTempDir dir;
    TIniFile ini(dir.File("Zandor.ini"));
    const TProgramOptions options = LoadOptions(ini);
    EXPECT_TRUE(options.UseTempPic);
    EXPECT_FALSE(options.UseOsn || options.UseBord || options.Use5MM || options.UseAnim ||
                 options.UseCopy);
    EXPECT_EQ(options.Stretch, 0);
}

TEST(Options, SaveThenLoadRoundTripsAndUsesTheDocumentedKeys) {
    TTempDir dir;
    TIniFile ini(dir.File("Zandor.ini"));
    TProgramOptions options;
    options.UseTempPic = false;
    options.UseBord = true;
    options.UseCopy = true;
    options.Stretch = 2;
    ASSERT_TRUE(SaveOptions(ini, options).Ok);
    TIniFile reread(dir.File("Zandor.ini"));
    EXPECT_EQ(LoadOptions(reread), options);
    EXPECT_EQ(reread.ReadSectionValues("Print"),
              (std::vector<std::string>{"UseTempPic=0", "UseOsn=0", "UseBord=1", "Use5MM=0"}));
    EXPECT_EQ(reread.ReadSectionValues("ViewCard"),
              (std::vector<std::string>{"UseAnim=0", "UseCopy=1"}));
    EXPECT_EQ(reread.ReadString("Stretch", "Key", ""), "2");
}

TEST(Options, StretchKeepsItsLowByteAndBadTextGivesDefaults) {
    TTempDir dir;
    WriteBytes(dir.File("Zandor.ini"), "[Stretch]\r\nKey=258\r\n[Print]\r\nUseTempPic=maybe\r\n");
    TIniFile ini(dir.File("Zandor.ini"));
    const TProgramOptions options = LoadOptions(ini);
    EXPECT_EQ(options.Stretch, 2);
    EXPECT_TRUE(options.UseTempPic);
}

TEST(Options, FailedSaveIsReported) {
    TTempDir dir;
    TIniFile ini(dir.File("Zandor.ini"));
    TFailingWriter failing;
    EXPECT_FALSE(SaveOptions(ini, TProgramOptions{}).Ok);
    EXPECT_EQ(failing.Attempts, 7);
}
