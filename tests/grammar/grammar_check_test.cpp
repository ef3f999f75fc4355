// Normalisation into the internal CFG: order of generated rules, cross references,
// token list, start rule and the bounds of the internal CFG.
#include "grammar/grammar_check.h"

#include <gtest/gtest.h>

#include "grammar/grammar_messages.h"
#include "grammar/rule_refs.h"
#include "grammar_test_support.h"

namespace gramarbor {
namespace {

using testing::CheckedGrammar;
using Lines = std::vector<std::string>;

struct Normalisation {
    Lines Grammar;
    Lines Listing;
};

class NormalisationOrder : public ::testing::TestWithParam<Normalisation> {};

TEST_P(NormalisationOrder, ListsRulesInExpansionOrder) {
    CheckedGrammar g(GetParam().Grammar);
    ASSERT_TRUE(g.Ok) << g.Sink.Last();
    EXPECT_EQ(g.Listing(), GetParam().Listing);
    EXPECT_EQ(g.Parser.ErrorLine, -1);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, NormalisationOrder,
    ::testing::Values(
        Normalisation{{"S = NP {PP}", "NP = \"John\"", "PP = \"here\""},
                      {"0 (N): S = #0", "1 (N): #0 = NP", "2 (N): #0 = #0 PP",
                       "3 (T): NP = \"John\"", "4 (T): PP = \"here\""}},
        Normalisation{{"X = A {B} C", "A = \"a\"", "B = \"b\"", "C = \"c\""},
                      {"0 (N): X = A #0", "1 (N): #0 = B #0", "2 (N): #0 = C", "3 (T): A = \"a\"",
                       "4 (T): B = \"b\"", "5 (T): C = \"c\""}},
        Normalisation{{"Start = X", "X = A [B] C", "A = \"a\"", "B = \"b\"", "C = \"c\""},
                      {"0 (N): START = X", "1 (N): X = A B C", "2 (N): X = A C", "3 (T): A = \"a\"",
                       "4 (T): B = \"b\"", "5 (T): C = \"c\""}},
        Normalisation{{"Start = X", "X = <A,B> C", "A = \"a\"", "B = \"b\"", "C = \"c\""},
                      {"0 (N): START = X", "1 (N): X = A C", "2 (N): X = B C", "3 (T): A = \"a\"",
                       "4 (T): B = \"b\"", "5 (T): C = \"c\""}},
        Normalisation{{"Start = X", "X = (A|B) C", "A = \"a\"", "B = \"b\"", "C = \"c\""},
                      {"0 (N): START = X", "1 (N): X = #0 C", "2 (N): X = C", "3 (N): #0 = A",
                       "4 (N): #0 = B", "5 (T): A = \"a\"", "6 (T): B = \"b\"",
                       "7 (T): C = \"c\""}},
        // Names are numbered pass by pass: the second repetition of a rule is expanded
        // in the pass after the first repetitions of all rules.
        Normalisation{{"S2 = S T", "S = A {B} C {D} E", "T = F {G}", "A = \"a\"", "B = \"b\"",
                       "C = \"c\"", "D = \"d\"", "E = \"e\"", "F = \"f\"", "G = \"g\""},
                      {"0 (N): S2 = S T", "1 (N): S = A #0", "2 (N): #0 = B #0", "3 (N): #0 = C #2",
                       "4 (N): #2 = D #2", "5 (N): #2 = E", "6 (N): T = #1", "7 (N): #1 = F",
                       "8 (N): #1 = #1 G", "9 (T): A = \"a\"", "10 (T): B = \"b\"",
                       "11 (T): C = \"c\"", "12 (T): D = \"d\"", "13 (T): E = \"e\"",
                       "14 (T): F = \"f\"", "15 (T): G = \"g\""}},
        // Terminals mixed with nonterminals move into lexical rules appended at the
        // end, one per distinct terminal.
        Normalisation{
            {"S = NP VP", "NP = \"the\" N", "VP = \"the\" V @Ident", "N = \"man\"", "V = \"saw\""},
            {"0 (N): S = NP VP", "1 (N): NP = #0 N", "2 (N): VP = #0 V #1", "3 (T): N = \"man\"",
             "4 (T): V = \"saw\"", "5 (T): #0 = \"the\"", "6 (T): #1 = @Ident"}},
        Normalisation{{"S = A", "A = \"x\"", "S = A", "A = \"x\""},
                      {"0 (N): S = A", "1 (T): A = \"x\""}}));

TEST(GrammarCheck, BuildsUseAndDefinitionReferences) {
    CheckedGrammar g({"S = NP VP", "NP = \"John\"", "VP = \"runs\" NP", "NP = \"Mary\""});
    ASSERT_TRUE(g.Ok) << g.Sink.Last();
    // 0 S = NP VP, 1 NP = "John", 2 VP = #0 NP, 3 NP = "Mary", 4 #0 = "runs"
    const TRuleList& rules = g.Parser.Rules;
    ASSERT_EQ(rules.size(), 5u);
    EXPECT_TRUE(rules[0].Line.Left.Refs.empty());
    EXPECT_EQ(rules[1].Line.Left.Refs, std::string("\x00\x00\x00\x00\x02\x00\x01\x00", 8));
    EXPECT_EQ(rules[3].Line.Left.Refs, rules[1].Line.Left.Refs);
    EXPECT_EQ(rules[0].Line.Right[0].Refs, std::string("\x01\x00"
                                                       "00\x03\x00"
                                                       "00",
                                                       8));
    EXPECT_EQ(rules[2].Line.Right[0].Refs, std::string("\x04\x00"
                                                       "00",
                                                       4));
    EXPECT_EQ(RefRule(rules[4].Line.Left.Refs, 0), 2);
    EXPECT_EQ(RefPosition(rules[2].Line.Left.Refs, 0), 1);
    // Terminals carry no references.
    EXPECT_TRUE(rules[1].Line.Right[0].Refs.empty());
    EXPECT_EQ(g.Parser.StartLine, 0);
}

TEST(GrammarCheck, EncodesRuleIndicesLowByteFirst) {
    Lines grammar{"S = W"};
    for (int i = 0; i < 300; ++i)
        grammar.push_back("W = \"w" + std::to_string(i) + "\"");
    CheckedGrammar g(grammar);
    ASSERT_TRUE(g.Ok);
    const std::string& refs = g.Parser.Rules[0].Line.Right[0].Refs;
    ASSERT_EQ(RefCount(refs), 300u);
    EXPECT_EQ(refs.substr(299 * 4), std::string("\x2C\x01"
                                                "00",
                                                4)); // rule 300
}

TEST(GrammarCheck, BuildsTerminalsAndTokenSymbols) {
    CheckedGrammar g(
        {"S = NP V", "NP = \"the\" N", "N = \"man\"", "V = \"saw\"", "V = \"man\"", "N = @Number"});
    ASSERT_TRUE(g.Ok) << g.Sink.Last();
    EXPECT_EQ(g.Parser.Terminals, (Lines{"", "man", "saw", "man", "the"}));
    EXPECT_EQ(g.Parser.TokenSyms, "man|$0001 saw|$0002 man|$0003 the|$0004");
}

struct CheckFailure {
    Lines Grammar;
    std::string Message;
    int32_t ErrorLine;
};

class GrammarCheckFailure : public ::testing::TestWithParam<CheckFailure> {};

TEST_P(GrammarCheckFailure, ReportsOneMessageAndBlamesLine) {
    CheckedGrammar g(GetParam().Grammar);
    EXPECT_FALSE(g.Ok);
    EXPECT_EQ(g.Sink.Texts(), Lines{GetParam().Message});
    EXPECT_EQ(g.Parser.ErrorLine, GetParam().ErrorLine);
    EXPECT_TRUE(g.Parser.RulesRead); // reading succeeded: the rules as read survive
}

INSTANTIATE_TEST_SUITE_P(
    Messages, GrammarCheckFailure,
    ::testing::Values(
        CheckFailure{{"S = {A}", "A = \"a\""}, MsgEmptyRightSide, 0},
        CheckFailure{{"S = [A]", "A = \"a\""}, MsgEmptyRightSide, 0},
        CheckFailure{{"S = (A,B)", "A = \"a\"", "B = \"b\""}, MsgEmptyRightSide, 0},
        CheckFailure{{"S = A", "S = B", "A = \"a\"", "B = \"b\""}, MsgTwoStartLines, 0},
        CheckFailure{{"S = A [B]", "A = \"a\"", "B = \"b\""}, MsgTwoStartLines, 0},
        CheckFailure{{"A = B", "B = A"}, MsgNoStartSymbol, 0},
        CheckFailure{{}, MsgNoStartSymbol, 0},
        CheckFailure{{"S = NP"}, "Symbol \"NP\" is not declared.", 0},
        CheckFailure{{"S = A", "A = \"a\" B C", "B = \"b\""}, "Symbol \"C\" is not declared.", 1}));

TEST(GrammarCheck, BlamesTheWrittenLineOfAnExpandedRule) {
    // Internal rules: START = X, X = A B, X = B, A = "a", B = Y; Y is missing in
    // internal rule 4, which was written as rule line 3.
    CheckedGrammar g({"Start = X", "X = [A] B", "A = \"a\"", "B = Y"});
    EXPECT_EQ(g.Sink.Texts(), Lines{"Symbol \"Y\" is not declared."});
    EXPECT_EQ(g.Parser.ErrorLine, 3);
}

TEST(GrammarCheck, RefusesFuncCallsOfWrongCount) {
    RecordingSink sink;
    TParser parser(sink);
    const std::vector<const void*> calls(1);
    EXPECT_FALSE(CheckGrammar(parser, "=", "", {"S = A", "A = \"a\""}, &calls, true));
    EXPECT_EQ(sink.Texts(), Lines{MsgFuncCallCount});
    EXPECT_EQ(parser.ErrorLine, 0);
}

TEST(GrammarCheck, GeneratedRulesKeepTheCallersReference) {
    RecordingSink sink;
    TParser parser(sink);
    int first = 0, second = 0, third = 0;
    const std::vector<const void*> calls{&first, &second, &third};
    ASSERT_TRUE(
        CheckGrammar(parser, "=", "", {"S = {A} B \"x\"", "A = \"a\"", "B = \"b\""}, &calls, true))
        << sink.Last();
    // S = #0, #0 = A #0, #0 = B #1 stem from line 0; #1 = "x" is appended by the
    // separation of terminals and belongs to no line.
    ASSERT_EQ(parser.Rules.size(), 6u);
    for (const TParsLine& line : parser.Rules) {
        const std::string& name = line.Line.Left.Text;
        const void* expected = name == "A"    ? &second
                               : name == "B"  ? &third
                               : name == "#1" ? nullptr
                                              : &first;
        EXPECT_EQ(line.FuncCall, expected) << name;
    }
}

TEST(GrammarCheck, RefusesMoreTerminalsThanTokenCodes) {
    // 256 distinct rules of 256 terminals each: 65536 terminals, more than the token
    // codes 1 to 65529 can number.
    Lines grammar{"S = W"};
    for (int i = 0; i < 256; ++i) {
        std::string line = "W = \"" + std::to_string(i) + "\"";
        for (int k = 1; k < 256; ++k)
            line += " \"t\"";
        grammar.push_back(line);
    }
    CheckedGrammar g(grammar);
    EXPECT_EQ(g.Sink.Texts(), Lines{MsgTooManyTerminals});
    EXPECT_EQ(g.Parser.ErrorLine, 0);

    grammar.resize(250);
    CheckedGrammar fits(grammar);
    EXPECT_TRUE(fits.Ok);
    EXPECT_EQ(fits.Parser.TokenSyms.substr(fits.Parser.TokenSyms.size() - 8), " t|$F900");
}

TEST(GrammarCheck, RefusesMoreRulesThanSixteenBitIndices) {
    Lines grammar{"S = W"};
    for (int i = 0; i < 65536; ++i)
        grammar.push_back("W = X" + std::to_string(i));
    for (int i = 0; i < 65536; ++i)
        grammar.push_back("X" + std::to_string(i) + " = @Ident");
    CheckedGrammar tooMany(grammar);
    EXPECT_EQ(tooMany.Sink.Texts(), Lines{MsgTooManyRules});

    grammar.resize(1 + 32767);
    for (int i = 0; i < 32767; ++i)
        grammar.push_back("X" + std::to_string(i) + " = @Ident");
    grammar.push_back("W = @Float"); // rule 65535: the last index 16 bits can hold
    CheckedGrammar fits(grammar);
    ASSERT_TRUE(fits.Ok) << fits.Sink.Last();
    ASSERT_EQ(fits.Parser.Rules.size(), 65536u);
    const std::string& defs = fits.Parser.Rules[0].Line.Right[0].Refs;
    EXPECT_EQ(RefRule(defs, RefCount(defs) - 1), 65535);
}

TEST(GrammarCheck, RefusesExplodingExpansionNamingItsLine) {
    // Lists of 3, 256 and 256 alternatives would give 196608 rules.
    std::string list = "<";
    for (int i = 0; i < 256; ++i)
        list += "B,";
    list.back() = '>';
    CheckedGrammar g({"S = A", "B = \"b\"", "A = <B,B,B> " + list + " " + list});
    EXPECT_EQ(g.Sink.Texts(), Lines{MsgTooManyRules});
    EXPECT_EQ(g.Parser.ErrorLine, 2);
}

TEST(GrammarCheck, RefusesReferencesBeyondMemory) {
    // 15360 uses of W, each listing the 20000 rules of W, and 20000 rules each listing
    // the 15360 uses: 2.4 GB of references.
    Lines grammar{"S = U"};
    std::string uses = "U =";
    for (int i = 0; i < 256; ++i)
        uses += " W";
    for (int i = 0; i < 60; ++i)
        grammar.push_back(uses + " X" + std::to_string(i));
    for (int i = 0; i < 60; ++i)
        grammar.push_back("X" + std::to_string(i) + " = @Ident");
    for (int i = 0; i < 20000; ++i)
        grammar.push_back("W = \"w" + std::to_string(i) + "\"");
    for (auto& line : grammar)
        if (line.size() > 300) line.erase(line.find(" W"), 3); // 256 elements at most
    CheckedGrammar g(grammar);
    EXPECT_EQ(g.Sink.Texts(), Lines{MsgTooManyReferences});
    EXPECT_EQ(g.Parser.ErrorLine, 0);
}

TEST(GrammarCheck, ReadingOnlyModeKeepsBracketsAndSkipsChecks) {
    CheckedGrammar g({"S = NP [PP]", "NP = UNDECLARED"}, false);
    ASSERT_TRUE(g.Ok);
    EXPECT_EQ(g.Listing(), (Lines{"0 (N): S = NP [PP]", "1 (N): NP = UNDECLARED"}));
    EXPECT_EQ(g.Parser.Rules[0].Line.Right[1].Construct, ctOptional);
}

} // namespace
} // namespace gramarbor
