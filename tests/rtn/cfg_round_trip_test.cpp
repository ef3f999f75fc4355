// Property: a grammar written only with constructs the network can express gives,
// after conversion to a network and back to grammar text, the same internal grammar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grammar/prepare_grammar.h"
#include "grammar/rule_listing.h"
#include "grammar_generator.h"
#include "rtn/cfg_to_rtn.h"
#include "rtn/rtn_to_cfg.h"

namespace gramarbor {
namespace {

using testing::GrammarGenerator;

struct Checked {
    bool Valid = false;
    std::vector<std::string> Listing;
    std::string Messages;
};

Checked Check(const std::vector<std::string>& lines, bool fullCheck, TRuleList* asRead = nullptr) {
    RecordingSink sink;
    TParser parser(sink);
    Checked result;
    result.Valid = PrepareGrammar(parser, lines, fullCheck);
    if (result.Valid) result.Listing = ShowInternal(parser);
    if (asRead && parser.RulesRead) *asRead = parser.ExtRules;
    for (const std::string& text : sink.Texts())
        result.Messages += text + "\n";
    return result;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

TEST(CfgRoundTrip, RandomGrammarsKeepTheirInternalGrammar) {
    int converted = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        GrammarGenerator generator(seed);
        const std::vector<std::string> grammar = generator.Make();
        const Checked original = Check(grammar, true);
        if (!original.Valid) {
            // Only expansion clashes (several start lines, empty rules) may refuse a
            // generated grammar; those are not the conversion's business.
            continue;
        }
        TRuleList asRead;
        ASSERT_TRUE(Check(grammar, false, &asRead).Valid) << Joined(grammar);
        TRtn rtn;
        RecordingSink sink;
        ASSERT_TRUE(CfgToRtn(asRead, rtn, sink)) << Joined(grammar) << sink.Last();
        std::string bad;
        ASSERT_TRUE(CheckNodesForCfg(rtn, bad)) << Joined(grammar) << bad;
        std::vector<std::string> back;
        ASSERT_TRUE(RtnToCfgLines(rtn, back, sink));
        ASSERT_EQ(back.size(), asRead.size());
        const Checked again = Check(back, true);
        ASSERT_TRUE(again.Valid) << Joined(grammar) << "->\n" << Joined(back) << again.Messages;
        EXPECT_EQ(again.Listing, original.Listing) << Joined(grammar) << "->\n" << Joined(back);
        ++converted;
    }
    EXPECT_GT(converted, 200);
}

TEST(CfgRoundTrip, GrammarsBeyond65536LinesComeBackWhole) {
    // More rules than a grammar's internal CFG may hold: read, converted and written
    // back, every rule comes back in its place.
    constexpr int RuleCount = 70000;
    static const char* const shapes[] = {" \"w\"", " [A]", " {\"b\"}", " <C,\"d\">", " (E,F)"};
    std::vector<std::string> grammar;
    grammar.reserve(RuleCount);
    for (int i = 0; i < RuleCount; ++i)
        grammar.push_back("R" + std::to_string(i) + " = X" + shapes[i % 5] +
                          (i + 1 < RuleCount ? " R" + std::to_string(i + 1) : ""));
    TRuleList asRead;
    ASSERT_TRUE(Check(grammar, false, &asRead).Valid);
    TRtn rtn;
    RecordingSink sink;
    ASSERT_TRUE(CfgToRtn(asRead, rtn, sink)) << sink.Last();
    std::vector<std::string> back;
    ASSERT_TRUE(RtnToCfgLines(rtn, back, sink)) << sink.Last();
    EXPECT_EQ(back, grammar);
}

} // namespace
} // namespace gramarbor
