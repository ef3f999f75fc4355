// Tests of the conversion between Windows-1252 and UTF-8.
#include <gtest/gtest.h>

#include "text/cp1252.h"

using namespace gramarbor;

TEST(Cp1252, ConvertsEveryByteToUtf8AndBack) {
    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<char>(i));
    std::string back;
    ASSERT_TRUE(Utf8ToCp1252(Cp1252ToUtf8(all), back));
    EXPECT_EQ(back, all);
    EXPECT_EQ(Cp1252ToUtf8("\x9B"
                           "the\x8B"),
              "\xE2\x80\xBA"
              "the\xE2\x80\xB9");                    // › ‹
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC"); // €
}

TEST(Cp1252, RefusesCharactersItCannotHoldAndInvalidUtf8) {
    std::string out;
    std::size_t bad = 99;
    EXPECT_FALSE(Utf8ToCp1252("ab\xE4\xB8\xAD", out, &bad)); // a CJK character
    EXPECT_EQ(bad, 2u);
    EXPECT_FALSE(Utf8ToCp1252("\xC3", out, &bad));
    EXPECT_FALSE(Utf8ToCp1252("\xED\xA0\x80", out)); // a surrogate
    EXPECT_FALSE(Utf8ToCp1252("\xC0\xAF", out));     // overlong
}

TEST(DecodeTextFile, ReadsUtf8WhenValidAndWindows1252Otherwise) {
    std::string text;
    ASSERT_TRUE(DecodeTextFile("N = \"M\xC3\xBCller\"\n", text));
    EXPECT_EQ(text, "N = \"M\xFCller\"\n");
    ASSERT_TRUE(DecodeTextFile("N = \"M\xFCller\"\n", text)); // not valid UTF-8
    EXPECT_EQ(text, "N = \"M\xFCller\"\n");
    ASSERT_TRUE(DecodeTextFile("\xEF\xBB\xBFS = A", text));
    EXPECT_EQ(text, "S = A");
    int line = 0;
    EXPECT_FALSE(DecodeTextFile("a\r\nb\nc \xE4\xB8\xAD", text, &line));
    EXPECT_EQ(line, 3);
}
