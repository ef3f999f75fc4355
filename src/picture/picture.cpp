// Recording canvas calls into a picture and replaying them onto another canvas.
#include "picture/picture.h"

#include <algorithm>
#include <cmath>

namespace gramarbor {

void Picture::Clear() {
    Ops.clear();
    Width = 0;
    Height = 0;
}

namespace {

// Maps picture coordinates onto a target: p' = offset + p * scale.
struct Mapping {
    double ScaleX = 1;
    double ScaleY = 1;
    int32_t OffX = 0;
    int32_t OffY = 0;

    int32_t X(int32_t x) const { return OffX + static_cast<int32_t>(std::lround(x * ScaleX)); }
    int32_t Y(int32_t y) const { return OffY + static_cast<int32_t>(std::lround(y * ScaleY)); }
    TPoint P(TPoint p) const { return {X(p.X), Y(p.Y)}; }
    TRect R(const TRect& r) const { return {X(r.Left), Y(r.Top), X(r.Right), Y(r.Bottom)}; }
    int32_t Size(int32_t v) const {
        if (ScaleY == 1) return v;
        const auto scaled = static_cast<int32_t>(std::lround(v * ScaleY));
        return (v != 0 && scaled == 0) ? (v > 0 ? 1 : -1) : scaled;
    }
};

void ReplayOps(const std::vector<PictureOp>& ops, Canvas& target, const Mapping& map) {
    for (const PictureOp& op : ops) {
        target.State = op.State;
        target.State.PenWidth = std::max(1, map.Size(op.State.PenWidth));
        target.State.Font.Height =
            map.Size(op.State.Font.Height == 0 ? PointsToFontHeight(8) : op.State.Font.Height);
        switch (op.Kind) {
        case PictureOpKind::Text:
            target.TextOut(map.X(op.A.X), map.Y(op.A.Y), op.Text);
            break;
        case PictureOpKind::Line:
            target.MoveTo(map.X(op.A.X), map.Y(op.A.Y));
            target.LineTo(map.X(op.B.X), map.Y(op.B.Y));
            break;
        case PictureOpKind::Rectangle:
            target.Rectangle(map.R(op.Box));
            break;
        case PictureOpKind::FillRect:
            target.FillRect(map.R(op.Box));
            break;
        case PictureOpKind::RoundRect:
            target.RoundRect(map.R(op.Box), map.Size(op.A.X), map.Size(op.A.Y));
            break;
        case PictureOpKind::Ellipse:
            target.Ellipse(map.R(op.Box));
            break;
        case PictureOpKind::Arc:
            target.Arc(map.R(op.Box), map.P(op.A), map.P(op.B));
            break;
        case PictureOpKind::Polygon: {
            std::vector<TPoint> points;
            points.reserve(op.Points.size());
            for (const TPoint& p : op.Points)
                points.push_back(map.P(p));
            target.Polygon(points);
            break;
        }
        }
    }
}

} // namespace

void Picture::Replay(Canvas& target, int32_t x, int32_t y) const {
    Mapping map;
    map.OffX = x;
    map.OffY = y;
    ReplayOps(Ops, target, map);
}

void Picture::StretchReplay(Canvas& target, const TRect& dest) const {
    if (Width <= 0 || Height <= 0) return;
    Mapping map;
    map.ScaleX = static_cast<double>(dest.Width()) / Width;
    map.ScaleY = static_cast<double>(dest.Height()) / Height;
    map.OffX = dest.Left;
    map.OffY = dest.Top;
    ReplayOps(Ops, target, map);
}

PictureOp PictureRecorder::Make(PictureOpKind kind) const {
    PictureOp op;
    op.Kind = kind;
    op.State = State;
    return op;
}

void PictureRecorder::TextOut(int32_t x, int32_t y, std::string_view text) {
    PictureOp op = Make(PictureOpKind::Text);
    op.A = {x, y};
    op.Text.assign(text);
    Target.Add(std::move(op));
}

void PictureRecorder::DrawLine(TPoint from, TPoint to) {
    PictureOp op = Make(PictureOpKind::Line);
    op.A = from;
    op.B = to;
    Target.Add(std::move(op));
}

void PictureRecorder::Rectangle(const TRect& box) {
    PictureOp op = Make(PictureOpKind::Rectangle);
    op.Box = box;
    Target.Add(std::move(op));
}

void PictureRecorder::FillRect(const TRect& box) {
    PictureOp op = Make(PictureOpKind::FillRect);
    op.Box = box;
    Target.Add(std::move(op));
}

void PictureRecorder::RoundRect(const TRect& box, int32_t cornerWidth, int32_t cornerHeight) {
    PictureOp op = Make(PictureOpKind::RoundRect);
    op.Box = box;
    op.A = {cornerWidth, cornerHeight};
    Target.Add(std::move(op));
}

void PictureRecorder::Ellipse(const TRect& box) {
    PictureOp op = Make(PictureOpKind::Ellipse);
    op.Box = box;
    Target.Add(std::move(op));
}

void PictureRecorder::Arc(const TRect& box, TPoint start, TPoint end) {
    PictureOp op = Make(PictureOpKind::Arc);
    op.Box = box;
    op.A = start;
    op.B = end;
    Target.Add(std::move(op));
}

void PictureRecorder::Polygon(const std::vector<TPoint>& points) {
    PictureOp op = Make(PictureOpKind::Polygon);
    op.Points = points;
    Target.Add(std::move(op));
}

} // namespace gramarbor
