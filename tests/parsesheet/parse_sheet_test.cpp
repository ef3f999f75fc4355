// The parsing page's model: check, parse flow and its messages, tree stepping,
// searches run elsewhere, saving the tree and the history.
#include "parsesheet/parse_sheet.h"

#include <filesystem>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/file_io.h"
#include "parsing/parse_messages.h"
#include "parsing/parse_options.h"

namespace gramarbor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const std::vector<std::string> QuickStart{"S = NP VP",     "NP = DET N",  "VP = V NP",
                                          "DET = \"the\"", "N = \"cat\"", "N = \"dog\"",
                                          "V = \"chases\""};
const std::vector<std::string> AllBracketings{"START = S", "S = S S", "S = \"a\""};
const std::vector<std::string> Ambiguous{"Start = S",         "S = NP VP",      "NP = PRON",
                                         "NP = DET N [PP]",   "VP = V NP [PP]", "PP = P NP",
                                         "PRON = \"I\"",      "DET = \"the\"",  "N = \"man\"",
                                         "N = \"telescope\"", "V = \"saw\"",    "P = \"with\""};

std::string Words(const std::string& word, int count) {
    std::string words;
    for (int i = 0; i < count; ++i)
        words += (i ? " " : "") + word;
    return words;
}

class ParseSheetTest : public ::testing::Test {
protected:
    RecordingSink Sink;
    ApproxTextMeasurer Measurer;
    TParseSheet Sheet{Sink, Measurer};
};

TEST_F(ParseSheetTest, CheckListsTheGrammarOrPointsAtTheFaultyLine) {
    EXPECT_FALSE(Sheet.Check({}));
    EXPECT_THAT(Sink.Texts(), ElementsAre("Please define a CFG first."));
    Sink.Clear();
    ASSERT_TRUE(Sheet.Check(QuickStart));
    EXPECT_EQ(Sheet.InternalListing().at(3), "3 (T):\tDET = \"the\"");
    // Rule line 2 is line 4 of the text: comments and empty lines count.
    EXPECT_FALSE(Sheet.Check({"// a comment", "", "S = NP VP", "NP = DET N", "VP = V NP x$y"}));
    EXPECT_THAT(Sink.Texts(), ElementsAre(HasSubstr("Wrong letters in symbol-name")));
    EXPECT_EQ(Sheet.ErrorSourceLine(), 4);
}

TEST_F(ParseSheetTest, EachOutcomeShowsItsPagesAndItsOneMessage) {
    const std::string cycle =
        "The unit rules A = B and B = A form a cycle, so parsing would never end.";
    const std::string stop = MsgTokenListIncomplete + " " + MsgTokenStop('?', 9, 1);
    const std::vector<std::string>& Q = QuickStart;
    const std::vector<std::string> loop{"S = A", "A = B", "B = A", "A = \"a\""};
    const std::string cat = "the cat chases the dog";
    const uint8_t def = DefaultParseOptions, trace = poTraceList | poTopDown | poDepthFirst;
    using S = TParseStart;
    using V = TParseVerdict;
    const struct {
        std::vector<std::string> Grammar;
        std::string Sentence;
        uint8_t Options;
        TParseStart Start;
        TParseVerdict Verdict;
        bool Trace, Trees;
        std::vector<std::string> Messages;
    } cases[] = {
        {{}, "a", def, S::NoGrammar, {}, false, false, {"Please define a CFG first."}},
        {Q, "", def, S::NoText, {}, false, false, {MsgNoTextToParse}},
        {{"S = x$y"}, "a", def, S::GrammarError, {}, false, false, {"(1) Wrong letters"}},
        {Q, "the dog the", def, S::Ready, V::Rejected, false, false, {"Parsing failed!"}},
        // Without trace list and trees only the answer is shown.
        {Q, cat, 0, S::Ready, V::Accepted, false, false, {"Parsing successful!"}},
        {Q, cat, trace, S::Ready, V::Accepted, true, false, {}},
        {Q, cat, def, S::Ready, V::Accepted, false, true, {}},
        // A refused parse shows only why: it is neither accepted nor rejected.
        {loop, "a", def, S::Ready, V::Refused, false, false, {cycle}},
        {Q, "the dog ?", def, S::Ready, V::Refused, false, false, {stop}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Sentence);
        Sink.Clear();
        Sheet.Options.SetOptions(c.Options);
        const TParseStart start = Sheet.PrepareParse(c.Grammar, c.Sentence);
        EXPECT_EQ(start, c.Start);
        if (start == TParseStart::Ready) {
            const TParseOutcome outcome = Sheet.RunParse(c.Sentence);
            EXPECT_EQ(outcome.Verdict, c.Verdict);
            EXPECT_EQ(Sheet.ShowsTrace(outcome), c.Trace);
            EXPECT_EQ(Sheet.ShowsTrees(outcome), c.Trees);
            EXPECT_EQ(Sheet.Parser.GetTraceLines().empty(), !c.Trace);
            Sheet.ReportOutcome(outcome);
        }
        // Each message as expected, or beginning so.
        const std::vector<std::string> texts = Sink.Texts();
        ASSERT_EQ(texts.size(), c.Messages.size()) << Sink.Last();
        for (std::size_t i = 0; i < texts.size(); ++i)
            EXPECT_EQ(texts[i].substr(0, c.Messages[i].size()), c.Messages[i]);
    }
}

