// Every example a reader may copy from README.md or from the program's help texts
// works as shown: the commands print the output written under them, bracketed texts
// read as trees and are written back unchanged, grammars read (and the quick start
// checks and parses), tree-list entries build their trees.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "base/message_sink.h"
#include "cli/run_cli.h"
#include "common/script_lines.h"
#include "grammar/grammar_store.h"
#include "grammar/prepare_grammar.h"
#include "picture/text_measurer.h"
#include "tree/canvas_measurer.h"
#include "tree/tree.h"
#include "treesheet/tree_sheet.h"
#include "workbench/help_texts.h"

namespace gramarbor {
namespace {

namespace fs = std::filesystem;
using testing::Split;
using testing::Words;

std::string Readme() {
    return Slurp(std::string(GRAMARBOR_SOURCE_DIR) + "/README.md");
}

// A command of a console block and the output shown under it.
struct ShownCommand {
    std::vector<std::string> Args;
    std::string Output;
};

// The commands of the README's console blocks that run gramarbor-cli.
std::vector<ShownCommand> ReadmeCommands() {
    const std::string prompt = "$ build/src/cli/gramarbor-cli ";
    std::vector<ShownCommand> commands;
    bool inConsole = false;
    ShownCommand* current = nullptr;
    for (const std::string& line : Split(Readme(), "\n")) {
        if (line.rfind("```", 0) == 0) {
            inConsole = !inConsole && line == "```console";
            current = nullptr;
        } else if (inConsole && line.rfind("$ ", 0) == 0) {
            current = nullptr;
            if (line.rfind(prompt, 0) != 0) continue;
            // Arguments are separated by blanks; quoting would need a shell.
            EXPECT_EQ(line.find_first_of("'\"\\"), std::string::npos) << line;
            current = &commands.emplace_back(ShownCommand{Words(line.substr(prompt.size())), ""});
        } else if (current) {
            current->Output += line + "\n";
        }
    }
    return commands;
}

// Bracketed trees in a help text: every balanced [...] that holds another bracket, so
// a tree with children ([S [NP] [VP]]), not a single name in brackets ([x]).
std::vector<std::string> HelpBracketTrees(const std::string& help) {
    std::vector<std::string> trees;
    for (std::size_t open = help.find('['), end = 0; open != std::string::npos;
         open = help.find('[', end)) {
        int depth = 0;
        for (end = open; end < help.size(); ++end)
            if ((depth += help[end] == '[' ? 1 : help[end] == ']' ? -1 : 0) == 0) break;
        if (end == help.size()) break;
        const std::string text = help.substr(open, end - open + 1);
        if (text.find('[', 1) != std::string::npos) trees.push_back(text);
    }
    return trees;
}

TEST(DocsExamples, ReadmeCommandsPrintWhatTheReadmeShows) {
    const std::vector<ShownCommand> commands = ReadmeCommands();
    ASSERT_GE(commands.size(), 2u);
    // The commands name files relative to the top of the source tree.
    const fs::path before = fs::current_path();
    fs::current_path(GRAMARBOR_SOURCE_DIR);
    for (const ShownCommand& c : commands) {
        SCOPED_TRACE(c.Args.at(0) + " " + c.Args.back());
        const CliResult result = RunCli(c.Args);
        EXPECT_EQ(std::tie(result.Out, result.Err, result.ExitCode), std::tuple(c.Output, "", 0));
    }
    fs::current_path(before);
}

TEST(DocsExamples, ReadmeAndHelpBracketTextsAreTrees) {
    // Each text in the format it is an example of: brackets, separator, parent outside.
    struct Format {
        std::string Text, Brackets = "[]";
        char Separator = ' ';
        bool ParentOutside = false;
    };
    std::vector<Format> formats;
    // Inline code in the README that is bracketed text: `[...]`.
    for (const std::string& code : Split(Readme(), "`"))
        if (code.size() > 1 && code.front() == '[' && code.back() == ']') formats.push_back({code});
    ASSERT_FALSE(formats.empty());
    for (const std::string* help :
         {&ParseHelp(), &TreeHelp(), &IOFormHelpText(), &DefNodeHelpText()})
        for (const std::string& text : HelpBracketTrees(*help))
            formats.push_back({text, "[]", text.find(",[") != std::string::npos ? ',' : ' '});
    ASSERT_GE(formats.size(), 5u);
    for (const Format& other : std::initializer_list<Format>{{"s(np,vp)", "()", ',', true},
                                                             {"{N {John}}", "{}"},
                                                             {"x<y z>", "<>", ' ', true},
                                                             {"v(w(x),y(z))", "()", ',', true}}) {
        EXPECT_TRUE(TreeHelp().find(other.Text) != std::string::npos ||
                    IOFormHelpText().find(other.Text) != std::string::npos)
            << other.Text << " is no longer an example of the help";
        formats.push_back(other);
    }
    for (const Format& f : formats) {
        RecordingSink sink;
        TTree tree(true, sink);
        tree.SetConvOpts(f.Brackets, f.Separator, f.ParentOutside, false);
        std::string back;
        EXPECT_TRUE(tree.StrToTree(f.Text) && tree.TreeToStr(back)) << f.Text;
        EXPECT_EQ(back, f.Text);
        EXPECT_EQ(sink.Texts(), std::vector<std::string>{}) << f.Text;
    }
}

TEST(DocsExamples, HelpGrammarsReadAndTheQuickStartParses) {
    // The notation lines "- RULE : explanation" each hold a rule that reads.
    int rules = 0;
    for (const std::string& line : Split(ParseHelp(), "\n")) {
        const std::size_t colon = line.find(" : ");
        if (line.rfind("- ", 0) != 0 || colon == std::string::npos) continue;
        const std::string rule = line.substr(2, colon - 2);
        if (rule.find(" = ") == std::string::npos) continue;
        RecordingSink sink;
        TParser parser(sink);
        EXPECT_TRUE(PrepareGrammar(parser, {rule}, false)) << rule << ": " << sink.Last();
        ++rules;
    }
    EXPECT_GE(rules, 6);

    // The quick start, as a user would run it from a file.
    std::string grammar;
    for (const std::string& line : QuickStartGrammar())
        grammar += line + "\n";
    const std::string path = WriteTempFile("quickstart.cfg", grammar);
    EXPECT_EQ(RunCli({"check", path}).ExitCode, 0);
    const CliResult parsed = RunCli(Words("parse " + path + " " + QuickStartSentence()));
    EXPECT_EQ(parsed.ExitCode, 0) << parsed.Err;
    EXPECT_EQ(parsed.Out.rfind("Parsing successful!\n", 0), 0u) << parsed.Out;
}

class NoDialogs final : public TTreeSheetHost {};

TEST(DocsExamples, HelpTreeListEntriesBuildTheirTrees) {
    // The indented lines "  NAME@DEFINITION" of the tree help.
    std::vector<std::string> entries;
    for (const std::string& line : Split(TreeHelp(), "\n"))
        if (line.rfind("  ", 0) == 0 && line.find('@') != std::string::npos)
            entries.push_back(line.substr(2));
    ASSERT_GE(entries.size(), 3u);
    RecordingSink sink;
    ApproxTextMeasurer measurer;
    MeasuringCanvas screen(measurer);
    NoDialogs host;
    TTreeSheet sheet(sink, screen, host);
    sheet.TreeList = entries;
    sheet.RebuildTreeNames();
    ASSERT_EQ(sheet.TreeNames.size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        sheet.Tree1.Clear();
        sink.Clear();
        sheet.NewTreeName = sheet.TreeNames[i];
        sheet.NewTreeBtnClick();
        const std::string file = entries[i].substr(entries[i].find('@') + 1);
        if (file.front() == '"') {
            // A tree file of the user's: the entry names it, the folder has none.
            ASSERT_EQ(sink.Texts().size(), 1u) << entries[i];
            EXPECT_NE(sink.Last().find(file.substr(1, file.size() - 2)), std::string::npos)
                << sink.Last();
        } else {
            EXPECT_TRUE(sink.Empty()) << entries[i] << ": " << sink.Last();
            EXPECT_NE(sheet.Tree1.GetRoot(), nullptr) << entries[i];
        }
    }
    EXPECT_NE(sheet.HotKeys[1], "") << "the hot key (1) of the example";
}

} // namespace
} // namespace gramarbor
