// The grammar store: listing format, copies of the rules as read, lines of the text.
#include "grammar/grammar_store.h"

#include <gtest/gtest.h>

#include "grammar/prepare_grammar.h"
#include "grammar/rule_listing.h"
#include "grammar_test_support.h"

namespace gramarbor {
namespace {

using testing::CheckedGrammar;
using Lines = std::vector<std::string>;

// The listing's form is in the golden listings of the check command; the element
// forms among the rule reader's tests.
TEST(RuleListing, AppendsToTheLinesGiven) {
    CheckedGrammar g({"S = NP VP", "NP = \"John\"", "VP = \"runs\""});
    Lines appended{"keep"};
    ListRules(g.Parser, g.Parser.Rules, appended);
    EXPECT_EQ(appended, (Lines{"keep", "0 (N):\tS = NP VP", "1 (T):\tNP = \"John\"",
                               "2 (T):\tVP = \"runs\""}));
}

TEST(CopyRulesUnexpanded, GivesRulesAsWrittenOnlyWhenReadingSucceeded) {
    EXPECT_FALSE(CopyRulesUnexpanded(CheckedGrammar({"S = A", "A = ["}).Parser).has_value());

    CheckedGrammar g({"S = NP {PP}", "NP = \"John\""}); // PP is not declared
    ASSERT_FALSE(g.Ok);
    std::optional<TRuleList> copy = CopyRulesUnexpanded(g.Parser);
    ASSERT_TRUE(copy.has_value());
    ASSERT_EQ(copy->size(), 2u);
    EXPECT_EQ((*copy)[0].Line.Right[1].Construct, ctRepeated);
    EXPECT_EQ(ElemToText((*copy)[0].Line.Right[1]), "{PP}");
}

TEST(PrepareGrammar, ALaterFailedCheckStartsFromCleanLists) {
    RecordingSink sink;
    TParser parser(sink);
    ASSERT_TRUE(PrepareGrammar(parser, {"S = \"a\""}, true));
    EXPECT_FALSE(PrepareGrammar(parser, {"S = A", "A = B"}, true));
    EXPECT_EQ(parser.Rules.size(), 2u);
    EXPECT_TRUE(parser.Terminals.empty());
    EXPECT_EQ(parser.TokenSyms, "");
}

TEST(PrepareGrammar, MapsRuleLinesToLinesOfTheText) {
    RecordingSink sink;
    TParser parser(sink);
    TGrammarLines lines;
    const Lines text{"// a grammar",          "  S = A  ", "",
                     "\t// indented comment", "A = B",     "/ not a comment = x"};
    EXPECT_FALSE(PrepareGrammar(parser, text, true, &lines));
    EXPECT_EQ(lines.GrammarLines, (Lines{"S = A", "A = B", "/ not a comment = x"}));
    EXPECT_EQ(lines.SourceLines, (std::vector<int>{1, 4, 5}));
    EXPECT_EQ(lines.FuncCallList.size(), 3u);
    EXPECT_EQ(parser.ErrorLine, 2);
    EXPECT_EQ(lines.SourceLineOf(parser.ErrorLine), 5);
    EXPECT_EQ(lines.SourceLineOf(-1), -1);
    EXPECT_EQ(lines.SourceLineOf(3), -1);
    // Comments only: the missing start symbol blames no line of the text.
    EXPECT_FALSE(PrepareGrammar(parser, {"// nothing", "//"}, true, &lines));
    EXPECT_EQ(parser.ErrorLine, 0);
    EXPECT_EQ(lines.SourceLineOf(parser.ErrorLine), -1);
}

} // namespace
} // namespace gramarbor
