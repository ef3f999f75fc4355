// Bracket text in every format through StrToTree; a tree read back from its own
// TreeToStr text is the same tree; only nesting beyond the grid is refused as too
// deep; the tree is laid out and drawn (or refused as too large), and its plane
// layout's chains show in text exactly as placeholders read from text; arrow
// markers read back as the same movement arrows, which the LaTeX code draws.
//
// Input: one format byte (bit 0 comma separator, bits 1-2 the bracket pair, bit 3
// parent outside, bit 4 vertical output), then the text.
#include <algorithm>
#include <string>

#include "base/message_sink.h"
#include "fuzz_support.h"
#include "tree/latex_export.h"
#include "tree/tree.h"
#include "tree_checks.h"
#include "tree_compare.h"

using namespace gramarbor;

namespace {

void ApplyFormat(TTree& tree, uint8_t format) {
    static const std::string pairs = "[](){}<>";
    const std::size_t pair = (format >> 1) & 3;
    tree.SetConvOpts(pairs.substr(2 * pair, 2), (format & 1) ? ',' : ' ', (format & 8) != 0,
                     (format & 16) != 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view input = fuzz::AsText(data, size);
    const uint8_t format = fuzz::TakeByte(input);
    const std::string text(input);

    RecordingSink sink;
    TTree tree(false, sink);
    ApplyFormat(tree, format);
    if (!tree.StrToTree(text)) {
        FUZZ_CHECK(tree.ErrorCode != 0, "StrToTree failed without an error code");
        FUZZ_CHECK(!tree.GetRoot(), "a failed read changed the tree");
        if (tree.ErrorCode == ArrowMarkerError)
            FUZZ_CHECK(sink.Last().find("arrow") != std::string::npos,
                       "contradictory markers refused with: " + sink.Last());
        if (tree.ErrorCode == TreeLimitError) {
            const auto opening = std::count(text.begin(), text.end(), tree.ConvOpts.Brackets[0]);
            FUZZ_CHECK(opening > MaxGridPosition && sink.Last() == TreeTooDeepText(),
                       "refused as too deep: " + sink.Last());
        }
        return 0;
    }
    FUZZ_CHECK(tree.ErrorCode == 0, "StrToTree succeeded with an error code");
    if (!tree.GetRoot()) return 0; // an empty item with the parent outside
    bool childrenOk = true;
    const int depth = fuzz::Depth(tree.GetRoot(), childrenOk);
    FUZZ_CHECK(childrenOk, "a node with more than four children was read");
    FUZZ_CHECK(depth <= MaxGridPosition + 1, "nesting beyond the grid was read");

    std::string written;
    FUZZ_CHECK(tree.TreeToStr(written), "TreeToStr failed on a tree just read");
    if (fuzz::NamesSurviveText(tree.GetRoot())) {
        RecordingSink again;
        TTree copy(false, again);
        ApplyFormat(copy, format);
        FUZZ_CHECK(copy.StrToTree(written),
                   "the tree's own text does not read back: " + written + " / " + again.Last());
        FUZZ_CHECK(fuzz::SameTree(tree.GetRoot(), copy.GetRoot(), false),
                   "TreeToStr -> StrToTree changed the tree: " + written);
        FUZZ_CHECK(fuzz::ArrowPositions(tree) == fuzz::ArrowPositions(copy),
                   "TreeToStr -> StrToTree changed the movement arrows: " + written);
        std::string rewritten;
        FUZZ_CHECK(copy.TreeToStr(rewritten) && rewritten == written,
                   "the text of the tree read back differs");
    }

    // Layout and drawing of whatever was read, as a plane tree with chains too.
    fuzz::CheckTreeDrawing(tree, sink);
    if (fuzz::NamesSurviveText(tree.GetRoot())) fuzz::CheckPlaneChains(tree);
    tree.Options = toPlane | toPlaneOK | (format & 0xE0 ? toFrames | toTriangles | toArrows : 0);
    fuzz::CheckTreeDrawing(tree, sink);

    // The LaTeX code draws each movement arrow once, from chains too.
    std::string latex;
    tree.ResetError();
    if (!TreeToLatex(tree, (format & 32) ? TLatexStyle::Qtree : TLatexStyle::Forest, latex)) {
        FUZZ_CHECK(tree.ErrorCode == TreeLimitError, "no LaTeX for a tree just drawn");
        return 0;
    }
    std::size_t curves = 0;
    for (std::size_t at = latex.find("\\draw["); at != std::string::npos;
         at = latex.find("\\draw[", at + 1))
        ++curves;
    FUZZ_CHECK(curves == tree.MoveArrows(tree.GetRoot()).size(),
               "the LaTeX code draws " + std::to_string(curves) + " movement arrows");
    return 0;
}
