// .RTN files: exact bytes and truncations (stored files are read in the network
// sheet's scripts, the damaged files and their messages are among the broken files;
// round trips of edited networks are in the edit sequences).
#include "rtn/rtn_file.h"

#include <gtest/gtest.h>

#include "base/file_io.h"
#include "rtn_test_support.h"

namespace gramarbor {
namespace {

using namespace testing;

std::string StoredFile(const std::string& name) {
    std::string bytes;
    EXPECT_EQ(ReadFileBytes(std::string(GRAMARBOR_TEST_DATA) + "/rtn/" + name, bytes),
              FileError::None);
    return bytes;
}

// A new net holds its pop-arc in the last of its 1 to MaxRtnNodes nodes.
TEST(RtnFile, NewRtnIsAsStored) {
    EXPECT_EQ(WriteRtnBytes({Net("Net0", 4)}, TRtnFileOptions{}), StoredFile("new_rtn.rtn"));
    TRTNLine none;
    NullSink sink;
    EXPECT_FALSE(NewRtnLine("X", 0, none, sink));
    EXPECT_FALSE(NewRtnLine("X", MaxRtnNodes + 1, none, sink));
}

TEST(RtnFile, EveryTruncationIsRefused) {
    const std::string bytes = StoredFile("np_repeated.rtn");
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        TRtn rtn;
        TRtnFileOptions options;
        RecordingSink sink;
        EXPECT_FALSE(ReadRtnBytes(std::string_view(bytes).substr(0, length), rtn, options, sink))
            << length;
        EXPECT_EQ(sink.Entries().size(), 1u);
    }
}

} // namespace
} // namespace gramarbor
