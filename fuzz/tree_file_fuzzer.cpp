// The .TRE reader: a file that loads saves to the same bytes (apart from the filler
// bytes of the attribute records, which are written as 0, a true annotation flag,
// written as 1, and font heights above the largest the dialogs offer, which are
// lowered to it with a warning); saving is a fixed point; only nesting beyond the
// grid is refused as too deep; the tree is drawn (or refused as too large), as a
// plane tree too, and its chains of placeholders survive saving. Movement arrows
// survive saving and loading.
#include <string>

#include "base/message_sink.h"
#include "fuzz_support.h"
#include "tree/tree.h"
#include "tree_checks.h"
#include "tree_compare.h"

using namespace gramarbor;

namespace {

bool FontSizesWithinDialogs(const TNode* root) {
    std::vector<const TNode*> pending{root};
    while (!pending.empty()) {
        const TNode* node = pending.back();
        pending.pop_back();
        if (node->Attr.FontSize > MaxNodeFontSize) return false;
        for (const TNodePtr& child : node->Children)
            pending.push_back(child.get());
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    RecordingSink sink;
    TTree tree(true, sink);
    if (!tree.LoadTreeBytes(bytes, "fuzz.tre")) {
        FUZZ_CHECK(!sink.Empty(), "a refused file gave no message");
        FUZZ_CHECK(!tree.GetRoot(), "a refused file changed the tree");
        if (tree.ErrorCode == TreeLimitError)
            FUZZ_CHECK(size > std::size_t(MaxGridPosition) * 40 &&
                           sink.Last() == TreeTooDeepText("The tree in tree file \"fuzz.tre\""),
                       "refused as too deep: " + sink.Last());
        return 0;
    }
    const bool lowered = !sink.Empty();
    if (lowered)
        FUZZ_CHECK(sink.Entries().size() == 1 && sink.Entries()[0].Kind == MessageKind::Warning &&
                       sink.Last().find("font heights above 96") != std::string::npos,
                   "a loaded file gave the message " + sink.Last());
    FUZZ_CHECK(tree.GetRoot(), "a loaded file gave no tree");
    FUZZ_CHECK(FontSizesWithinDialogs(tree.GetRoot()), "a font height above 96 was loaded");
    bool childrenOk = true;
    const int depth = fuzz::Depth(tree.GetRoot(), childrenOk);
    FUZZ_CHECK(childrenOk, "a node with more than four children was loaded");
    FUZZ_CHECK(depth <= MaxGridPosition + 1, "nesting beyond the grid was loaded");

    const uint8_t flag = static_cast<uint8_t>(bytes[0]);
    std::string saved;
    FUZZ_CHECK(tree.SaveTreeBytes(tree.GetRoot(), flag, saved), "a loaded tree cannot be saved");
    // The movement arrow block is written in pre-order of the arrows' sources, from
    // the first record of a chain: only its length is the file's.
    const std::size_t arrows = tree.MoveArrows(tree.GetRoot()).size();
    const std::size_t nodeBytes = saved.size() - (arrows ? 8 + 8 * arrows : 0);
    if (flag != 0 && !lowered) {
        FUZZ_CHECK(saved.size() == bytes.size(), "saving changed the length from " +
                                                     std::to_string(bytes.size()) + " to " +
                                                     std::to_string(saved.size()));
        for (std::size_t i = 0; i < nodeBytes; ++i) {
            if (saved[i] == bytes[i] || saved[i] == 0 || (i == 1 && saved[i] == 1)) continue;
            FUZZ_CHECK(false, "saving changed byte " + std::to_string(i));
        }
    }

    RecordingSink again;
    TTree copy(true, again);
    FUZZ_CHECK(copy.LoadTreeBytes(saved, "fuzz.tre") && again.Empty(),
               "a saved tree does not load");
    FUZZ_CHECK(fuzz::SameTree(tree.GetRoot(), copy.GetRoot(), true),
               "save and load changed the tree");
    FUZZ_CHECK(fuzz::ArrowPositions(tree) == fuzz::ArrowPositions(copy),
               "save and load changed the movement arrows");
    std::string resaved;
    FUZZ_CHECK(copy.SaveTreeBytes(copy.GetRoot(), flag, resaved), "a loaded tree cannot be saved");
    if (flag != 0) FUZZ_CHECK(resaved == saved, "saving is not a fixed point");

    // Drawn as stored, then as a plane tree with chains, which must survive a file.
    fuzz::CheckTreeDrawing(tree, sink);
    tree.Options |= toPlane | toPlaneOK;
    fuzz::CheckTreeDrawing(tree, sink);
    tree.ResetError();
    if (tree.SaveTreeBytes(tree.GetRoot(), 1, saved)) {
        TTree chained(true, again);
        FUZZ_CHECK(chained.LoadTreeBytes(saved, "fuzz.tre"), "a tree with chains does not load");
        FUZZ_CHECK(fuzz::SameTree(tree.GetRoot(), chained.GetRoot(), true),
                   "save and load changed a tree with chains");
    }
    return 0;
}
