// Node markup, node boxes and the drawing of a tree into its picture.
#include "tree/tree.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "picture/arrow_head.h"
#include "text/text_utils.h"
#include "tree/canvas_measurer.h"
#include "tree/move_arrow_routes.h"
#include "tree/node_geometry.h"

namespace gramarbor {

int32_t TTree::MarkupTextOut(Canvas& canvas, int32_t x, int32_t y, std::string_view line,
                             const TNodeAttr& attr) {
    const int32_t fs = attr.FontSize;
    const int32_t idxSize = IndexFontSize(fs);
    const int32_t shift = IndexShift(fs);
    TFont font = canvas.State.Font;
    const bool drawing = int64_t(x) + y >= 0;
    // Widths add up in 64 bits; the result saturates, so that an absurdly wide line
    // stays too wide to be drawn instead of wrapping to a small width.
    int64_t total = 0, dx = 0;
    int32_t yoff = 0;

    bool pendItalic = false, pendBold = false, pendUnder = false, pendStrike = false;
    bool pendUpper = false, pendLower = false, pendFont = false, pendReset = false;
    bool upper = false, lower = false;
    std::string fontName;

    auto reset = [&] {
        pendItalic = pendBold = pendUnder = pendStrike = false;
        pendUpper = pendLower = pendFont = false;
        upper = lower = false;
        font.Style = attr.FontStyle;
        font.Height = fs;
        font.Name = FontName;
        yoff = 0;
        canvas.State.Font = font;
    };

    reset();
    std::string_view rest = line;
    for (;;) {
        if (pendReset) {
            reset();
            pendReset = false;
        }
        const std::size_t p = rest.find('%');
        std::size_t next = 0;
        if (p != std::string_view::npos) {
            next = p + 1; // not a tag: only the "%" is dropped
            if (p + 1 < rest.size()) {
                switch (UpCaseChar(rest[p + 1])) {
                case '%':
                    pendReset = true;
                    next = p + 2;
                    break;
                case 'I':
                    pendItalic = true;
                    next = p + 2;
                    break;
                case 'B':
                    pendBold = true;
                    next = p + 2;
                    break;
                case 'U':
                    pendUnder = true;
                    next = p + 2;
                    break;
                case 'S':
                    pendStrike = true;
                    next = p + 2;
                    break;
                case '^':
                    pendUpper = true;
                    next = p + 2;
                    break;
                case '_':
                    pendLower = true;
                    next = p + 2;
                    break;
                case '\'': {
                    const std::size_t q = rest.find('\'', p + 2);
                    if (q == std::string_view::npos) {
                        ReportError(teApostropheExpected, "\"" + std::string(rest) + "\".");
                        return 0;
                    }
                    fontName = std::string(rest.substr(p + 2, q - p - 2));
                    pendFont = true;
                    next = q + 1;
                    break;
                }
                default:
                    break;
                }
            }
        }
        const std::string_view piece = rest.substr(0, p);
        if (!piece.empty()) {
            const int32_t w = canvas.TextWidth(piece);
            total += w;
            if (drawing)
                canvas.TextOut(ClampToInt32(x + dx), ClampToInt32(int64_t(y) + yoff), piece);
            dx += w;
        }
        if (pendUpper) {
            upper = !upper;
            if (upper) {
                yoff = -(shift / 3);
                font.Height = idxSize;
                lower = false;
                pendLower = false;
            }
        }
        if (pendLower) {
            lower = !lower;
            if (lower) {
                yoff = shift;
                font.Height = idxSize;
                upper = false;
            }
        }
        if (!upper && !lower) {
            yoff = 0;
            font.Height = fs;
        }
        if (pendItalic) font.Style ^= fsItalic;
        if (pendBold) font.Style ^= fsBold;
        if (pendUnder) font.Style ^= fsUnderline;
        if (pendStrike) font.Style ^= fsStrikeOut;
        if (pendFont) font.Name = fontName.empty() ? FontName : fontName;
        pendItalic = pendBold = pendUnder = pendStrike = pendUpper = pendLower = pendFont = false;
        canvas.State.Font = font;
        if (p == std::string_view::npos) return ClampToInt32(total);
        rest = rest.substr(next);
    }
}

int32_t TTree::MarkupWidth(Canvas& canvas, const TNodeAttr& attr, std::string_view line) {
    return MarkupTextOut(canvas, -1, -1, line, attr);
}

int32_t TTree::LinesWidth(Canvas& canvas, const TNodeAttr& attr,
                          const std::vector<std::string>& lines) {
    int32_t widest = 0;
    for (const std::string& line : lines)
        widest = std::max(widest, MarkupWidth(canvas, attr, line));
    return widest;
}

TRect TTree::NodeBox(Canvas& canvas, int32_t left, int32_t top, int32_t width,
                     const std::vector<std::string>& lines, const TNodeAttr& attr, bool draw) {
    // Display draws only boxes whose coordinates it has checked; other callers get
    // coordinates limited to 32 bits rather than wrapped.
    const NodeBoxSize size = MeasureNodeBox(attr, width, lines.size());
    const TRect box{left, top, ClampToInt32(left + size.Width), ClampToInt32(top + size.Height)};
    if (!draw) return box;
    const int32_t fs = attr.FontSize;
    const int32_t d = static_cast<int32_t>(size.Margin);
    canvas.State.BrushStyle = TBrushStyle::bsSolid;
    canvas.State.BrushColor = clWhite;
    canvas.FillRect(box);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int32_t y =
            ClampToInt32(int64_t(top) + 2 + static_cast<int64_t>(i) * (fs + attr.LineDist));
        const int64_t w = MarkupWidth(canvas, attr, lines[i]);
        const int64_t c = int64_t(left) + width / 2;
        int64_t lx = c - w / 2;
        if (attr.Flags & naCenter)
            lx = c - w / 2;
        else if (attr.Flags & naLeft)
            lx = left;
        else if (attr.Flags & naRight)
            lx = int64_t(left) + width - w;
        MarkupTextOut(canvas, ClampToInt32(lx + d), y, lines[i], attr);
    }
    if ((Options & toFrames) && (attr.Flags & (naAngular | naRound | naBrackets))) {
        canvas.State.BrushStyle = TBrushStyle::bsClear;
        if (attr.Flags & naRound) {
            const int32_t a = RoundCorner(fs);
            canvas.RoundRect(box, a, a);
        } else if (attr.Flags & naAngular) {
            canvas.Rectangle(box);
        } else {
            const int32_t b = BracketArm(fs);
            canvas.MoveTo(box.Left + b, box.Top);
            canvas.LineTo(box.Left, box.Top);
            canvas.LineTo(box.Left, box.Bottom - 1);
            canvas.LineTo(box.Left + b, box.Bottom - 1);
            canvas.MoveTo(box.Right - b, box.Top);
            canvas.LineTo(box.Right - 1, box.Top);
            canvas.LineTo(box.Right - 1, box.Bottom - 1);
            canvas.LineTo(box.Right - b, box.Bottom - 1);
        }
    }
    return box;
}

