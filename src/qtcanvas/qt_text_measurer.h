// Text widths measured with Qt's font metrics, for pictures recorded for the screen
// and for exports.
#pragma once

#include "picture/text_measurer.h"

namespace gramarbor {

// Measures with QFontMetrics on the font QtFontFor gives. Needs a QGuiApplication
// (see EnsureGuiApplication).
class QtTextMeasurer final : public TextMeasurer {
public:
    int32_t TextWidth(const TFont& font, std::string_view text) override;
    // The pixel size of the font QtFontFor gives, its ascent and descent, and where
    // Qt draws its underline and strike-out lines.
    TFontMeasures FontMeasures(const TFont& font) override;
};

} // namespace gramarbor
