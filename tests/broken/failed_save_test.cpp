// A save that fails loses nothing: on a full device, in a folder where no file can be
// made, and below a path that is not a folder, every file the core writes reports
// its message, leaves the previous file byte for byte and leaves no temporary file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
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
// the message it reported (empty on success).
struct Saver {
    std::string Extension;
    std::function<std::string(const std::string& path)> Save;
    std::function<std::string(const std::string& path)> CannotCreate;
    std::function<std::string(const std::string& path)> CannotWrite;
};

// A message that does not name the file.
std::function<std::string(const std::string&)> Same(const std::string& message) {
    return [message](const std::string&) { return message; };
}

std::vector<Saver> Savers() {
    std::vector<Saver> savers;
    savers.push_back({".CFG",
                      [](const std::string& path) {
                          RecordingSink sink;
                          std::vector<std::string> lines(20, "NP = DET {ADJ} N [PP]");
                          SaveCfgFile(path, lines, sink);
                          return sink.Last();
                      },
                      Same(MsgCfgCannotSave), Same(MsgCfgCannotSave)});
    savers.push_back({".RTN",
                      [](const std::string& path) {
                          RecordingSink sink;
                          TRtn rtn(5);
                          for (TRTNLine& net : rtn)
                              NewRtnLine("NETWORK", 6, net, sink);
                          SaveRtnFile(path, rtn, TRtnFileOptions{}, sink);
                          return sink.Last();
                      },
                      Same(MsgRtnCannotCreate), Same(MsgRtnCannotCreate)});
    savers.push_back({".TRE",
                      [](const std::string& path) {
                          RecordingSink sink;
                          TTree tree(true, sink);
                          tree.StrToTree("[S [NP [DET] [N]] [VP [V] [NP [DET] [N]]]]");
                          tree.SaveTree(path, tree.GetRoot(), 1);
                          return sink.Last();
                      },
                      Same("Couldn`t create file. Maybe your disk is write-protected."),
                      [](const std::string& path) {
                          return "Write error in tree file \"" + path +
                                 "\": the file could not be written; an existing file was kept.";
                      }});
    // Trace lists are saved as text lines like grammars; pictures as metafiles.
    savers.push_back({".WMF",
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
                      [](const std::string& path) { return "Cannot create file " + path; },
                      [](const std::string& path) { return "Cannot write file " + path; }});
    return savers;
}

const std::string OldBytes = "old contents";

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
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
    void TearDown() override {
        SetImmutable(false);
        fs::remove_all(Dir);
    }

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

    // The folder's immutable attribute: while it is set, no file can be made in the
    // folder, not even by root. False when the file system does not allow it.
    bool SetImmutable(bool on) {
        const int fd = ::open(Dir.c_str(), O_RDONLY | O_DIRECTORY);
        if (fd < 0) return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (ok) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return ok;
    }

    fs::path Dir;
};

TEST_F(FailedSave, FullDeviceGivesTheWriteMessage) {
    ASSERT_TRUE(fs::exists("/dev/full"));
    for (const Saver& saver : Savers())
        EXPECT_EQ(saver.Save("/dev/full"), saver.CannotWrite("/dev/full")) << saver.Extension;
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
        EXPECT_EQ(messages[i], savers[i].CannotWrite(paths[i])) << savers[i].Extension;
    ExpectOnlyOldFiles(savers.size());
}

TEST_F(FailedSave, ReadOnlyFolderKeepsTheOldFile) {
    const std::vector<Saver> savers = Savers();
    std::vector<std::string> paths;
    for (const Saver& saver : savers)
        paths.push_back(OldFile(saver));
    // Counts the savers that did not report that they cannot create the file.
    const auto saveAll = [&] {
        int wrong = 0;
        for (std::size_t i = 0; i < savers.size(); ++i) {
            const std::string message = savers[i].Save(paths[i]);
            EXPECT_EQ(message, savers[i].CannotCreate(paths[i])) << savers[i].Extension;
            wrong += message != savers[i].CannotCreate(paths[i]);
        }
        return wrong;
    };
    // The immutable attribute binds root as well; where the file system lacks it, the
    // folder is read-only by permission and the saves run without root's rights.
    int wrong = 0;
    if (SetImmutable(true)) {
        wrong = saveAll();
        ASSERT_TRUE(SetImmutable(false));
    } else {
        fs::permissions(Dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                 fs::perms::group_exec | fs::perms::others_read |
                                 fs::perms::others_exec);
        wrong = testing::RunWithoutRoot(saveAll);
        fs::permissions(Dir, fs::perms::owner_all);
    }
    EXPECT_EQ(wrong, 0);
    ExpectOnlyOldFiles(savers.size());
}

TEST_F(FailedSave, PathBelowAFileCannotBeCreated) {
    const std::string notAFolder = (Dir / "plain").string();
    std::ofstream(notAFolder) << OldBytes;
    for (const Saver& saver : Savers()) {
        const std::string path = notAFolder + "/new" + saver.Extension;
        EXPECT_EQ(saver.Save(path), saver.CannotCreate(path)) << saver.Extension;
    }
    ExpectOnlyOldFiles(1);
}

} // namespace
} // namespace gramarbor
