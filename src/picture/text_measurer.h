// Text widths for canvases that do not draw on a device of their own (recorded
// pictures measure through the device they will be shown on).
#pragma once

#include <cstdint>
#include <string_view>

#include "picture/canvas.h"

namespace gramarbor {

// The vertical measures of a font as text output uses them, in drawing units.
struct TFontMeasures {
    double EmSize = 0;       // the character height (a size in pixels)
    int32_t Ascent = 0;      // from the top of the text cell down to the baseline
    int32_t Descent = 0;     // from the baseline down to the bottom of the cell
    double UnderlinePos = 0; // the underline's centre below the baseline
    double StrikeOutPos = 0; // the strike-out line's centre above the baseline
    double LineWidth = 1;    // the thickness of both lines
};

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual int32_t TextWidth(const TFont& font, std::string_view text) = 0;
    // The measures of the font. By default those of Arial, whatever the font name:
    // measurers that only forward widths need nothing better.
    virtual TFontMeasures FontMeasures(const TFont& font);
};

// Widths from built-in Arial advance widths, whatever the font name: deterministic,
// independent of installed fonts, close to what the Qt canvas measures for Arial
// (Liberation Sans). Bold adds a tenth.
class ApproxTextMeasurer final : public TextMeasurer {
public:
    int32_t TextWidth(const TFont& font, std::string_view text) override;
};

// Arial's em size divided by its cell height (ascent plus descent).
inline constexpr double ArialCellToEm = 2048.0 / 2288.0;

} // namespace gramarbor
