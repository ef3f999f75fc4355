// Small builders of grammar rules and networks, and walks as text, for the network
// tests.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "grammar/cfg_file.h"
#include "grammar/prepare_grammar.h"
#include "rtn/rtn_model.h"
#include "rtn/rtn_walk.h"

namespace gramarbor::testing {

// Grammar rules as read from their text, not normalised, as Make RTN converts them.
inline TRuleList Rules(const std::vector<std::string>& lines) {
    NullSink sink;
    TParser read(sink);
    EXPECT_TRUE(PrepareGrammar(read, lines, false));
    return read.ExtRules;
}
// The lines of a grammar among the examples.
inline std::vector<std::string> Example(const std::string& name) {
    NullSink sink;
    std::vector<std::string> lines;
    EXPECT_TRUE(LoadCfgFile(std::string(GRAMARBOR_EXAMPLES) + "/" + name, lines, sink));
    return lines;
}

// A new net of that many nodes: no conditions but the pop-arc of the last node.
inline TRTNLine Net(const std::string& name, std::size_t nodes) {
    TRTNLine net;
    NullSink sink;
    EXPECT_TRUE(NewRtnLine(name, nodes, net, sink));
    return net;
}

// Lines as one text, each ending in a line break.
inline std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// Each step of a walk as "net: what it does | the stack after it"; the net's number
// tells nets of one name apart.
inline std::vector<std::string> WalkLines(const TRtn& rtn, const TRtnWalk& walk) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < walk.Steps.size(); ++i) {
        lines.push_back(std::to_string(walk.Steps[i].Net) + ": " + WalkStepText(rtn, walk, i) +
                        " |");
        for (const std::string& name : WalkStackNames(rtn, walk, i))
            lines.back() += " " + name;
    }
    return lines;
}

} // namespace gramarbor::testing

namespace gramarbor {
// Conditions in failure messages: kind, text, source -> destination.
inline void PrintTo(const TRTNNode& c, std::ostream* out) {
    *out << "[" << int(c.Kind) << " " << c.Text << " " << c.Src << "->" << c.Dst << "]";
}
} // namespace gramarbor
