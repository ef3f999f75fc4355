// Speed of the grammar check on the quick-start grammar and on a large generated
// grammar: a lexicon of tens of thousands of words plus a few hundred phrase rules
// with optional parts, repetitions, alternatives and terminals among nonterminals.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "base/message_sink.h"
#include "grammar/cfg_file.h"
#include "grammar/prepare_grammar.h"

namespace {

using namespace gramarbor;

std::string Word(int n) {
    std::string word;
    do {
        word.push_back(static_cast<char>('a' + n % 26));
        n /= 26;
    } while (n > 0);
    return word;
}

// phraseRules phrase rules and lexiconWords lexical rules spread over six categories.
std::vector<std::string> GeneratedGrammar(int phraseRules, int lexiconWords) {
    std::vector<std::string> lines{"// generated",          "Start = S",         "S = NP VP [X0]",
                                   "NP = DET {ADJ} N [PP]", "VP = {ADV} V [NP]", "PP = P NP"};
    for (int i = 0; i < phraseRules; ++i) {
        const std::string next = i + 1 < phraseRules ? "X" + std::to_string(i + 1) : "N";
        switch (i % 4) {
        case 0:
            lines.push_back("X" + std::to_string(i) + " = <N,V> [ADJ] \"of\" " + next);
            break;
        case 1:
            lines.push_back("X" + std::to_string(i) + " = {ADV} NP (PP|ADV) " + next);
            break;
        case 2:
            lines.push_back("X" + std::to_string(i) + " = DET \"w" + std::to_string(i) + "\" " +
                            next);
            break;
        default:
            lines.push_back("X" + std::to_string(i) + " = @Ident [@Number] " + next);
            break;
        }
    }
    const char* categories[] = {"N", "N", "N", "N", "V", "V", "V", "ADJ", "ADJ", "ADV", "P", "DET"};
    for (int i = 0; i < lexiconWords; ++i)
        lines.push_back(std::string(categories[i % 12]) + " = \"" + Word(i) + "\"");
    return lines;
}

void CheckLines(benchmark::State& state, const std::vector<std::string>& lines, bool fullCheck) {
    RecordingSink sink;
    TParser parser(sink);
    for (auto _ : state) {
        const bool ok = PrepareGrammar(parser, lines, fullCheck);
        if (!ok) state.SkipWithError(sink.Last().c_str());
        benchmark::DoNotOptimize(parser.Rules.data());
    }
    state.counters["rules"] = static_cast<double>(parser.Rules.size());
}

void BM_CheckQuickstart(benchmark::State& state) {
    std::vector<std::string> lines;
    RecordingSink sink;
    if (!ReadCfgLines(std::string(GRAMARBOR_EXAMPLES) + "/quickstart.cfg", lines, sink)) {
        state.SkipWithError("quickstart.cfg not readable");
        return;
    }
    CheckLines(state, lines, true);
}
BENCHMARK(BM_CheckQuickstart);

// A lexicon of range(0) words plus 400 phrase rules: about 60,000 rule lines at most.
void BM_CheckLargeGrammar(benchmark::State& state) {
    CheckLines(state, GeneratedGrammar(400, static_cast<int>(state.range(0))), true);
}
BENCHMARK(BM_CheckLargeGrammar)->Arg(5000)->Arg(50000)->Arg(59600)->Unit(benchmark::kMillisecond);

// Reading and copying only, as the conversion into a network asks for it.
void BM_ReadLargeGrammar(benchmark::State& state) {
    CheckLines(state, GeneratedGrammar(400, 59600), false);
}
BENCHMARK(BM_ReadLargeGrammar)->Unit(benchmark::kMillisecond);

} // namespace
