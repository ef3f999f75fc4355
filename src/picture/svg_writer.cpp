// Writes a recorded picture as an SVG document, one element (or two, for text on a
// background) per recorded call.
#include "picture/svg_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string_view>

#include "text/cp1252.h"

namespace gramarbor {

namespace {

// Shapes drawn with the XOR pen are shown as they look on this background.
constexpr TColor XorBackground = clWhite;

// Font heights beyond what a metafile can hold are drawn at that height, as on the
// Qt canvas.
constexpr int32_t MaxFontHeight = 32767;

class SvgOut {
public:
    std::string Text;

    void Raw(std::string_view text) { Text.append(text); }

    // Fixed notation with at most three decimals, trailing zeros dropped: the same
    // text in every locale. Written from thousandths in integers, because the
    // WebAssembly build's library has no floating-point to_chars.
    void Num(double value) {
        // Coordinates beyond this are clamped; none of a picture's come near it.
        constexpr double Limit = 1e15;
        if (!std::isfinite(value)) value = 0;
        value = std::clamp(value, -Limit, Limit);
        long long thousandths = std::llround(value * 1000);
        if (thousandths < 0) {
            Raw("-");
            thousandths = -thousandths;
        }
        char buffer[32];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, thousandths / 1000);
        Raw(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
        int fraction = static_cast<int>(thousandths % 1000);
        if (fraction == 0) return;
        char digits[4] = {'.', static_cast<char>('0' + fraction / 100),
                          static_cast<char>('0' + fraction / 10 % 10),
                          static_cast<char>('0' + fraction % 10)};
        std::size_t length = 4;
        while (digits[length - 1] == '0')
            --length;
        Raw(std::string_view(digits, length));
    }

    void Attr(std::string_view name, double value) {
        Raw(" ");
        Raw(name);
        Raw("=\"");
        Num(value);
        Raw("\"");
    }

    // value must already be escaped.
    void Attr(std::string_view name, std::string_view value) {
        Raw(" ");
        Raw(name);
        Raw("=\"");
        Raw(value);
        Raw("\"");
    }

    void Color(std::string_view name, TColor color) {
        static constexpr char digits[] = "0123456789abcdef";
        char text[7] = {'#'};
        const uint8_t parts[3] = {ColorRed(color), ColorGreen(color), ColorBlue(color)};
        for (int i = 0; i < 3; ++i) {
            text[1 + 2 * i] = digits[parts[i] >> 4];
            text[2 + 2 * i] = digits[parts[i] & 15];
        }
        Attr(name, std::string_view(text, 7));
    }

    void Point(double x, double y) {
        Num(x);
        Raw(",");
        Num(y);
    }
};

// Control characters and the bytes Windows-1252 leaves undefined have no place in XML.
bool LeftOut(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F ||
           byte == 0x90 || byte == 0x9D;
}

// Windows-1252 text with XML's special characters escaped and the characters XML
// cannot hold (or that stand for nothing in Windows-1252) left out, as UTF-8.
std::string XmlText(std::string_view text, bool forAttribute = false) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (LeftOut(c)) continue;
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += forAttribute ? "&quot;" : "\"";
            break;
        default:
            escaped += c;
        }
    }
    return Cp1252ToUtf8(escaped);
}

// The font name as a quoted family name. Quotes inside a name cannot be written
// there and are left out; an empty name gives none.
std::string FontFamily(const std::string& name) {
    std::string family;
    for (const char c : name)
        if (c != '\'' && c != '"' && c != '\\') family += c;
    if (family.find_first_not_of(" \t") == std::string::npos) return "";
    return XmlText("'" + family + "'", true);
}

TColor Shown(TColor color, TPenMode mode) {
    return mode == TPenMode::pmXor ? (color ^ XorBackground) & 0xFFFFFF : color;
}

int32_t PenWidth(const TCanvasState& state) {
    return std::max(1, state.PenWidth);
}

// An odd pen puts its spare pixel right of and below the line, an even one is
// centred on it: the stroke's centre is half a pixel on for odd widths.
double PenOffset(const TCanvasState& state) {
    return PenWidth(state) % 2 ? 0.5 : 0.0;
}

