// Grammar rules to network, and the network's invariants.
#include "rtn/cfg_to_rtn.h"

#include <gtest/gtest.h>

#include "rtn_test_support.h"

namespace gramarbor {
namespace {

using namespace testing;
using Nodes = std::vector<TRtnNodeConds>;

TEST(CfgToRtn, EachRuleBecomesANetOfItsConditions) {
    TRtn rtn;
    RecordingSink sink;
    const TRuleList rules = {
        Rule("S", {Nt("NP"), Nt("VP")}),
        Rule("NP", {Nt("DET"), Nt("ADJ", ctOptional), Nt("N")}),
        Rule("X", {Term("a", ctRepeated)}),
        Rule("Y", {Alts({Nt("a"), Term("b"), Elem(ekIdent, "@Ident")}, ctOptAlternatives)}),
        Rule("Z", {Elem(ekInteger, "@Integer"), Nt("lower")}),
        Rule("X", {Alts({Nt("A"), Nt("B"), Nt("C"), Nt("D"), Nt("E")}, ctAlternatives)}),
    };
    ASSERT_TRUE(CfgToRtn(rules, rtn, sink));
    EXPECT_TRUE(sink.Empty());
    const TRTNNode pop0 = Cond(ckPop, 1, "pop", PopDst);
    const Nodes expected[] = {
        {{Cond(ckPush, 0, "NP", 1)}, {Cond(ckPush, 1, "VP", 2)}, {Cond(ckPop, 2, "pop", PopDst)}},
        {{Cond(ckPush, 0, "DET", 1)},
         {Cond(ckPush, 1, "ADJ", 2), Cond(ckJmp, 1, "jmp", 2)},
         {Cond(ckPush, 2, "N", 3)},
         {Cond(ckPop, 3, "pop", PopDst)}},
        {{Cond(ckText, 0, "a", 1), Cond(ckText, 1, "a", 0), Cond(ckJmp, 0, "jmp", 1)}, {pop0}},
        {{Cond(ckPush, 0, "A", 1), Cond(ckText, 0, "b", 1), Cond(ckIndirect, 0, "@Ident", 1),
          Cond(ckJmp, 0, "jmp", 1)},
         {pop0}},
        {{Cond(ckIndirect, 0, "@Integer", 1)},
         {Cond(ckPush, 1, "LOWER", 2)},
         {Cond(ckPop, 2, "pop", PopDst)}},
        {{Cond(ckPush, 0, "A", 1), Cond(ckPush, 0, "B", 1), Cond(ckPush, 0, "C", 1),
          Cond(ckPush, 0, "D", 1), Cond(ckPush, 0, "E", 1)},
         {pop0}},
    };
    ASSERT_EQ(rtn.size(), std::size(expected));
    for (std::size_t n = 0; n < rtn.size(); ++n) {
        EXPECT_EQ(rtn[n].Name, rules[n].Line.Left.Text);
        EXPECT_EQ(rtn[n].Nodes, expected[n]) << rtn[n].Name;
        EXPECT_TRUE(NetIsWellFormed(rtn[n])) << rtn[n].Name;
    }
}

TEST(CfgToRtn, FiveOptionalAlternativesDoNotFit) {
    TRtn rtn;
    RecordingSink sink;
    const TElemNode five = Alts({Nt("A"), Nt("B"), Nt("C"), Nt("D"), Nt("E")}, ctOptAlternatives);
    bool tooMany = false;
    EXPECT_FALSE(
        CfgToRtn({Rule("S", {Nt("A")}), Rule("VP", {Nt("V"), five})}, rtn, sink, &tooMany));
    EXPECT_TRUE(tooMany);
    EXPECT_TRUE(rtn.empty());
    EXPECT_EQ(sink.Last(), "Too many alternatives in the \"VP\"-network: normally 5 arcs are "
                           "possible, in \"(..)\" only 4. Please reformulate your CFG.");
}

TEST(RtnModel, NewNetsAreWellFormedAndBrokenInvariantsAreCaught) {
    const auto base = [] { return Net("N", 3); };
    const TRTNLine fresh = base();
    EXPECT_EQ(fresh.Nodes, (Nodes{{}, {}, {Cond(ckPop, 2, "pop", PopDst)}}));
    EXPECT_TRUE(NetIsWellFormed(fresh));
    TRTNLine none;
    NullSink sink;
    EXPECT_FALSE(NewRtnLine("X", 0, none, sink));

    // Each broken invariant is among the broken files, which the reader checks with
    // NetIsWellFormed; a repeated node's loop is no broken invariant.
    TRTNLine repeated = base();
    repeated.Nodes[0] = {Cond(ckText, 0, "a", 1), Cond(ckText, 1, "a", 0),
                         Cond(ckJmp, 0, "jmp", 1)};
    EXPECT_TRUE(NetIsWellFormed(repeated));
    repeated.Nodes[0][0].Dst = 0;
    EXPECT_FALSE(NetIsWellFormed(repeated));
    TRTNLine noPop = base();
    noPop.Nodes[2].clear();
    EXPECT_FALSE(NetIsWellFormed(noPop));
}

} // namespace
} // namespace gramarbor
