// Speed of the scanner: setting up a 50,000-word lexicon and scanning a sentence
// against it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/message_sink.h"
#include "text/scanner.h"

using namespace gramarbor;

namespace {

// "w00001|$0001 w00002|$0002 ...": the token list the grammar check makes.
std::string Lexicon(int words) {
    std::string list;
    char entry[32];
    for (int i = 1; i <= words; ++i) {
        std::snprintf(entry, sizeof entry, "w%05d|$%04X ", i, i);
        list += entry;
    }
    list.pop_back();
    return list;
}

// Twenty words spread over the lexicon, with a number and a word outside it.
std::string Sentence() {
    std::string sentence;
    char word[16];
    for (int i = 0; i < 20; ++i) {
        std::snprintf(word, sizeof word, "W%05d ", 1 + i * 2499);
        sentence += word;
    }
    return sentence + "42 unknown";
}

void BM_ScannerSetUpLexicon(benchmark::State& state) {
    const std::string lexicon = Lexicon(static_cast<int>(state.range(0)));
    const std::vector<std::string> lines{Sentence()};
    NullSink sink;
    for (auto _ : state) {
        TScanner scanner;
        benchmark::DoNotOptimize(scanner.Create(&lines, "", lexicon, "", false, sink));
    }
}
BENCHMARK(BM_ScannerSetUpLexicon)->Arg(1000)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_ScannerSentenceAgainstLexicon(benchmark::State& state) {
    const std::string lexicon = Lexicon(static_cast<int>(state.range(0)));
    const std::vector<std::string> lines{Sentence()};
    NullSink sink;
    TScanner scanner;
    scanner.Create(&lines, "", lexicon, "", false, sink);
    std::vector<TTokLst> tokens;
    for (auto _ : state) {
        tokens.clear();
        benchmark::DoNotOptimize(scanner.TokenizeAll(&tokens));
    }
    state.counters["tokens"] = static_cast<double>(tokens.size());
}
BENCHMARK(BM_ScannerSentenceAgainstLexicon)->Arg(1000)->Arg(50000)->Unit(benchmark::kMicrosecond);

} // namespace
