// Walking parse trees through the networks converted from their grammars, and through
// networks edited so that they no longer accept the tree.
#include "rtn/rtn_walk.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "base/message_sink.h"
#include "grammar/cfg_file.h"
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

const std::vector<std::string> QuickStart{"S = NP VP",     "NP = DET N",  "VP = V NP",
                                          "DET = \"the\"", "N = \"cat\"", "N = \"dog\"",
                                          "V = \"chases\""};
const std::string QuickStartTree =
    "[S [NP [DET [the]] [N [dog]]] [VP [V [chases]] [NP [DET [the]] [N [cat]]]]]";

std::vector<std::string> Example(const std::string& name) {
    RecordingSink sink;
    std::vector<std::string> lines;
    EXPECT_TRUE(LoadCfgFile(std::string(GRAMARBOR_EXAMPLES) + "/" + name, lines, sink));
    return lines;
}

// A grammar, its networks, and the trees its parses give.
struct WalkFixture {
    RecordingSink Sink;
    TParser Grammar{Sink};
    TRtn Rtn;
    TTree Tree{false, Sink};

    explicit WalkFixture(const std::vector<std::string>& grammar) {
        TParser read(Sink);
        EXPECT_TRUE(PrepareGrammar(read, grammar, false));
        EXPECT_TRUE(CfgToRtn(read.ExtRules, Rtn, Sink));
        EXPECT_TRUE(PrepareGrammar(Grammar, grammar, true)) << Sink.Last();
        Tree.ShowErrors = false;
    }

    std::vector<std::string> Trees(const std::string& sentence, uint8_t options = 0) {
        ParseSentence(Grammar, {sentence}, DefaultParseOptions | options);
        return Grammar.GetParseTrees();
    }

    TRtnWalk Walk(const std::string& tree, bool caseSensitive = false,
                  const TWalkLimits& limits = {}) {
        EXPECT_TRUE(Tree.StrToTree(tree)) << tree;
        return WalkTree(Rtn, Tree.GetRoot(), caseSensitive, limits);
    }

    // Each step as "what it does | the stack after it".
    std::vector<std::string> Steps(const TRtnWalk& walk) const {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < walk.Steps.size(); ++i) {
            std::string stack;
            for (const std::string& name : WalkStackNames(Rtn, walk, i))
                stack += (stack.empty() ? "" : " ") + name;
            lines.push_back(WalkStepText(Rtn, walk, i) + " | " + stack);
        }
        return lines;
    }

    std::size_t NetIndex(const std::string& name, std::size_t nth = 0) const {
        for (std::size_t n = 0; n < Rtn.size(); ++n)
            if (Rtn[n].Name == name && nth-- == 0) return n;
        ADD_FAILURE() << "no net " << name;
        return 0;
    }
};

TEST(RtnWalk, QuickStartTreeStepsThroughEveryNet) {
    WalkFixture f(QuickStart);
    const TRtnWalk walk = f.Walk(QuickStartTree);
    EXPECT_TRUE(walk.Complete);
    EXPECT_EQ(walk.Message, "");
    const std::vector<std::string> expected{
        "Start in S | S",
        "S0 -> S1: push NP | S NP",
        "NP0 -> NP1: push DET | S NP DET",
        "DET0 -> DET1: \"the\" | S NP DET",
        "DET1: pop | S NP",
        "NP1 -> NP2: push N | S NP N",
        "N0 -> N1: \"dog\" | S NP N",
        "N1: pop | S NP",
        "NP2: pop | S",
        "S1 -> S2: push VP | S VP",
        "VP0 -> VP1: push V | S VP V",
        "V0 -> V1: \"chases\" | S VP V",
        "V1: pop | S VP",
        "VP1 -> VP2: push NP | S VP NP",
        "NP0 -> NP1: push DET | S VP NP DET",
        "DET0 -> DET1: \"the\" | S VP NP DET",
        "DET1: pop | S VP NP",
        "NP1 -> NP2: push N | S VP NP N",
        "N0 -> N1: \"cat\" | S VP NP N",
        "N1: pop | S VP NP",
        "NP2: pop | S VP",
        "VP2: pop | S",
        "S2: pop | ",
    };
    EXPECT_EQ(f.Steps(walk), expected);
    // Of the two nets named N, the one for "dog" takes "dog", the one for "cat" "cat".
    EXPECT_EQ(walk.Steps[6].Net, f.NetIndex("N", 1));
    EXPECT_EQ(walk.Steps[18].Net, f.NetIndex("N", 0));
    EXPECT_EQ(WalkWordsText(walk, 6), "the dog");
    EXPECT_EQ(WalkWordsText(walk, 22), "the dog chases the cat");
    EXPECT_EQ(WalkWordsText(walk, 22, 2), "... the cat");
    // The tree the parse gives is the one written above.
    EXPECT_EQ(f.Trees("the dog chases the cat"), std::vector<std::string>{QuickStartTree});
}

