// Tests of the scanner's set-up and tokens.
#include <gtest/gtest.h>

#include "text/scanner.h"

using namespace gramarbor;

namespace {

struct Scanned {
    int32_t Code;
    std::string Text;
    long double Value;
};

// Scans all tokens of the lines, including the final end or error token.
std::vector<Scanned> ScanAll(const std::vector<std::string>& lines,
                             const std::string& tokenList = "", bool caseSensitive = false,
                             const std::string& comments = "") {
    NullSink sink;
    TScanner scanner;
    scanner.Create(&lines, comments, tokenList, "", caseSensitive, sink);
    std::vector<Scanned> result;
    for (int guard = 0; guard < 100; ++guard) {
        TTokVal val;
        const int32_t code = scanner.NextToken(val);
        result.push_back({code, val.Text, val.Value});
        if (code == tkEndOfInput || code == tkError) break;
    }
    return result;
}

Scanned First(const std::string& line, const std::string& tokenList = "",
              bool caseSensitive = false) {
    return ScanAll({line}, tokenList, caseSensitive).front();
}

} // namespace

TEST(ScannerSetUp, BuildsKeywordTableAndOrdersSymbolsLongestFirst) {
    NullSink sink;
    const std::vector<std::string> lines;
    TScanner scanner;
    ASSERT_TRUE(scanner.Create(&lines, "// (*|*)", "the|1 man|2 -|3 ->|4 =|5", "", false, sink));
    EXPECT_EQ(scanner.KeywordTable, " THE|1 MAN|2 ");
    EXPECT_EQ(scanner.SymbolTexts, (std::vector<std::string>{"->", "-", "="}));
    EXPECT_EQ(scanner.SymbolValues, (std::vector<std::string>{"4", "3", "5"}));
    // Equal lengths keep the order given.
    EXPECT_EQ(scanner.CommentOpen, (std::vector<std::string>{"//", "(*"}));
    EXPECT_EQ(scanner.CommentClose, (std::vector<std::string>{"\r\n", "*)"}));
}

TEST(ScannerSetUp, ReportsMalformedTokenEntriesAndKeepsWhatItRead) {
    const std::vector<std::string> lines{"a b"};
    struct Case {
        const char* TokenList;
        const char* Message;
    };
    for (const Case& c : {Case{"a|1 b", "Both token-string and token-value needed."},
                          Case{"a|1 b|2|3", "Both token-string and token-value needed."},
                          Case{"a|1 b|x", "Token-value must be integer, not string."}}) {
        RecordingSink sink;
        TScanner scanner;
        EXPECT_FALSE(scanner.Create(&lines, "", c.TokenList, "", false, sink));
        EXPECT_EQ(sink.Texts(), std::vector<std::string>{c.Message}) << c.TokenList;
        TTokVal val;
        EXPECT_EQ(scanner.NextToken(val), 1) << "keyword read before the error stays";
    }
}

TEST(ScannerSkipping, BlankLinesTabsAndCommentsYieldOnlyEnd) {
    EXPECT_EQ(ScanAll({"", "  \t ", "\t"}).front().Code, tkEndOfInput);
    const auto tokens = ScanAll({"a (* x", "y *) b // rest", "(*z*)"}, "", false, "(*|*) //");
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[0].Text, "A");
    EXPECT_EQ(tokens[1].Text, "B");
    EXPECT_EQ(tokens[2].Code, tkEndOfInput);
}

TEST(ScannerSkipping, UnclosedCommentIsAnErrorBehindTheLastLine) {
    const auto tokens = ScanAll({"a {x", "y"}, "", false, "{|}");
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[0].Code, tkIdent);
    EXPECT_EQ(tokens[1].Code, tkError);
    EXPECT_EQ(tokens[1].Text, "Comment opened but not closed: \"{...}\"");
}

TEST(ScannerNumbers, ClassifiesIntegersAndFloats) {
    struct Case {
        const char* Input;
        int32_t Code;
        long double Value;
    };
    for (const Case& c : {Case{"3.14", tkFloat, 3.14L}, Case{"12.", tkFloat, 12.0L},
                          Case{"1E5", tkInteger, 100000.0L}, Case{"1e-3", tkInteger, 0.001L},
                          Case{"2147483647", tkInteger, 2147483647.0L},
                          Case{"2147483648", tkFloat, 2147483648.0L}, Case{"$ff", tkInteger, 255},
                          Case{"$FF", tkInteger, 255}, Case{"$FFFFFFFF", tkInteger, -1},
                          Case{"~101", tkInteger, 5}, Case{"1E4900", tkFloat, 1e4900L}}) {
        const Scanned s = First(c.Input, "", true);
        EXPECT_EQ(s.Code, c.Code) << c.Input;
        EXPECT_NEAR(static_cast<double>(s.Value / c.Value), 1.0, 1e-12) << c.Input;
        EXPECT_EQ(s.Text, "") << c.Input;
    }
    EXPECT_EQ(ScanAll({"~" + std::string(32, '1')})[0].Value, -1);
}

