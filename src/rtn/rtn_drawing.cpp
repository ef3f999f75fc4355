// Drawing nets, nodes and conditions.
#include "rtn/rtn_drawing.h"

#include <algorithm>
#include <new>

#include "base/file_io.h"
#include "picture/arrow_head.h"
#include "text/text_utils.h"

namespace gramarbor {

namespace {

constexpr int ArrowA = 8;
constexpr int ArrowB = 4;
constexpr int ArrowC = -2;

void SetPoints(Canvas& canvas, int points) {
    canvas.State.Font.Height = PointsToFontHeight(points);
}

void Line(Canvas& canvas, TPoint from, TPoint to) {
    canvas.MoveTo(from.X, from.Y);
    canvas.LineTo(to.X, to.Y);
}

// One row of the slot table: the label's y, both quarter arcs, the joining line and
// the arrow head, all relative to the arc centres xa - h and xb + h and the row's yc.
struct SlotShape {
    int32_t LabelDy;
    int32_t BoxHalfW, BoxHalfH;
    TPoint LeftStart, LeftEnd;   // offsets from (xa - h, yc)
    TPoint RightStart, RightEnd; // offsets from (xb + h, yc)
    int32_t LineDy;
    TPoint Tip; // offset from (xb + h, yc), or from (xa - h, yc) when backward
    int Angle;
};

constexpr SlotShape SlotShapes[4] = {
    {-27, 44, 28, {0, -28}, {-128, -28}, {128, -28}, {0, -28}, -29, {41, -11}, 46},
    {28, 44, 28, {-128, 28}, {0, 28}, {0, 28}, {128, 28}, 28, {41, 10}, 318},
    {-47, 48, 48, {0, -32}, {-108, -32}, {108, -32}, {0, -32}, -49, {45, -17}, 60},
    {48, 48, 48, {-108, 32}, {0, 32}, {0, 32}, {108, 32}, 48, {45, 16}, 300},
};

} // namespace

int32_t CenterTextX(Canvas& canvas, int32_t x, std::string_view text) {
    return x - canvas.TextWidth(text) / 2;
}

std::string ConditionLabel(const TRTNNode& cond) {
    if (cond.Kind == ckText) return "\x9B" + cond.Text + "\x8B";
    return cond.Text;
}

int ConditionSlot(const TRTNNode& cond, std::size_t c, std::size_t count) {
    if (cond.Src >= cond.Dst) return SlotBackward;
    if (count == 3 && c == 2) return SlotStraight;
    return static_cast<int>(c);
}

namespace {

// Draws the arrow head in the pen's colour: filled black, or in the highlight colour.
void DrawArcHead(Canvas& canvas, TPoint tip, int angle, bool highlighted) {
    if (!highlighted) {
        DrawArrowHead(canvas, tip, angle, true, ArrowA, ArrowB, ArrowC);
        return;
    }
    canvas.State.BrushStyle = TBrushStyle::bsSolid;
    canvas.State.BrushColor = HighlightColor;
    DrawArrowHead(canvas, tip, angle, false, ArrowA, ArrowB, ArrowC);
    // As a filled head leaves it.
    canvas.State.BrushStyle = TBrushStyle::bsClear;
    canvas.State.BrushColor = clWhite;
}

// Pen and text colour of a highlighted part while it is drawn.
class HighlightPen {
public:
    HighlightPen(Canvas& canvas, bool on)
        : Target(canvas), PenColor(canvas.State.PenColor), PenWidth(canvas.State.PenWidth),
          FontColor(canvas.State.Font.Color), On(on) {
        if (!on) return;
        canvas.State.PenColor = HighlightColor;
        canvas.State.PenWidth = HighlightPenWidth;
        canvas.State.Font.Color = HighlightColor;
    }
    ~HighlightPen() {
        if (!On) return;
        Target.State.PenColor = PenColor;
        Target.State.PenWidth = PenWidth;
        Target.State.Font.Color = FontColor;
    }
    HighlightPen(const HighlightPen&) = delete;
    HighlightPen& operator=(const HighlightPen&) = delete;

private:
    Canvas& Target;
    TColor PenColor;
    int32_t PenWidth;
    TColor FontColor;
    bool On;
};

} // namespace

bool DrawCondition(Canvas& canvas, const TRtnMetrics& m, int32_t row, const TRTNNode& cond,
                   int slot, bool straight, bool highlighted) {
    const HighlightPen pen(canvas, highlighted);
    const std::string label = ConditionLabel(cond);
    int32_t a = cond.Src;
    int32_t b = cond.Dst == PopDst ? a + 1 : cond.Dst;
    if (slot < 0) std::swap(a, b);
    const int32_t xa = m.MidX(a);
    const int32_t xb = m.MidX(b - 1);
    const int32_t yc = m.RowY(row);
    const int32_t h = m.HalfGap;
    if (straight) slot = SlotStraight;

    if (slot == SlotStraight) {
        canvas.TextOut(CenterTextX(canvas, xa, label), yc, label);
        const TPoint to{xb + m.HalfStep - m.NodeRadius, yc};
        Line(canvas, {xa - m.HalfStep + m.NodeRadius, yc}, to);
        DrawArcHead(canvas, to, 0, highlighted);
        return true;
    }
    if (slot < SlotBackward || slot > 3) return false;
    const bool backward = slot == SlotBackward;
    const SlotShape& s = SlotShapes[backward ? 1 : slot];
    const int32_t left = xa - h;
    const int32_t right = xb + h;
    canvas.TextOut(CenterTextX(canvas, xa, label), yc + s.LabelDy, label);
    canvas.Arc({left - s.BoxHalfW, yc - s.BoxHalfH, left + s.BoxHalfW, yc + s.BoxHalfH},
               {left + s.LeftStart.X, yc + s.LeftStart.Y}, {left + s.LeftEnd.X, yc + s.LeftEnd.Y});
    canvas.Arc({right - s.BoxHalfW, yc - s.BoxHalfH, right + s.BoxHalfW, yc + s.BoxHalfH},
               {right + s.RightStart.X, yc + s.RightStart.Y},
               {right + s.RightEnd.X, yc + s.RightEnd.Y});
    Line(canvas, {left, yc + s.LineDy}, {right + 1, yc + s.LineDy});
    if (backward)
        DrawArcHead(canvas, {left - 42, yc + 10}, 228, highlighted);
    else
        DrawArcHead(canvas, {right + s.Tip.X, yc + s.Tip.Y}, s.Angle, highlighted);
    return true;
}

bool DrawRtnLine(Canvas& canvas, const TRtnMetrics& m, bool linesAllowed, const TRTNLine& net,
                 int32_t row, const TArcHighlight& highlight) {
    const int32_t yc = m.RowY(row);
    SetPoints(canvas, NameFontPoints);
    {
        const HighlightPen pen(canvas, highlight.Net >= 0);
        canvas.TextOut(LeftMargin, yc - 8, net.Name + ":");
    }
    int32_t x = m.NodeX(0);
    for (std::size_t k = 0; k < net.Nodes.size(); ++k) {
        const TRtnNodeConds& node = net.Nodes[k];
        canvas.Ellipse(
            {x - m.NodeRadius, yc - NodeHalfHeight, x + m.NodeRadius, yc + NodeHalfHeight});
        SetPoints(canvas, NameFontPoints);
        const std::string name = NodeName(net.Name, static_cast<long long>(k));
        canvas.TextOut(CenterTextX(canvas, x, name), yc - 8, name);
        const bool straight = linesAllowed && node.size() == 1;
        for (std::size_t c = 0; c < node.size(); ++c) {
            SetPoints(canvas, LabelFontPoints);
            const bool marked = highlight.Net >= 0 && highlight.Node == static_cast<int64_t>(k) &&
                                highlight.Condition == static_cast<int64_t>(c);
            if (!DrawCondition(canvas, m, row, node[c], ConditionSlot(node[c], c, node.size()),
                               straight, marked))
                return false;
        }
        x += m.Step;
    }
    return true;
}

namespace {

void StartPicture(Picture& picture, int32_t width, int32_t height) {
    picture.Clear();
    picture.Width = width;
    picture.Height = height;
}

void PrepareCanvas(Canvas& canvas, const Picture& picture) {
    canvas.FillRect({0, 0, picture.Width, picture.Height});
    canvas.State.Font.Name = "Arial";
    canvas.State.Font.Height = 8;
}

} // namespace

namespace {

// The highlight as seen by net index: its own when it marks that net, else none.
TArcHighlight HighlightOf(const TArcHighlight& highlight, std::size_t index) {
    return highlight.Net == static_cast<int64_t>(index) ? highlight : TArcHighlight{};
}

} // namespace

bool DrawRtn(Picture& picture, TextMeasurer& measurer, const TRtn& rtn, const TRtnMetrics& m,
             bool linesAllowed, const TArcHighlight& highlight) {
    try {
        const auto n = static_cast<int32_t>(MaxNodeCount(rtn));
        StartPicture(picture, (n + 1) * m.Step, static_cast<int32_t>(rtn.size()) * LineHeight);
        PictureRecorder canvas(picture, measurer);
        PrepareCanvas(canvas, picture);
        for (std::size_t i = 0; i < rtn.size(); ++i)
            if (!DrawRtnLine(canvas, m, linesAllowed, rtn[i], static_cast<int32_t>(i),
                             HighlightOf(highlight, i)))
                return false;
        return true;
    } catch (const std::bad_alloc&) {
        picture.Clear();
        return false;
    }
}

bool MakeSplitPictures(std::vector<Picture>& pictures, TextMeasurer& measurer, const TRtn& rtn,
                       const TRtnMetrics& m, bool linesAllowed, int parts,
                       const TArcHighlight& highlight) {
    pictures.clear();
    const std::size_t nets = rtn.size();
    std::size_t per = 10;
    if (parts > 0)
        per = (nets + static_cast<std::size_t>(parts) - 1) / static_cast<std::size_t>(parts);
    if (per == 0) return true;
    const auto width = static_cast<int32_t>(MaxNodeCount(rtn) + 1) * m.Step;
    for (std::size_t first = 0; first < nets; first += per) {
        const std::size_t count = std::min(per, nets - first);
        pictures.emplace_back();
        Picture& picture = pictures.back();
        StartPicture(picture, width, static_cast<int32_t>(count) * LineHeight);
        PictureRecorder canvas(picture, measurer);
        PrepareCanvas(canvas, picture);
        for (std::size_t row = 0; row < count; ++row)
            if (!DrawRtnLine(canvas, m, linesAllowed, rtn[first + row], static_cast<int32_t>(row),
                             HighlightOf(highlight, first + row)))
                return false;
    }
    return true;
}

std::vector<std::string> SplitFileNames(const std::string& path, std::size_t count) {
    const std::string ext = FileExtension(path).substr(0, 4);
    const std::string base = path.substr(0, path.size() - ext.size());
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count; ++i)
        names.push_back(base + "_" + IntToStr(static_cast<long long>(i)) + ext);
    return names;
}

} // namespace gramarbor
