// The line reader: element kinds and constructs, and every message word for word.
#include "grammar/rule_reader.h"

#include <gtest/gtest.h>

#include "grammar/grammar_messages.h"
#include "grammar_test_support.h"

namespace gramarbor {
namespace {

using testing::CheckedGrammar;

struct ReadFailure {
    std::vector<std::string> Lines;
    std::string Message;
    int32_t ErrorLine;
};

class RuleReaderFailure : public ::testing::TestWithParam<ReadFailure> {};

TEST_P(RuleReaderFailure, ReportsExactMessageOnce) {
    const ReadFailure& c = GetParam();
    CheckedGrammar g(c.Lines, false);
    EXPECT_FALSE(g.Ok);
    EXPECT_EQ(g.Sink.Texts(), std::vector<std::string>{c.Message});
    EXPECT_EQ(g.Parser.ErrorLine, c.ErrorLine);
}

const std::string WrongLetters =
    "(1) Wrong letters in symbol-name. (2) Wrong construction: \"[[..]]\", \"[{..}]\", "
    "\"{[..]}\", \"{{..}}\", \"{<..>}\" is not allowed.\"[<..>]\" can be replaced by \"(..)\".";
const std::string NeedSeparator =
    "(1) Only use \"|\" or \",\" as separator. (2) List of alternatives <...> must contain at "
    "least 2 elements. (3) No <..>-elements inside <..> allowed.";

INSTANTIATE_TEST_SUITE_P(
    Messages, RuleReaderFailure,
    ::testing::Values(
        ReadFailure{{"S = "}, "A minimum of 1 element is needed on the right side.", 0},
        ReadFailure{
            {"S NP VP"}, "No separator found (left-side \"separator\" right-side): \"=\"", 0},
        ReadFailure{{"S = a = b"}, WrongLetters, 0},
        ReadFailure{{"S = A", "NP = \"the man\""}, "Quotation mark expected in: \"the.", 1},
        ReadFailure{{"A = <a>"}, NeedSeparator, 0}, ReadFailure{{"A = <>"}, NeedSeparator, 0},
        ReadFailure{{"A = <,>"}, NeedSeparator, 0},
        ReadFailure{{"A = <a,b|c>"}, "Either \"|\" or \",\" as separator, don\xB4t mix them.", 0},
        ReadFailure{{"A = <[a],b>"},
                    "In an alternative-list only simple elements are allowed. (i.e. no <..>, "
                    "[..] or {..} inside <..>)",
                    0},
        ReadFailure{{"A = (a,b"}, "\")\" expected in \"(a,b\"", 0},
        ReadFailure{{"A = <a,b"}, "\">\" expected in \"<a,b\"", 0},
        ReadFailure{{"A = [B"}, "\"]\" expected in [B", 0},
        ReadFailure{{"A = {B"}, "\"]\" expected in {B", 0},
        ReadFailure{{"A = [<a,b>]"}, WrongLetters, 0}, ReadFailure{{"A = [[a]]"}, WrongLetters, 0},
        ReadFailure{{"A = B", "B = @Word"}, "Unknown token-type: \"WORD\"", 1},
        ReadFailure{{"\"a\" = B"}, "On the left side has to be a non-terminal symbol.", 0},
        ReadFailure{{"<A,B> = C"}, "On the left side has to be a non-terminal symbol.", 0},
        ReadFailure{{"= B"}, WrongLetters, 0}, ReadFailure{{"A = 1a"}, WrongLetters, 0},
        ReadFailure{{"A = \xDF"}, WrongLetters, 0},
        ReadFailure{{"S = A", "A = B", "B = x \"y\x7Fz\""},
                    "Either \" \" or \"\x7F\" as separator, don`t mix them. (Line 2)",
                    2}));

TEST(RuleReader, ReadsNamesUpperCasedAndRunsOfBlanksAsOne) {
    CheckedGrammar a({"S = NP VP"}, false);
    CheckedGrammar b({"s=np  vp"}, false);
    ASSERT_TRUE(a.Ok);
    ASSERT_TRUE(b.Ok);
    const TGramLine& rule = b.Parser.Rules[0].Line;
    EXPECT_EQ(rule.Left.Text, "S");
    ASSERT_EQ(rule.Right.size(), 2u);
    EXPECT_EQ(rule.Right[0].Text, "NP");
    EXPECT_EQ(rule.Right[1].Text, "VP");
    EXPECT_EQ(rule.Right[1].SymKind, ekNonTerminal);
    EXPECT_FALSE(rule.Lexical);
    EXPECT_EQ(ElemToText(a.Parser.Rules[0].Line.Right[0]), ElemToText(rule.Right[0]));
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
    ASSERT_TRUE(g.Ok);
    const TGramLine& rule = g.Parser.Rules[0].Line;
    EXPECT_EQ(rule.Left.Text, "A");
    EXPECT_EQ(rule.Left.Construct, ctOptional);
    ASSERT_EQ(rule.Right[0].Alternatives.size(), 1u);
    EXPECT_EQ(ElemToText(rule.Right[0]), "<A>");
}

TEST(RuleReader, DeleteCharacterSeparatesLikeBlank) {
    CheckedGrammar a({"S = NP \"x\" {VP}"}, false);
    CheckedGrammar b({"S = NP\x7F\"x\"\x7F\x7F{VP}\x7F"}, false);
    ASSERT_TRUE(a.Ok);
    ASSERT_TRUE(b.Ok);
    EXPECT_EQ(a.Listing(), b.Listing());
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
