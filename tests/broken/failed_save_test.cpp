// A save that fails loses nothing: on a full device and below a path that is not a
// folder, every file the core writes reports its message, leaves the previous file
// byte for byte and leaves no temporary file (the other ways a save can fail are
// those of the atomic save, tests/base/file_io_test.cpp).
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "base/file_io.h"
#include "base/message_sink.h"
#include "base/save_failures.h"
#include "grammar/cfg_file.h"
#include "grammar/grammar_messages.h"
#include "picture/picture.h"
#include "picture/text_measurer.h"
#include "picture/wmf_writer.h"
#include "rtn/rtn_file.h"
#include "tree/tree.h"

namespace gramarbor {
namespace {

namespace fs = std::filesystem;

// One writer of the core: saves something larger than OldBytes to path and gives
// the message it reported (empty on success); the messages it must give when it
// cannot create and cannot write the file, "PATH" standing for the path.
struct Saver {
    std::string Extension;
    std::function<std::string(const std::string& path)> Save;
    std::string CannotCreate, CannotWrite;

    static std::string Named(std::string message, const std::string& path) {
        const std::size_t at = message.find("PATH");
        return at == std::string::npos ? message : message.replace(at, 4, path);
    }
};

std::vector<Saver> Savers() {
    return {
        {".CFG",
         [](const std::string& path) {
             RecordingSink sink;
             SaveCfgFile(path, std::vector<std::string>(20, "NP = DET {ADJ} N [PP]"), sink);
             return sink.Last();
         },
         MsgCfgCannotSave, MsgCfgCannotSave},
        {".RTN",
         [](const std::string& path) {
             RecordingSink sink;
             TRtn rtn(5);
             for (TRTNLine& net : rtn)
                 NewRtnLine("NETWORK", 6, net, sink);
             SaveRtnFile(path, rtn, TRtnFileOptions{}, sink);
             return sink.Last();
         },
         MsgRtnCannotCreate, MsgRtnCannotCreate},
        {".TRE",
         [](const std::string& path) {
             RecordingSink sink;
             TTree tree(true, sink);
             tree.StrToTree("[S [NP [DET] [N]] [VP [V] [NP [DET] [N]]]]");
             tree.SaveTree(path, tree.GetRoot(), 1);
             return sink.Last();
         },
         "Couldn`t create file. Maybe your disk is write-protected.",
         "Write error in tree file \"PATH\": the file could not be written; an existing file "
         "was kept."},
        // Trace lists are saved as text lines like grammars; pictures as metafiles.
        {".WMF",
         [](const std::string& path) {
             Picture picture;
             ApproxTextMeasurer measurer;
             PictureRecorder canvas(picture, measurer);
             picture.Width = 200;
             picture.Height = 100;
             for (int i = 0; i < 10; ++i)
                 canvas.TextOut(i, i, "a tree node");
             std::string error;
             SavePictureAsWmf(picture, path, &error);
             return error;
         },
         "Cannot create file PATH", "Cannot write file PATH"},
    };
}

const std::string OldBytes = "old contents";

class FailedSave : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(Dir);
        fs::create_directories(Dir);
    }
    void TearDown() override { fs::remove_all(Dir); }

    fs::path Dir =
        fs::temp_directory_path() / ("gramarbor-failed-save-" + std::to_string(::getpid()));
};

// Each writer on the full device, below a plain file, and over its old file on a
// device that fills up during the save.
TEST_F(FailedSave, GivesItsMessageAndKeepsTheOldFiles) {
    ASSERT_TRUE(fs::exists("/dev/full"));
    std::ofstream((Dir / "plain").string()) << OldBytes;
    const std::vector<Saver> savers = Savers();
    for (const Saver& saver : savers) {
        SCOPED_TRACE(saver.Extension);
        EXPECT_EQ(saver.Save("/dev/full"), Saver::Named(saver.CannotWrite, "/dev/full"));
        const std::string below = (Dir / "plain" / ("new" + saver.Extension)).string();
        EXPECT_EQ(saver.Save(below), Saver::Named(saver.CannotCreate, below));
        const std::string old = (Dir / ("old" + saver.Extension)).string();
        std::ofstream(old, std::ios::binary) << OldBytes;
        std::string message;
        {
            // Every write past 64 bytes fails as on a full disk (and so would the
            // report of a failure, hence the check after).
            testing::ScopedFileSizeLimit limit(64);
            ASSERT_TRUE(limit.Active);
            message = saver.Save(old);
        }
        EXPECT_EQ(message, Saver::Named(saver.CannotWrite, old));
    }
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(Dir)) {
        ++files;
        std::string bytes;
        EXPECT_EQ(ReadFileBytes(entry.path().string(), bytes), FileError::None);
        EXPECT_EQ(bytes, OldBytes) << entry.path();
    }
    EXPECT_EQ(files, savers.size() + 1) << "only the old files remain";
}

} // namespace
} // namespace gramarbor
