// Tree files: exact bytes, damaged files, the depth limit and chains of placeholders
// (round trips and files without parameters are tree scripts).
#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_io.h"
#include "tree/tree.h"
#include "tree_test_support.h"

namespace gramarbor {
namespace {

using testing::NodeAt;
using testing::ReadTree;
using testing::WriteTree;
using TreeFile = testing::TreeTest;

std::string TempPath(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / "gramarbor-tree-tests";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

std::string Slurp(const std::string& path) {
    std::string bytes;
    ReadFileBytes(path, bytes);
    return bytes;
}

TEST_F(TreeFile, OneNodeTreeIsNinetyThreeBytes) {
    tree.Init(tree.CreateNode("S"));
    const std::string path = TempPath("one.tre");
    ASSERT_TRUE(tree.SaveTree(path, tree.GetRoot(), 1));
    const std::string bytes = Slurp(path);
    EXPECT_EQ(bytes.size(), 93u);
    EXPECT_EQ(bytes, Slurp(std::string(GRAMARBOR_TEST_DATA) + "/tree/one_node.tre"));
}

// A missing file is among the broken files.
TEST_F(TreeFile, NoTreeWritesNoFile) {
    const std::string path = TempPath("never.tre");
    std::filesystem::remove(path);
    EXPECT_TRUE(tree.SaveTree(path, nullptr, 1));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(TreeFile, DamagedFilesAreRefusedAndLeaveTheTree) {
    NullSink quiet;
    TTree source(true, quiet);
    ReadTree(source, "[S [NP] [VP [V]]]");
    NodeAt(source, {1})->Cont = {"anno"};
    std::string good;
    ASSERT_TRUE(source.SaveTreeBytes(source.GetRoot(), 1, good));

    RecordingSink sink;
    TTree tree(true, sink);
    ReadTree(tree, "[keep]");
    const std::string message =
        "Read error in tree file \"f.tre\": the file is truncated or damaged.";
    // Every truncation.
    for (std::size_t size = 0; size < good.size(); ++size) {
        sink.Clear();
        EXPECT_FALSE(tree.LoadTreeBytes(std::string_view(good).substr(0, size), "f.tre")) << size;
        EXPECT_EQ(sink.Last(), message) << size;
    }
    EXPECT_EQ(WriteTree(tree), "[keep]");
    EXPECT_EQ(tree.ErrorCode, 0);
    // Damaged fields are among the broken files.
    EXPECT_TRUE(tree.LoadTreeBytes(good, "f.tre"));
    EXPECT_EQ(WriteTree(tree), "[S [NP] [VP [V]]]");
}

TEST_F(TreeFile, DeepTreesLoadUpToTheGridLimit) {
    tree.Init(tree.CreateNode("x"));
    TNode* node = tree.GetRoot();
    for (int i = 0; i < MaxGridPosition; ++i) {
        node->Children.push_back(tree.CreateNode("x"));
        node = node->Children.back().get();
    }
    std::string bytes;
    ASSERT_TRUE(tree.SaveTreeBytes(tree.GetRoot(), 1, bytes));
    TTree loaded(true, sink);
    EXPECT_TRUE(loaded.LoadTreeBytes(bytes, "deep.tre"));

    // One level more is a valid file, but the tree is too deep for the layout.
    node->Children.push_back(tree.CreateNode("too deep"));
    ASSERT_TRUE(tree.SaveTreeBytes(tree.GetRoot(), 1, bytes));
    RecordingSink messages;
    TTree refused(true, messages);
    EXPECT_FALSE(refused.LoadTreeBytes(bytes, "deep.tre"));
    EXPECT_EQ(refused.ErrorCode, TreeLimitError);
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"The tree in tree file \"deep.tre\" is too deep: no node "
                                       "can lie more than 32767 levels below the root."});
    EXPECT_FALSE(refused.GetRoot());
}

TEST_F(TreeFile, PlaceholdersOfAChainLoadIntoOneNode) {
    ReadTree(tree, testing::Comb(300));
    tree.SetParams(64, 64, "", toPlane | toPlaneOK, TNodeAttr{});
    testing::RecordingCanvas screen;
    ASSERT_TRUE(tree.Show(screen.Canvas, 4, 4));
    std::string bytes;
    ASSERT_TRUE(tree.SaveTreeBytes(tree.GetRoot(), 1, bytes));
    // 601 nodes and 299 * 300 / 2 placeholders of 45 bytes each.
    EXPECT_GT(bytes.size(), 299u * 150 * 45);

    TTree loaded(true, sink);
    ASSERT_TRUE(loaded.LoadTreeBytes(bytes, "comb.tre"));
    EXPECT_EQ(testing::Nodes(loaded).size(), 900u);
    std::string again;
    ASSERT_TRUE(loaded.SaveTreeBytes(loaded.GetRoot(), 1, again));
    EXPECT_EQ(again, bytes);

    // Serial numbers that count on (as copies give them) keep a chain together; a
    // placeholder that differs in anything a file keeps is a node of its own.
    TTree other(true, sink);
    ReadTree(other, "[r [$ [$ [$ [$ [a]]]]]]");
    ASSERT_TRUE(other.Positions());
    NodeAt(other, {0, 0})->ID = 1;
    NodeAt(other, {0, 0, 0})->ID = 2;
    NodeAt(other, {0, 0, 0, 0})->ID = 9;
    ASSERT_TRUE(other.SaveTreeBytes(other.GetRoot(), 1, bytes));
    ASSERT_TRUE(loaded.LoadTreeBytes(bytes, "four.tre"));
    EXPECT_EQ(NodeAt(loaded, {0})->Levels, 3);
    EXPECT_EQ(NodeAt(loaded, {0, 0})->Levels, 1);
    EXPECT_EQ(NodeAt(loaded, {0, 0, 0})->Name, "a");
    ASSERT_TRUE(loaded.SaveTreeBytes(loaded.GetRoot(), 1, again));
    EXPECT_EQ(again, bytes);
}

} // namespace
} // namespace gramarbor
