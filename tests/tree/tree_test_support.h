// Helpers shared by the tree tests: a measurer with exact widths and small builders.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_io.h"
#include "base/message_sink.h"
#include "common/golden_file.h"
#include "picture/picture.h"
#include "picture/text_measurer.h"
#include "tree/tree.h"

namespace gramarbor::testing {

// Every character is half the font height wide (5 for the default height); bold
// adds one unit per character.
class FixedMeasurer final : public TextMeasurer {
public:
    int32_t TextWidth(const TFont& font, std::string_view text) override {
        const int32_t height = font.Height > 0 ? font.Height : 10;
        const int32_t perChar = height / 2 + ((font.Style & fsBold) ? 1 : 0);
        return static_cast<int32_t>(text.size()) * perChar;
    }
};

// A canvas that records into its own picture and measures with FixedMeasurer.
struct RecordingCanvas {
    FixedMeasurer Measurer;
    Picture Recorded;
    PictureRecorder Canvas{Recorded, Measurer};
};

// A test with a tree (with annotations) whose messages are recorded:
// "using Suite = testing::TreeTest;" then TEST_F(Suite, ...).
class TreeTest : public ::testing::Test {
protected:
    RecordingSink sink;
    TTree tree{true, sink};
};

inline std::string WriteTree(TTree& tree) {
    std::string text;
    tree.TreeToStr(text);
    return text;
}

// Every node held in memory, in pre-order (a chain node once).
inline std::vector<TNode*> Nodes(TTree& tree) {
    std::vector<TNode*> nodes, pending{tree.GetRoot()};
    while (!pending.empty()) {
        nodes.push_back(pending.back());
        pending.pop_back();
        for (auto it = nodes.back()->Children.rbegin(); it != nodes.back()->Children.rend(); ++it)
            pending.push_back(it->get());
    }
    return nodes;
}

// "name:x,y" of every node in pre-order, separated by blanks.
inline std::string Places(TTree& tree) {
    std::string text;
    for (const TNode* node : Nodes(tree))
        text += (text.empty() ? "" : " ") + node->Name + ":" + std::to_string(node->X) + "," +
                std::to_string(node->Y);
    return text;
}

// "source->target" for every movement arrow, in pre-order of the sources.
inline std::string ArrowList(TTree& tree) {
    std::string list;
    for (const TMoveArrow& a : tree.MoveArrows(tree.GetRoot()))
        list += (list.empty() ? "" : " ") + a.From->Name + "->" + a.To->Name;
    return list;
}

// A recorded call with all its fields on one line, colours in hex.
inline std::string DumpOp(const PictureOp& op) {
    static const char* const kinds[] = {"text",      "line",    "rectangle", "fillrect",
                                        "roundrect", "ellipse", "arc",       "polygon"};
    const TCanvasState& s = op.State;
    std::ostringstream out;
    out << kinds[int(op.Kind)] << " box " << op.Box.Left << "," << op.Box.Top << "," << op.Box.Right
        << "," << op.Box.Bottom << " a " << op.A.X << "," << op.A.Y << " b " << op.B.X << ","
        << op.B.Y << " points";
    for (const TPoint& p : op.Points)
        out << " " << p.X << "," << p.Y;
    out << " \"" << op.Text << "\" pen " << std::hex << s.PenColor << "/" << std::dec << s.PenWidth
        << "/" << int(s.PenMode) << " brush " << int(s.BrushStyle) << "/" << std::hex
        << s.BrushColor << " font " << s.Font.Name << "/" << std::dec << s.Font.Height << "/"
        << int(s.Font.Style) << "/" << std::hex << s.Font.Color << "\n";
    return out.str();
}

} // namespace gramarbor::testing
