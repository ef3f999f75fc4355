// Network back to grammar text.
#include "rtn/rtn_to_cfg.h"

#include <gtest/gtest.h>

#include "rtn/cfg_to_rtn.h"
#include "rtn_test_support.h"

namespace gramarbor {
namespace {

using namespace testing;
using Lines = std::vector<std::string>;

Lines ToCfg(const TRtn& rtn) {
    RecordingSink sink;
    Lines lines;
    EXPECT_TRUE(RtnToCfgLines(rtn, lines, sink));
    EXPECT_TRUE(sink.Empty());
    return lines;
}

TEST(RtnToCfg, ConvertedGrammarComesBack) {
    TRtn rtn;
    NullSink sink;
    const TRuleList rules = {
        Rule("S", {Nt("NP"), Nt("VP")}),
        Rule("DET", {Term("the")}),
        Rule("X", {Term("a", ctRepeated)}),
        Rule("NP", {Nt("DET"), Nt("ADJ", ctOptional), Nt("N")}),
        Rule("Y", {Alts({Nt("A"), Nt("B")}, ctOptAlternatives),
                   Alts({Nt("A"), Term("b")}, ctAlternatives)}),
        Rule("Z", {Elem(ekFloat, "@Float")}),
    };
    ASSERT_TRUE(CfgToRtn(rules, rtn, sink));
    EXPECT_EQ(ToCfg(rtn), (Lines{"S = NP VP", "DET = \"the\"", "X = {\"a\"}", "NP = DET [ADJ] N",
                                 "Y = (A,B) <A,\"b\">", "Z = @Float"}));
}

TEST(RtnToCfg, SkippingArcsGiveExtraRulesFirst) {
    // A 0->1, B 0->2, C 1->2, D 2->3, pop node 3.
    TRTNLine net = Net("X", 4);
    net.Nodes[0] = {Cond(ckPush, 0, "A", 1), Cond(ckPush, 0, "B", 2)};
    net.Nodes[1] = {Cond(ckPush, 1, "C", 2)};
    net.Nodes[2] = {Cond(ckPush, 2, "D", 3)};
    EXPECT_EQ(ToCfg({net}), (Lines{"X = B D", "X = A C D"}));
}

TEST(RtnToCfg, GroupsOfOneNode) {
    TRTNLine net = Net("X", 2);
    net.Nodes[0] = {Cond(ckPush, 0, "A", 1), Cond(ckText, 0, "b", 1), Cond(ckJmp, 0, "jmp", 1)};
    EXPECT_EQ(ToCfg({net}), (Lines{"X = (A,\"b\")"}));
    net.Nodes[0] = {Cond(ckPush, 0, "A", 1), Cond(ckJmp, 0, "JMP", 1)};
    EXPECT_EQ(ToCfg({net}), (Lines{"X = [A]"}));
    EXPECT_EQ(ToCfg({Net("P", 1)}), (Lines{"P ="}));
}

TEST(RtnToCfg, JumpAloneOverSeveralNodesLeavesThemOut) {
    TRTNLine net = Net("X", 4);
    net.Nodes[0] = {Cond(ckPush, 0, "A", 1), Cond(ckJmp, 0, "jmp", 3)};
    net.Nodes[1] = {Cond(ckPush, 1, "B", 2)};
    net.Nodes[2] = {Cond(ckPush, 2, "C", 3)};
    EXPECT_EQ(ToCfg({net}), (Lines{"X =", "X = A B C"}));
}

TEST(RtnToCfg, NodeCheckNamesTheFirstBadNode) {
    std::string description;
    EXPECT_FALSE(CheckNodesForCfg({Net("Net0", 4)}, description));
    EXPECT_EQ(MsgNodeCheckFailed(description),
              "Every node must contain at least 1 condition that is not a jump-arc and ends in "
              "the directly following node: error in the \"Net0\"-network in node \"Net00\".");

    TRTNLine np = Net("NP", 3);
    np.Nodes[0] = {Cond(ckPush, 0, "DET", 1)};
    np.Nodes[1] = {Cond(ckJmp, 1, "jmp", 2), Cond(ckPush, 1, "N", 2)};
    EXPECT_TRUE(CheckNodesForCfg({np}, description));
    np.Nodes[1] = {Cond(ckJmp, 1, "jmp", 2)};
    EXPECT_FALSE(CheckNodesForCfg({np}, description));
    EXPECT_EQ(description, "\"NP\"-network in node \"NP1\"");
}

TEST(RtnToCfg, NetWithoutNodesIsRefused) {
    RecordingSink sink;
    Lines lines;
    TRTNLine empty;
    empty.Name = "E";
    EXPECT_FALSE(RtnToCfgLines({Net("A", 1), empty}, lines, sink));
    EXPECT_EQ(sink.Last(), "The E-network must at least contain 1 non-complexelement.");
    EXPECT_EQ(lines, (Lines{"A ="}));
}

TEST(RtnToCfg, ExplodingOrDeepSkipChainsAreRefusedByName) {
    // Every node may be skipped: the extra rules grow exponentially with the nodes
    // (40 nodes), or nest as deeply as half the nodes (5000 nodes).
    const auto combs = [](uint16_t nodes) {
        TRTNLine net = Net("X", nodes);
        for (uint16_t k = 0; k + 1 < nodes; ++k) {
            net.Nodes[k] = {Cond(ckPush, k, "A", static_cast<uint16_t>(k + 1))};
            if (k + 2 < nodes)
                net.Nodes[k].push_back(Cond(ckPush, k, "B", static_cast<uint16_t>(k + 2)));
        }
        return net;
    };
    struct Case {
        uint16_t Nodes;
        std::string Message;
    };
    const Case cases[] = {
        {40, "The arcs that skip nodes in the \"X\"-network stand for more rules than Make "
             "CFG writes: more than 16 MB of extra rules. Please remove some of these arcs."},
        {5000, "The arcs that skip nodes in the \"X\"-network are nested more than 2048 deep, "
               "more than Make CFG writes. Please remove some of these arcs."},
    };
    for (const Case& c : cases) {
        RecordingSink sink;
        Lines lines;
        EXPECT_FALSE(RtnToCfgLines({Net("A", 2), combs(c.Nodes)}, lines, sink)) << c.Nodes;
        EXPECT_EQ(sink.Texts(), Lines{c.Message}) << c.Nodes;
        // What was written stays within the budget.
        std::size_t bytes = 0;
        for (const std::string& line : lines)
            bytes += line.size();
        EXPECT_LE(bytes, MaxExtraRuleBytes + 10000u) << c.Nodes;
    }

    // Only extra rules spend the budget: a long net without skips is written whole,
    // however many of them follow each other.
    TRtn longNets(3, Net("L", 30000));
    for (TRTNLine& net : longNets)
        for (uint16_t k = 0; k + 1 < 30000; ++k)
            net.Nodes[k] = {Cond(ckText, k, "word", static_cast<uint16_t>(k + 1))};
    RecordingSink sink;
    Lines lines;
    ASSERT_TRUE(RtnToCfgLines(longNets, lines, sink));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].size(), 3 + 29999 * 7u);
}

} // namespace
} // namespace gramarbor