TEST_F(ParseSheetTest, TreesAreCountedAndSteppedThroughWithoutWrapping) {
    EXPECT_EQ(Sheet.TreeCountText(), "0");
    EXPECT_EQ(Sheet.CurrentTreeText(), "-");
    EXPECT_FALSE(Sheet.StepTo(0));
    TParseOutcome outcome = Sheet.Parse(Ambiguous, "I saw the man with the telescope");
    ASSERT_TRUE(outcome.TreeShown) << Sink.Last();
    EXPECT_EQ(Sheet.TreeCountText(), "2");
    EXPECT_EQ(Sheet.CurrentTreeText(), "1");
    EXPECT_EQ(Sheet.LastTreePosition(), 1);
    std::string first, second;
    ASSERT_TRUE(Sheet.ParseTree.TreeToStr(first));
    const struct {
        int Position;
        bool Shown;
        const char* Current;
    } steps[] = {{1, true, "2"}, {2, false, "2"}, {-1, false, "2"}, {0, true, "1"}};
    for (const auto& step : steps) {
        EXPECT_EQ(Sheet.StepTo(step.Position), step.Shown) << step.Position;
        EXPECT_EQ(Sheet.CurrentTreeText(), step.Current) << step.Position;
        if (step.Position == 1) {
            ASSERT_TRUE(Sheet.ParseTree.TreeToStr(second));
        }
    }
    EXPECT_NE(first, second);
    EXPECT_GT(Sheet.ParseTree.GetMetafile().Width, 0);

    // Twenty words: Catalan(19) trees, far more than are kept; every one of them can
    // be stepped to by its number, the last as well.
    outcome = Sheet.Parse(AllBracketings, Words("a", 20));
    EXPECT_TRUE(outcome.TreesTruncated);
    EXPECT_EQ(Sheet.TreeCountText(), "1767263190");
    EXPECT_EQ(Sheet.LastTreePosition(), 32767);
    EXPECT_TRUE(Sheet.StepTo(32767));
    EXPECT_EQ(Sheet.CurrentTreeText(), "32768");
    ASSERT_TRUE(Sheet.StepBy(1));
    EXPECT_EQ(Sheet.CurrentTreeText(), "32769");
    ASSERT_TRUE(Sheet.StepToTyped(" 1767263190"));
    EXPECT_TRUE(Sheet.AtLastTree());
    ASSERT_TRUE(Sheet.ParseTree.TreeToStr(first));
    EXPECT_FALSE(Sheet.StepBy(1));
    EXPECT_EQ(Sheet.CurrentTreeText(), "1767263190");
    EXPECT_TRUE(Sink.Empty()) << Sink.Last();
    for (const char* typed : {"0", "1767263191", "x", ""}) {
        EXPECT_FALSE(Sheet.StepToTyped(typed)) << typed;
        EXPECT_EQ(Sink.Last(), "Please enter a tree number from 1 to 1767263190.");
    }
    EXPECT_EQ(Sheet.CurrentTreeText(), "1767263190");
}

