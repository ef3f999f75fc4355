// Checks of drawing and plane layout shared by the tree fuzz targets.
#include "tree_checks.h"

#include <string>
#include <vector>

#include "fuzz_support.h"
#include "picture/picture.h"
#include "picture/text_measurer.h"
#include "tree_compare.h"
#include "wmf_check.h"

namespace gramarbor::fuzz {

namespace {

const std::string TooLarge =
    "Common error in \"Show\"/\"Draw\". The tree is too large to be drawn.";
const std::string BeyondGrid = "Common error in \"Show\"/\"Draw\". The tree does not fit into the "
                               "layout grid of 32767 columns and levels.";

bool HasPlaceholderName(const TNode* root) {
    std::vector<const TNode*> pending{root};
    while (!pending.empty()) {
        const TNode* node = pending.back();
        pending.pop_back();
        if (node->Name == "$") return true;
        for (const TNodePtr& child : node->Children)
            pending.push_back(child.get());
    }
    return false;
}

} // namespace

void CheckTreeDrawing(TTree& tree, RecordingSink& sink) {
    if (!tree.GetRoot()) return;
    sink.Clear();
    tree.ResetError();
    tree.ShowErrors = true;
    ApproxTextMeasurer measurer;
    Picture screen;
    PictureRecorder canvas(screen, measurer);
    const bool drawn = tree.Show(canvas, 4, 4);
    if (!drawn) {
        FUZZ_CHECK(tree.ErrorCode == teDraw || tree.ErrorCode == teApostropheExpected ||
                       tree.ErrorCode == teNoMemory,
                   "drawing failed with error " + std::to_string(tree.ErrorCode));
        if (tree.ErrorCode == teDraw)
            FUZZ_CHECK(sink.Last() == TooLarge || sink.Last() == BeyondGrid,
                       "drawing refused with " + sink.Last());
        tree.ResetError();
        return;
    }
    const Picture& picture = tree.GetMetafile();
    FUZZ_CHECK(picture.Width >= 0 && picture.Height >= 0, "a picture of negative size");
    int32_t hDist = 0, vDist = 0;
    std::string font;
    uint8_t options = 0;
    TNodeAttr defaults;
    tree.GetParams(hDist, vDist, font, options, defaults);
    if (hDist >= 0 && vDist >= 0) {
        // With a layout every box lies inside the picture.
        std::vector<const TNode*> pending{tree.GetRoot()};
        while (!pending.empty()) {
            const TNode* node = pending.back();
            pending.pop_back();
            if (node->Name != "$") {
                // A box without text lines is 6 - LineDist high, which may be negative;
                // the extent then leaves it out below.
                const TRect& r = node->Rect;
                FUZZ_CHECK(r.Left >= 0 && r.Right <= picture.Width && r.Top >= 0 &&
                               (r.Bottom < r.Top || r.Bottom <= picture.Height),
                           "box of \"" + node->Name + "\" (" + std::to_string(r.Left) + ", " +
                               std::to_string(r.Top) + ", " + std::to_string(r.Right) + ", " +
                               std::to_string(r.Bottom) + ") outside the picture of " +
                               std::to_string(picture.Width) + " x " +
                               std::to_string(picture.Height));
            }
            for (const TNodePtr& child : node->Children)
                pending.push_back(child.get());
        }
    }
    CheckWmf(picture);
    tree.ResetError();
}

void CheckPlaneChains(TTree& tree) {
    if (!tree.GetRoot() || HasPlaceholderName(tree.GetRoot())) return;
    tree.ShowErrors = false;
    tree.ResetError();
    std::string before;
    if (!tree.TreeToStr(before)) return;
    int32_t hDist = 0, vDist = 0;
    std::string font;
    uint8_t options = 0;
    TNodeAttr defaults;
    tree.GetParams(hDist, vDist, font, options, defaults);
    tree.SetParams(hDist, vDist, font, toPlane | toPlaneOK, defaults);
    if (!tree.Positions() || !tree.PlaneTree(tree.GetRoot(), true)) {
        tree.ResetError();
        return;
    }
    std::string chained;
    FUZZ_CHECK(tree.TreeToStr(chained), "a tree with chains has no text");

    NullSink quiet;
    TTree copy(tree.WithAnnotations, quiet);
    copy.SetConvOpts(tree.ConvOpts.Brackets, tree.ConvOpts.Separator, tree.ConvOpts.ParentOutside,
                     tree.ConvOpts.Vertical);
    FUZZ_CHECK(copy.StrToTree(chained), "the text of a tree with chains does not read back");
    FUZZ_CHECK(copy.Positions() && copy.PlaneTree(copy.GetRoot(), true),
               "the plane layout fails on a tree that had it");
    std::string again;
    FUZZ_CHECK(copy.TreeToStr(again) && again == chained,
               "placeholders read from text differ from chain nodes: " + again);
    FUZZ_CHECK(SameTree(tree.GetRoot(), copy.GetRoot(), false),
               "a tree with chains differs from its text read back");

    tree.SetParams(hDist, vDist, font, toPlane, defaults);
    std::string after;
    FUZZ_CHECK(tree.TreeToStr(after) && after == before,
               "leaving the plane layout did not restore " + before + ", gave " + after);
    tree.SetParams(hDist, vDist, font, options, defaults);
}

} // namespace gramarbor::fuzz
