// Normalisation into the internal CFG: the encoding of cross references and the bounds
// of the internal CFG. The order of generated rules is in the golden listings of
// tests/data/grammar/normalise, the messages among the broken grammars, the token list,
// the references handed on to rules and further bounds among the grammar scripts.
#include "grammar/grammar_check.h"

#include <gtest/gtest.h>

#include "grammar/grammar_messages.h"
#include "grammar/rule_refs.h"

namespace gramarbor {
namespace {

using Lines = std::vector<std::string>;

struct CheckedGrammar {
    explicit CheckedGrammar(const Lines& lines)
        : Ok(CheckGrammar(Parser, "=", "", lines, nullptr, true)) {}
    RecordingSink Sink;
    TParser Parser{Sink};
    bool Ok;
};

// Which rules refer to which is compared with a literal rendering of the steps in
// reference_check_test.cpp; here the encoding of the references.
TEST(GrammarCheck, EncodesReferencesLowByteFirst) {
    CheckedGrammar small({"S = NP VP", "NP = \"John\"", "VP = \"runs\" NP", "NP = \"Mary\""});
    // 0 S = NP VP, 1 NP = "John", 2 VP = #0 NP, 3 NP = "Mary", 4 #0 = "runs"
    const TRuleList& rules = small.Parser.Rules;
    ASSERT_EQ(rules.size(), 5u);
    EXPECT_EQ(rules[1].Line.Left.Refs, std::string("\x00\x00\x00\x00\x02\x00\x01\x00", 8));
    EXPECT_EQ(rules[2].Line.Right[0].Refs, (std::string{'\x04', '\0', '0', '0'}));
    EXPECT_EQ(RefPosition(rules[2].Line.Left.Refs, 0), 1);
    Lines grammar{"S = W"};
    for (int i = 0; i < 300; ++i)
        grammar.push_back("W = \"w" + std::to_string(i) + "\"");
    CheckedGrammar g(grammar);
    ASSERT_TRUE(g.Ok);
    const std::string& refs = g.Parser.Rules[0].Line.Right[0].Refs;
    ASSERT_EQ(RefCount(refs), 300u);
    EXPECT_EQ(refs.substr(299 * 4), (std::string{'\x2C', '\x01', '0', '0'})); // rule 300
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

} // namespace
} // namespace gramarbor
