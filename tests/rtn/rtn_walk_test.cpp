// Walking parse trees through the networks converted from their grammars, and through
// networks edited so that they no longer accept the tree.
#include "rtn/rtn_walk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "common/golden_file.h"
#include "grammar/prepare_grammar.h"
#include "grammar_generator.h"
#include "parsing/parse_driver.h"
#include "parsing/parse_options.h"
#include "rtn/cfg_to_rtn.h"
#include "rtn/rtn_walker.h"
#include "rtn_test_support.h"

namespace gramarbor {
namespace {

using namespace testing;
using Lines = std::vector<std::string>;

// A grammar, its networks, and the trees its parses give.
struct WalkFixture {
    RecordingSink Sink;
    TParser Grammar{Sink};
    TRtn Rtn;
    TTree Tree{false, Sink};

    explicit WalkFixture(const Lines& grammar) {
        EXPECT_TRUE(CfgToRtn(Rules(grammar), Rtn, Sink));
        EXPECT_TRUE(PrepareGrammar(Grammar, grammar, true)) << Sink.Last();
        Tree.ShowErrors = false;
    }
    Lines Trees(const std::string& sentence, uint8_t options = 0) {
        ParseSentence(Grammar, {sentence}, DefaultParseOptions | options);
        return Grammar.GetParseTrees();
    }
    TRtnWalk Walk(const std::string& tree) {
        EXPECT_TRUE(Tree.StrToTree(tree)) << tree;
        return WalkTree(Rtn, Tree.GetRoot(), false);
    }
};

// Every parse tree of an example sentence walks to its end; the walk of the last of
// them (the first line of the data file) step by step as the file has it. With
// GRAMARBOR_UPDATE_GOLDEN=1 in the environment the files are written anew.
TEST(RtnWalk, ExampleTreesStepThroughTheirNets) {
    const struct {
        const char* Grammar;
        const char* Sentence;
        const char* StepsFile;
    } cases[] = {
        {"quickstart.cfg", "the dog chases the cat", "walk_quickstart.txt"},
        {"attachment.cfg", "I saw the man in the park", "walk_attachment.txt"},
        {"optional_repeated.cfg", "the big old dog sleeps", "walk_optional_repeated.txt"},
        {"token_classes.cfg", "let x = 3 + 4.5 * y ; print 2", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Grammar);
        WalkFixture f(Example(c.Grammar));
        const Lines trees = f.Trees(c.Sentence);
        ASSERT_FALSE(trees.empty());
        for (const std::string& tree : trees) {
            const TRtnWalk walk = f.Walk(tree);
            EXPECT_TRUE(walk.Complete) << tree << "\n" << walk.Message;
            EXPECT_EQ(walk.Steps.back().Words, walk.Words.size());
        }
        if (c.StepsFile)
            ExpectGolden(std::string("rtn/") + c.StepsFile,
                         Joined({trees.back()}) + Joined(WalkLines(f.Rtn, f.Walk(trees.back()))));
    }
}

// Where walks of edited networks stop, the words taken and the limits that cut a walk
// short are in the network sheet's scripts.
TEST(RtnWalk, DeepTreesWalkWithoutRecursion) {
    // X = "a" [X]: a tree of depth 2 * Depth, each level a net on the stack.
    constexpr int Depth = 3000;
    WalkFixture f({"T = X", "X = \"a\" [X]"});
    std::string tree = "[T ";
    for (int i = 0; i < Depth; ++i)
        tree += i + 1 < Depth ? "[X [#1 [a]] " : "[X [#1 [a]]";
    tree += std::string(Depth + 1, ']');
    const TRtnWalk walk = f.Walk(tree);
    ASSERT_TRUE(walk.Complete) << walk.Message;
    EXPECT_EQ(walk.Words.size(), std::size_t(Depth));
    // After the last word every net is still open.
    const auto last = std::find_if(walk.Steps.begin(), walk.Steps.end(),
                                   [](const TWalkStep& step) { return step.Words == Depth; });
    ASSERT_NE(last, walk.Steps.end());
    EXPECT_EQ(WalkStackNames(f.Rtn, walk, std::size_t(last - walk.Steps.begin())).size(),
              std::size_t(Depth) + 1);
}

// A random derivation of name in the checked grammar, its token classes as words of
// theirs; false when it grows deeper than the repetitions of a generated grammar go.
bool Derive(const TParser& grammar, const std::string& name, std::mt19937& random, std::string& out,
            int depth = 0) {
    std::vector<const TParsLine*> rules;
    for (const TParsLine& rule : grammar.Rules)
        if (rule.Line.Left.Text == name) rules.push_back(&rule);
    bool ok = depth < 40;
    for (const TElemNode& e : rules[random() % rules.size()]->Line.Right) {
        if (ok && e.SymKind == ekNonTerminal) ok = Derive(grammar, e.Text, random, out, depth + 1);
        out += e.SymKind == ekNonTerminal                        ? ""
               : e.SymKind == ekIdent                            ? " zz"
               : e.SymKind == ekFloat                            ? " 2.5"
               : e.SymKind == ekNumber || e.SymKind == ekInteger ? " 7"
                                                                 : " " + e.Text;
    }
    return ok;
}

TEST(RtnWalk, EveryParseTreeOfRandomGrammarsWalksToTheEnd) {
    int walked = 0;
    for (unsigned seed = 1; seed <= 150; ++seed) {
        const Lines grammar = GrammarGenerator(seed).Make();
        RecordingSink sink;
        TParser checked(sink);
        if (!PrepareGrammar(checked, grammar, true)) continue;
        WalkFixture f(grammar);
        std::mt19937 random(seed);
        for (int s = 0; s < 4; ++s) {
            std::string sentence;
            if (!Derive(f.Grammar, f.Grammar.Rules[f.Grammar.StartLine].Line.Left.Text, random,
                        sentence))
                continue;
            const Lines trees = f.Trees(sentence, poCaseSensitive);
            ASSERT_FALSE(trees.empty()) << sentence;
            for (std::size_t t = 0; t < std::min<std::size_t>(trees.size(), 8); ++t) {
                // The tree drawing holds at most four children a node.
                if (!f.Tree.StrToTree(trees[t])) {
                    f.Tree.ResetError();
                    continue;
                }
                const TRtnWalk walk = WalkTree(f.Rtn, f.Tree.GetRoot(), true);
                ASSERT_TRUE(walk.Complete) << trees[t] << "\n" << walk.Message;
                EXPECT_EQ(walk.Steps.back().Words, walk.Words.size());
                EXPECT_TRUE(WalkStackNames(f.Rtn, walk, walk.Steps.size() - 1).empty());
                ++walked;
            }
        }
    }
    EXPECT_GT(walked, 200);
}

// The walk shown on the sheet (its refusals, captions, words, outcome and end when the
// network changes are window scripts): the arc marked and a stack cut to its innermost
// names.
TEST(RtnWalker, StepsMarkTheArcAndLongStacksKeepTheirInnermostNames) {
    RecordingSink sink;
    ApproxTextMeasurer measurer;
    TRtnWorkspace workspace(sink, measurer);
    TRtnWalker walker(workspace, sink);
    WalkFixture f(Example("quickstart.cfg"));
    ASSERT_TRUE(f.Tree.StrToTree(f.Trees("the dog chases the cat").at(0)));
    ASSERT_EQ(workspace.MakeRTNClick(true, true, &f.Grammar.ExtRules), TMakeRtnResult::Made);
    ASSERT_TRUE(walker.Start(f.Tree.GetRoot(), false));
    EXPECT_EQ(workspace.Highlight, (TArcHighlight{0, -1, -1}));
    ASSERT_TRUE(walker.StepBy(1));
    EXPECT_EQ(workspace.Highlight, (TArcHighlight{0, 0, 0}));
    EXPECT_EQ(walker.Stack(1), (Lines{"...", "NP"}));
    workspace.DeleteNet(6);
    EXPECT_EQ(workspace.Highlight, TArcHighlight{});
}

} // namespace
} // namespace gramarbor