TEST(ScannerNumbers, ReportsMalformedNumbersWithoutMoving) {
    struct Case {
        const char* Input;
        const char* Message;
    };
    for (const Case& c : {Case{"2E", "Exponent-value missing in float-number."},
                          Case{"2E+", "Wrong exponent: number expected, not end of line."},
                          Case{"2Ex", "Wrong exponent: integer-number expected."},
                          Case{"1E4901", "Wrong Exponent: -4900 <= Exp <= +4900."},
                          Case{"1E-99999", "Wrong Exponent: -4900 <= Exp <= +4900."},
                          Case{"~", "At least 1 hex- or binary-digit expected."},
                          Case{"$G", "No valid hex- or binary number: $G"},
                          Case{"~2", "No valid hex- or binary number: ~2"},
                          Case{"$123456789", "No valid hexadecimal number: $123456789"}}) {
        const std::vector<std::string> lines{std::string("x ") + c.Input};
        NullSink sink;
        TScanner scanner;
        scanner.Create(&lines, "", "", "", true, sink);
        TTokVal val;
        scanner.NextToken(val);
        EXPECT_EQ(scanner.NextToken(val), tkError) << c.Input;
        EXPECT_EQ(val.Text, c.Message) << c.Input;
        EXPECT_EQ(scanner.Column, 3) << c.Input;
    }
    const std::string bits = "~" + std::string(33, '0');
    EXPECT_EQ(First(bits).Text, "No valid binary number: " + bits);
}

// The first token of a line: keywords fold case unless case-sensitive (the first
// occurrence wins), identifiers take German letters and digits, the longest symbol
// wins whatever the order, lower-case symbols never match folded input.
TEST(ScannerWords, FirstTokenOfALine) {
    struct Case {
        const char* Line;
        const char* Tokens;
        bool CaseSensitive;
        int32_t Code;
        const char* Text;
    };
    const Case cases[] = {
        {"The", "the|$0001 man|$0002", false, 1, "THE"},
        {"the", "the|$0001 man|$0002", false, 1, "THE"},
        {"the", "the|1", true, 1, "the"},
        {"The", "the|1", true, tkIdent, "The"},
        {"dog", "the|1", false, tkIdent, "DOG"},
        {"the", "the|7 THE|9", false, 7, "THE"},
        {"THE", "the|7 THE|9", true, 9, "THE"},
        {"M\xFCller2_x", "", true, tkIdent, "M\xFCller2_x"},
        {"m\xFCller", "", false, tkIdent, "M\xDCLLER"},
        {"\xDF"
         "a b",
         "", false, tkError,
         "Maybe undefined token: \"\xDF"
         "A B\""},
        {"->-", "-|1 ->|2", false, 2, "->"},
        {"->-", "->|2 -|1", false, 2, "->"},
        {".5", "", false, tkError, "Maybe undefined token: \".5\""},
        {"#x", "#x|3", false, tkError, "Maybe undefined token: \"#X\""},
        {"#x", "#x|3", true, 3, "#x"},
        {"#x", "#X|3", false, 3, "#X"},
    };
    for (const Case& c : cases) {
        const Scanned s = First(c.Line, c.Tokens, c.CaseSensitive);
        EXPECT_EQ(s.Code, c.Code) << c.Line << " " << c.Tokens;
        EXPECT_EQ(s.Text, c.Text) << c.Line << " " << c.Tokens;
    }
    EXPECT_EQ(ScanAll({"->-"}, "->|2 -|1")[1].Code, 1);
}

TEST(ScannerTokenizeAll, CollectsTokensUntilEndOrError) {
    NullSink sink;
    const std::vector<std::string> lines{"the man", " 42 , x"};
    TScanner scanner;
    scanner.Create(&lines, "", "the|1 man|2 ,|3", "", false, sink);
    std::vector<TTokLst> tokens;
    ASSERT_TRUE(scanner.TokenizeAll(&tokens));
    ASSERT_EQ(tokens.size(), 5u);
    EXPECT_EQ(tokens[0].Code, 1);
    EXPECT_EQ(tokens[2].Code, tkInteger);
    EXPECT_EQ(tokens[2].Val.Value, 42);
    EXPECT_EQ(tokens[3].Code, 3);
    EXPECT_EQ(tokens[4].Val.Text, "X");
    ASSERT_TRUE(scanner.TokenizeAll(&tokens)); // each call appends all, from the start
    EXPECT_EQ(tokens.size(), 10u);
    EXPECT_FALSE(scanner.TokenizeAll(nullptr));

    const std::vector<std::string> bad{"the ? man"};
    scanner.Create(&bad, "", "the|1", "", false, sink);
    tokens.clear();
    EXPECT_FALSE(scanner.TokenizeAll(&tokens));
    EXPECT_EQ(tokens.size(), 1u) << "tokens before the error stay, the error is dropped";
}

TEST(ScannerSpecials, CustomSeparatorsSplitTheLists) {
    NullSink sink;
    const std::vector<std::string> lines{"go ;"};
    TScanner scanner;
    ASSERT_TRUE(scanner.Create(&lines, "", "go:10,;:11", ",:#", false, sink));
    EXPECT_EQ(scanner.KeywordTable, ",GO:10,");
    std::vector<TTokLst> tokens;
    ASSERT_TRUE(scanner.TokenizeAll(&tokens));
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[0].Code, 10);
    EXPECT_EQ(tokens[1].Code, 11);
}
