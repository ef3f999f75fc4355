// Writes recorded pictures as standalone SVG documents, without any toolkit: one
// drawing unit is one pixel of the document.
//
// The drawing follows the conventions of the canvas (picture/canvas.h) the way the
// Qt canvas shows them, so that an SVG viewer puts every shape on the pixels the
// program's own display uses: outlines lie on the pixels inside the box (right and
// bottom edges excluded), lines leave out their end point, arcs run counter-clockwise
// from the start ray to the end ray, text cells have their top-left corner at the
// point. Text is converted from Windows-1252 to UTF-8, with the characters XML cannot
// hold (control characters) left out; it names the font as requested (viewers
// substitute their own for fonts they lack) and carries its measured width, so that
// it fits the boxes drawn around it whatever font a viewer picks. Underline and
// strike-out are drawn as lines where the measurer's font has them.
//
// Calls drawn with the XOR pen (the transient focus frames of the network display)
// have no counterpart in SVG; they are drawn in the colours they show on the white
// background of a picture, the pen and brush colours inverted.
#pragma once

#include <cstddef>
#include <string>

#include "picture/picture.h"
#include "picture/text_measurer.h"

namespace gramarbor {

// The largest document written; larger ones are refused (see WriteSvgText).
inline constexpr std::size_t MaxSvgBytes = std::size_t(1) << 30;

// The document (UTF-8), width, height and view box the picture's size (at least
// 1 x 1). Fonts are measured by the approximate measurer (Arial's proportions).
// An empty string when the document would exceed MaxSvgBytes.
std::string WriteSvgText(const Picture& picture);

// The same with the font measures (ascent, text widths, font sizes) of the given
// measurer, which should be the one the picture was recorded with, and a limit of
// maxBytes: an empty string when the document would exceed it.
std::string WriteSvgText(const Picture& picture, TextMeasurer& measurer,
                         std::size_t maxBytes = MaxSvgBytes);

// The message for a picture whose document would exceed limit bytes.
std::string SvgTooLargeText(std::size_t limit);

} // namespace gramarbor
