// Contours of laid-out subtrees as runs of levels.
#include "tree/tree_contour.h"

#include <algorithm>
#include <utility>

namespace gramarbor {

int64_t TContourSide::Outer(int64_t a, int64_t b) const {
    return RightSide ? std::max(a, b) : std::min(a, b);
}

void TContourSide::PushTop(int32_t count, int64_t value) {
    if (count <= 0) return;
    const int64_t stored = value - Offset;
    const int64_t extreme = Runs.empty() ? stored : Outer(Runs.back().Extreme, stored);
    if (!Runs.empty() && Runs.back().Value == stored && Runs.back().Count <= INT32_MAX - count)
        Runs.back().Count += count;
    else
        Runs.push_back({count, stored, extreme});
    Runs.back().Extreme = extreme;
    LevelCount += count;
}

void TContourSide::PopTop(int64_t levels) {
    while (levels > 0 && !Runs.empty()) {
        TContourRun& top = Runs.back();
        if (top.Count <= levels) {
            levels -= top.Count;
            LevelCount -= top.Count;
            Runs.pop_back();
        } else {
            top.Count -= static_cast<int32_t>(levels);
            LevelCount -= levels;
            levels = 0;
        }
    }
}

bool RequiredShift(const TContourSide& right, const TContourSide& left, int64_t gap,
                   int64_t& shift) {
    // Walk both from the top. Once one run reaches as deep as everything left of
    // the other side, that side's outermost remaining edge settles the rest.
    bool any = false;
    int64_t need = 0;
    const auto demand = [&](int64_t rightEdge, int64_t leftEdge) {
        const int64_t d = rightEdge + gap - leftEdge;
        need = any ? std::max(need, d) : d;
        any = true;
    };
    std::size_t ir = right.Runs.size(), il = left.Runs.size();
    int64_t restR = 0, restL = 0;                            // levels left in the current runs
    int64_t belowR = right.Levels(), belowL = left.Levels(); // levels not yet walked
    while (belowR > 0 && belowL > 0) {
        if (restR == 0) {
            --ir;
            restR = right.Runs[ir].Count;
        }
        if (restL == 0) {
            --il;
            restL = left.Runs[il].Count;
        }
        const TContourRun& r = right.Runs[ir];
        const TContourRun& l = left.Runs[il];
        if (restR >= belowL) {
            demand(r.Value + right.Offset, l.Extreme + left.Offset);
            break;
        }
        if (restL >= belowR) {
            demand(r.Extreme + right.Offset, l.Value + left.Offset);
            break;
        }
        demand(r.Value + right.Offset, l.Value + left.Offset);
        const int64_t step = std::min(restR, restL);
        restR -= step;
        restL -= step;
        belowR -= step;
        belowL -= step;
    }
    if (any) shift = need;
    return any;
}

namespace {

// deep keeps its levels below the top levels of top, which replace its own.
TContourSide Overlay(TContourSide&& top, TContourSide&& deep) {
    if (top.Levels() >= deep.Levels()) return std::move(top);
    deep.PopTop(top.Levels());
    for (const TContourRun& run : top.Runs)
        deep.PushTop(run.Count, run.Value + top.Offset);
    return std::move(deep);
}

} // namespace

TContour MergeContours(TContour&& placed, TContour&& next) {
    TContour merged;
    merged.Left = Overlay(std::move(placed.Left), std::move(next.Left));
    merged.Right = Overlay(std::move(next.Right), std::move(placed.Right));
    return merged;
}

} // namespace gramarbor