namespace {

// Direction of an arrow from (0, 0) to (dx, dy) in whole degrees, clockwise on the screen.
int ArrowAngle(int32_t dx, int32_t dy) {
    if (dx == 0) return 90;
    const double degrees = std::atan(double(dy) / double(dx)) * 180.0 / 3.14159265358979323846;
    int angle = static_cast<int>(std::nearbyint(degrees));
    if (dx < 0) angle += 180;
    return angle;
}

} // namespace

void TTree::DrawNodes(Canvas& canvas, TNode* start, int32_t offsX, int32_t offsY) {
    struct Frame {
        TNode* Node;
        int32_t NX;
        int32_t NY;
        int32_t H;
        std::size_t Next;
    };
    std::vector<Frame> stack;
    std::vector<std::string> lines;

    // Drawing coordinates of a grid position; Extension has checked them.
    auto atX = [&](int64_t column) { return ClampToInt32(column * ColumnWidth() + offsX); };
    auto atY = [&](int64_t level) { return ClampToInt32(level * VDist + offsY); };

    // Draws a node's own box (or chain line) and makes it the current frame; a
    // chain's children hang below its last placeholder.
    auto enter = [&](TNode* node) {
        const int32_t nx = atX(node->X);
        int32_t ny = atY(node->Y);
        canvas.State.PenColor = clBlack;
        const int32_t fs = node->Attr.FontSize;
        int32_t h = 0;
        if (node->Name == "$") {
            // The lines of a chain's placeholders, and those between them, cover
            // exactly one line from the first to the last.
            const int32_t lastY = atY(int64_t(node->Y) + node->Levels - 1);
            canvas.MoveTo(nx, std::min(ny, lastY) - 2);
            canvas.LineTo(nx, std::max(ny, lastY) + fs + 4);
            ny = lastY;
        } else {
            SplitString(node->Name, "|", &lines);
            canvas.State.Font.Color = node->TextColor;
            const int32_t w = LinesWidth(canvas, node->Attr, lines);
            node->Rect =
                NodeBox(canvas, nx - w / 2 - BoxMargin(fs), ny - 2, w, lines, node->Attr, true);
            h = node->Rect.Bottom - ny;
        }
        stack.push_back({node, nx, ny, h, 0});
    };

    enter(start);
    while (!stack.empty()) {
        Frame& frame = stack.back();
        TNode* node = frame.Node;
        if (frame.Next < node->Children.size()) {
            TNode* child = node->Children[frame.Next].get();
            ++frame.Next;
            if (child) enter(child);
            continue;
        }
        // Everything below this node is drawn: its annotation box comes last.
        if (WithAnnotations && !node->Cont.empty()) {
            TNodeAttr anno = node->Attr;
            anno.Flags &= ~(naAngular | naRound | naBrackets);
            if (anno.Flags & naAnnoBrackets) anno.Flags |= naBrackets;
            canvas.State.Font.Color = node->TextColor;
            const int32_t w = LinesWidth(canvas, anno, node->Cont);
            NodeBox(canvas, frame.NX - w / 2 - BoxMargin(node->Attr.FontSize),
                    frame.NY + frame.H + 4, w, node->Cont, anno, true);
        }
        stack.pop_back();
        if (stack.empty()) break;

        // The connection from the parent to the node just finished.
        const Frame& parent = stack.back();
        const TNode* child = node;
        const int32_t cx = atX(child->X);
        const int32_t cy = atY(child->Y);
        // A placeholder's box is never drawn: it may hold anything a file held.
        const int64_t half = (int64_t(child->Rect.Right) - child->Rect.Left) / 2;
        const int32_t px = parent.NX;
        const int32_t py = parent.NY + parent.H;
        canvas.State.PenColor = clBlack;
        if ((Options & toTriangles) && (child->Attr.Flags & naTriangle)) {
            canvas.MoveTo(px, py);
            canvas.LineTo(ClampToInt32(cx - half), cy - 3);
            canvas.LineTo(ClampToInt32(cx + half), cy - 3);
            canvas.LineTo(px, py);
        } else {
            canvas.MoveTo(px, py);
            canvas.LineTo(cx, cy - 2);
            if ((Options & toArrows) && (child->Attr.Flags & naArrow))
                DrawArrowHead(canvas, {cx, cy - 2}, ArrowAngle(cx - px, (cy - 2) - py), true, 8, 4,
                              -2);
        }
    }
    canvas.State.Font.Color = clBlack;
}