TEST(RtnWalk, AttachmentTreesWalkTheNetsOfTheirReading) {
    WalkFixture f(Example("attachment.cfg"));
    const std::vector<std::string> trees = f.Trees("I saw the man in the park");
    ASSERT_EQ(trees.size(), 2u);
    // The reading with the phrase attached to the verb phrase, under the start line's
    // START = S.
    const std::string verbAttached =
        "[START [S [NP [I]] [VP [VP [V [saw]] [NP [DET [the]] [N [man]]]] "
        "[PP [P [in]] [NP [DET [the]] [N [park]]]]]]]";
    ASSERT_NE(std::find(trees.begin(), trees.end(), verbAttached), trees.end());
    const TRtnWalk walk = f.Walk(verbAttached);
    ASSERT_TRUE(walk.Complete) << walk.Message;
    const std::vector<std::string> expected{
        "Start in START | START",
        "START0 -> START1: push S | START S",
        "S0 -> S1: push NP | START S NP",
        "NP0 -> NP1: \"I\" | START S NP",
        "NP1: pop | START S",
        "S1 -> S2: push VP | START S VP",
        "VP0 -> VP1: push VP | START S VP VP",
        "VP0 -> VP1: push V | START S VP VP V",
        "V0 -> V1: \"saw\" | START S VP VP V",
        "V1: pop | START S VP VP",
        "VP1 -> VP2: push NP | START S VP VP NP",
        "NP0 -> NP1: push DET | START S VP VP NP DET",
        "DET0 -> DET1: \"the\" | START S VP VP NP DET",
        "DET1: pop | START S VP VP NP",
        "NP1 -> NP2: push N | START S VP VP NP N",
        "N0 -> N1: \"man\" | START S VP VP NP N",
        "N1: pop | START S VP VP NP",
        "NP2: pop | START S VP VP",
        "VP2: pop | START S VP",
        "VP1 -> VP2: push PP | START S VP PP",
        "PP0 -> PP1: push P | START S VP PP P",
        "P0 -> P1: \"in\" | START S VP PP P",
        "P1: pop | START S VP PP",
        "PP1 -> PP2: push NP | START S VP PP NP",
        "NP0 -> NP1: push DET | START S VP PP NP DET",
        "DET0 -> DET1: \"the\" | START S VP PP NP DET",
        "DET1: pop | START S VP PP NP",
        "NP1 -> NP2: push N | START S VP PP NP N",
        "N0 -> N1: \"park\" | START S VP PP NP N",
        "N1: pop | START S VP PP NP",
        "NP2: pop | START S VP PP",
        "PP2: pop | START S VP",
        "VP2: pop | START S",
        "S2: pop | START",
        "START1: pop | ",
    };
    EXPECT_EQ(f.Steps(walk), expected);
    // Nets of one name: "I" in the third NP net, the outer VP in VP = VP PP.
    EXPECT_EQ(walk.Steps[3].Net, f.NetIndex("NP", 2));
    EXPECT_EQ(walk.Steps[6].Net, f.NetIndex("VP", 1));
    EXPECT_EQ(walk.Steps[7].Net, f.NetIndex("VP", 0));
    // The other reading walks as well.
    for (const std::string& tree : trees)
        EXPECT_TRUE(f.Walk(tree).Complete) << tree;
}

