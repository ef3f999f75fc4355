// The drawing surface that every picture of the program is drawn through.
//
// Coordinates and sizes are integers in drawing units (one unit is one pixel at
// 96 dpi). The conventions are those of the Windows graphics interface, so that the
// same drawing calls give the same result on the screen, in a recorded picture and
// in a Windows metafile:
// - Rectangle, FillRect, RoundRect and Ellipse take a bounding box whose right and
//   bottom edges are excluded; LineTo does not draw its end point.
// - Shapes are outlined with the pen and filled with the brush (nothing is filled
//   when the brush style is clear).
// - TextOut places the top-left corner of the text cell at the point; with a solid
//   brush the cell is first filled with the brush colour, with a clear brush the
//   text is drawn transparently.
// - Arc draws the part of the ellipse in the box that runs counter-clockwise (as
//   seen on the screen) from the ray through start to the ray through end.
// The canvas keeps its state (pen, brush, font, pen position) in public fields that
// callers set directly; implementations read them when they draw.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gramarbor {

// A colour as 0x00BBGGRR (a Windows colour reference).
using TColor = uint32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
// Teal, red-green-blue (0, 128, 128): the XOR colour of the focus frames.
inline constexpr TColor clTeal = 0x808000;

inline constexpr uint8_t ColorRed(TColor color) {
    return color & 0xFF;
}
inline constexpr uint8_t ColorGreen(TColor color) {
    return (color >> 8) & 0xFF;
}
inline constexpr uint8_t ColorBlue(TColor color) {
    return (color >> 16) & 0xFF;
}

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

enum class TPenMode : uint8_t { pmCopy, pmXor };
enum class TBrushStyle : uint8_t { bsSolid, bsClear };

// Font style bits; the same values are stored in tree files.
inline constexpr uint8_t fsBold = 0x01;
inline constexpr uint8_t fsItalic = 0x02;
inline constexpr uint8_t fsUnderline = 0x04;
inline constexpr uint8_t fsStrikeOut = 0x08;

struct TFont {
    std::string Name = "Arial";
    // > 0: the cell height (ascent plus descent) in drawing units; < 0: the character
    // height (the em size) in drawing units, which is what a size in points gives;
    // 0: the canvas's default height (that of an 8-point font).
    int32_t Height = 0;
    uint8_t Style = 0;
    TColor Color = clBlack;
    bool operator==(const TFont&) const = default;
};

// Height of a font given in points, at 96 dpi (8 points give -11).
int32_t PointsToFontHeight(int points);
// The character height a TFont height stands for: for a cell height, the em size
// of a font whose ascent plus descent is that height (cellToEm is the font's
// em / (ascent + descent)); for 0 the default of 8 points.
double FontEmSize(int32_t height, double cellToEm);

struct TCanvasState {
    TColor PenColor = clBlack;
    int32_t PenWidth = 1;
    TPenMode PenMode = TPenMode::pmCopy;
    TBrushStyle BrushStyle = TBrushStyle::bsSolid;
    TColor BrushColor = clWhite;
    TFont Font;
    bool operator==(const TCanvasState&) const = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // Current pen, brush and font; set them directly.
    TCanvasState State;
    // Where the next LineTo starts.
    TPoint PenPos;

    // Width of text in the current font.
    virtual int32_t TextWidth(std::string_view text) = 0;
    virtual void TextOut(int32_t x, int32_t y, std::string_view text) = 0;
    void MoveTo(int32_t x, int32_t y) { PenPos = {x, y}; }
    // Draws from PenPos to (x, y) without the end point, then moves PenPos there.
    void LineTo(int32_t x, int32_t y);
    virtual void Rectangle(const TRect& box) = 0;
    // Fills the box with the brush; no outline.
    virtual void FillRect(const TRect& box) = 0;
    virtual void RoundRect(const TRect& box, int32_t cornerWidth, int32_t cornerHeight) = 0;
    virtual void Ellipse(const TRect& box) = 0;
    virtual void Arc(const TRect& box, TPoint start, TPoint end) = 0;
    // A closed polygon, outlined with the pen and filled with the brush.
    virtual void Polygon(const std::vector<TPoint>& points) = 0;

protected:
    virtual void DrawLine(TPoint from, TPoint to) = 0;
};

} // namespace gramarbor
