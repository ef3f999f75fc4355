// Grammar files: the extension test, decoding UTF-8 and Windows-1252, saving (a wrong
// extension and unreadable files are among the broken files and golden command lines).
#include "grammar/cfg_file.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

#include "grammar/grammar_messages.h"

namespace gramarbor {
namespace {

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

class CfgFileTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(Dir); }
    void TearDown() override { fs::remove_all(Dir); }
    std::string Write(const std::string& name, const std::string& bytes) {
        std::ofstream((Dir / name).string(), std::ios::binary) << bytes;
        return (Dir / name).string();
    }

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

TEST_F(CfgFileTest, ReadsWindows1252AndUtf8Alike) {
    Lines a, b;
    ASSERT_TRUE(LoadCfgFile(Write("a.cfg", "// Gr\xF6\xDF"
                                           "e\r\nN = \"M\xFCller\"\r\n"),
                            a, Sink));
    ASSERT_TRUE(LoadCfgFile(Write("b.CFG", "// Gr\xC3\xB6\xC3\x9F"
                                           "e\nN = \"M\xC3\xBCller\"\n"),
                            b, Sink));
    EXPECT_EQ(a, (Lines{"// Gr\xF6\xDF"
                        "e",
                        "N = \"M\xFCller\""}));
    EXPECT_EQ(a, b);
    EXPECT_TRUE(Sink.Empty());
}

TEST_F(CfgFileTest, RefusesCharacterOutsideWindows1252NamingItsLine) {
    Lines lines;
    EXPECT_FALSE(ReadCfgLines(Write("c.cfg", "S = A\nA = \"\xC3\xA4\"\nB = \"\xE2\x88\x80\"\n"),
                              lines, Sink));
    EXPECT_EQ(Sink.Texts(),
              Lines{"Line 3 of the file holds a character that Windows-1252 cannot represent."});
    EXPECT_TRUE(lines.empty());
}

TEST_F(CfgFileTest, SavesLinesWithCrLfAndReadsThemBack) {
    const Lines lines{"// comment", "", "0 (N):\tS = A", "A = \"\xE4\""};
    const std::string path = (Dir / "saved.cfg").string();
    ASSERT_TRUE(SaveCfgFile(path, lines, Sink));
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    EXPECT_EQ(bytes.str(), "// comment\r\n\r\n0 (N):\tS = A\r\nA = \"\xE4\"\r\n");
    Lines back;
    ASSERT_TRUE(LoadCfgFile(path, back, Sink));
    EXPECT_EQ(back, lines);
}

TEST_F(CfgFileTest, SaveOverAFolderFailsAndLeavesIt) {
    fs::create_directories(Dir / "folder.cfg" / "inside");
    EXPECT_FALSE(SaveCfgFile((Dir / "folder.cfg").string(), {"S = \"new\""}, Sink));
    EXPECT_EQ(Sink.Texts(), Lines{MsgCfgCannotSave});
    EXPECT_TRUE(fs::is_directory(Dir / "folder.cfg" / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir), fs::directory_iterator()), 1);
}

} // namespace
} // namespace gramarbor
