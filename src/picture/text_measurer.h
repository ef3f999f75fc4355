// Text widths for canvases that do not draw on a device of their own (recorded
// pictures measure through the device they will be shown on).
#pragma once

#include <cstdint>
#include <string_view>

#include "picture/canvas.h"

namespace gramarbor {

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual int32_t TextWidth(const TFont& font, std::string_view text) = 0;
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
