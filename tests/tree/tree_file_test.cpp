// Tree files on disk: exact bytes, and no file for no tree (round trips, damaged
// files, chains of placeholders, the depth limit and files without parameters are
// tree scripts).
#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_io.h"
#include "tree/tree.h"
#include "tree_test_support.h"

namespace gramarbor {
namespace {

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

} // namespace
} // namespace gramarbor
