// Tree files: exact bytes and damaged files (round trips, chains of placeholders, the
// depth limit and files without parameters are tree scripts).
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

} // namespace
} // namespace gramarbor
