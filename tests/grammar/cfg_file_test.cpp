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

TEST(CfgExtension, ComparesFirstFourCharactersUpperCased) {
    for (const char* yes : {"grammar.cfg", "/some.dir/GRAMMAR.Cfg", "grammar.cfgx"})
        EXPECT_TRUE(HasCfgExtension(yes)) << yes;
    for (const char* no : {"grammar.txt", "grammar", "cfg.d/grammar", "grammar.cf"})
        EXPECT_FALSE(HasCfgExtension(no)) << no;
}

// Saved in Windows-1252 with CR LF; the same lines in UTF-8 with LF read alike.
TEST(CfgFile, SavesWindows1252WithCrLfAndReadsUtf8Alike) {
    const fs::path dir = fs::path(::testing::TempDir()) / ("cfg_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    RecordingSink sink;
    const Lines lines{"// Gr\xF6\xDF"
                      "e",
                      "", "0 (N):\tS = A", "N = \"M\xFCller\""};
    const std::string path = (dir / "saved.cfg").string();
    ASSERT_TRUE(SaveCfgFile(path, lines, sink));
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    EXPECT_EQ(bytes.str(), "// Gr\xF6\xDF"
                           "e\r\n\r\n0 (N):\tS = A\r\nN = \"M\xFCller\"\r\n");
    Lines back, utf8;
    ASSERT_TRUE(LoadCfgFile(path, back, sink));
    EXPECT_EQ(back, lines);
    std::ofstream((dir / "b.CFG").string(), std::ios::binary)
        << "// Gr\xC3\xB6\xC3\x9F"
           "e\n\n0 (N):\tS = A\nN = \"M\xC3\xBCller\"\n";
    ASSERT_TRUE(LoadCfgFile((dir / "b.CFG").string(), utf8, sink));
    EXPECT_EQ(utf8, lines);
    EXPECT_TRUE(sink.Empty());
    fs::remove_all(dir);
}

} // namespace
} // namespace gramarbor
