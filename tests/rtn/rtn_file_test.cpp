// .RTN files: exact bytes, stored files and truncations (the damaged files and their
// messages are among the broken files; round trips of edited networks are in the
// edit sequences).
#include "rtn/rtn_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/file_io.h"
#include "rtn_test_support.h"

namespace gramarbor {
namespace {

using namespace testing;
namespace fs = std::filesystem;

std::string DataFile(const std::string& name) {
    return std::string(GRAMARBOR_TEST_DATA) + "/rtn/" + name;
}

std::string FileBytes(const std::string& path) {
    std::string bytes;
    EXPECT_EQ(ReadFileBytes(path, bytes), FileError::None) << path;
    return bytes;
}

TRtn NewRtn() {
    return {Net("Net0", 4)};
}

class TempDir : public ::testing::Test, public ScratchFolder {};

TEST(RtnFile, NewRtnIs37Bytes) {
    const std::string bytes = WriteRtnBytes(NewRtn(), TRtnFileOptions{});
    EXPECT_EQ(bytes.size(), 37u);
    EXPECT_EQ(bytes, FileBytes(DataFile("new_rtn.rtn")));
}

TEST(RtnFile, ReadsStoredFiles) {
    TRtn rtn;
    TRtnFileOptions options;
    RecordingSink sink;
    ASSERT_TRUE(LoadRtnFile(DataFile("np_repeated.rtn"), rtn, options, sink));
    EXPECT_EQ(options, (TRtnFileOptions{false, 3, 5}));
    ASSERT_EQ(rtn.size(), 1u);
    ASSERT_EQ(rtn[0].Nodes.size(), 3u);
    EXPECT_EQ(rtn[0].Nodes[2], (TRtnNodeConds{Cond(ckPop, 2, "pop", PopDst)}));
    EXPECT_EQ(rtn[0].Nodes[1][1], Cond(ckText, 2, "the", 1));

    ASSERT_TRUE(LoadRtnFile(DataFile("options_out_of_range.rtn"), rtn, options, sink));
    EXPECT_EQ(options, (TRtnFileOptions{true, 16, 0}));

    ASSERT_TRUE(LoadRtnFile(DataFile("stored_nodes_zero.rtn"), rtn, options, sink));
    ASSERT_EQ(rtn.size(), 1u);
    EXPECT_EQ(rtn[0].Nodes, (std::vector<TRtnNodeConds>{{Cond(ckPop, 0, "pop", PopDst)}}));
    EXPECT_TRUE(sink.Empty());
}

TEST(RtnFile, EveryTruncationIsRefused) {
    const std::string bytes = FileBytes(DataFile("np_repeated.rtn"));
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        TRtn rtn;
        TRtnFileOptions options;
        RecordingSink sink;
        EXPECT_FALSE(ReadRtnBytes(std::string_view(bytes).substr(0, length), rtn, options, sink))
            << length;
        EXPECT_EQ(sink.Entries().size(), 1u);
    }
}

TEST_F(TempDir, ExtensionIsCheckedInUpperCase) {
    const std::string lower = Path("net.rtn");
    const std::string cfg = Path("X.CFG");
    NullSink quiet;
    ASSERT_TRUE(SaveRtnFile(lower, NewRtn(), TRtnFileOptions{}, quiet));
    fs::copy_file(lower, cfg);
    TRtn rtn;
    TRtnFileOptions options;
    RecordingSink sink;
    EXPECT_TRUE(LoadRtnFile(lower, rtn, options, sink));
    EXPECT_FALSE(LoadRtnFile(cfg, rtn, options, sink));
    EXPECT_FALSE(LoadRtnFile(Path("missing.RTN"), rtn, options, sink));
    EXPECT_EQ(sink.Texts(), (std::vector<std::string>{MsgRtnWrongExtension, MsgRtnCannotOpen}));
    EXPECT_FALSE(HasRtnExtension(Path("net.rtnx")));
}

} // namespace
} // namespace gramarbor