TEST(RtnWalk, RepetitionsLoopBackAndOptionalPartsJump) {
    WalkFixture f(Example("optional_repeated.cfg"));
    const std::vector<std::string> trees = f.Trees("the big old dog sleeps");
    ASSERT_EQ(trees.size(), 1u);
    const TRtnWalk walk = f.Walk(trees[0]);
    ASSERT_TRUE(walk.Complete) << walk.Message;
    const std::vector<std::string> expected{
        "Start in S | S",
        "S0 -> S1: push NP | S NP",
        "NP0 -> NP1: push DET | S NP DET",
        "DET0 -> DET1: \"the\" | S NP DET",
        "DET1: pop | S NP",
        "NP1 -> NP2: push ADJ | S NP ADJ",
        "ADJ0 -> ADJ1: \"big\" | S NP ADJ",
        "ADJ1: pop | S NP",
        "NP2 -> NP1: push ADJ | S NP ADJ",
        "ADJ0 -> ADJ1: \"old\" | S NP ADJ",
        "ADJ1: pop | S NP",
        "NP1 -> NP2: jump | S NP",
        "NP2 -> NP3: push N | S NP N",
        "N0 -> N1: \"dog\" | S NP N",
        "N1: pop | S NP",
        "NP3 -> NP4: jump | S NP",
        "NP4: pop | S",
        "S1 -> S2: push VP | S VP",
        "VP0 -> VP1: jump | S VP",
        "VP1 -> VP2: push V | S VP V",
        "V0 -> V1: \"sleeps\" | S VP V",
        "V1: pop | S VP",
        "VP2 -> VP3: jump | S VP",
        "VP3: pop | S",
        "S2: pop | ",
    };
    EXPECT_EQ(f.Steps(walk), expected);
}

TEST(RtnWalk, TokenClassesTakeTheirLeaves) {
    WalkFixture f(Example("token_classes.cfg"));
    const std::vector<std::string> trees = f.Trees("let x = 3 + 4.5 * y ; print 2");
    ASSERT_FALSE(trees.empty());
    for (const std::string& tree : trees) {
        const TRtnWalk walk = f.Walk(tree);
        EXPECT_TRUE(walk.Complete) << tree << "\n" << walk.Message;
        EXPECT_EQ(walk.Words.size(), 11u);
        EXPECT_EQ(walk.Steps.back().Words, 11u);
    }
}

// Edits of the quick-start networks and where the walk of its tree stops.
struct BrokenCase {
    const char* Name;
    std::function<void(WalkFixture&)> Edit;
    std::size_t Steps; // steps taken before the one that cannot be
    std::string Message;
    bool CaseSensitive = false;
};

class RtnWalkBroken : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(RtnWalkBroken, StopsWithTheStepAndTheReason) {
    const BrokenCase& c = GetParam();
    WalkFixture f(QuickStart);
    c.Edit(f);
    const TRtnWalk walk = f.Walk(QuickStartTree, c.CaseSensitive);
    EXPECT_FALSE(walk.Complete);
    EXPECT_EQ(walk.Steps.size(), c.Steps);
    EXPECT_EQ(walk.Message, c.Message);
    // The steps that were taken are the walk's own up to there.
    WalkFixture whole(QuickStart);
    const std::vector<std::string> full = whole.Steps(whole.Walk(QuickStartTree));
    const std::vector<std::string> taken = f.Steps(walk);
    ASSERT_LE(taken.size(), full.size());
    EXPECT_TRUE(std::equal(taken.begin(), taken.end(), full.begin()));
}

void SetArc(WalkFixture& f, const std::string& net, std::size_t node, TRTNNode arc) {
    f.Rtn[f.NetIndex(net)].Nodes[node] = {arc};
}

INSTANTIATE_TEST_SUITE_P(
    Edits, RtnWalkBroken,
    ::testing::Values(
        BrokenCase{"NetDeleted", [](WalkFixture& f) { f.Rtn.erase(f.Rtn.begin() + 6); }, 10,
                   "The walk stops at step 11: there is no \"V\"-network."},
        BrokenCase{"WordChanged",
                   [](WalkFixture& f) { SetArc(f, "DET", 0, Cond(ckText, 0, "a", 1)); }, 3,
                   "The walk stops at step 4: the \"DET\"-network has no arc at DET0 that "
                   "takes \"the\"."},
        BrokenCase{"PushRenamed",
                   [](WalkFixture& f) { SetArc(f, "S", 1, Cond(ckPush, 1, "XP", 2)); }, 9,
                   "The walk stops at step 10: the \"S\"-network has no arc at S1 that pushes "
                   "\"VP\"."},
        BrokenCase{"PopOutOfReach",
                   [](WalkFixture& f) {
                       TRTNLine& np = f.Rtn[f.NetIndex("NP")];
                       np.Nodes.insert(np.Nodes.begin() + 2, {Cond(ckText, 2, "end", 3)});
                       np.Nodes[3] = {Cond(ckPop, 3, "pop", PopDst)};
                   },
                   8,
                   "The walk stops at step 9: the \"NP\"-network cannot reach its pop-arc from "
                   "NP2."},
        BrokenCase{"RootNetRenamed", [](WalkFixture& f) { f.Rtn[0].Name = "SENTENCE"; }, 0,
                   "The walk stops at step 1: there is no \"S\"-network."},
        BrokenCase{"CaseCountsWhenAsked",
                   [](WalkFixture& f) { SetArc(f, "V", 0, Cond(ckText, 0, "Chases", 1)); }, 11,
                   "The walk stops at step 12: the \"V\"-network has no arc at V0 that takes "
                   "\"chases\".",
                   true}),
    [](const ::testing::TestParamInfo<BrokenCase>& info) { return info.param.Name; });

