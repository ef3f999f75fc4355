// Labelled brackets and files of many trees: a file splits into trees that each read
// alone; a tree read back from its own text is the same tree with the same text; only
// nesting beyond the grid is refused as too deep; every tree becomes LaTeX code.
//
// Input: one format byte (bit 0 comma separator, bits 1-2 the bracket pair, bit 4
// vertical output), then the text.
#include <algorithm>
#include <string>

#include "base/message_sink.h"
#include "fuzz_support.h"
#include "tree/latex_export.h"
#include "tree/tree.h"
#include "tree/treebank.h"
#include "tree_compare.h"

using namespace gramarbor;

namespace {

void ApplyFormat(TTree& tree, uint8_t format) {
    static const std::string pairs = "[](){}<>";
    const std::size_t pair = (format >> 1) & 3;
    tree.SetConvOpts(pairs.substr(2 * pair, 2), (format & 1) ? ',' : ' ', false, (format & 16) != 0,
                     true);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view input = fuzz::AsText(data, size);
    const uint8_t format = fuzz::TakeByte(input);
    const std::string text(input);

    RecordingSink sink;
    TTree reader(false, sink);
    ApplyFormat(reader, format);
    std::vector<std::string> trees;
    if (!SplitTreebank(reader, text, trees)) {
        FUZZ_CHECK(reader.ErrorCode != 0, "a refused file has no error code");
        FUZZ_CHECK(trees.empty(), "a refused file kept trees");
        if (reader.ErrorCode == TreeLimitError && sink.Last() == TreeTooDeepText()) {
            const auto opening = std::count(text.begin(), text.end(), reader.ConvOpts.Brackets[0]);
            FUZZ_CHECK(opening > MaxGridPosition, "refused as too deep: " + sink.Last());
        }
        return 0;
    }
    for (const std::string& source : trees) {
        TTree tree(false, sink);
        ApplyFormat(tree, format);
        FUZZ_CHECK(tree.StrToTree(source), "a tree of the file does not read alone: " + source);
        FUZZ_CHECK(tree.GetRoot() != nullptr, "a tree of the file gives no tree");
        bool childrenOk = true;
        fuzz::Depth(tree.GetRoot(), childrenOk);
        FUZZ_CHECK(childrenOk, "a node with more than four children was read");

        std::string written;
        FUZZ_CHECK(tree.TreeToStr(written), "TreeToStr failed on a tree just read");
        if (fuzz::NamesSurviveText(tree.GetRoot())) {
            TTree copy(false, sink);
            ApplyFormat(copy, format);
            FUZZ_CHECK(copy.StrToTree(written),
                       "the tree's own text does not read back: " + written + " / " + sink.Last());
            FUZZ_CHECK(fuzz::SameTree(tree.GetRoot(), copy.GetRoot(), false),
                       "TreeToStr -> StrToTree changed the tree: " + written);
            std::string rewritten;
            FUZZ_CHECK(copy.TreeToStr(rewritten) && rewritten == written,
                       "the text of the tree read back differs");
        }
        std::string latex;
        FUZZ_CHECK(
            TreeToLatex(tree, (format & 32) ? TLatexStyle::Qtree : TLatexStyle::Forest, latex),
            "no LaTeX for a tree just read");
    }
    return 0;
}
