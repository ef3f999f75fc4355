// Speed of the chart parser: acceptance, enumeration of every tree and exact counts.
#include <benchmark/benchmark.h>

#include "chart/chart_parser.h"
#include "grammar/prepare_grammar.h"
#include "text/scanner.h"

using namespace gramarbor;

namespace {

const std::vector<std::string> PpGrammar = {
    "Start = S",    "S = NP VP",   "NP = PRON",         "NP = DET N",   "NP = NP PP",
    "VP = V NP",    "VP = VP PP",  "PP = P NP",         "PRON = \"I\"", "DET = \"the\"",
    "DET = \"a\"",  "N = \"man\"", "N = \"telescope\"", "N = \"park\"", "V = \"saw\"",
    "P = \"with\"", "P = \"in\""};

std::string PpSentence(int phrases) {
    std::string sentence = "I saw the man";
    const char* tails[] = {" with a telescope", " in the park"};
    for (int i = 0; i < phrases; ++i)
        sentence += tails[i % 2];
    return sentence;
}

struct Prepared {
    NullSink Sink;
    TParser Parser{Sink};
    std::vector<TTokLst> Tokens;

    Prepared(const std::vector<std::string>& grammar, const std::string& sentence) {
        if (!PrepareGrammar(Parser, grammar, true)) throw std::runtime_error("grammar");
        const std::vector<std::string> lines{sentence};
        TScanner scanner;
        scanner.Create(&lines, "", Parser.TokenSyms, "", false, Sink);
        if (!scanner.TokenizeAll(&Tokens)) throw std::runtime_error("tokens");
    }
};

void BM_EnumerateAttachedPhrases(benchmark::State& state) {
    Prepared prepared(PpGrammar, PpSentence(static_cast<int>(state.range(0))));
    std::size_t trees = 0;
    for (auto _ : state) {
        TChartParser parser(prepared.Parser.Rules, prepared.Parser.StartLine, prepared.Tokens,
                            false);
        parser.Build();
        trees = 0;
        parser.Enumerate([&](const std::vector<uint16_t>&) { return ++trees, true; });
    }
    state.counters["trees"] = static_cast<double>(trees);
    state.counters["per_tree_ns"] =
        benchmark::Counter(static_cast<double>(trees) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_EnumerateAttachedPhrases)
    ->DenseRange(1, 10, 3)
    ->Arg(11)
    ->Unit(benchmark::kMillisecond);

void BM_CountTwentyThreePhrases(benchmark::State& state) {
    Prepared prepared(PpGrammar, PpSentence(23));
    for (auto _ : state) {
        TChartParser parser(prepared.Parser.Rules, prepared.Parser.StartLine, prepared.Tokens,
                            false);
        parser.Build();
        benchmark::DoNotOptimize(parser.CountTrees());
    }
}
BENCHMARK(BM_CountTwentyThreePhrases)->Unit(benchmark::kMillisecond);

// Finding one tree of the 1,289,904,147,324 by its number: the first call counts, the
// later ones reuse the counts.
void BM_UnrankTwentyThreePhrases(benchmark::State& state) {
    Prepared prepared(PpGrammar, PpSentence(23));
    TChartParser parser(prepared.Parser.Rules, prepared.Parser.StartLine, prepared.Tokens, false);
    parser.Build();
    BigUint number = 1;
    std::vector<uint16_t> path;
    for (auto _ : state) {
        number = number * BigUint(7);
        if (!(number < parser.CountTrees())) number = 1;
        benchmark::DoNotOptimize(parser.UnrankTree(number, path));
    }
}
BENCHMARK(BM_UnrankTwentyThreePhrases)->Unit(benchmark::kMillisecond);

void BM_AmbiguitiesTwentyThreePhrases(benchmark::State& state) {
    Prepared prepared(PpGrammar, PpSentence(23));
    std::vector<TChartParser::TAmbiguity> found;
    for (auto _ : state) {
        TChartParser parser(prepared.Parser.Rules, prepared.Parser.StartLine, prepared.Tokens,
                            false);
        parser.Build();
        parser.FindAmbiguities(found);
    }
    state.counters["spans"] = static_cast<double>(found.size());
}
BENCHMARK(BM_AmbiguitiesTwentyThreePhrases)->Unit(benchmark::kMillisecond);

// The first tree of each listed reading of the longest ambiguous span among the
// 1,289,904,147,324 trees, found from the counts.
void BM_FirstTreeOfReadingsTwentyThreePhrases(benchmark::State& state) {
    Prepared prepared(PpGrammar, PpSentence(23));
    TChartParser parser(prepared.Parser.Rules, prepared.Parser.StartLine, prepared.Tokens, false);
    std::vector<TChartParser::TAmbiguity> found;
    parser.FindAmbiguities(found);
    BigUint number;
    for (auto _ : state)
        for (const auto& analysis : found.front().Analyses)
            benchmark::DoNotOptimize(parser.FirstTreeWith(analysis, number));
    state.counters["readings"] = static_cast<double>(found.front().Analyses.size());
}
BENCHMARK(BM_FirstTreeOfReadingsTwentyThreePhrases)->Unit(benchmark::kMillisecond);

void BM_AcceptWithLargeLexicon(benchmark::State& state) {
    std::vector<std::string> grammar = {"Start = S", "S = NP VP", "NP = DET N", "VP = V NP",
                                        "DET = \"the\""};
    for (int i = 0; i < 25000; ++i)
        grammar.push_back("N = \"noun" + std::to_string(i) + "\"");
    for (int i = 0; i < 25000; ++i)
        grammar.push_back("V = \"verb" + std::to_string(i) + "\"");
    Prepared prepared(grammar, "the noun17 verb24999 the noun24000");
    for (auto _ : state) {
        TChartParser parser(prepared.Parser.Rules, prepared.Parser.StartLine, prepared.Tokens,
                            false);
        parser.Build();
        benchmark::DoNotOptimize(parser.Accepted());
    }
}
BENCHMARK(BM_AcceptWithLargeLexicon)->Unit(benchmark::kMillisecond);

} // namespace