TEST(RtnWalk, LetterCaseApartUnlessAsked) {
    WalkFixture f(QuickStart);
    SetArc(f, "V", 0, Cond(ckText, 0, "CHASES", 1));
    EXPECT_TRUE(f.Walk(QuickStartTree, false).Complete);
    EXPECT_FALSE(f.Walk(QuickStartTree, true).Complete);
}

TEST(RtnWalk, LimitsCutTheWalkShortWithAMessage) {
    WalkFixture f(QuickStart);
    TRtnWalk walk = f.Walk(QuickStartTree, false, TWalkLimits{5, 1000});
    EXPECT_FALSE(walk.Complete);
    EXPECT_EQ(walk.Steps.size(), 5u);
    EXPECT_EQ(walk.Message, MsgWalkTooLong(5));
    walk = f.Walk(QuickStartTree, false, TWalkLimits{1000, 10});
    EXPECT_FALSE(walk.Complete);
    EXPECT_EQ(walk.Message, MsgWalkTooMuchWork);
}

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

// A sentence of the grammar: a random derivation from the start rule that turns to
// the shortest derivations once deep enough.
class SentenceMaker {
public:
    SentenceMaker(const TParser& grammar, unsigned seed) : Grammar(grammar), Random(seed) {
        for (std::size_t r = 0; r < grammar.Rules.size(); ++r)
            RulesOf[grammar.Rules[r].Line.Left.Text].push_back(r);
        // Height of each nonterminal: the fewest levels to words.
        for (bool changed = true; changed;) {
            changed = false;
            for (const TParsLine& rule : grammar.Rules) {
                int height = 1;
                for (const TElemNode& e : rule.Line.Right)
                    if (e.SymKind == ekNonTerminal) height = std::max(height, Height(e.Text) + 1);
                int& known = Heights.try_emplace(rule.Line.Left.Text, Unknown).first->second;
                if (height < known) {
                    known = height;
                    changed = true;
                }
            }
        }
    }

    std::string Make() {
        std::string sentence;
        Expand(Grammar.Rules[Grammar.StartLine].Line.Left.Text, 0, sentence);
        return sentence;
    }

private:
    static constexpr int Unknown = 1 << 20;
    int Height(const std::string& name) const {
        const auto found = Heights.find(name);
        return found == Heights.end() ? Unknown : found->second;
    }

    void Expand(const std::string& name, int depth, std::string& out) {
        const std::vector<std::size_t>& rules = RulesOf[name];
        std::vector<std::size_t> choices;
        for (const std::size_t r : rules) {
            int height = 1;
            for (const TElemNode& e : Grammar.Rules[r].Line.Right)
                if (e.SymKind == ekNonTerminal) height = std::max(height, Height(e.Text) + 1);
            if (depth < 6 || height <= Height(name)) choices.push_back(r);
        }
        const std::size_t r = choices[Random() % choices.size()];
        for (const TElemNode& e : Grammar.Rules[r].Line.Right) {
            switch (e.SymKind) {
            case ekNonTerminal:
                Expand(e.Text, depth + 1, out);
                continue;
            case ekIdent:
                out += " zz";
                break;
            case ekFloat:
                out += " 2.5";
                break;
            case ekNumber:
            case ekInteger:
                out += " 7";
                break;
            default:
                out += " " + e.Text;
                break;
            }
        }
    }

