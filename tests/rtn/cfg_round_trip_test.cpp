// Property: a grammar written only with constructs the network can express gives,
// after conversion to a network and back to grammar text, the same internal grammar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grammar/rule_listing.h"
#include "grammar_generator.h"
#include "rtn/cfg_to_rtn.h"
#include "rtn/rtn_to_cfg.h"
#include "rtn_test_support.h"

namespace gramarbor {
namespace {

using namespace testing;
using Lines = std::vector<std::string>;

// The internal grammar's listing, or the message that refuses the grammar.
std::string Listing(const Lines& lines) {
    RecordingSink sink;
    TParser parser(sink);
    return PrepareGrammar(parser, lines, true) ? Joined(ShowInternal(parser))
                                               : "refused: " + sink.Last();
}

TEST(CfgRoundTrip, RandomGrammarsKeepTheirInternalGrammar) {
    int converted = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        const Lines grammar = GrammarGenerator(seed).Make();
        const std::string original = Listing(grammar);
        // Only expansion clashes (several start lines, empty rules) may refuse a
        // generated grammar; those are not the conversion's business.
        if (original.starts_with("refused: ")) continue;
        SCOPED_TRACE(Joined(grammar));
        const TRuleList asRead = Rules(grammar);
        TRtn rtn;
        RecordingSink sink;
        ASSERT_TRUE(CfgToRtn(asRead, rtn, sink)) << sink.Last();
        std::string bad;
        ASSERT_TRUE(CheckNodesForCfg(rtn, bad)) << bad;
        Lines back;
        ASSERT_TRUE(RtnToCfgLines(rtn, back, sink));
        ASSERT_EQ(back.size(), asRead.size());
        EXPECT_EQ(Listing(back), original) << Joined(back);
        ++converted;
    }
    EXPECT_GT(converted, 200);
}

TEST(CfgRoundTrip, GrammarsBeyond65536LinesComeBackWhole) {
    // More rules than a grammar's internal CFG may hold: read, converted and written
    // back, every rule comes back in its place.
    constexpr int RuleCount = 70000;
    static const char* const shapes[] = {" \"w\"", " [A]", " {\"b\"}", " <C,\"d\">", " (E,F)"};
    Lines grammar;
    for (int i = 0; i < RuleCount; ++i)
        grammar.push_back("R" + std::to_string(i) + " = X" + shapes[i % 5] +
                          (i + 1 < RuleCount ? " R" + std::to_string(i + 1) : ""));
    TRtn rtn;
    RecordingSink sink;
    ASSERT_TRUE(CfgToRtn(Rules(grammar), rtn, sink)) << sink.Last();
    Lines back;
    ASSERT_TRUE(RtnToCfgLines(rtn, back, sink)) << sink.Last();
    EXPECT_EQ(back, grammar);
}

} // namespace
} // namespace gramarbor
