// Structural check of a written metafile, for the targets that draw.
#pragma once

#include "picture/picture.h"

namespace gramarbor::fuzz {

// Writes the picture as a metafile and checks its frame: placeable header, metafile
// header whose size and largest record match the records, records that tile the
// file exactly and end with the end-of-file record.
void CheckWmf(const Picture& picture);

} // namespace gramarbor::fuzz
