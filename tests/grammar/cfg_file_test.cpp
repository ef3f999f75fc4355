// Grammar files: the extension test, decoding UTF-8 and Windows-1252, saving (a wrong
// extension, unreadable files and characters Windows-1252 cannot hold are among the
// broken files and golden command lines, failed saves among the broken files and the
// atomic save's tests).
#include "grammar/cfg_file.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace gramarbor {
namespace {

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

class CfgFileTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(Dir); }
    void TearDown() override { fs::remove_all(Dir); }

    fs::path Dir = fs::temp_directory_path() /
                   ("gramarbor-cfg-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    RecordingSink Sink;
};

TEST(CfgExtension, ComparesFirstFourCharactersUpperCased) {
    for (const char* yes : {"grammar.cfg", "/some.dir/GRAMMAR.Cfg", "grammar.cfgx"})
        EXPECT_TRUE(HasCfgExtension(yes)) << yes;
    for (const char* no : {"grammar.txt", "grammar", "cfg.d/grammar", "grammar.cf"})
        EXPECT_FALSE(HasCfgExtension(no)) << no;
}

// Saved in Windows-1252 with CR LF; the same lines in UTF-8 with LF read alike.
TEST_F(CfgFileTest, SavesWindows1252WithCrLfAndReadsUtf8Alike) {
    const Lines lines{"// Gr\xF6\xDF"
                      "e",
                      "", "0 (N):\tS = A", "N = \"M\xFCller\""};
    const std::string path = (Dir / "saved.cfg").string();
    ASSERT_TRUE(SaveCfgFile(path, lines, Sink));
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    EXPECT_EQ(bytes.str(), "// Gr\xF6\xDF"
                           "e\r\n\r\n0 (N):\tS = A\r\nN = \"M\xFCller\"\r\n");
    Lines back, utf8;
    ASSERT_TRUE(LoadCfgFile(path, back, Sink));
    EXPECT_EQ(back, lines);
    std::ofstream((Dir / "b.CFG").string(), std::ios::binary)
        << "// Gr\xC3\xB6\xC3\x9F"
           "e\n\n0 (N):\tS = A\nN = \"M\xC3\xBCller\"\n";
    ASSERT_TRUE(LoadCfgFile((Dir / "b.CFG").string(), utf8, Sink));
    EXPECT_EQ(utf8, lines);
    EXPECT_TRUE(Sink.Empty());
}

} // namespace
} // namespace gramarbor
