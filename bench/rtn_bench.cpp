// Speed of the network road on a large grammar: conversion of 10,000 rules into nets,
// drawing them into the picture, the .RTN file both ways and the conversion back to
// grammar text. Target: each step well under a second for 10,000 nets, so that
// "Make RTN", "Load RTN" and every redraw after an edit feel immediate.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "base/message_sink.h"
#include "grammar/prepare_grammar.h"
#include "picture/picture.h"
#include "picture/text_measurer.h"
#include "rtn/cfg_to_rtn.h"
#include "rtn/rtn_drawing.h"
#include "rtn/rtn_file.h"
#include "rtn/rtn_to_cfg.h"

namespace {

using namespace gramarbor;

// rules rules with every construct the networks know, as read (not normalised).
TRuleList GeneratedRules(int rules) {
    std::vector<std::string> lines{"Start = X0"};
    for (int i = 0; i < rules; ++i) {
        const std::string next = "X" + std::to_string(i + 1);
        switch (i % 4) {
        case 0:
            lines.push_back("X" + std::to_string(i) + " = <N,V,\"a\"> [ADJ] \"of\" " + next);
            break;
        case 1:
            lines.push_back("X" + std::to_string(i) + " = {ADV} NP (PP|ADV) " + next);
            break;
        case 2:
            lines.push_back("X" + std::to_string(i) + " = DET @Ident {\"very\"} " + next);
            break;
        default:
            lines.push_back("X" + std::to_string(i) + " = " + next + " (A,B,C,D) <E,F,G,H,I>");
            break;
        }
    }
    NullSink sink;
    TParser parser(sink);
    PrepareGrammar(parser, lines, false);
    return parser.ExtRules;
}

const TRuleList& Rules() {
    static const TRuleList rules = GeneratedRules(10000);
    return rules;
}

const TRtn& Network() {
    static const TRtn rtn = [] {
        TRtn made;
        NullSink sink;
        CfgToRtn(Rules(), made, sink);
        return made;
    }();
    return rtn;
}

void BM_CfgToRtn(benchmark::State& state) {
    NullSink sink;
    for (auto _ : state) {
        TRtn rtn;
        benchmark::DoNotOptimize(CfgToRtn(Rules(), rtn, sink));
    }
    state.counters["nets"] = static_cast<double>(Network().size());
}
BENCHMARK(BM_CfgToRtn)->Unit(benchmark::kMillisecond);

void BM_DrawRtn(benchmark::State& state) {
    ApproxTextMeasurer measurer;
    const TRtnMetrics metrics = MakeRtnMetrics(0, 0);
    Picture picture;
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawRtn(picture, measurer, Network(), metrics, true));
    state.counters["calls"] = static_cast<double>(picture.Calls().size());
}
BENCHMARK(BM_DrawRtn)->Unit(benchmark::kMillisecond);

void BM_RtnFileRoundTrip(benchmark::State& state) {
    NullSink sink;
    for (auto _ : state) {
        const std::string bytes = WriteRtnBytes(Network(), TRtnFileOptions{});
        TRtn read;
        TRtnFileOptions options;
        benchmark::DoNotOptimize(ReadRtnBytes(bytes, read, options, sink));
    }
}
BENCHMARK(BM_RtnFileRoundTrip)->Unit(benchmark::kMillisecond);

void BM_RtnToCfg(benchmark::State& state) {
    NullSink sink;
    std::vector<std::string> lines;
    for (auto _ : state)
        benchmark::DoNotOptimize(RtnToCfgLines(Network(), lines, sink));
    state.counters["rules"] = static_cast<double>(lines.size());
}
BENCHMARK(BM_RtnToCfg)->Unit(benchmark::kMillisecond);

} // namespace
