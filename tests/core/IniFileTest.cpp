#include "core/UIniFile.h"
#include "tests/testkit/TestKit.h"

#include <gtest/gtest.h>

using namespace zandor;
using namespace zandor::test;

namespace {

const char* sample = "[Edition]\r\n"
                     "QAL=Dawnquay\r\n"
                     "qkl=Kiln Reach\r\n"
                     "\r\n"
                     "[Print]\r\n"
                     "UseTempPic=0\r\n"
                     "Bad=yes\r\n"
                     "Big=99999999999\r\n"
                     "  Spaced  =  value  \r\n"
                     "NoEquals\r\n"
                     ";comment=1\r\n"
                     "Quoted=\"a b\"\r\n"
                     "[Update]\r\n"
                     "Price=03.04.05\r\n"
                     "Wrong=31.02.05\r\n";

struct IniFixture : ::testing::Test {
    TTempDir dir;
    std::string path = dir.File("Zandor.ini");
    void SetUp() override { WriteBytes(path, sample); }
};

} // namespace

TEST_F(IniFixture, ReadsWithoutRegardToCase) {
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("edition", "qal", "?"), "Dawnquay");
    EXPECT_EQ(ini.ReadString("EDITION", "QKL", "?"), "Kiln Reach");
    EXPECT_EQ(ini.ReadString("Edition", "XYZ", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("Nowhere", "QAL", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("Print", "Spaced", ""), "value");
    EXPECT_EQ(ini.ReadString("Print", "NoEquals", "d"), "");
    EXPECT_EQ(ini.ReadString("Print", ";comment", "d"), "d");
    EXPECT_EQ(ini.ReadString("Print", "Quoted", ""), "a b");
}

TEST_F(IniFixture, BooleansIntegersAndDates) {
    TIniFile ini(path);
    EXPECT_FALSE(ini.ReadBool("Print", "UseTempPic", true));
    EXPECT_TRUE(ini.ReadBool("Print", "Bad", true)); // no integer: the default
    EXPECT_FALSE(ini.ReadBool("Print", "Bad", false));
    EXPECT_TRUE(ini.ReadBool("Print", "Big", false));
    EXPECT_EQ(ini.ReadInteger("Print", "Big", 0), 99999999999LL);
    EXPECT_EQ(ini.ReadInteger("Print", "Bad", 7), 7);
    EXPECT_EQ(ini.ReadDate("Update", "Price", {2011, 11, 11}), (TDate{2005, 4, 3}));
    EXPECT_EQ(ini.ReadDate("Update", "Wrong", {2011, 11, 11}), (TDate{2011, 11, 11}));
    EXPECT_EQ(ini.ReadDate("Update", "None", {2011, 11, 11}), (TDate{2011, 11, 11}));
}

TEST_F(IniFixture, SectionsComeInFileOrder) {
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadSection("Edition"), (std::vector<std::string>{"QAL", "qkl"}));
    EXPECT_EQ(ini.ReadSectionValues("edition"),
              (std::vector<std::string>{"QAL=Dawnquay", "qkl=Kiln Reach"}));
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Edition", "Print", "Update"}));
    EXPECT_TRUE(ini.ReadSection("Missing").empty());
}

TEST_F(IniFixture, EveryWriteIsOnDiskAtOnce) {
    TIniFile ini(path);
    ASSERT_TRUE(ini.WriteString("edition", "NEW", "New Set").Ok);
    ASSERT_TRUE(ini.WriteBool("Print", "usetemppic", true).Ok);
    ASSERT_TRUE(ini.WriteInteger("Stretch", "Key", 2).Ok);
    ASSERT_TRUE(ini.WriteDate("Update", "Price", {2026, 12, 10}).Ok);
    TIniFile reread(path);
    EXPECT_EQ(reread.ReadSection("Edition"), (std::vector<std::string>{"QAL", "qkl", "NEW"}));
    EXPECT_TRUE(reread.ReadBool("Print", "UseTempPic", false));
    EXPECT_EQ(reread.ReadInteger("Stretch", "Key", 0), 2);
    EXPECT_EQ(reread.ReadString("Update", "Price", ""), "10.12.26");
    // The new key went in before the blank line that parts the sections.
    const std::string text = ReadBytes(path);
    EXPECT_NE(text.find("qkl=Kiln Reach\r\nNEW=New Set\r\n\r\n[Print]"), std::string::npos);
}

