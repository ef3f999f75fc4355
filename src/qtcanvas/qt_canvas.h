// A Canvas that draws on a QPainter with the conventions of the Windows graphics
// interface (see picture/canvas.h), so that the screen, the exported images and the
// metafiles show the same drawing.
#pragma once

#include <QFont>

#include "picture/canvas.h"

class QFontMetrics;
class QPainter;
class QPainterPath;

namespace gramarbor {

// The Qt font for a canvas font: the name mapped to an installed, metric-compatible
// family ("Arial" to Liberation Sans, "Times New Roman" to Liberation Serif,
// "Courier New" to Liberation Mono), the style bits applied, and a pixel size chosen
// so that a positive height is the cell height (ascent plus descent) and a negative
// height the character height. Needs a QGuiApplication.
QFont QtFontFor(const TFont& font);

// The installed family used for a font name.
QString QtFamilyFor(const std::string& name);

// The advance width of text, measured in pieces short enough for Qt's fixed-point
// arithmetic (which wraps near 2^25 pixels) and summed without wrapping; widths
// beyond the int32 range give its largest value.
int32_t AdvanceWidth(const QFontMetrics& metrics, const QString& text);

class QtCanvas final : public Canvas {
public:
    // The painter must be active while the canvas draws; the canvas changes its pen,
    // brush, font and composition mode.
    explicit QtCanvas(QPainter& painter);

    int32_t TextWidth(std::string_view text) override;
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
    void ApplyPen(bool withBrush);
    void ApplyMode();
    bool XorPossible() const;
    void FillInsideForXor(const QPainterPath& outline);

    QPainter& Painter;
};

} // namespace gramarbor