TEST_F(ParseSheetTest, TreesPastThoseKeptAreTheTreesTheParseWouldKeep) {
    const std::string sentence = "I saw the man with the telescope with the telescope";
    Sheet.Parse(Ambiguous, sentence);
    std::vector<std::string> all;
    for (int i = 0; Sheet.StepTo(i); ++i) {
        all.emplace_back();
        ASSERT_TRUE(Sheet.ParseTree.TreeToStr(all.back()));
    }
    ASSERT_EQ(all.size(), 3u);
    TParseRequest request;
    request.MaxParseTrees = 1;
    const TParseOutcome outcome = Sheet.RunParse(sentence, request);
    ASSERT_TRUE(outcome.TreesTruncated);
    EXPECT_EQ(Sheet.TreeCountText(), std::to_string(all.size()));
    for (std::size_t i = all.size(); i-- > 0;) {
        std::string text;
        ASSERT_TRUE(Sheet.StepTo(static_cast<int>(i)));
        ASSERT_TRUE(Sheet.ParseTree.TreeToStr(text));
        EXPECT_EQ(text, all[i]) << i;
    }
}

TEST_F(ParseSheetTest, ASearchRunElsewhereReportsOnTheCallingThreadAfterwards) {
    const std::thread::id caller = std::this_thread::get_id();
    std::thread::id searcher;
    TParseRequest request;
    request.Runner = [&](const std::function<bool()>& search) {
        bool result = false;
        std::thread worker([&] {
            searcher = std::this_thread::get_id();
            result = search();
        });
        worker.join();
        return result;
    };
    // A refusal's message waits for the search to end.
    TParseOutcome outcome = Sheet.Parse(QuickStart, "the dog ?", request);
    EXPECT_EQ(outcome.Verdict, TParseVerdict::Refused);
    EXPECT_NE(searcher, caller);
    ASSERT_EQ(Sink.Entries().size(), 1u);
    EXPECT_EQ(Sheet.Parser.Sink, static_cast<MessageSink*>(&Sink));

    // A search cancelled from outside has no verdict and keeps nothing.
    Sink.Clear();
    CancelToken cancel;
    cancel.Cancel();
    request.Cancel = &cancel;
    Sheet.Options.SetOptions(poTraceList | poBottomUp | poBreadthFirst | poParseTrees);
    outcome = Sheet.Parse(AllBracketings, Words("a", 30), request);
    EXPECT_EQ(outcome.Verdict, TParseVerdict::Cancelled);
    EXPECT_TRUE(Sheet.ParseTrees().empty());
    Sheet.ReportOutcome(outcome);
    EXPECT_THAT(Sink.Texts(), ElementsAre(MsgParsingCancelled));
}

// Saving a parse tree is proved through the window; without one there is a message.
TEST_F(ParseSheetTest, NoParseTreeIsNotSaved) {
    EXPECT_FALSE(Sheet.CanSaveParseTree());
    EXPECT_THAT(Sink.Texts(), ElementsAre(MsgEmptyTreeNotSaved));
}

TEST_F(ParseSheetTest, ParsingRecordsTheSentenceOnlyOnceItCanStart) {
    Sheet.MaxTextLength = 12;
    Sheet.Parse({}, "the dog");
    Sheet.Parse(QuickStart, "the dog");
    Sheet.Parse(QuickStart, "the dog chases the cat"); // longer than 12
    Sheet.Parse(QuickStart, "the cat");
    Sheet.Parse(QuickStart, "the dog");
    EXPECT_THAT(Sheet.History, ElementsAre("the cat", "the dog"));
}

} // namespace
} // namespace gramarbor