TEST_F(IniFixture, DeletingKeysAndSections) {
    TIniFile ini(path);
    ASSERT_TRUE(ini.DeleteKey("EDITION", "qal").Ok);
    ASSERT_TRUE(ini.EraseSection("print").Ok);
    EXPECT_TRUE(ini.DeleteKey("Nowhere", "x").Ok);
    TIniFile reread(path);
    EXPECT_EQ(reread.ReadSection("Edition"), std::vector<std::string>{"qkl"});
    EXPECT_FALSE(reread.SectionExists("Print"));
    EXPECT_TRUE(reread.SectionExists("Update"));
}

TEST_F(IniFixture, RewritingASectionKeepsItsPlace) {
    TIniFile ini(path);
    ASSERT_TRUE(ini.WriteSectionValues("Edition", {"B=Bee", "A=Ay"}).Ok);
    TIniFile reread(path);
    EXPECT_EQ(reread.ReadSections(), (std::vector<std::string>{"Edition", "Print", "Update"}));
    EXPECT_EQ(reread.ReadSectionValues("Edition"), (std::vector<std::string>{"B=Bee", "A=Ay"}));
}

TEST(IniFile, MissingFileGivesDefaultsAndTheFirstWriteCreatesIt) {
    TTempDir dir;
    TIniFile ini(dir.File("Zandor.ini"));
    EXPECT_EQ(ini.ReadString("Location", "Pic", ""), "");
    EXPECT_TRUE(ini.ReadBool("Print", "UseTempPic", true));
    ASSERT_TRUE(ini.WriteString("Location", "Pic", "/pics").Ok);
    EXPECT_EQ(ReadBytes(dir.File("Zandor.ini")), "[Location]\r\nPic=/pics\r\n");
}

TEST(IniFile, FailedWriteIsReportedAndTheFileKept) {
    TTempDir dir;
    const std::string path = dir.File("Zandor.ini");
    WriteBytes(path, "[A]\r\nk=1\r\n");
    TIniFile ini(path);
    TFailingWriter failing;
    const TWriteResult result = ini.WriteString("A", "k", "2");
    EXPECT_FALSE(result.Ok);
    EXPECT_FALSE(result.Error.empty());
    EXPECT_EQ(ReadBytes(path), "[A]\r\nk=1\r\n");
}

TEST(IniFile, GarbledFilesNeverCrash) {
    const char* texts[] = {"",
                           "[",
                           "]",
                           "[]",
                           "=",
                           "[A",
                           "[A]\r=\r==\r",
                           "key=value-before-any-section",
                           "[A]\nk",
                           "[A]\rk=1\r[A]\rk=2",
                           "\xFF\xFE[\x80]\x81=\x82"};
    for (const char* text : texts) {
        TTempDir dir;
        WriteBytes(dir.File("x.ini"), text);
        TIniFile ini(dir.File("x.ini"));
        (void)ini.ReadSections();
        (void)ini.ReadSectionValues("A");
        EXPECT_EQ(ini.ReadString("Z", "k", "d"), "d") << text;
        EXPECT_TRUE(ini.WriteString("A", "k", "3").Ok) << text;
        EXPECT_EQ(ini.ReadString("A", "k", ""), "3") << text;
    }
}

TEST(ShortDate, ParseAndFormat) {
    EXPECT_EQ(FormatShortDate({2011, 11, 11}), "11.11.11");
    EXPECT_EQ(FormatShortDate({2001, 7, 2}), "02.07.01");
    struct Case {
        const char* text;
        std::optional<TDate> date;
    };
    const Case cases[] = {{"11.11.11", TDate{2011, 11, 11}},
                          {"02.07.01", TDate{2001, 7, 2}},
                          {"1.2.1999", TDate{1999, 2, 1}},
                          {"29.02.04", TDate{2004, 2, 29}},
                          {"31.12.75", TDate{1975, 12, 31}},
                          {"29.02.03", std::nullopt},
                          {"11/11/11", std::nullopt},
                          {"11.11", std::nullopt},
                          {"", std::nullopt},
                          {"a.b.c", std::nullopt},
                          {"11..11", std::nullopt},
                          {"1.1.1.1", std::nullopt},
                          {"99999.1.1", std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(ParseShortDate(c.text), c.date) << c.text;
}