bool TTree::Display(Canvas& canvas, int32_t marginX, int32_t marginY, TNode* node, bool doLayout,
                    bool showOnCanvas, Picture& picture) {
    if (!node) return false;
    try {
        if (doLayout && !((Options & toTidy) ? TidyPositions(canvas) : Positions())) {
            ReportError(teDraw, "");
            return false;
        }
        if ((Options & toPlane) && !PlaneTree(node, (Options & toPlaneOK) != 0)) {
            ReportError(teDraw, "");
            return false;
        }
        const int32_t penWidth = (Options & toBoldLines) ? 2 : 1;
        canvas.State.PenWidth = penWidth;
        TRect extent;
        if (!Extension(canvas, node, extent, GridExtent)) {
            ReportError(teDraw, "");
            return false;
        }
        // The extent lies within MaxDrawingCoordinate; with the margins bounded as
        // well, every coordinate drawn fits into 32 bits.
        // Movement arrows below the leaves need room below the lowest box.
        const std::vector<TArrowRoute> routes = RouteArrows(MoveArrows(node));
        const int64_t width = int64_t(extent.Right) - extent.Left + 2 * int64_t(marginX);
        const int64_t height =
            int64_t(extent.Bottom) + 2 * int64_t(marginY) + MoveArrowDepth(routes);
        const int64_t offsX = int64_t(marginX) - extent.Left;
        const int64_t offsY = int64_t(marginY) + 2;
        const auto within = [](int64_t margin) {
            return margin >= -MaxDrawingCoordinate / 2 && margin <= MaxDrawingCoordinate / 2;
        };
        if (!within(marginX) || !within(marginY) || width < 0 || height < 0) {
            ReportError(teDraw, TooLargeToDrawContext);
            return false;
        }
        picture.Clear();
        picture.Width = static_cast<int32_t>(width);
        picture.Height = static_cast<int32_t>(height);
        CanvasTextMeasurer measurer(canvas);
        PictureRecorder recorder(picture, measurer);
        recorder.State.PenWidth = penWidth;
        DrawNodes(recorder, node, static_cast<int32_t>(offsX), static_cast<int32_t>(offsY));
        if (!routes.empty()) DrawMoveArrows(recorder, routes, int64_t(extent.Bottom) + marginY);
        if (showOnCanvas) picture.Replay(canvas, 0, 0);
        return true;
    } catch (const std::bad_alloc&) {
        ReportError(teNoMemory, "");
        ReportError(teDraw, "");
        return false;
    }
}

bool TTree::Show(Canvas& canvas, int32_t marginX, int32_t marginY) {
    return Display(canvas, marginX, marginY, Root.get(), true, true, Metafile);
}

bool TTree::Draw(Canvas& canvas, int32_t marginX, int32_t marginY, TNode* node, bool doLayout) {
    return Display(canvas, marginX, marginY, node, doLayout, true, Metafile);
}

} // namespace gramarbor
