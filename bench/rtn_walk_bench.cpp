// Speed of the walk of a parse tree through the networks: a chain of 2,000 nested
// nets and a repetition of 10,000 words. Target: well under 100 ms each, so that
// "Walk" answers at once even for long sentences.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "base/message_sink.h"
#include "grammar/prepare_grammar.h"
#include "rtn/cfg_to_rtn.h"
#include "rtn/rtn_walk.h"
#include "tree/tree.h"

namespace {

using namespace gramarbor;

TRtn Networks(const std::vector<std::string>& grammar) {
    NullSink sink;
    TParser parser(sink);
    PrepareGrammar(parser, grammar, false);
    TRtn rtn;
    CfgToRtn(parser.ExtRules, rtn, sink);
    return rtn;
}

TNodePtr Node(TTree& tree, const std::string& name) {
    return tree.CreateNode(name);
}

void Walk(benchmark::State& state, const TRtn& rtn, const TTree& tree) {
    std::size_t steps = 0;
    for (auto _ : state) {
        const TRtnWalk walk = WalkTree(rtn, tree.GetRoot(), false);
        if (!walk.Complete) state.SkipWithError(walk.Message.c_str());
        steps = walk.Steps.size();
    }
    state.counters["steps"] = static_cast<double>(steps);
}

// X = "a" [X], nested depth times.
void BM_WalkDeepChain(benchmark::State& state) {
    const auto depth = static_cast<int>(state.range(0));
    const TRtn rtn = Networks({"T = X", "X = \"a\" [X]"});
    NullSink sink;
    TTree tree(false, sink);
    TNodePtr root = Node(tree, "T");
    TNode* at = root.get();
    for (int i = 0; i < depth; ++i) {
        at->Children.push_back(Node(tree, "X"));
        at = at->Children.back().get();
        at->Children.push_back(Node(tree, "a"));
    }
    tree.SetRoot(std::move(root));
    Walk(state, rtn, tree);
}
BENCHMARK(BM_WalkDeepChain)->Arg(2000)->Unit(benchmark::kMillisecond);

// X = {"a"}, with words words.
void BM_WalkLongRepetition(benchmark::State& state) {
    const auto words = static_cast<int>(state.range(0));
    const TRtn rtn = Networks({"T = X", "X = {\"a\"}"});
    NullSink sink;
    TTree tree(false, sink);
    TNodePtr root = Node(tree, "T");
    root->Children.push_back(Node(tree, "X"));
    for (int i = 0; i < words; ++i)
        root->Children.back()->Children.push_back(Node(tree, "a"));
    tree.SetRoot(std::move(root));
    Walk(state, rtn, tree);
}
BENCHMARK(BM_WalkLongRepetition)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