void StrokeAttrs(SvgOut& out, const TCanvasState& state) {
    out.Color("stroke", Shown(state.PenColor, state.PenMode));
    if (PenWidth(state) != 1) out.Attr("stroke-width", PenWidth(state));
}

void FillAttrs(SvgOut& out, const TCanvasState& state) {
    if (state.BrushStyle == TBrushStyle::bsClear)
        out.Attr("fill", "none");
    else
        out.Color("fill", Shown(state.BrushColor, state.PenMode));
}

// The outline of a box as the pen draws it: the pen's centre runs along the pixels
// just inside the box, so the right and bottom edges stay outside.
struct Outline {
    double X = 0, Y = 0, W = 0, H = 0;
};

Outline OutlineOf(const TRect& box, const TCanvasState& state) {
    const double offset = PenOffset(state);
    const int64_t width = std::abs(int64_t(box.Right) - box.Left);
    const int64_t height = std::abs(int64_t(box.Bottom) - box.Top);
    return {double(std::min(box.Left, box.Right)) + offset,
            double(std::min(box.Top, box.Bottom)) + offset, double(std::max<int64_t>(0, width - 1)),
            double(std::max<int64_t>(0, height - 1))};
}

bool EmptyBox(const TRect& box) {
    return box.Left == box.Right || box.Top == box.Bottom;
}

// A closed rectangular path, which still draws as a line when it has no width or
// height (where a rect element would draw nothing).
void RectPath(SvgOut& out, const Outline& o, const TCanvasState& state) {
    out.Raw("<path d=\"M");
    out.Point(o.X, o.Y);
    out.Raw("h");
    out.Num(o.W);
    out.Raw("v");
    out.Num(o.H);
    out.Raw("h");
    out.Num(-o.W);
    out.Raw("z\"");
    FillAttrs(out, state);
    StrokeAttrs(out, state);
    out.Raw("/>\n");
}

void WriteLine(SvgOut& out, const PictureOp& op) {
    const double dx = double(op.B.X) - op.A.X;
    const double dy = double(op.B.Y) - op.A.Y;
    const double steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0) return;
    const double offset = PenOffset(op.State);
    const double x = op.A.X + offset, y = op.A.Y + offset;
    if (steps == 1) {
        // Only the start point: one pen-sized dot.
        const double width = PenWidth(op.State);
        out.Raw("<rect");
        out.Attr("x", x - width / 2);
        out.Attr("y", y - width / 2);
        out.Attr("width", width);
        out.Attr("height", width);
        out.Color("fill", Shown(op.State.PenColor, op.State.PenMode));
        out.Raw("/>\n");
        return;
    }
    // The last pixel drawn is the one before the end point; the square caps cover
    // the first and the last pixel whole.
    const double keep = (steps - 1) / steps;
    out.Raw("<path d=\"M");
    out.Point(x, y);
    out.Raw("L");
    out.Point(x + dx * keep, y + dy * keep);
    out.Raw("\" fill=\"none\"");
    StrokeAttrs(out, op.State);
    out.Raw("/>\n");
}

void WriteEllipse(SvgOut& out, const PictureOp& op) {
    if (EmptyBox(op.Box)) return;
    const Outline o = OutlineOf(op.Box, op.State);
    if (o.W == 0 || o.H == 0) return RectPath(out, o, op.State);
    out.Raw("<ellipse");
    out.Attr("cx", o.X + o.W / 2);
    out.Attr("cy", o.Y + o.H / 2);
    out.Attr("rx", o.W / 2);
    out.Attr("ry", o.H / 2);
    FillAttrs(out, op.State);
    StrokeAttrs(out, op.State);
    out.Raw("/>\n");
}

void WriteRoundRect(SvgOut& out, const PictureOp& op) {
    if (EmptyBox(op.Box)) return;
    const Outline o = OutlineOf(op.Box, op.State);
    // The corner ellipse is at most as large as the box.
    const double rx = std::min(std::abs(double(op.A.X)) / 2, o.W / 2);
    const double ry = std::min(std::abs(double(op.A.Y)) / 2, o.H / 2);
    if (rx <= 0 || ry <= 0) return RectPath(out, o, op.State);
    out.Raw("<rect");
    out.Attr("x", o.X);
    out.Attr("y", o.Y);
    out.Attr("width", o.W);
    out.Attr("height", o.H);
    out.Attr("rx", rx);
    out.Attr("ry", ry);
    FillAttrs(out, op.State);
    StrokeAttrs(out, op.State);
    out.Raw("/>\n");
}

