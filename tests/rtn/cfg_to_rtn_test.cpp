// Grammar rules to network, and the network's invariants.
#include "rtn/cfg_to_rtn.h"

#include <gtest/gtest.h>

#include "rtn_test_support.h"

namespace gramarbor {
namespace {

using namespace testing;

TEST(CfgToRtn, QuickStartGrammarGivesOneNetPerRule) {
    TRtn rtn;
    RecordingSink sink;
    ASSERT_TRUE(CfgToRtn(QuickStartRules(), rtn, sink));
    EXPECT_TRUE(sink.Empty());
    std::vector<std::string> names;
    for (const TRTNLine& net : rtn)
        names.push_back(net.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"S", "NP", "VP", "DET", "N", "N", "V"}));

    const TRTNLine& s = rtn[0];
    ASSERT_EQ(s.Nodes.size(), 3u);
    EXPECT_EQ(s.Nodes[0], (TRtnNodeConds{Cond(ckPush, 0, "NP", 1)}));
    EXPECT_EQ(s.Nodes[1], (TRtnNodeConds{Cond(ckPush, 1, "VP", 2)}));
    EXPECT_EQ(s.Nodes[2], (TRtnNodeConds{Cond(ckPop, 2, "pop", PopDst)}));
    EXPECT_EQ(rtn[3].Nodes[0], (TRtnNodeConds{Cond(ckText, 0, "the", 1)}));
    for (const TRTNLine& net : rtn)
        EXPECT_TRUE(NetIsWellFormed(net)) << net.Name;
}

TEST(CfgToRtn, ConstructsBecomeTheirConditions) {
    TRtn rtn;
    NullSink sink;
    const TRuleList rules = {
        Rule("NP", {Nt("DET"), Nt("ADJ", ctOptional), Nt("N")}),
        Rule("X", {Term("a", ctRepeated)}),
        Rule("Y", {Alts({Nt("a"), Term("b"), Elem(ekIdent, "@Ident")}, ctOptAlternatives)}),
        Rule("Z", {Elem(ekInteger, "@Integer"), Nt("lower")}),
    };
    ASSERT_TRUE(CfgToRtn(rules, rtn, sink));
    EXPECT_EQ(rtn[0].Nodes[1],
              (TRtnNodeConds{Cond(ckPush, 1, "ADJ", 2), Cond(ckJmp, 1, "jmp", 2)}));
    EXPECT_EQ(rtn[1].Nodes[0], (TRtnNodeConds{Cond(ckText, 0, "a", 1), Cond(ckText, 1, "a", 0),
                                              Cond(ckJmp, 0, "jmp", 1)}));
    EXPECT_EQ(rtn[1].Nodes[1], (TRtnNodeConds{Cond(ckPop, 1, "pop", PopDst)}));
    EXPECT_EQ(rtn[2].Nodes[0],
              (TRtnNodeConds{Cond(ckPush, 0, "A", 1), Cond(ckText, 0, "b", 1),
                             Cond(ckIndirect, 0, "@Ident", 1), Cond(ckJmp, 0, "jmp", 1)}));
    EXPECT_EQ(rtn[3].Nodes[0], (TRtnNodeConds{Cond(ckIndirect, 0, "@Integer", 1)}));
    EXPECT_EQ(rtn[3].Nodes[1], (TRtnNodeConds{Cond(ckPush, 1, "LOWER", 2)}));
    for (const TRTNLine& net : rtn)
        EXPECT_TRUE(NetIsWellFormed(net)) << net.Name;
}

TEST(CfgToRtn, FiveAlternativesFitButFiveOptionalOnesDoNot) {
    TRtn rtn;
    RecordingSink sink;
    const TElemNode five = Alts({Nt("A"), Nt("B"), Nt("C"), Nt("D"), Nt("E")}, ctAlternatives);
    ASSERT_TRUE(CfgToRtn({Rule("X", {five})}, rtn, sink));
    EXPECT_EQ(rtn[0].Nodes[0].size(), 5u);

    TElemNode optional = five;
    optional.Construct = ctOptAlternatives;
    bool tooMany = false;
    EXPECT_FALSE(
        CfgToRtn({Rule("S", {Nt("A")}), Rule("VP", {Nt("V"), optional})}, rtn, sink, &tooMany));
    EXPECT_TRUE(tooMany);
    EXPECT_TRUE(rtn.empty());
    EXPECT_EQ(sink.Last(), "Too many alternatives in the \"VP\"-network: normally 5 arcs are "
                           "possible, in \"(..)\" only 4. Please reformulate your CFG.");
}

TEST(RtnModel, NewNetsAreWellFormedAndBrokenInvariantsAreCaught) {
    auto base = [] {
        TRTNLine net;
        NullSink sink;
        EXPECT_TRUE(NewRtnLine("N", 3, net, sink));
        return net;
    };
    const TRTNLine fresh = base();
    ASSERT_EQ(fresh.Nodes.size(), 3u);
    EXPECT_TRUE(fresh.Nodes[0].empty());
    EXPECT_EQ(fresh.Nodes[2], (TRtnNodeConds{Cond(ckPop, 2, "pop", PopDst)}));
    EXPECT_TRUE(NetIsWellFormed(fresh));
    TRTNLine none;
    NullSink sink;
    EXPECT_FALSE(NewRtnLine("X", 0, none, sink));

    struct Case {
        const char* What;
        TRtnNodeConds Node0;
    };
    const Case cases[] = {
        {"kind 0", {Cond(0, 0, "x", 1)}},
        {"stored pop-arc", {Cond(ckPop, 0, "pop", PopDst)}},
        {"forward arc in the wrong node", {Cond(ckPush, 1, "X", 2)}},
        {"arc beyond the last node", {Cond(ckPush, 0, "X", 3)}},
        {"arc to itself", {Cond(ckPush, 0, "X", 0)}},
        {"backward arc not second", {Cond(ckPush, 1, "X", 0), Cond(ckPush, 0, "X", 1)}},
        {"backward arc in a node of two", {Cond(ckPush, 0, "X", 1), Cond(ckPush, 1, "X", 0)}},
        {"six conditions",
         {Cond(ckPush, 0, "A", 1), Cond(ckPush, 0, "B", 1), Cond(ckPush, 0, "C", 1),
          Cond(ckPush, 0, "D", 1), Cond(ckPush, 0, "E", 1), Cond(ckPush, 0, "F", 1)}},
    };
    for (const Case& c : cases) {
        TRTNLine net = base();
        net.Nodes[0] = c.Node0;
        EXPECT_FALSE(NetIsWellFormed(net)) << c.What;
    }
    TRTNLine repeated = base();
    repeated.Nodes[0] = {Cond(ckText, 0, "a", 1), Cond(ckText, 1, "a", 0),
                         Cond(ckJmp, 0, "jmp", 1)};
    EXPECT_TRUE(NetIsWellFormed(repeated));
    TRTNLine noPop = base();
    noPop.Nodes[2].clear();
    EXPECT_FALSE(NetIsWellFormed(noPop));
}

} // namespace
} // namespace gramarbor
