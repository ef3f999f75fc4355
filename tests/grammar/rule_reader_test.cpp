// The line reader: element kinds and constructs (every message, word for word, is
// among the broken grammars).
#include "grammar/rule_reader.h"

#include <gtest/gtest.h>

#include "grammar/grammar_messages.h"
#include "grammar_test_support.h"

namespace gramarbor {
namespace {

using testing::CheckedGrammar;

// Names are upper-cased; runs of blanks and the delete character separate as one blank.
TEST(RuleReader, ReadsNamesUpperCasedAndRunsOfSeparatorsAsOne) {
    CheckedGrammar g({"s=np  vp", "S = NP\x7F\"x\"\x7F\x7F{VP}\x7F"}, false);
    EXPECT_EQ(g.Listing(),
              (std::vector<std::string>{"0 (N): S = NP VP", "1 (N): S = NP \"x\" {VP}"}));
    EXPECT_EQ(g.Parser.Rules[0].Line.Right[1].SymKind, ekNonTerminal);
}

TEST(RuleReader, ReadsConstructsAndKinds) {
    CheckedGrammar g({"NP = [DET] ADJ {PP} <N,PRON>", "VP = V (NP|PP)",
                      "T = \"\" \" @ident [@Number] {@float} @INTEGER", "Ber\xFC = x\xDF"},
                     false);
    ASSERT_TRUE(g.Ok) << g.Sink.Last();
    // A lone quote is both opening and closing quote; umlauts are upper-cased in
    // names, ß stays.
    EXPECT_EQ(g.Listing(), (std::vector<std::string>{
                               "0 (N): NP = [DET] ADJ {PP} <N,PRON>", "1 (N): VP = V (NP,PP)",
                               "2 (T): T = \"\" \"\" @Ident [@Number] {@Float} @Integer",
                               "3 (N): BER\xDC = X\xDF"}));
    const auto& np = g.Parser.Rules[0].Line.Right;
    EXPECT_EQ(np[3].SymKind, ekAltList);
    EXPECT_EQ(np[3].Alternatives.size(), 2u);
    const TGramLine& t = g.Parser.Rules[2].Line;
    const std::vector<uint8_t> kinds{ekTerminal, ekTerminal, ekIdent, ekNumber, ekFloat, ekInteger};
    for (std::size_t i = 0; i < kinds.size(); ++i)
        EXPECT_EQ(t.Right.at(i).SymKind, kinds[i]) << i;
}

TEST(RuleReader, LexicalOnlyWhenEveryElementIsTerminal) {
    CheckedGrammar g({"A = \"a\" [\"b\"] {@Ident}", "B = \"a\" C", "C = <\"x\",\"y\">"}, false);
    ASSERT_TRUE(g.Ok);
    EXPECT_TRUE(g.Parser.Rules[0].Line.Lexical);
    EXPECT_FALSE(g.Parser.Rules[1].Line.Lexical);
    EXPECT_FALSE(g.Parser.Rules[2].Line.Lexical); // a list of alternatives is no terminal
}

TEST(RuleReader, AcceptsSingleAlternativeAndOptionalLeftSide) {
    CheckedGrammar g({"[A] = <a,>"}, false);
    const TGramLine& rule = g.Parser.Rules[0].Line;
    EXPECT_EQ(rule.Left.Text, "A");
    EXPECT_EQ(rule.Left.Construct, ctOptional);
    ASSERT_EQ(rule.Right[0].Alternatives.size(), 1u);
    EXPECT_EQ(ElemToText(rule.Right[0]), "<A>");
}

TEST(RuleReader, BoundsRightSideAndAlternativesAt256) {
    std::string line = "S =", list = "<";
    for (int i = 0; i < 256; ++i) {
        line += " A";
        list += "A,";
    }
    EXPECT_TRUE(CheckedGrammar({line}, false).Ok);
    EXPECT_EQ(CheckedGrammar({line + " A"}, false).Sink.Texts(),
              std::vector<std::string>{"A maximum of 256 elements is allowed on the right side."});
    EXPECT_TRUE(CheckedGrammar({"S = " + list + ">"}, false).Ok);
    EXPECT_EQ(CheckedGrammar({"S = " + list + "B>"}, false).Sink.Last(),
              "List of alternatives may contain a maximum of 256 elements.");
}

TEST(RuleReader, KeepsRulesReadBeforeTheFault) {
    CheckedGrammar g({"S = A B", "A = \"a\"", "B = ?"}, false);
    EXPECT_EQ(g.Parser.ErrorLine, 2);
    EXPECT_EQ(g.Parser.Rules[1].Line.Right[0].Text, "a");
    EXPECT_TRUE(g.Parser.ExtRules.empty());
}

} // namespace
} // namespace gramarbor