void WriteArc(SvgOut& out, const PictureOp& op) {
    const TRect& box = op.Box;
    const Outline o = OutlineOf(box, op.State);
    const double rx = o.W / 2, ry = o.H / 2;
    const double cx = o.X + rx, cy = o.Y + ry;
    // The rays start at the centre of the box as given; the ray through a point meets
    // the ellipse at the parameter of the point scaled onto the unit circle.
    const double rayX = (double(box.Left) + box.Right) / 2;
    const double rayY = (double(box.Top) + box.Bottom) / 2;
    const auto angleOf = [&](TPoint p) {
        const double ux = rx > 0 ? (p.X - rayX) / rx : (p.X - rayX);
        const double uy = ry > 0 ? (rayY - p.Y) / ry : (rayY - p.Y);
        return std::atan2(uy, ux);
    };
    constexpr double fullTurn = 2 * std::numbers::pi;
    const double from = angleOf(op.A);
    // Counter-clockwise on the screen (y down); equal rays give the whole ellipse.
    double span = std::fmod(angleOf(op.B) - from, fullTurn);
    if (span <= 1e-9) span += fullTurn;
    const auto at = [&](double t) { out.Point(cx + rx * std::cos(t), cy - ry * std::sin(t)); };
    // Two halves, so that no piece needs the large-arc flag and a whole ellipse
    // (whose start and end coincide) is drawn too.
    out.Raw("<path d=\"M");
    at(from);
    for (int half = 1; half <= 2; ++half) {
        out.Raw("A");
        out.Point(rx, ry);
        out.Raw(" 0 0 0 ");
        at(from + span * half / 2);
    }
    out.Raw("\" fill=\"none\"");
    StrokeAttrs(out, op.State);
    out.Raw("/>\n");
}

void WritePolygon(SvgOut& out, const PictureOp& op) {
    if (op.Points.empty()) return;
    const double offset = PenOffset(op.State);
    out.Raw("<polygon points=\"");
    for (std::size_t i = 0; i < op.Points.size(); ++i) {
        if (i > 0) out.Raw(" ");
        out.Point(op.Points[i].X + offset, op.Points[i].Y + offset);
    }
    out.Raw("\" fill-rule=\"evenodd\"");
    FillAttrs(out, op.State);
    StrokeAttrs(out, op.State);
    out.Raw("/>\n");
}

void WriteText(SvgOut& out, const PictureOp& op, TextMeasurer& measurer) {
    if (op.Text.empty()) return;
    TFont font = op.State.Font;
    font.Height = std::clamp(font.Height == 0 ? PointsToFontHeight(8) : font.Height, -MaxFontHeight,
                             MaxFontHeight);
    const TFontMeasures measures = measurer.FontMeasures(font);
    const int32_t width = measurer.TextWidth(font, op.Text);
    if (op.State.BrushStyle == TBrushStyle::bsSolid && width > 0) {
        // The opaque cell behind the text.
        out.Raw("<rect");
        out.Attr("x", op.A.X);
        out.Attr("y", op.A.Y);
        out.Attr("width", width);
        out.Attr("height", double(measures.Ascent) + measures.Descent);
        out.Color("fill", op.State.BrushColor);
        out.Raw("/>\n");
    }
    const std::string text = XmlText(op.Text);
    if (text.empty()) return;
    out.Raw("<text");
    out.Attr("x", op.A.X);
    out.Attr("y", double(op.A.Y) + measures.Ascent);
    const std::string family = FontFamily(font.Name);
    if (!family.empty()) out.Attr("font-family", family);
    out.Attr("font-size", measures.EmSize);
    if (font.Style & fsBold) out.Attr("font-weight", "bold");
    if (font.Style & fsItalic) out.Attr("font-style", "italic");
    out.Color("fill", font.Color);
    // The measured width, so that a viewer with other fonts still fits the text into
    // the boxes drawn around it.
    if (width > 0) out.Attr("textLength", width);
    out.Raw(">");
    out.Raw(text);
    out.Raw("</text>\n");
    // Underline and strike-out as bands of their own on the rows the canvas fills
    // (the pixels whose centres the line covers, the underline's centre half a
    // pixel below a whole row): every viewer draws them the same, whether it knows
    // text decoration or not.
    const double baseline = double(op.A.Y) + measures.Ascent;
    const auto band = [&](double centre) {
        const double half = std::clamp(measures.LineWidth, 0.0, 1e6) / 2;
        double top = std::ceil(centre - half - 0.5);
        const double bottom = std::max(top, std::ceil(centre + half - 0.5) - 1);
        if (!std::isfinite(top) || !std::isfinite(bottom)) return;
        out.Raw("<rect");
        out.Attr("x", op.A.X);
        out.Attr("y", top);
        out.Attr("width", width);
        out.Attr("height", bottom - top + 1);
        out.Color("fill", font.Color);
        out.Raw("/>\n");
    };
    if (width <= 0) return;
    if (font.Style & fsUnderline) band(baseline + std::ceil(measures.UnderlinePos) + 0.5);
    if (font.Style & fsStrikeOut) band(baseline - measures.StrikeOutPos);
}

