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
    EXPECT_EQ(ScanAll({}).front().Code, tkEndOfInput);
    const auto tokens = ScanAll({"a (* x", "y *) b // rest", "(*z*)"}, "", false, "(*|*) //");
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[0].Text, "A");
    EXPECT_EQ(tokens[1].Text, "B");
    EXPECT_EQ(tokens[2].Code, tkEndOfInput);
}

TEST(ScannerSkipping, UnclosedCommentIsAnErrorBehindTheLastLine) {
    const std::vector<std::string> lines{"a {x", "y"};
    NullSink sink;
    TScanner scanner;
    scanner.Create(&lines, "{|}", "", "", false, sink);
    TTokVal val;
    EXPECT_EQ(scanner.NextToken(val), tkIdent);
    EXPECT_EQ(scanner.NextToken(val), tkError);
    EXPECT_EQ(val.Text, "Comment opened but not closed: \"{...}\"");
    EXPECT_EQ(scanner.Line, 2);
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

TEST(ScannerWords, KeywordsFoldCaseUnlessCaseSensitive) {
    for (const char* word : {"The", "THE", "the"}) {
        const Scanned s = First(word, "the|$0001 man|$0002");
        EXPECT_EQ(s.Code, 1) << word;
        EXPECT_EQ(s.Text, "THE") << word;
    }
    EXPECT_EQ(First("the", "the|1", true).Code, 1);
    const Scanned other = First("The", "the|1", true);
    EXPECT_EQ(other.Code, tkIdent);
    EXPECT_EQ(other.Text, "The");
    EXPECT_EQ(First("dog", "the|1").Text, "DOG");
    // The first occurrence of a keyword wins.
    EXPECT_EQ(First("the", "the|7 THE|9").Code, 7);
    EXPECT_EQ(First("THE", "the|7 THE|9", true).Code, 9);
}

TEST(ScannerWords, IdentifiersTakeGermanLettersAndDigits) {
    const Scanned s = First("M\xFCller2_x", "", true);
    EXPECT_EQ(s.Code, tkIdent);
    EXPECT_EQ(s.Text, "M\xFCller2_x");
    EXPECT_EQ(First("m\xFCller").Text, "M\xDCLLER");
    const Scanned sharp = First("\xDF"
                                "a b");
    EXPECT_EQ(sharp.Code, tkError);
    EXPECT_EQ(sharp.Text, "Maybe undefined token: \"\xDF"
                          "A B\"");
}

TEST(ScannerSymbols, LongestSymbolWinsWhateverTheOrder) {
    for (const char* list : {"-|1 ->|2", "->|2 -|1"}) {
        const auto tokens = ScanAll({"->-"}, list);
        ASSERT_EQ(tokens.size(), 3u) << list;
        EXPECT_EQ(tokens[0].Code, 2) << list;
        EXPECT_EQ(tokens[0].Text, "->");
        EXPECT_EQ(tokens[1].Code, 1) << list;
    }
    EXPECT_EQ(First(".5").Text, "Maybe undefined token: \".5\"");
}

TEST(ScannerSymbols, LowerCaseSymbolsNeverMatchFoldedInput) {
    EXPECT_EQ(First("#x", "#x|3").Code, tkError);
    EXPECT_EQ(First("#x", "#x|3", true).Code, 3);
    EXPECT_EQ(First("#x", "#X|3").Code, 3);
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
    std::vector<TTokLst> again; // each call scans from the start
    ASSERT_TRUE(scanner.TokenizeAll(&again));
    EXPECT_EQ(again.size(), 5u);
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
