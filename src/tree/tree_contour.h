// Contours of laid-out subtrees: for every level below a subtree's root, how far
// its boxes reach to the left and to the right. The tidy layout packs sibling
// subtrees by comparing the right contour of the ones placed so far with the left
// contour of the next one.
//
// Levels are stored as runs (a chain node spans many levels with one box), deepest
// run first, so that a parent's level is added at the back. Each side carries its
// own offset, so that shifting a subtree costs nothing and merging two reuses the
// longer side's storage: the work of a merge is bounded by the shorter subtree.
#pragma once

#include <cstdint>
#include <vector>

namespace gramarbor {

struct TContourRun {
    int32_t Count = 0;   // levels of this run
    int64_t Value = 0;   // box edge, before the side's offset
    int64_t Extreme = 0; // the outermost Value of this run and all deeper runs
};

// One side of a contour: left edges (outermost = smallest) or right edges
// (outermost = largest).
class TContourSide {
public:
    explicit TContourSide(bool rightSide) : RightSide(rightSide) {}

    // Adds count levels with edge value on top (nearest the subtree's root).
    void PushTop(int32_t count, int64_t value);
    // Removes the top levels, splitting a run where needed.
    void PopTop(int64_t levels);
    void Shift(int64_t dx) { Offset += dx; }
    int64_t Levels() const { return LevelCount; }
    bool IsRight() const { return RightSide; }

    std::vector<TContourRun> Runs; // deepest first
    int64_t Offset = 0;

private:
    int64_t Outer(int64_t a, int64_t b) const;
    bool RightSide;
    int64_t LevelCount = 0;
};

struct TContour {
    TContourSide Left{false};
    TContourSide Right{true};
    void PushTop(int32_t count, int64_t left, int64_t right) {
        Left.PushTop(count, left);
        Right.PushTop(count, right);
    }
    void Shift(int64_t dx) {
        Left.Shift(dx);
        Right.Shift(dx);
    }
};

// The smallest shift of the next subtree (its left side) such that on every level
// both reach, its boxes keep gap from the boxes of right (the subtrees placed so far).
// false when the two have no level in common.
bool RequiredShift(const TContourSide& right, const TContourSide& left, int64_t gap,
                   int64_t& shift);

// The contour of placed (already shifted to its place right of placed) joined to
// placed; both are consumed.
TContour MergeContours(TContour&& placed, TContour&& next);

} // namespace gramarbor
