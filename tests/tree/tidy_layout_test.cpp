// Contours the tidy layout packs with, against a level-by-level model (the layout
// itself, its distances, parents and deep or wide trees, are tree scripts).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

#include "tree/tree_contour.h"

namespace gramarbor {
namespace {

// Contours against a level-by-level model.
TEST(TreeContour, ShiftAndMergeAgreeWithLevelByLevelEdges) {
    std::mt19937 random(15);
    const auto make = [&](std::vector<std::pair<int64_t, int64_t>>& levels, int64_t offset) {
        TContour c;
        const int runs = 1 + int(random() % 6);
        std::vector<std::tuple<int32_t, int64_t, int64_t>> runList;
        for (int i = 0; i < runs; ++i) {
            const int64_t left = -int64_t(random() % 50);
            runList.emplace_back(1 + int32_t(random() % (i % 2 ? 40 : 3)), left,
                                 left + int64_t(random() % 60));
        }
        // Deepest first into the contour; levels are listed from the top.
        for (auto it = runList.rbegin(); it != runList.rend(); ++it)
            c.PushTop(std::get<0>(*it), std::get<1>(*it), std::get<2>(*it));
        for (const auto& [count, left, right] : runList)
            for (int k = 0; k < count; ++k)
                levels.push_back({left + offset, right + offset});
        c.Shift(offset);
        return c;
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<std::pair<int64_t, int64_t>> a, b;
        TContour ca = make(a, int64_t(random() % 30));
        TContour cb = make(b, 0);
        int64_t expected = INT64_MIN;
        for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
            expected = std::max(expected, a[i].second + 10 - b[i].first);
        int64_t shift = 0;
        ASSERT_TRUE(RequiredShift(ca.Right, cb.Left, 10, shift));
        ASSERT_EQ(shift, expected) << "round " << round;

        cb.Shift(shift);
        for (auto& level : b) {
            level.first += shift;
            level.second += shift;
        }
        TContour merged = MergeContours(std::move(ca), std::move(cb));
        std::vector<std::pair<int64_t, int64_t>> m(std::max(a.size(), b.size()));
        for (std::size_t i = 0; i < m.size(); ++i)
            m[i] = {i < a.size() ? a[i].first : b[i].first,
                    i < b.size() ? b[i].second : a[i].second};
        // Read the merged contour back level by level from the top.
        std::vector<std::pair<int64_t, int64_t>> got;
        std::vector<int64_t> lefts, rights;
        for (auto it = merged.Left.Runs.rbegin(); it != merged.Left.Runs.rend(); ++it)
            for (int k = 0; k < it->Count; ++k)
                lefts.push_back(it->Value + merged.Left.Offset);
        for (auto it = merged.Right.Runs.rbegin(); it != merged.Right.Runs.rend(); ++it)
            for (int k = 0; k < it->Count; ++k)
                rights.push_back(it->Value + merged.Right.Offset);
        ASSERT_EQ(lefts.size(), m.size());
        ASSERT_EQ(rights.size(), m.size());
        for (std::size_t i = 0; i < m.size(); ++i)
            got.push_back({lefts[i], rights[i]});
        ASSERT_EQ(got, m) << "round " << round;
    }
}

} // namespace
} // namespace gramarbor
