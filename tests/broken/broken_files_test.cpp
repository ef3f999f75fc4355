// Every file in the folder of broken inputs is refused through the public loading
// function of its kind with exactly the message its .err file names, and the
// object it was loaded into keeps what it held.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/message_sink.h"
#include "grammar/cfg_file.h"
#include "grammar/grammar_messages.h"
#include "grammar/prepare_grammar.h"
#include "rtn/rtn_file.h"
#include "tree/tree.h"

namespace gramarbor {
namespace {

namespace fs = std::filesystem;

struct BrokenCase {
    std::string Path;    // the input
    std::string Kind;    // CFG, RTN or TRE: the loader to use
    std::string Message; // expected, with FILE standing for the path
};

std::vector<BrokenCase> Cases() {
    std::vector<BrokenCase> cases;
    for (const auto& entry : fs::directory_iterator(std::string(GRAMARBOR_TEST_DATA) + "/broken")) {
        const std::string err = entry.path().string();
        if (entry.path().extension() != ".err") continue;
        std::ifstream in(err, std::ios::binary);
        std::string line;
        std::getline(in, line);
        const std::size_t tab = line.find('\t');
        BrokenCase c{err.substr(0, err.size() - 4), line.substr(0, tab), line.substr(tab + 1)};
        const std::size_t file = c.Message.find("FILE");
        if (file != std::string::npos) c.Message.replace(file, 4, c.Path);
        cases.push_back(c);
    }
    std::sort(cases.begin(), cases.end(),
              [](const BrokenCase& a, const BrokenCase& b) { return a.Path < b.Path; });
    return cases;
}

std::string Name(const BrokenCase& c) {
    return fs::path(c.Path).filename().string();
}

// The messages of loading the file (and, for a grammar that loads, of checking it).
std::vector<std::string> LoadMessages(const BrokenCase& c) {
    RecordingSink sink;
    if (c.Kind == "CFG") {
        std::vector<std::string> lines{"kept"};
        if (LoadCfgFile(c.Path, lines, sink)) {
            TParser parser(sink);
            EXPECT_FALSE(PrepareGrammar(parser, lines, true)) << Name(c);
        } else {
            // A wrong extension changes nothing; a file that cannot be read leaves
            // the grammar text emptied, as the "Load CFG" command does.
            const bool extension = c.Message == MsgWrongCfgExtension;
            EXPECT_EQ(lines,
                      extension ? std::vector<std::string>{"kept"} : std::vector<std::string>{})
                << Name(c);
        }
    } else if (c.Kind == "RTN") {
        TRTNLine kept;
        kept.Name = "KEPT";
        TRtn rtn{kept};
        TRtnFileOptions options{false, 3, 4};
        EXPECT_FALSE(LoadRtnFile(c.Path, rtn, options, sink)) << Name(c);
        EXPECT_EQ(rtn, TRtn{kept}) << Name(c);
        EXPECT_EQ(options, (TRtnFileOptions{false, 3, 4})) << Name(c);
    } else if (c.Kind == "TRE") {
        TTree tree(true, sink);
        EXPECT_TRUE(tree.StrToTree("[kept [child]]"));
        EXPECT_FALSE(tree.LoadTree(c.Path)) << Name(c);
        std::string text;
        EXPECT_TRUE(tree.TreeToStr(text));
        EXPECT_EQ(text, "[kept [child]]") << Name(c);
    } else {
        ADD_FAILURE() << "unknown kind " << c.Kind << " in " << Name(c);
    }
    return sink.Texts();
}

class BrokenFiles : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenFiles, IsRefusedWithItsMessageAndChangesNothing) {
    EXPECT_EQ(LoadMessages(GetParam()), std::vector<std::string>{GetParam().Message});
}

// Each file reports on its own, named after the file.
INSTANTIATE_TEST_SUITE_P(Folder, BrokenFiles, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<BrokenCase>& info) {
                             std::string name = Name(info.param);
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

TEST(BrokenFilesFolder, HoldsTheCases) {
    EXPECT_GE(Cases().size(), 30u);
}

} // namespace
} // namespace gramarbor
