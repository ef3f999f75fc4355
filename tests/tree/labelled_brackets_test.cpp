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
    SetTreebankFormat(tree, TreebankBrackets(text));
    std::vector<std::string> trees;
    ASSERT_TRUE(SplitTreebank(tree, text, trees)) << sink.Last();
    ASSERT_EQ(trees.size(), 30u);
    for (const std::string& source : trees) {
        ASSERT_TRUE(tree.StrToTree(source)) << source << ": " << sink.Last();
        const std::string written = WriteTree(tree);
        std::string bytes;
        ASSERT_TRUE(tree.SaveTreeBytes(tree.GetRoot(), 1, bytes));
        ASSERT_TRUE(tree.Clear() && tree.LoadTreeBytes(bytes, "sample"));
        EXPECT_EQ(WriteTree(tree), written);
        ASSERT_TRUE(tree.StrToTree(written));
        EXPECT_EQ(WriteTree(tree), written);
    }
    EXPECT_TRUE(sink.Empty()) << sink.Last();
    ASSERT_TRUE(tree.StrToTree(trees[2]));
    EXPECT_EQ(TreebankTitle(tree.GetRoot()), "What did she see *T*-1 ?");
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
