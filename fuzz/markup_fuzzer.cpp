// Node markup rendering through a recording canvas: the width measured equals the
// width drawn, text pieces are drawn inside that width, and whole nodes with
// annotation lines are laid out and drawn inside their picture (or refused as too
// large, whatever their font height and line distance).
//
// Input: font size (2 bytes), line distance (2 bytes), style byte, flags (2 bytes),
// then the node name up to a NUL byte and the annotation lines.
#include <string>

#include "base/message_sink.h"
#include "fuzz_support.h"
#include "picture/picture.h"
#include "picture/text_measurer.h"
#include "tree/tree.h"
#include "tree_checks.h"

using namespace gramarbor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view input = fuzz::AsText(data, size);
    TNodeAttr attr;
    attr.FontSize = static_cast<uint16_t>(fuzz::TakeByte(input) | (fuzz::TakeByte(input) << 8));
    attr.LineDist = static_cast<uint16_t>(fuzz::TakeByte(input) | (fuzz::TakeByte(input) << 8));
    attr.FontStyle = fuzz::TakeByte(input);
    attr.Flags = static_cast<uint16_t>(fuzz::TakeByte(input) | (fuzz::TakeByte(input) << 8));
    const std::string name(fuzz::TakeUntilNul(input));
    const std::string annotations(input);

    RecordingSink sink;
    TTree tree(true, sink);
    ApproxTextMeasurer measurer;
    Picture picture;
    PictureRecorder canvas(picture, measurer);

    // Each line of the name on its own.
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = name.find('|', start);
        const std::string line = name.substr(start, bar == std::string::npos ? bar : bar - start);
        tree.ResetError();
        const int32_t measured = tree.MarkupWidth(canvas, attr, line);
        tree.ResetError();
        picture.Clear();
        const int32_t x = 10, y = 20;
        const int32_t drawn = tree.MarkupTextOut(canvas, x, y, line, attr);
        FUZZ_CHECK(measured == drawn, "measured width " + std::to_string(measured) +
                                          " differs from drawn width " + std::to_string(drawn));
        FUZZ_CHECK(drawn >= 0, "negative width");
        std::size_t drawnChars = 0;
        for (const PictureOp& op : picture.Calls()) {
            if (op.Kind != PictureOpKind::Text) continue;
            drawnChars += op.Text.size();
            // An unclosed font tag abandons the line with width 0 after drawing the
            // pieces before it.
            if (tree.ErrorCode == 0)
                FUZZ_CHECK(op.A.X >= x && op.A.X <= x + drawn, "a piece drawn outside the line");
        }
        FUZZ_CHECK(drawnChars <= line.size(), "more characters drawn than the line holds");
        if (bar == std::string::npos) break;
        start = bar + 1;
    }

    // The whole node with its annotation lines, on its own and under a parent.
    tree.ResetError();
    tree.ShowErrors = false;
    TNodePtr node = tree.CreateNode(name, annotations, attr);
    if (!node) return 0;
    TNodePtr root = tree.CreateNode("S");
    if (!root) return 0;
    root->Children.push_back(std::move(node));
    tree.SetRoot(std::move(root));
    tree.Options = static_cast<uint8_t>(attr.Flags >> 8);
    fuzz::CheckTreeDrawing(tree, sink);
    return 0;
}
