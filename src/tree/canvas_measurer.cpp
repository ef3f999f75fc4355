// Text measuring through a canvas.
#include "tree/canvas_measurer.h"

namespace gramarbor {

int32_t CanvasTextMeasurer::TextWidth(const TFont& font, std::string_view text) {
    const TFont saved = Target.State.Font;
    Target.State.Font = font;
    const int32_t width = Target.TextWidth(text);
    Target.State.Font = saved;
    return width;
}

} // namespace gramarbor
