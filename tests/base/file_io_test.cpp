// Tests of whole-file reading, atomic saving and CR LF lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <unistd.h>

#include "base/file_io.h"
#include "base/save_failures.h"

using namespace gramarbor;
using namespace gramarbor::testing;
namespace fs = std::filesystem;

namespace {

class TempDir {
public:
    TempDir() {
        Path = fs::temp_directory_path() / ("gramarbor-test-" + std::to_string(::getpid()) + "-" +
                                            std::to_string(reinterpret_cast<uintptr_t>(this)));
        fs::create_directories(Path);
    }
    ~TempDir() {
        std::error_code ignored;
        fs::permissions(Path, fs::perms::owner_all, ignored);
        fs::remove_all(Path, ignored);
    }
    fs::path Path;
};

std::string ReadAll(const fs::path& path) {
    std::string bytes;
    EXPECT_EQ(ReadFileBytes(path.string(), bytes), FileError::None);
    return bytes;
}

} // namespace

// The temporary file's name must fit too when the target's name nearly fills the limit.
TEST(AtomicSave, ReplacesTheFileWithTheNewBytesThatReadBackWithinTheirLimit) {
    TempDir dir;
    const auto path = dir.Path / (std::string(250, 'g') + ".CFG");
    ASSERT_EQ(AtomicSave(path.string(), "old"), FileError::None);
    ASSERT_EQ(AtomicSave(path.string(), std::string("new\0bytes", 9)), FileError::None);
    EXPECT_EQ(ReadAll(path), std::string("new\0bytes", 9));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path), fs::directory_iterator()), 1);
    std::string bytes;
    EXPECT_EQ(ReadFileBytes(path.string(), bytes, 8), FileError::TooLarge);
    EXPECT_EQ(ReadFileBytes((dir.Path / "none").string(), bytes), FileError::CannotOpen);
    EXPECT_EQ(ReadFileBytes(dir.Path.string(), bytes), FileError::CannotOpen);
}

TEST(AtomicSave, FailuresThatHoldForRootKeepTheOldFiles) {
    struct Case {
        const char* What;
        std::string Name; // the target, in the folder beside the old file "a.cfg"
        FileError Expected;
        int Limit; // 0: none, 1: file size (a full disk), 2: no descriptors left
    };
    const Case cases[] = {
        {"the folder is a file", "a.cfg/b.cfg", FileError::CannotCreate, 0},
        {"a name longer than the system allows", std::string(300, 'n') + ".cfg",
         FileError::WriteFailed, 0},
        {"the disk fills up", "a.cfg", FileError::WriteFailed, 1},
        {"no file can be opened", "a.cfg", FileError::CannotCreate, 2},
    };
    for (const Case& c : cases) {
        TempDir dir;
        ASSERT_EQ(AtomicSave((dir.Path / "a.cfg").string(), "old"), FileError::None);
        const std::string target = (dir.Path / c.Name).string();
        const std::string bytes(100000, 'x');
        std::optional<ScopedFileSizeLimit> fullDisk;
        std::optional<ScopedNoDescriptors> noFiles;
        if (c.Limit == 1) fullDisk.emplace(1000);
        if (c.Limit == 2) noFiles.emplace();
        ASSERT_TRUE((!fullDisk || fullDisk->Active) && (!noFiles || noFiles->Active)) << c.What;
        const FileError result = AtomicSave(target, bytes);
        fullDisk.reset();
        noFiles.reset();
        EXPECT_EQ(result, c.Expected) << c.What;
        EXPECT_EQ(ReadAll(dir.Path / "a.cfg"), "old") << c.What;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path), fs::directory_iterator()), 1)
            << c.What << ": no temporary left";
    }
}

TEST(TextLines, SplitsAtEveryLineEndJoinsWithCrLfAndFindsTheExtension) {
    EXPECT_EQ(SplitTextLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitTextLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(SplitTextLines("").empty());
    EXPECT_EQ(JoinLinesCrLf({"S = NP", ""}), "S = NP\r\n\r\n");
    EXPECT_EQ(FileExtension("/a.b/grammar.cfg"), ".cfg");
    EXPECT_EQ(FileExtension("/a.b/grammar"), "");
    EXPECT_EQ(FileExtension("x.tar.gz"), ".gz");
}
