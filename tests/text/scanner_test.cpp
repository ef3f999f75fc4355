// Tests of the scanner's set-up and tokens.
#include <gtest/gtest.h>

#include "text/scanner.h"

#include <iomanip>
#include <optional>
#include <sstream>

#include "base/file_io.h"
#include "common/golden_file.h"

using namespace gramarbor;

namespace {

// "\xNN" for each byte outside printable ASCII, so that the data file stays readable.
std::string Escaped(const std::string& text) {
    std::string out;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x20 && byte < 0x7F && ch != '\\') {
            out += ch;
            continue;
        }
        out += {'\\', 'x', "0123456789ABCDEF"[byte >> 4], "0123456789ABCDEF"[byte & 15]};
    }
    return out;
}

std::string Unescaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text.compare(i, 2, "\\x") == 0 && i + 3 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += text[i];
        }
    return out;
}

// One case of tests/data/text/scanner_cases.txt: its lines and the scanner's set-up.
struct ScanCase {
    std::vector<std::string> Lines;
    std::string Tokens, Comments;
    bool CaseSensitive = false;

    // Every token up to the end or the error: code, text, value and the column after it.
    std::string Stream() const {
        NullSink sink;
        TScanner scanner;
        scanner.Create(&Lines, Comments, Tokens, "", CaseSensitive, sink);
        std::string out;
        for (int guard = 0; guard < 100; ++guard) {
            TTokVal val;
            const int32_t code = scanner.NextToken(val);
            std::ostringstream value;
            value << std::setprecision(15) << val.Value;
            out += "-> " + std::to_string(code) + " \"" + Escaped(val.Text) + "\" " + value.str() +
                   " column " + std::to_string(scanner.Column) + "\n";
            if (code == tkEndOfInput || code == tkError) break;
        }
        return out;
    }
};

} // namespace

// The file holds cases ("== name", then "tokens:", "comments:", "case-sensitive" and
// "line:" lines) each followed by the tokens scanned ("->" lines, up to the blank line
// after the case), which are compared and, with GRAMARBOR_UPDATE_GOLDEN=1, written anew.
TEST(ScannerTokens, RecordedCases) {
    const std::string path = std::string(GRAMARBOR_TEST_DATA) + "/text/scanner_cases.txt";
    std::string text, expected;
    ASSERT_EQ(ReadFileBytes(path, text), FileError::None) << path;
    std::optional<ScanCase> current;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("-> ", 0) == 0) continue;
        if ((line.empty() || line.rfind("== ", 0) == 0) && current) {
            expected += current->Stream();
            current.reset();
        }
        expected += line + "\n";
        if (line.rfind("== ", 0) == 0)
            current.emplace();
        else if (line.rfind("tokens: ", 0) == 0 && current)
            current->Tokens = line.substr(8);
        else if (line.rfind("comments: ", 0) == 0 && current)
            current->Comments = line.substr(10);
        else if (line == "case-sensitive" && current)
            current->CaseSensitive = true;
        else if (line.rfind("line: ", 0) == 0 && current)
            current->Lines.push_back(Unescaped(line.substr(6)));
        else if (line.rfind("line:", 0) == 0 && line.size() == 5 && current)
            current->Lines.emplace_back();
        else if (!line.empty() && line[0] != '#')
            ADD_FAILURE() << "not a line of a case: " << line;
    }
    if (current) expected += current->Stream();
    gramarbor::testing::ExpectGolden("text/scanner_cases.txt", expected);
}

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
