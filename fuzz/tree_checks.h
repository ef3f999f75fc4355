// Checks of drawing and plane layout shared by the tree fuzz targets.
#pragma once

#include "base/message_sink.h"
#include "tree/tree.h"

namespace gramarbor::fuzz {

// Lays the tree out and draws it: either every node box lies inside the picture
// (so no size wrapped), and the metafile is well formed, or the tree is refused with
// the message for trees too large to be drawn or beyond the layout grid (or a markup
// error came first). The tree's options decide plane layout, frames and the like.
void CheckTreeDrawing(TTree& tree, RecordingSink& sink);

// The plane layout with chains changes the tree's text only by placeholders: read
// back, the text gives a tree the plane layout leaves alone, and leaving the plane
// layout restores the text the tree had (unless the tree had nodes named "$").
void CheckPlaneChains(TTree& tree);

} // namespace gramarbor::fuzz
