// Tests of the character classes, case folding and string helpers.
#include <gtest/gtest.h>

#include "text/text_utils.h"

using namespace gramarbor;

// German letters in Windows-1252: \xC4 \xD6 \xDC upper case, \xE4 \xF6 \xFC lower
// case, \xDF the sharp s.
TEST(CaseFolding, KnowsTheGermanLetters) {
    EXPECT_EQ(UpCaseChar('\xDF'), '\xDF');
    EXPECT_EQ(UpCaseChar('\xE9'), '\xE9'); // é stays
    EXPECT_EQ(UpCaseChar('\xF6'), '\xD6');
    EXPECT_EQ(UpperCaseGerman("M\xFCller stra\xDF"
                              "e"),
              "M\xDCLLER STRA\xDF"
              "E");
    EXPECT_EQ(LowerCaseGerman("\xC4RGER", true), "\xC4rger");
    EXPECT_EQ(LowerCaseGerman("", true), "");
    EXPECT_EQ(LowerCaseGerman("NUMBER", false), "number");
}

TEST(IsIdentifier, AcceptsLettersUnderscoreAndLaterDigitsUmlautsSharpS) {
    for (const char* yes : {"np", "_x1", "Verb2", "a\xDF", "Nomen_\xC4"})
        EXPECT_TRUE(IsIdentifier(yes)) << yes;
    for (const char* no : {"", "1a", "\xDF",
                           "\xDF"
                           "a",
                           "\xD6l", "a-b", "a b", "x.y"})
        EXPECT_FALSE(IsIdentifier(no)) << no;
}

TEST(SplitString, DropsEmptyPiecesAndAcceptsLongSeparators) {
    std::vector<std::string> list{"stale"};
    EXPECT_TRUE(SplitString("  a  b ", " ", &list));
    EXPECT_EQ(list, (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(SplitString("", " ", &list));
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(SplitString("a||b", "||", &list));
    EXPECT_EQ(list, (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(SplitString("abc", "", &list));
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(SplitString("a b", " ", nullptr));
}

TEST(PosFrom, SearchesFromAOneBasedPosition) {
    EXPECT_EQ(PosFrom("ab", "abab", 2), 3u);
    EXPECT_EQ(PosFrom("ab", "abab", 4), 0u);
    EXPECT_EQ(PosFrom("ab", "abab", 1), 1u);
    EXPECT_EQ(PosFrom("x", "", 1), 0u);
}

TEST(SmallHelpers, RepeatPackAndTrim) {
    EXPECT_EQ(RepeatChar('x', 3), "xxx");
    EXPECT_EQ(RepeatChar('x', -1), "");
    EXPECT_EQ(WordToStr2(513), std::string("\x01\x02", 2));
    EXPECT_EQ(Str2ToWord(WordToStr2(513)), 513);
    EXPECT_EQ(Str2ToWord(WordToStr2(65535)), 65535);
    EXPECT_EQ(TrimText(" \t a b \r\n"), "a b");
    EXPECT_EQ(TrimLeftText(" \ta "), "a ");
}

TEST(StrToInt32, ReadsDecimalAndDollarHexadecimal) {
    for (const auto& [text, expected] :
         {std::pair{"$0001", 1}, std::pair{"$FFFFFFFF", -1}, std::pair{"-2147483648", INT32_MIN}}) {
        int32_t value = 0;
        EXPECT_TRUE(StrToInt32(text, value) && value == expected) << text;
    }
    int32_t value = 0;
    for (const char* bad : {"2147483648", "12a", "", "$"})
        EXPECT_FALSE(StrToInt32(bad, value)) << bad;
}
