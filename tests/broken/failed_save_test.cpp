// A save that fails loses nothing: on a full device and below a path that is not a
// folder, every file the core writes reports its message, leaves the previous file
// byte for byte and leaves no temporary file (the other ways a save can fail are
// those of the atomic save, tests/base/file_io_test.cpp).
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

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

std::string FileBytes(const std::string& path) {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

class FailedSave : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = fs::temp_directory_path() /
              ("gramarbor-failed-save-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Dir);
        fs::create_directories(Dir);
    }
    void TearDown() override { fs::remove_all(Dir); }

    // Writes the old file of each kind.
    std::string OldFile(const Saver& saver) {
        const std::string path = (Dir / ("old" + saver.Extension)).string();
        std::ofstream(path, std::ios::binary) << OldBytes;
        return path;
    }

    // Only the old files remain, unchanged.
    void ExpectOnlyOldFiles(std::size_t count) {
        std::size_t files = 0;
        for (const auto& entry : fs::directory_iterator(Dir)) {
            ++files;
            EXPECT_EQ(FileBytes(entry.path().string()), OldBytes) << entry.path();
        }
        EXPECT_EQ(files, count);
    }

    fs::path Dir;
};

TEST_F(FailedSave, FullDeviceGivesTheWriteMessage) {
    ASSERT_TRUE(fs::exists("/dev/full"));
    for (const Saver& saver : Savers())
        EXPECT_EQ(saver.Save("/dev/full"), Saver::Named(saver.CannotWrite, "/dev/full"))
            << saver.Extension;
}

TEST_F(FailedSave, DeviceFilledDuringTheSaveKeepsTheOldFile) {
    const std::vector<Saver> savers = Savers();
    std::vector<std::string> messages;
    std::vector<std::string> paths;
    for (const Saver& saver : savers)
        paths.push_back(OldFile(saver));
    {
        // Every write past 64 bytes fails as on a full disk.
        testing::ScopedFileSizeLimit limit(64);
        ASSERT_TRUE(limit.Active);
        for (std::size_t i = 0; i < savers.size(); ++i)
            messages.push_back(savers[i].Save(paths[i]));
    }
    for (std::size_t i = 0; i < savers.size(); ++i)
        EXPECT_EQ(messages[i], Saver::Named(savers[i].CannotWrite, paths[i]))
            << savers[i].Extension;
    ExpectOnlyOldFiles(savers.size());
}

TEST_F(FailedSave, PathBelowAFileCannotBeCreated) {
    const std::string notAFolder = (Dir / "plain").string();
    std::ofstream(notAFolder) << OldBytes;
    for (const Saver& saver : Savers()) {
        const std::string path = notAFolder + "/new" + saver.Extension;
        EXPECT_EQ(saver.Save(path), Saver::Named(saver.CannotCreate, path)) << saver.Extension;
    }
    ExpectOnlyOldFiles(1);
}

} // namespace
} // namespace gramarbor
