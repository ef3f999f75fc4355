// Treebank files: the sample read, written and carried through tree files, and the
// limit of trees per file (labelled brackets themselves are tree scripts).
#include <gtest/gtest.h>

#include "base/file_io.h"
#include "tree/treebank.h"
#include "tree_test_support.h"

namespace gramarbor {
namespace {

using testing::WriteTree;
using Treebank = testing::TreeTest;

// Every tree of the sample reads, writes back to text that reads as the same tree,
// and survives a tree file: labelled brackets -> tree -> file -> tree -> text.
TEST_F(Treebank, SampleTreesRoundTripThroughTextAndTreeFiles) {
    std::string text;
    ASSERT_EQ(ReadFileBytes(std::string(GRAMARBOR_TEST_DATA) + "/tree/penn_sample.mrg", text),
              FileError::None);
    RecordingSink sink;
    TTree reader(true, sink);
    SetTreebankFormat(reader, TreebankBrackets(text));
    std::vector<std::string> trees;
    ASSERT_TRUE(SplitTreebank(reader, text, trees)) << sink.Last();
    ASSERT_EQ(trees.size(), 30u);
    for (const std::string& source : trees) {
        TTree tree(true, sink), loaded(true, sink);
        SetTreebankFormat(tree, "()");
        SetTreebankFormat(loaded, "()");
        ASSERT_TRUE(tree.StrToTree(source)) << source << ": " << sink.Last();
        const std::string written = WriteTree(tree);
        std::string bytes;
        ASSERT_TRUE(tree.SaveTreeBytes(tree.GetRoot(), 1, bytes));
        ASSERT_TRUE(loaded.LoadTreeBytes(bytes, "sample"));
        EXPECT_EQ(WriteTree(loaded), written);
        TTree again(true, sink);
        SetTreebankFormat(again, "()");
        ASSERT_TRUE(again.StrToTree(written));
        EXPECT_EQ(WriteTree(again), written);
    }
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    TTree first(true, sink);
    SetTreebankFormat(first, "()");
    ASSERT_TRUE(first.StrToTree(trees[2]));
    EXPECT_EQ(TreebankTitle(first.GetRoot()), "What did she see *T*-1 ?");
}

TEST_F(Treebank, ReportsTheLineOfAnErrorAndItsLimits) {
    // The line of an error is among the trees sheet's scripts.
    SetTreebankFormat(tree, "()");
    std::vector<std::string> trees;
    std::string many;
    for (std::size_t i = 0; i <= MaxTreebankTrees; ++i)
        many += "(a)";
    EXPECT_FALSE(SplitTreebank(tree, many, trees));
    EXPECT_EQ(sink.Last(), "The file holds more than 100000 trees, more than one file can bring.");

    EXPECT_EQ(TreebankBrackets("  [S x]"), "[]");
    EXPECT_EQ(TreebankBrackets("x"), "()");
}

} // namespace
} // namespace gramarbor
