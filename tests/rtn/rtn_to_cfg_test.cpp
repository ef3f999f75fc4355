// The limits of writing a network back as grammar text (the conversions themselves are
// scripts, see network_script_test.cpp; the model's invariants are guarded by the
// broken files and the edit sequences).
#include "rtn/rtn_to_cfg.h"

#include <gtest/gtest.h>

#include "rtn_test_support.h"

namespace gramarbor {
namespace {

using namespace testing;
using Lines = std::vector<std::string>;

TEST(RtnToCfg, ExplodingOrDeepSkipChainsAreRefusedByName) {
    // Every node may be skipped: the extra rules grow exponentially with the nodes
    // (40 nodes), or nest as deeply as half the nodes (5000 nodes).
    const auto combs = [](uint16_t nodes) {
        TRTNLine net = Net("X", nodes);
        for (uint16_t k = 0; k + 1 < nodes; ++k) {
            net.Nodes[k] = {{ckPush, k, static_cast<uint16_t>(k + 1), "A"}};
            if (k + 2 < nodes)
                net.Nodes[k].push_back({ckPush, k, static_cast<uint16_t>(k + 2), "B"});
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
            net.Nodes[k] = {{ckText, k, static_cast<uint16_t>(k + 1), "word"}};
    RecordingSink sink;
    Lines lines;
    ASSERT_TRUE(RtnToCfgLines(longNets, lines, sink));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].size(), 3 + 29999 * 7u);
}

} // namespace
} // namespace gramarbor
