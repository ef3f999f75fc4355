// Speed of the four trace strategies and of the parse-tree enumeration on the
// quick-start grammar and on a grammar of prepositional phrases. Each parse runs on
// a thread of its own, so wall-clock time is the measure.
#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "base/message_sink.h"
#include "grammar/prepare_grammar.h"
#include "parsing/parse_driver.h"
#include "parsing/parse_options.h"

using namespace gramarbor;

namespace {

const std::vector<std::string> QuickStart = {"S = NP VP",     "NP = DET N",  "VP = V NP",
                                             "DET = \"the\"", "N = \"cat\"", "N = \"dog\"",
                                             "V = \"chases\""};

const std::vector<std::string> Prepositional = {
    "Start = S",    "S = NP VP",   "NP = PRON",         "NP = DET N",   "NP = NP PP",
    "VP = V NP",    "VP = VP PP",  "PP = P NP",         "PRON = \"I\"", "DET = \"the\"",
    "DET = \"a\"",  "N = \"man\"", "N = \"telescope\"", "N = \"park\"", "V = \"saw\"",
    "P = \"with\"", "P = \"in\""};

struct Case {
    const std::vector<std::string>* Grammar;
    const char* Sentence;
};

// The exhaustive strategies search exponentially many patterns: they are measured on
// the first two cases, the enumeration on all three.
const Case Cases[] = {{&QuickStart, "the dog chases the cat"},
                      {&Prepositional, "I saw the man with a telescope"},
                      {&Prepositional, "I saw the man with a telescope in the park"}};

void RunParse(benchmark::State& state, uint8_t options) {
    const Case& c = Cases[state.range(0)];
    NullSink sink;
    TParser parser(sink);
    if (!PrepareGrammar(parser, *c.Grammar, true)) throw std::runtime_error("grammar");
    const std::vector<std::string> sentence{c.Sentence};
    bool accepted = false;
    for (auto _ : state)
        accepted = ParseSentence(parser, sentence, options);
    if (!accepted) state.SkipWithError("sentence rejected");
    state.counters["trace lines"] = static_cast<double>(parser.TraceLines.size());
    state.counters["trees"] = static_cast<double>(parser.ParseTrees.size());
    state.SetLabel(c.Sentence);
}

void BM_TopDownDepthFirst(benchmark::State& state) {
    RunParse(state, poTopDown | poDepthFirst | poTraceList);
}
void BM_TopDownBreadthFirst(benchmark::State& state) {
    RunParse(state, poTopDown | poBreadthFirst | poTraceList);
}
void BM_BottomUpDepthFirst(benchmark::State& state) {
    RunParse(state, poBottomUp | poDepthFirst | poTraceList);
}
void BM_BottomUpBreadthFirst(benchmark::State& state) {
    RunParse(state, poBottomUp | poBreadthFirst | poTraceList);
}
void BM_EnumerateParseTrees(benchmark::State& state) {
    RunParse(state, poParseTrees);
}

BENCHMARK(BM_TopDownDepthFirst)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_TopDownBreadthFirst)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_BottomUpDepthFirst)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_BottomUpBreadthFirst)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_EnumerateParseTrees)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