    const TParser& Grammar;
    std::mt19937 Random;
    std::map<std::string, std::vector<std::size_t>> RulesOf;
    std::map<std::string, int> Heights;
};

TEST(RtnWalk, EveryParseTreeOfRandomGrammarsWalksToTheEnd) {
    int walked = 0;
    for (unsigned seed = 1; seed <= 150; ++seed) {
        GrammarGenerator generator(seed);
        const std::vector<std::string> grammar = generator.Make();
        RecordingSink sink;
        TParser checked(sink);
        if (!PrepareGrammar(checked, grammar, true)) continue;
        WalkFixture f(grammar);
        SentenceMaker maker(f.Grammar, seed);
        for (int s = 0; s < 4; ++s) {
            const std::string sentence = maker.Make();
            const std::vector<std::string> trees = f.Trees(sentence, poCaseSensitive);
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

// The walk shown on the sheet: stepping, the mark on the picture, and its end when
// the network changes.
TEST(RtnWalker, StepsMarkTheArcAndEndWhenTheNetworkChanges) {
    RecordingSink sink;
    ApproxTextMeasurer measurer;
    TRtnWorkspace workspace(sink, measurer);
    TRtnWalker walker(workspace, sink);
    WalkFixture f(QuickStart);
    ASSERT_TRUE(f.Tree.StrToTree(QuickStartTree));

    EXPECT_FALSE(walker.Start(f.Tree.GetRoot(), false));
    EXPECT_EQ(sink.Last(), MsgDefineRtnFirst);
    ASSERT_EQ(workspace.MakeRTNClick(true, true, &f.Grammar.ExtRules), TMakeRtnResult::Made);
    EXPECT_FALSE(walker.Start(nullptr, false));
    EXPECT_EQ(sink.Last(), MsgWalkNeedsTree);

    ASSERT_TRUE(walker.Start(f.Tree.GetRoot(), false));
    EXPECT_EQ(walker.StepCaption(), "Step 1 of 23: Start in S");
    EXPECT_EQ(workspace.Highlight, (TArcHighlight{0, -1, -1}));
    EXPECT_FALSE(walker.StepBy(-1));
    ASSERT_TRUE(walker.StepBy(1));
    EXPECT_EQ(walker.StepCaption(), "Step 2 of 23: S0 -> S1: push NP");
    EXPECT_EQ(walker.Stack(), (std::vector<std::string>{"S", "NP"}));
    EXPECT_EQ(workspace.Highlight, (TArcHighlight{0, 0, 0}));
    EXPECT_EQ(walker.Outcome(), "");
    while (walker.StepBy(1)) {
    }
    EXPECT_TRUE(walker.AtLast());
    EXPECT_EQ(walker.Words(), "the dog chases the cat");
    EXPECT_EQ(walker.Outcome(), MsgWalkAccepted);
    EXPECT_EQ(walker.Stack(), std::vector<std::string>{});

    // Display options keep the walk; a change of the network ends it.
    EXPECT_TRUE(workspace.NodeDistChange(4));
    EXPECT_FALSE(walker.EndIfOutdated());
    workspace.DeleteNet(6);
    EXPECT_EQ(workspace.Highlight, TArcHighlight{});
    EXPECT_TRUE(walker.EndIfOutdated());
    EXPECT_FALSE(walker.Active());
    EXPECT_EQ(walker.StepCaption(), "");
}

TEST(RtnWalker, LongStacksShowTheirInnermostNames) {
    RecordingSink sink;
    ApproxTextMeasurer measurer;
    TRtnWorkspace workspace(sink, measurer);
    TRtnWalker walker(workspace, sink);
    WalkFixture f({"T = X", "X = \"a\" [X]"});
    ASSERT_TRUE(f.Tree.StrToTree("[T [X [#1 [a]] [X [#1 [a]] [X [a]]]]]"));
    ASSERT_EQ(workspace.MakeRTNClick(true, true, &f.Grammar.ExtRules), TMakeRtnResult::Made);
    ASSERT_TRUE(walker.Start(f.Tree.GetRoot(), false));
    while (walker.Stack().size() < 3)
        ASSERT_TRUE(walker.StepBy(1));
    EXPECT_EQ(walker.Stack(2), (std::vector<std::string>{"...", "X", "X"}));
}

} // namespace
} // namespace gramarbor
