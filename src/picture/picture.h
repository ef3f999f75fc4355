// A recorded picture: a display list of canvas calls with a width and a height.
//
// A picture is recorded through a PictureRecorder, replayed onto any canvas (at a
// point, or stretched into a rectangle), written as a Windows metafile, and cleared
// and recorded again. Each recorded call keeps the complete canvas state it was
// drawn with, so replaying needs no state of its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "picture/canvas.h"
#include "picture/text_measurer.h"

namespace gramarbor {

enum class PictureOpKind : uint8_t {
    Text,
    Line,
    Rectangle,
    FillRect,
    RoundRect,
    Ellipse,
    Arc,
    Polygon
};

struct PictureOp {
    PictureOpKind Kind = PictureOpKind::Line;
    TCanvasState State;
    TRect Box;                  // Rectangle, FillRect, RoundRect, Ellipse, Arc
    TPoint A;                   // Text: top-left; Line: from; Arc: start; RoundRect: corner size
    TPoint B;                   // Line: to; Arc: end
    std::vector<TPoint> Points; // Polygon
    std::string Text;           // Text
    bool operator==(const PictureOp&) const = default;
};

class Picture {
public:
    int32_t Width = 0;
    int32_t Height = 0;

    // Removes every call and sets the size to 0 x 0.
    void Clear();
    bool Empty() const { return Ops.empty(); }
    const std::vector<PictureOp>& Calls() const { return Ops; }
    void Add(PictureOp op) { Ops.push_back(std::move(op)); }

    // Replays every call onto target, moved by (x, y).
    void Replay(Canvas& target, int32_t x, int32_t y) const;
    // Replays every call scaled from (0, 0, Width, Height) into dest; fonts and pen
    // widths scale with the height.
    void StretchReplay(Canvas& target, const TRect& dest) const;

private:
    std::vector<PictureOp> Ops;
};

// A canvas that appends its calls to a picture. Text is measured by the given
// measurer (the device the picture is meant for).
class PictureRecorder final : public Canvas {
public:
    PictureRecorder(Picture& picture, TextMeasurer& measurer)
        : Target(picture), Measurer(measurer) {}

    int32_t TextWidth(std::string_view text) override {
        return Measurer.TextWidth(State.Font, text);
    }
    void TextOut(int32_t x, int32_t y, std::string_view text) override;
    void Rectangle(const TRect& box) override;
    void FillRect(const TRect& box) override;
    void RoundRect(const TRect& box, int32_t cornerWidth, int32_t cornerHeight) override;
    void Ellipse(const TRect& box) override;
    void Arc(const TRect& box, TPoint start, TPoint end) override;
    void Polygon(const std::vector<TPoint>& points) override;

protected:
    void DrawLine(TPoint from, TPoint to) override;

private:
    PictureOp Make(PictureOpKind kind) const;

    Picture& Target;
    TextMeasurer& Measurer;
};

} // namespace gramarbor
