// How fast parse trees become text: inside the process (the driver handing each
// tree's text over) and as a whole gramarbor-cli run writing them to a file, with
// the run's peak memory. Sentences of attached phrases have Catalan numbers of
// trees: 10 phrases 58,786, 11 phrases 208,012; "I saw the man" with 23 times
// "in the park" about 1.3 trillion, of which the first million are written.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "base/message_sink.h"
#include "grammar/prepare_grammar.h"
#include "parsing/parse_driver.h"
#include "parsing/parse_options.h"

using namespace gramarbor;

namespace {

const std::vector<std::string> Phrases = {
    "Start = S",    "S = NP VP",   "NP = PRON",         "NP = DET N",   "NP = NP PP",
    "VP = V NP",    "VP = VP PP",  "PP = P NP",         "PRON = \"I\"", "DET = \"the\"",
    "DET = \"a\"",  "N = \"man\"", "N = \"telescope\"", "N = \"park\"", "V = \"saw\"",
    "P = \"with\"", "P = \"in\""};

const std::vector<std::string> Park = {
    "S = NP VP", "NP = Det N",    "NP = NP PP",  "NP = \"I\"",   "VP = V NP",   "VP = VP PP",
    "PP = P NP", "Det = \"the\"", "N = \"man\"", "N = \"park\"", "V = \"saw\"", "P = \"in\""};

std::vector<std::string> PhraseWords(int phrases) {
    std::vector<std::string> words{"I", "saw", "the", "man"};
    const char* tails[2][3] = {{"with", "a", "telescope"}, {"in", "the", "park"}};
    for (int i = 0; i < phrases; ++i)
        for (const char* word : tails[i % 2])
            words.push_back(word);
    return words;
}

std::vector<std::string> ParkWords() {
    std::vector<std::string> words{"I", "saw", "the", "man"};
    for (int i = 0; i < 23; ++i)
        for (const char* word : {"in", "the", "park"})
            words.push_back(word);
    return words;
}

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : " ") + word;
    return text;
}

// The driver producing every tree's text, handed over one at a time.
void BM_TreeTextsInProcess(benchmark::State& state) {
    NullSink sink;
    TParser parser(sink);
    if (!PrepareGrammar(parser, Phrases, true)) throw std::runtime_error("grammar");
    const std::vector<std::string> sentence{Joined(PhraseWords(static_cast<int>(state.range(0))))};
    std::size_t trees = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        TParseRun run;
        run.MaxParseTrees = SIZE_MAX;
        run.CountTrees = false;
        trees = bytes = 0;
        run.OnParseTree = [&](const std::string& text) {
            ++trees;
            bytes += text.size() + 1;
            return true;
        };
        ParseSentence(parser, sentence, poParseTrees, run);
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["trees"] = static_cast<double>(trees);
    state.counters["trees_per_s"] =
        benchmark::Counter(static_cast<double>(trees) * runs, benchmark::Counter::kIsRate);
    state.counters["MB_per_s"] =
        benchmark::Counter(static_cast<double>(bytes) * runs / 1e6, benchmark::Counter::kIsRate);
}
// The parse runs on a thread of its own: wall-clock time is the measure.
BENCHMARK(BM_TreeTextsInProcess)->Arg(10)->Arg(11)->UseRealTime()->Unit(benchmark::kMillisecond);

struct WholeRun {
    double Seconds = 0;
    double CpuSeconds = 0; // user and system time: the cost on a machine shared with others
    double PeakMegabytes = 0;
    std::size_t Bytes = 0;
};

// Runs gramarbor-cli with its output going to path; wall time and peak memory.
WholeRun RunCli(std::vector<std::string> args, const std::string& path) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        std::string program = GRAMARBOR_CLI;
        std::vector<char*> argv{program.data()};
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    WholeRun run;
    run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("cli failed");
    run.PeakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
    const auto secondsOf = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    run.CpuSeconds = secondsOf(usage.ru_utime) + secondsOf(usage.ru_stime);
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) run.Bytes = static_cast<std::size_t>(info.st_size);
    return run;
}

std::string GrammarFile(const std::vector<std::string>& rules, const std::string& name) {
    const std::string path = "/tmp/gramarbor-bench-" + std::to_string(getpid()) + "-" + name;
    std::ofstream file(path);
    for (const std::string& rule : rules)
        file << rule << '\n';
    return path;
}

void Report(benchmark::State& state, const WholeRun& last, double seconds, double trees) {
    const auto runs = static_cast<double>(state.iterations());
    state.counters["trees_per_s"] = trees * runs / seconds;
    state.counters["MB_per_s"] = static_cast<double>(last.Bytes) * runs / 1e6 / seconds;
    state.counters["MB_per_cpu_s"] = static_cast<double>(last.Bytes) / 1e6 / last.CpuSeconds;
    state.counters["peak_MB"] = last.PeakMegabytes;
    state.counters["text_MB"] = static_cast<double>(last.Bytes) / 1e6;
}

// The whole process, every tree written to a file: the target is 300 MB/s or more.
void BM_CliTreesToFile(benchmark::State& state) {
    const std::string grammar = GrammarFile(Phrases, "phrases.cfg");
    const std::string out = grammar + ".txt";
    std::vector<std::string> args{"parse", grammar};
    for (const std::string& word : PhraseWords(static_cast<int>(state.range(0))))
        args.push_back(word);
    const double trees = state.range(0) == 10 ? 58786 : 208012;
    WholeRun last;
    double seconds = 0;
    for (auto _ : state) {
        last = RunCli(args, out);
        seconds += last.Seconds;
        state.SetIterationTime(last.Seconds);
    }
    Report(state, last, seconds, trees);
    std::remove(out.c_str());
    std::remove(grammar.c_str());
}
BENCHMARK(BM_CliTreesToFile)->Arg(10)->Arg(11)->UseManualTime()->Unit(benchmark::kMillisecond);

// The first million trees of the 73-word sentence: memory stays that of the chart.
void BM_CliFirstMillionTreesOfSeventyThreeWords(benchmark::State& state) {
    const std::string grammar = GrammarFile(Park, "park.cfg");
    const std::string out = grammar + ".txt";
    std::vector<std::string> args{"parse", "--max-trees", "1000000", grammar};
    for (const std::string& word : ParkWords())
        args.push_back(word);
    WholeRun last;
    double seconds = 0;
    for (auto _ : state) {
        last = RunCli(args, out);
        seconds += last.Seconds;
        state.SetIterationTime(last.Seconds);
    }
    Report(state, last, seconds, 1e6);
    std::remove(out.c_str());
    std::remove(grammar.c_str());
}
BENCHMARK(BM_CliFirstMillionTreesOfSeventyThreeWords)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
