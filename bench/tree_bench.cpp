// Speed of the tree's text reading and writing, layout with drawing, and tree files.
#include <benchmark/benchmark.h>

#include <string>

#include "base/message_sink.h"
#include "picture/text_measurer.h"
#include "tree/canvas_measurer.h"
#include "tree/tree.h"

namespace {

using namespace gramarbor;

// A complete tree of the given depth with four children per node, as bracket text.
std::string FullTree(int depth) {
    if (depth == 0) return "[leaf]";
    std::string text = "[n%_" + std::to_string(depth);
    for (int i = 0; i < 4; ++i)
        text += " " + FullTree(depth - 1);
    return text + "]";
}

void BM_StrToTree(benchmark::State& state) {
    NullSink sink;
    TTree tree(true, sink);
    const std::string text = FullTree(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(tree.StrToTree(text));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_StrToTree)->Arg(4)->Arg(6);

void BM_TreeToStr(benchmark::State& state) {
    NullSink sink;
    TTree tree(true, sink);
    tree.StrToTree(FullTree(static_cast<int>(state.range(0))));
    std::string text;
    for (auto _ : state)
        benchmark::DoNotOptimize(tree.TreeToStr(text));
}
BENCHMARK(BM_TreeToStr)->Arg(4)->Arg(6);

void BM_ShowTree(benchmark::State& state) {
    NullSink sink;
    TTree tree(true, sink);
    tree.SetParams(64, 64, "", toFrames | toTriangles | toArrows | toPlane | toPlaneOK,
                   TNodeAttr{});
    tree.StrToTree(FullTree(static_cast<int>(state.range(0))));
    ApproxTextMeasurer measurer;
    MeasuringCanvas screen(measurer);
    for (auto _ : state)
        benchmark::DoNotOptimize(tree.Show(screen, 4, 4));
}
BENCHMARK(BM_ShowTree)->Arg(4)->Arg(6);

void BM_TreeFileBytes(benchmark::State& state) {
    NullSink sink;
    TTree tree(true, sink);
    tree.StrToTree(FullTree(static_cast<int>(state.range(0))));
    std::string bytes;
    for (auto _ : state) {
        tree.SaveTreeBytes(tree.GetRoot(), 1, bytes);
        benchmark::DoNotOptimize(tree.LoadTreeBytes(bytes, "bench.tre"));
    }
}
BENCHMARK(BM_TreeFileBytes)->Arg(4)->Arg(6);

} // namespace
