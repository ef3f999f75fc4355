// Small builders of grammar rules and networks for the network tests.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "grammar/prepare_grammar.h"
#include "rtn/rtn_model.h"

namespace gramarbor::testing {

// Grammar rules as read from their text, not normalised, as Make RTN converts them.
inline TRuleList Rules(const std::vector<std::string>& lines) {
    NullSink sink;
    TParser read(sink);
    EXPECT_TRUE(PrepareGrammar(read, lines, false));
    return read.ExtRules;
}
inline const std::vector<std::string> QuickStart = {"S = NP VP",     "NP = DET N",  "VP = V NP",
                                                    "DET = \"the\"", "N = \"cat\"", "N = \"dog\"",
                                                    "V = \"chases\""};

// A new net of that many nodes: no conditions but the pop-arc of the last node.
inline TRTNLine Net(const std::string& name, std::size_t nodes) {
    TRTNLine net;
    NullSink sink;
    EXPECT_TRUE(NewRtnLine(name, nodes, net, sink));
    return net;
}

} // namespace gramarbor::testing

namespace gramarbor {
// Conditions in failure messages: kind, text, source -> destination.
inline void PrintTo(const TRTNNode& c, std::ostream* out) {
    *out << "[" << int(c.Kind) << " " << c.Text << " " << c.Src << "->" << c.Dst << "]";
}
} // namespace gramarbor
