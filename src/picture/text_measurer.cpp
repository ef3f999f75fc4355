// Text widths estimated without a device, for recorded pictures and tests.
#include "picture/text_measurer.h"

#include <algorithm>
#include <cmath>

namespace gramarbor {

namespace {

// Advance widths in thousandths of an em for the characters 32..126.
constexpr int16_t AsciiWidths[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333,  278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, 1015, 667, 667, 722, 722, 667,
    611, 778, 722, 278, 500, 667, 556, 833, 722, 778, 667, 778, 722, 667,  611, 722, 667, 944, 667,
    667, 611, 278, 278, 278, 469, 556, 333, 556, 556, 500, 556, 556, 278,  556, 556, 222, 222, 500,
    222, 833, 556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500,  500, 334, 260, 334, 584};

int CharWidth(unsigned char c) {
    if (c >= 32 && c <= 126) return AsciiWidths[c - 32];
    if (c < 32) return 0;
    return 600;
}

} // namespace

TFontMeasures TextMeasurer::FontMeasures(const TFont& font) {
    // Arial's measures in units of its 2048-unit em; the text cell is ascent plus
    // descent, each rounded up to whole units as font engines do.
    const double em = FontEmSize(font.Height, ArialCellToEm);
    const auto units = [em](double share) {
        return static_cast<int32_t>(std::min(std::ceil(em * share / 2048.0 - 1e-9), 1e9));
    };
    TFontMeasures measures{em, units(1854), units(434)};
    measures.UnderlinePos = em * 217 / 2048;
    measures.StrikeOutPos = measures.Ascent / 3.0;
    measures.LineWidth = std::max(1.0, std::round(em * 150 / 2048));
    return measures;
}

int32_t ApproxTextMeasurer::TextWidth(const TFont& font, std::string_view text) {
    const double em = FontEmSize(font.Height, ArialCellToEm);
    long total = 0;
    for (const char c : text)
        total += CharWidth(static_cast<unsigned char>(c));
    double width = total * em / 1000.0;
    if (font.Style & fsBold) width *= 1.1;
    // A width beyond 32 bits saturates instead of wrapping to a small one.
    return static_cast<int32_t>(std::lround(std::min(width, 2147483647.0)));
}

} // namespace gramarbor
