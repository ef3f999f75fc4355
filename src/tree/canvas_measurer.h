// Measures text through a canvas, so that a recorded picture gets the widths of
// the canvas it will be shown on.
#pragma once

#include "picture/canvas.h"
#include "picture/text_measurer.h"

namespace gramarbor {

class CanvasTextMeasurer final : public TextMeasurer {
public:
    explicit CanvasTextMeasurer(Canvas& canvas) : Target(canvas) {}
    // Measures with the given font; the canvas's font is restored afterwards.
    int32_t TextWidth(const TFont& font, std::string_view text) override;

private:
    Canvas& Target;
};

// A canvas that draws nothing and only measures text through a measurer: the
// "screen" of programs that have none.
class MeasuringCanvas final : public Canvas {
public:
    explicit MeasuringCanvas(TextMeasurer& measurer) : Measurer(measurer) {}
    int32_t TextWidth(std::string_view text) override {
        return Measurer.TextWidth(State.Font, text);
    }
    void TextOut(int32_t, int32_t, std::string_view) override {}
    void Rectangle(const TRect&) override {}
    void FillRect(const TRect&) override {}
    void RoundRect(const TRect&, int32_t, int32_t) override {}
    void Ellipse(const TRect&) override {}
    void Arc(const TRect&, TPoint, TPoint) override {}
    void Polygon(const std::vector<TPoint>&) override {}

protected:
    void DrawLine(TPoint, TPoint) override {}

private:
    TextMeasurer& Measurer;
};

} // namespace gramarbor
