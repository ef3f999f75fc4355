// Writes recorded pictures as Windows metafiles in the non-enhanced format, with a
// placeable header of 96 units per inch so that one drawing unit is one pixel.
#pragma once

#include <string>

#include "picture/picture.h"

namespace gramarbor {

// The complete file: placeable header, metafile header, a full-size white
// background, one or more records per recorded call, end-of-file record.
// Lines are clipped to the picture and calls wholly outside it left out (readers
// that scale the drawn extent would otherwise shrink the picture); coordinates
// outside the 16-bit range of the format are clamped. A picture larger than the
// format's 32767 units is written in coarser units (fewer units per inch) so that
// its physical size stays the same. A picture with a
// width or height below 1 gets a box of at least 1 x 1.
std::string WriteWmfBytes(const Picture& picture);

// Writes the metafile through a temporary file that replaces path only when it has
// been written completely, so a failed save keeps an existing file. errorText (when
// given) receives a short English reason on failure.
bool SavePictureAsWmf(const Picture& picture, const std::string& path,
                      std::string* errorText = nullptr);

} // namespace gramarbor
