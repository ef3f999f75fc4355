// Grammar files: the extension test, decoding UTF-8 and Windows-1252, saving.
#include "grammar/cfg_file.h"

#include <cstdio>
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
    void SetUp() override {
        Dir = fs::temp_directory_path() /
              ("gramarbor-cfg-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(Dir);
    }
    void TearDown() override { fs::remove_all(Dir); }

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = (Dir / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path Dir;
    RecordingSink Sink;
};

TEST(CfgExtension, ComparesFirstFourCharactersUpperCased) {
    EXPECT_TRUE(HasCfgExtension("grammar.cfg"));
    EXPECT_TRUE(HasCfgExtension("/some.dir/GRAMMAR.Cfg"));
    EXPECT_TRUE(HasCfgExtension("grammar.cfgx"));
    EXPECT_FALSE(HasCfgExtension("grammar.txt"));
    EXPECT_FALSE(HasCfgExtension("grammar"));
    EXPECT_FALSE(HasCfgExtension("cfg.d/grammar"));
    EXPECT_FALSE(HasCfgExtension("grammar.cf"));
}

TEST_F(CfgFileTest, LoadRefusesWrongExtensionAndMissingFile) {
    const std::string path = Write("grammar.txt", "S = \"a\"\r\n");
    Lines lines{"old"};
    EXPECT_FALSE(LoadCfgFile(path, lines, Sink));
    EXPECT_EQ(Sink.Texts(), Lines{"Wrong file-type: extension \".CFG\" expected."});
    EXPECT_EQ(lines, Lines{"old"});

    Sink.Clear();
    EXPECT_FALSE(LoadCfgFile((Dir / "missing.cfg").string(), lines, Sink));
    EXPECT_EQ(Sink.Texts(), Lines{MsgCfgCannotRead});
}

TEST_F(CfgFileTest, ReadsWindows1252AndUtf8Alike) {
    const std::string cp1252 = Write("a.cfg", "// Gr\xF6\xDF"
                                              "e\r\nN = \"M\xFC"
                                              "ller\"\r\n");
    const std::string utf8 = Write("b.CFG", "// Gr\xC3\xB6\xC3\x9F"
                                            "e\nN = \"M\xC3\xBC"
                                            "ller\"\n");
    Lines a, b;
    ASSERT_TRUE(LoadCfgFile(cp1252, a, Sink));
    ASSERT_TRUE(LoadCfgFile(utf8, b, Sink));
    EXPECT_EQ(a, (Lines{"// Gr\xF6\xDF"
                        "e",
                        "N = \"M\xFC"
                        "ller\""}));
    EXPECT_EQ(a, b);
    EXPECT_TRUE(Sink.Empty());
}

TEST_F(CfgFileTest, RefusesCharacterOutsideWindows1252NamingItsLine) {
    const std::string path = Write("c.cfg", "S = A\nA = \"\xC3\xA4\"\nB = \"\xE2\x88\x80\"\n");
    Lines lines;
    EXPECT_FALSE(ReadCfgLines(path, lines, Sink));
    EXPECT_EQ(Sink.Texts(),
              Lines{"Line 3 of the file holds a character that Windows-1252 cannot represent."});
    EXPECT_TRUE(lines.empty());
}

TEST_F(CfgFileTest, SavesLinesWithCrLfAndReadsThemBack) {
    const Lines lines{"// comment", "", "0 (N):\tS = A", "A = \"\xE4\""};
    const std::string path = (Dir / "saved.cfg").string();
    ASSERT_TRUE(SaveCfgFile(path, lines, Sink));
    EXPECT_EQ(Read(path), "// comment\r\n\r\n0 (N):\tS = A\r\nA = \"\xE4\"\r\n");
    Lines back;
    ASSERT_TRUE(LoadCfgFile(path, back, Sink));
    EXPECT_EQ(back, lines);
}

TEST_F(CfgFileTest, SaveOverAFolderFailsAndLeavesIt) {
    const fs::path folder = Dir / "folder.cfg";
    fs::create_directories(folder / "inside");
    EXPECT_FALSE(SaveCfgFile(folder.string(), {"S = \"new\""}, Sink));
    EXPECT_EQ(Sink.Texts(), Lines{MsgCfgCannotSave});
    EXPECT_TRUE(fs::is_directory(folder / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir), fs::directory_iterator()), 1);
}

} // namespace
} // namespace gramarbor
