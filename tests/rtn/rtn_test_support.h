// Small builders of grammar rules and networks for the network tests.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <ostream>
#include <string>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "grammar/grammar_types.h"
#include "rtn/rtn_model.h"

namespace gramarbor::testing {

inline TElemNode Elem(uint8_t kind, const std::string& text, uint8_t construct = ctSimple) {
    TElemNode e;
    e.SymKind = kind;
    e.Construct = construct;
    e.Text = text;
    return e;
}
inline TElemNode Nt(const std::string& name, uint8_t construct = ctSimple) {
    return Elem(ekNonTerminal, name, construct);
}
inline TElemNode Term(const std::string& text, uint8_t construct = ctSimple) {
    return Elem(ekTerminal, text, construct);
}
inline TElemNode Alts(std::initializer_list<TElemNode> alternatives, uint8_t construct) {
    TElemNode e;
    e.SymKind = ekAltList;
    e.Construct = construct;
    e.Alternatives = alternatives;
    return e;
}

inline TParsLine Rule(const std::string& left, std::initializer_list<TElemNode> right) {
    TParsLine line;
    line.Line.Left = Nt(left);
    line.Line.Right = right;
    return line;
}

// The quick-start grammar: seven rules, seven nets.
inline TRuleList QuickStartRules() {
    return {Rule("S", {Nt("NP"), Nt("VP")}), Rule("NP", {Nt("DET"), Nt("N")}),
            Rule("VP", {Nt("V"), Nt("NP")}), Rule("DET", {Term("the")}),
            Rule("N", {Term("cat")}),        Rule("N", {Term("dog")}),
            Rule("V", {Term("chases")})};
}

// A new net of that many nodes: no conditions but the pop-arc of the last node.
inline TRTNLine Net(const std::string& name, std::size_t nodes) {
    TRTNLine net;
    NullSink sink;
    EXPECT_TRUE(NewRtnLine(name, nodes, net, sink));
    return net;
}

inline TRTNNode Cond(uint8_t kind, uint16_t src, const std::string& text, uint16_t dst) {
    return TRTNNode{kind, src, dst, text};
}

} // namespace gramarbor::testing

namespace gramarbor {
// Conditions in failure messages: kind, text, source -> destination.
inline void PrintTo(const TRTNNode& c, std::ostream* out) {
    *out << "[" << int(c.Kind) << " " << c.Text << " " << c.Src << "->" << c.Dst << "]";
}
} // namespace gramarbor

namespace gramarbor::testing {

// A fresh folder per test, removed again afterwards.
class ScratchFolder {
public:
    ScratchFolder()
        : Dir(std::filesystem::path(::testing::TempDir()) /
              ("rtn_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
               std::to_string(getpid()))) {
        std::filesystem::remove_all(Dir);
        std::filesystem::create_directories(Dir);
    }
    ~ScratchFolder() { std::filesystem::remove_all(Dir); }
    std::string Path(const std::string& name) const { return (Dir / name).string(); }

private:
    std::filesystem::path Dir;
};

} // namespace gramarbor::testing
