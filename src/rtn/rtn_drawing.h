// Drawing the network through a canvas: one band per net with its name, the nodes
// as ellipses and every condition as an arc or line with a label and an arrow head.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "picture/canvas.h"
#include "picture/picture.h"
#include "picture/text_measurer.h"
#include "rtn/rtn_layout.h"
#include "rtn/rtn_model.h"

namespace gramarbor {

// Slots of a condition: 0 small upper arc, 1 small lower arc, 2 big upper arc,
// 3 big lower arc, 4 straight line, -1 the loop back of a repeated node.
inline constexpr int SlotBackward = -1;
inline constexpr int SlotStraight = 4;

// Text font of the picture ("Arial" with a cell height of 8 pixels), then 8 points
// for names and 6 points for condition labels.
inline constexpr int NameFontPoints = 8;
inline constexpr int LabelFontPoints = 6;

// What a walk through the network marks: the name of net Net and, when Node and
// Condition are not negative, condition Condition of node Node's list in that net.
// Marked parts are drawn in HighlightColor, lines HighlightPenWidth pixels wide.
struct TArcHighlight {
    int64_t Net = -1;
    int64_t Node = -1;
    int64_t Condition = -1;
    bool operator==(const TArcHighlight&) const = default;
};
inline constexpr TColor HighlightColor = clRed;
inline constexpr int32_t HighlightPenWidth = 3;

// x minus half the width of text on the canvas.
int32_t CenterTextX(Canvas& canvas, int32_t x, std::string_view text);

// The label of a condition: direct text between the single guillemets.
std::string ConditionLabel(const TRTNNode& cond);

// Slot of condition c of a node with count conditions.
int ConditionSlot(const TRTNNode& cond, std::size_t c, std::size_t count);

bool DrawCondition(Canvas& canvas, const TRtnMetrics& metrics, int32_t row, const TRTNNode& cond,
                   int slot, bool straight, bool highlighted = false);
// highlight applies when its Net is this net.
bool DrawRtnLine(Canvas& canvas, const TRtnMetrics& metrics, bool linesAllowed, const TRTNLine& net,
                 int32_t row, const TArcHighlight& highlight = {});

// Redraws picture: (MaxNodeCount + 1) steps wide, one line height per net.
bool DrawRtn(Picture& picture, TextMeasurer& measurer, const TRtn& rtn, const TRtnMetrics& metrics,
             bool linesAllowed, const TArcHighlight& highlight = {});

// Splits the nets over parts pictures (parts < 0: ten nets per picture), each with
// rows counted from 0. Only parts that receive at least one net get a picture, so
// fewer pictures than parts result when there are few nets.
bool MakeSplitPictures(std::vector<Picture>& pictures, TextMeasurer& measurer, const TRtn& rtn,
                       const TRtnMetrics& metrics, bool linesAllowed, int parts,
                       const TArcHighlight& highlight = {});

// File names of the split export: "RTN.WMF" gives "RTN_0.WMF", "RTN_1.WMF", ...
std::vector<std::string> SplitFileNames(const std::string& path, std::size_t count);

} // namespace gramarbor
