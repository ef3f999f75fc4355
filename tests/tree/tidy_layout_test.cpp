// Contours the tidy layout packs with, against a level-by-level model (the layout
// itself, its distances, parents and deep or wide trees, are tree scripts).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "tree/tree_contour.h"

namespace gramarbor {
namespace {

TEST(TreeContour, ShiftAndMergeAgreeWithLevelByLevelEdges) {
    std::mt19937 random(15);
    // A contour of random runs, each pushed on top of the ones before, and its
    // edges level by level from the top.
    const auto make = [&](std::vector<std::pair<int64_t, int64_t>>& levels, int64_t offset) {
        TContour c;
        for (int i = 0, runs = 1 + int(random() % 6); i < runs; ++i) {
            const int64_t left = -int64_t(random() % 50), right = left + int64_t(random() % 60);
            const int32_t count = 1 + int32_t(random() % (i % 2 ? 40 : 3));
            c.PushTop(count, left, right);
            levels.insert(levels.begin(), count, {left + offset, right + offset});
        }
        c.Shift(offset);
        return c;
    };
    // The values of an edge of a contour level by level from the top.
    const auto values = [](const TContourSide& edge) {
        std::vector<int64_t> result;
        for (auto it = edge.Runs.rbegin(); it != edge.Runs.rend(); ++it)
            result.insert(result.end(), it->Count, it->Value + edge.Offset);
        return result;
    };
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        std::vector<std::pair<int64_t, int64_t>> a, b;
        TContour ca = make(a, int64_t(random() % 30));
        TContour cb = make(b, 0);
        int64_t expected = INT64_MIN;
        for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
            expected = std::max(expected, a[i].second + 10 - b[i].first);
        int64_t shift = 0;
        ASSERT_TRUE(RequiredShift(ca.Right, cb.Left, 10, shift));
        ASSERT_EQ(shift, expected);
        // Merged after the shift: the left edge of a and the right edge of b, below
        // the shorter one those of the longer.
        cb.Shift(shift);
        const TContour merged = MergeContours(std::move(ca), std::move(cb));
        std::vector<int64_t> lefts, rights;
        for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
            lefts.push_back(i < a.size() ? a[i].first : b[i].first + shift);
            rights.push_back(i < b.size() ? b[i].second + shift : a[i].second);
        }
        ASSERT_EQ(values(merged.Left), lefts);
        ASSERT_EQ(values(merged.Right), rights);
    }
}

} // namespace
} // namespace gramarbor
