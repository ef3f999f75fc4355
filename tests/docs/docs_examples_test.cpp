// Every example a reader may copy from README.md or from the program's help texts
// works as shown: the commands print the output written under them, bracketed texts
// read as trees and are written back unchanged, grammars read (and the quick start
// checks and parses), tree-list entries build their trees.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "base/message_sink.h"
#include "cli/run_cli.h"
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

std::string Readme() {
    return Slurp(std::string(GRAMARBOR_SOURCE_DIR) + "/README.md");
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
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
    for (const std::string& line : Lines(Readme())) {
        if (line.rfind("```", 0) == 0) {
            inConsole = !inConsole && line == "```console";
            current = nullptr;
        } else if (inConsole && line.rfind("$ ", 0) == 0) {
            current = nullptr;
            if (line.rfind(prompt, 0) != 0) continue;
            // Arguments are separated by blanks; quoting would need a shell.
            EXPECT_EQ(line.find_first_of("'\"\\"), std::string::npos) << line;
            commands.emplace_back();
            current = &commands.back();
            std::istringstream words(line.substr(prompt.size()));
            for (std::string word; words >> word;)
                current->Args.push_back(word);
        } else if (current) {
            current->Output += line + "\n";
        }
    }
    return commands;
}

// Inline code in the README that is bracketed text: `[...]`.
std::vector<std::string> ReadmeBracketTexts() {
    std::vector<std::string> texts;
    const std::string readme = Readme();
    for (std::size_t open = readme.find("`["); open != std::string::npos;
         open = readme.find("`[", open + 1)) {
        const std::size_t close = readme.find('`', open + 1);
        if (close == std::string::npos) break;
        const std::string code = readme.substr(open + 1, close - open - 1);
        if (code.back() == ']') texts.push_back(code);
    }
    return texts;
}

// Bracketed trees in a help text: every balanced [...] that holds another bracket, so
// a tree with children ([S [NP] [VP]]), not a single name in brackets ([x]).
std::vector<std::string> HelpBracketTrees(const std::string& help) {
    std::vector<std::string> trees;
    for (std::size_t open = help.find('['); open != std::string::npos;) {
        int depth = 0;
        std::size_t end = open;
        bool nested = false;
        for (; end < help.size(); ++end) {
            if (help[end] == '[') nested = nested || depth > 0, ++depth;
            if (help[end] == ']' && --depth == 0) break;
        }
        if (end == help.size()) break;
        if (nested) {
            trees.push_back(help.substr(open, end - open + 1));
            open = help.find('[', end);
        } else {
            open = help.find('[', open + 1);
        }
    }
    return trees;
}

// Reads text as a tree in the given format and writes it back.
std::string TreeRoundTrip(const std::string& text, const std::string& brackets, char separator,
                          bool parentOutside, std::string& messages) {
    RecordingSink sink;
    TTree tree(true, sink);
    tree.SetConvOpts(brackets, separator, parentOutside, false);
    std::string back;
    if (!tree.StrToTree(text) || !tree.TreeToStr(back)) back = "(no tree)";
    for (const std::string& message : sink.Texts())
        messages += message + "\n";
    return back;
}

class DocsExamples : public ::testing::Test {
protected:
    // The commands name files relative to the top of the source tree.
    void SetUp() override {
        Before = fs::current_path();
        fs::current_path(GRAMARBOR_SOURCE_DIR);
    }
    void TearDown() override { fs::current_path(Before); }
    fs::path Before;
};

TEST_F(DocsExamples, ReadmeCommandsPrintWhatTheReadmeShows) {
    const std::vector<ShownCommand> commands = ReadmeCommands();
    ASSERT_GE(commands.size(), 2u);
    for (const ShownCommand& c : commands) {
        SCOPED_TRACE(c.Args.at(0) + " " + c.Args.back());
        const CliResult result = RunCli(c.Args);
        EXPECT_EQ(result.Out, c.Output);
        EXPECT_EQ(result.Err, "");
        EXPECT_EQ(result.ExitCode, 0);
    }
    // The exit-status contract of every command's help, as the README states it.
    EXPECT_NE(Readme().find("Exit status: 0 success; 1 the input was understood and rejected"),
              std::string::npos);
}

TEST_F(DocsExamples, ReadmeAndHelpBracketTextsAreTrees) {
    std::vector<std::string> trees = ReadmeBracketTexts();
    ASSERT_FALSE(trees.empty());
    for (const std::string* help :
         {&ParseHelp(), &TreeHelp(), &IOFormHelpText(), &DefNodeHelpText()})
        for (const std::string& tree : HelpBracketTrees(*help))
            trees.push_back(tree);
    ASSERT_GE(trees.size(), 5u);
    for (const std::string& text : trees) {
        std::string messages;
        const char separator = text.find(",[") != std::string::npos ? ',' : ' ';
        EXPECT_EQ(TreeRoundTrip(text, "[]", separator, false, messages), text);
        EXPECT_EQ(messages, "") << text;
    }

    // The examples of the other formats, each in the format its text describes.
    struct Format {
        const char* Text;
        const char* Brackets;
        char Separator;
        bool ParentOutside;
    };
    const Format formats[] = {
        {"s(np,vp)", "()", ',', true},
        {"{N {John}}", "{}", ' ', false},
        {"x<y z>", "<>", ' ', true},
        {"v(w(x),y(z))", "()", ',', true},
    };
    for (const Format& f : formats) {
        EXPECT_TRUE(TreeHelp().find(f.Text) != std::string::npos ||
                    IOFormHelpText().find(f.Text) != std::string::npos)
            << f.Text << " is no longer an example of the help";
        std::string messages;
        EXPECT_EQ(TreeRoundTrip(f.Text, f.Brackets, f.Separator, f.ParentOutside, messages),
                  f.Text);
        EXPECT_EQ(messages, "") << f.Text;
    }
}

TEST_F(DocsExamples, HelpGrammarsReadAndTheQuickStartParses) {
    // The notation lines "- RULE : explanation" each hold a rule that reads.
    int rules = 0;
    for (const std::string& line : Lines(ParseHelp())) {
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
    const CliResult check = RunCli({"check", path});
    EXPECT_EQ(check.ExitCode, 0) << check.Err;
    std::vector<std::string> parse = {"parse", path};
    std::istringstream words(QuickStartSentence());
    for (std::string word; words >> word;)
        parse.push_back(word);
    const CliResult parsed = RunCli(parse);
    EXPECT_EQ(parsed.ExitCode, 0) << parsed.Err;
    EXPECT_EQ(parsed.Out.rfind("Parsing successful!\n", 0), 0u) << parsed.Out;
}

class NoDialogs final : public TTreeSheetHost {};

TEST_F(DocsExamples, HelpTreeListEntriesBuildTheirTrees) {
    // The indented lines "  NAME@DEFINITION" of the tree help.
    std::vector<std::string> entries;
    for (const std::string& line : Lines(TreeHelp()))
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
