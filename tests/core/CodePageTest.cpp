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

TEST(CodePage, CharactersSpeltInTooManyBytesAreRefused) {
    const std::pair<const char*, bool> cases[] = {
        {"\xC0\xAF", false},             // "/" in two bytes
        {"\xC1\xBF", false},             // the last two-byte overlong
        {"\xE0\x80\xAF", false},         // "/" in three bytes
        {"\xE0\x81\x9C", false},         // a quote's neighbour in three bytes
        {"\xF0\x80\x80\xAF", false},     // "/" in four bytes
        {"\xE0\x82\xAC", false},         // U+00AC in three bytes
        {"\xC2\xAC", true},              // U+00AC as it is spelt
        {"\xE2\x82\xAC", true},          // the euro sign, three bytes as it must be
        {"..\xC0\xAF..\xC0\xAF", false}, // a path climbing out, spelt around the checks
    };
    for (const auto& [text, valid] : cases) {
        const auto narrow = Utf8ToCp1252(text);
        EXPECT_EQ(narrow.has_value(), valid) << text;
        if (narrow) {
            EXPECT_EQ(Cp1252ToUtf8(*narrow), text);
        }
    }
}