void WriteOp(SvgOut& out, const PictureOp& op, TextMeasurer& measurer) {
    switch (op.Kind) {
    case PictureOpKind::Text:
        return WriteText(out, op, measurer);
    case PictureOpKind::Line:
        return WriteLine(out, op);
    case PictureOpKind::Rectangle:
        if (!EmptyBox(op.Box)) RectPath(out, OutlineOf(op.Box, op.State), op.State);
        return;
    case PictureOpKind::FillRect: {
        if (op.State.BrushStyle == TBrushStyle::bsClear) return;
        const int64_t width = int64_t(op.Box.Right) - op.Box.Left;
        const int64_t height = int64_t(op.Box.Bottom) - op.Box.Top;
        if (width <= 0 || height <= 0) return;
        out.Raw("<rect");
        out.Attr("x", op.Box.Left);
        out.Attr("y", op.Box.Top);
        out.Attr("width", double(width));
        out.Attr("height", double(height));
        out.Color("fill", op.State.BrushColor);
        out.Raw("/>\n");
        return;
    }
    case PictureOpKind::RoundRect:
        return WriteRoundRect(out, op);
    case PictureOpKind::Ellipse:
        return WriteEllipse(out, op);
    case PictureOpKind::Arc:
        return WriteArc(out, op);
    case PictureOpKind::Polygon:
        return WritePolygon(out, op);
    }
}

// The fewest bytes a call can take in the document: a call that cannot fit is
// refused before its element is built. Characters left out of the text count nothing.
std::size_t LeastBytes(const PictureOp& op) {
    const auto kept = static_cast<std::size_t>(
        op.Text.size() - std::count_if(op.Text.begin(), op.Text.end(), LeftOut));
    return kept / 4 + op.Points.size() * 4;
}

} // namespace

std::string WriteSvgText(const Picture& picture) {
    ApproxTextMeasurer measurer;
    return WriteSvgText(picture, measurer, MaxSvgBytes);
}

std::string WriteSvgText(const Picture& picture, TextMeasurer& measurer, std::size_t maxBytes) {
    const int32_t width = std::max(1, picture.Width);
    const int32_t height = std::max(1, picture.Height);
    SvgOut out;
    out.Raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    out.Raw("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"");
    out.Attr("width", width);
    out.Attr("height", height);
    out.Raw(" viewBox=\"0 0 ");
    out.Num(width);
    out.Raw(" ");
    out.Num(height);
    out.Raw("\" xml:space=\"preserve\">\n");
    out.Raw("<g stroke-linecap=\"square\" stroke-linejoin=\"miter\">\n");
    constexpr std::string_view closing = "</g>\n</svg>\n";
    for (const PictureOp& op : picture.Calls()) {
        if (LeastBytes(op) > maxBytes - std::min(maxBytes, out.Text.size())) return {};
        WriteOp(out, op, measurer);
        if (out.Text.size() > maxBytes) return {};
    }
    out.Raw(closing);
    if (out.Text.size() > maxBytes) return {};
    return std::move(out.Text);
}

std::string SvgTooLargeText(std::size_t limit) {
    return "The picture is too large for an SVG file (more than " + std::to_string(limit) +
           " bytes)";
}

} // namespace gramarbor
