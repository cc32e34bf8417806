#include "core/UCodePage.h"

#include <gtest/gtest.h>

using namespace zandor;

TEST(CodePage, EveryByteRoundTrips) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(Cp1252ToUtf8("\xC6ther"), "\xC3\x86ther"); // AE
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");     // euro sign
}

TEST(CodePage, TextOutsideTheCodePageIsRefused) {
    EXPECT_FALSE(Utf8ToCp1252("\xD0\x9A\xD0\xBE").has_value()); // Cyrillic
    EXPECT_FALSE(Utf8ToCp1252("\xC3").has_value());             // cut short
    EXPECT_FALSE(Utf8ToCp1252("\xFF").has_value());
    EXPECT_EQ(Utf8ToCp1252("plain"), "plain");
}
