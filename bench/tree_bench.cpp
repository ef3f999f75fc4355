// Speed of the tree's text reading and writing, layout with drawing (also of a deep
// comb as a plane tree), and tree files.
#include <benchmark/benchmark.h>

#include <string>

#include "base/message_sink.h"
#include "picture/text_measurer.h"
#include "picture/wmf_writer.h"
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

// A right-branching comb: depth nodes x, each with a leaf a, and a last leaf b. As a
// plane tree every leaf a gets a chain down to the last level.
std::string Comb(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "[x [a] ";
    return text + "[b]" + std::string(depth, ']');
}

// Lays out and draws the comb as a plane tree, with chains (range 1 = 1) or direct
// lines, and writes the metafile; reports its size.
void BM_PlaneComb(benchmark::State& state) {
    const int depth = static_cast<int>(state.range(0));
    const uint8_t options = state.range(1) ? toPlane | toPlaneOK : toPlane;
    ApproxTextMeasurer measurer;
    MeasuringCanvas screen(measurer);
    std::size_t wmfBytes = 0;
    for (auto _ : state) {
        NullSink sink;
        TTree tree(true, sink);
        tree.SetParams(64, 64, "", options, TNodeAttr{});
        tree.StrToTree(Comb(depth));
        if (!tree.Show(screen, 4, 4)) state.SkipWithError("the comb was not drawn");
        wmfBytes = WriteWmfBytes(tree.GetMetafile()).size();
    }
    state.counters["wmf_MB"] = double(wmfBytes) / 1e6;
}
BENCHMARK(BM_PlaneComb)->ArgsProduct({{1000, 2000, 4000}, {1, 0}})->Unit(benchmark::kMillisecond);

// The tidy layout alone of a comb of range(0) nodes (plain, or as a plane tree
// with chains for range(1) = 1); the time per node should not grow with the size.
void BM_TidyComb(benchmark::State& state) {
    const int nodes = static_cast<int>(state.range(0));
    ApproxTextMeasurer measurer;
    MeasuringCanvas screen(measurer);
    NullSink sink;
    TTree tree(true, sink);
    tree.SetParams(64, 64, "", state.range(1) ? toTidy | toPlane | toPlaneOK : toTidy, TNodeAttr{});
    tree.StrToTree(Comb((nodes - 1) / 2));
    if (state.range(1) && !tree.Show(screen, 4, 4)) state.SkipWithError("no chains");
    for (auto _ : state)
        if (!tree.TidyPositions(screen)) state.SkipWithError("the comb was not laid out");
    state.SetItemsProcessed(int64_t(state.iterations()) * nodes);
}
BENCHMARK(BM_TidyComb)
    ->ArgsProduct({{2500, 5000, 10000}, {0, 1}})
    ->Args({20000, 0})
    ->Unit(benchmark::kMillisecond);

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
