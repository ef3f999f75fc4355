// The "Ambiguities" panel's model: what it lists or says after each kind of parse, the
// first tree of each reading, and the nodes a step changes.
#include "parsesheet/parse_sheet.h"

#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "parsing/parse_options.h"

namespace gramarbor {
namespace {

const std::vector<std::string> Attachment{
    "Start = S",    "S = NP VP",         "NP = DET N",  "NP = NP PP",    "NP = \"I\"",
    "VP = V NP",    "VP = VP PP",        "PP = P NP",   "DET = \"the\"", "N = \"man\"",
    "N = \"park\"", "N = \"telescope\"", "V = \"saw\"", "P = \"in\"",    "P = \"with\""};
const std::string TwoPhrases = "I saw the man in the park with the telescope";

class AmbiguityListTest : public ::testing::Test {
protected:
    TParseOutcome Parse(const std::string& sentence, CancelToken* cancel = nullptr) {
        TParseRequest request;
        request.ListAmbiguities = true;
        request.Cancel = cancel;
        return Sheet.Parse(Attachment, sentence, request);
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const TAmbiguityLine& line : Sheet.Ambiguities.Lines())
            texts.push_back(line.Text);
        return texts;
    }
    std::string TreeText() {
        std::string text;
        EXPECT_TRUE(Sheet.ParseTree.TreeToStr(text));
        return text;
    }

    RecordingSink Sink;
    ApproxTextMeasurer Measurer;
    TParseSheet Sheet{Sink, Measurer};
};

TEST_F(AmbiguityListTest, ListsWhatTheCommandLineListsOrSaysWhyNot) {
    ASSERT_TRUE(Parse(TwoPhrases).TreeShown);
    std::vector<std::string> printed;
    ASSERT_TRUE(ListAmbiguities(Sheet.Parser, {TwoPhrases}, Sheet.ParseOptions(), printed));
    ASSERT_EQ(Texts().size(), printed.size());
    for (std::size_t i = 0; i < printed.size(); ++i)
        EXPECT_EQ((Sheet.Ambiguities.Lines()[i].Kind == TAmbiguityLineKind::Span ? "" : "    ") +
                      Texts()[i],
                  printed[i]);
    EXPECT_EQ(Sheet.Ambiguities.Note(), NoteSpansListed(3));

    const struct {
        const char* Sentence;
        std::string Note;
    } others[] = {
        {"I saw the man", NoteOneParseTree},
        {"saw I the man", NoteNoParseTree},
        {"I saw the man ?", ""}, // refused: "?" is no word
    };
    for (const auto& other : others) {
        Parse(other.Sentence);
        EXPECT_TRUE(Texts().empty()) << other.Sentence;
        EXPECT_EQ(Sheet.Ambiguities.Note(), other.Note) << other.Sentence;
    }
    // Without being asked, or when the parse is cancelled, nothing is listed.
    Parse(TwoPhrases);
    Sheet.Parse(Attachment, TwoPhrases);
    EXPECT_TRUE(Texts().empty());
    CancelToken cancel;
    cancel.Cancel();
    Parse(TwoPhrases, &cancel);
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(Sheet.Ambiguities.Note(), "");
}

// The five trees attach "in the park" and "with the telescope" in turn; each reading
// leads to the first tree that has it (which trees have it the chart tests check).
TEST_F(AmbiguityListTest, EachReadingStepsToItsFirstTree) {
    ASSERT_TRUE(Parse(TwoPhrases).TreeShown);
    const struct {
        const char* Reading;
        const char* Tree;
    } readings[] = {
        {"VP = V NP: \"saw\" + \"the man in the park with the telescope\", 2 readings", "1"},
        {"VP = VP PP: \"saw the man\" + \"in the park with the telescope\", 1 reading", "3"},
        {"VP = VP PP: \"saw the man in the park\" + \"with the telescope\", 2 readings", "4"},
        {"VP = V NP: \"saw\" + \"the man in the park\", 1 reading", "4"},
        {"VP = VP PP: \"saw the man\" + \"in the park\", 1 reading", "5"},
        {"NP = NP PP: \"the man\" + \"in the park with the telescope\", 1 reading", "1"},
        {"NP = NP PP: \"the man in the park\" + \"with the telescope\", 1 reading", "2"},
    };
    const auto texts = Texts();
    for (const auto& reading : readings) {
        SCOPED_TRACE(reading.Reading);
        const auto at = std::find(texts.begin(), texts.end(), reading.Reading);
        ASSERT_NE(at, texts.end());
        ASSERT_TRUE(Sheet.StepToReading(static_cast<std::size_t>(at - texts.begin())));
        EXPECT_EQ(Sheet.CurrentTreeText(), reading.Tree);
        EXPECT_EQ(Sheet.Ambiguities.Note(), NoteFirstTree(reading.Tree));
    }
    EXPECT_FALSE(Sheet.StepToReading(0)); // a span, not a reading
    EXPECT_EQ(Sheet.Ambiguities.Note(), NoteNotAReading);
    EXPECT_EQ(Sheet.CurrentTreeText(), "2");
    EXPECT_TRUE(Sink.Empty()) << Sink.Last();
}

// The first tree after a parse is plain; a step marks what the new tree regroups.
TEST_F(AmbiguityListTest, SteppingMarksTheNodesThatChanged) {
    ASSERT_TRUE(Parse("I saw the man in the park").TreeShown);
    auto marked = [this] {
        std::vector<std::string> names;
        std::vector<const TNode*> stack{Sheet.ParseTree.GetRoot()};
        while (!stack.empty()) {
            const TNode* node = stack.back();
            stack.pop_back();
            if (node->Attr.FontStyle & fsBold) names.push_back(node->Name);
            for (auto child = node->Children.rbegin(); child != node->Children.rend(); ++child)
                stack.push_back(child->get());
        }
        return names;
    };
    EXPECT_TRUE(marked().empty());
    EXPECT_EQ(Sheet.ChangedNodes(), 0u);
    ASSERT_TRUE(Sheet.StepBy(1));
    EXPECT_THAT(marked(), ::testing::ElementsAre("VP", "VP"));
    EXPECT_EQ(Sheet.ChangedNodes(), 2u);
    ASSERT_TRUE(Sheet.StepBy(-1));
    EXPECT_THAT(marked(), ::testing::ElementsAre("VP", "NP"));
    ASSERT_TRUE(Sheet.StepToTyped("1")); // the same tree again: nothing changed
    EXPECT_TRUE(marked().empty());
    // A new parse starts plain.
    ASSERT_TRUE(Sheet.StepBy(1));
    ASSERT_TRUE(Parse("I saw the man in the park").TreeShown);
    EXPECT_TRUE(marked().empty());
}

} // namespace
} // namespace gramarbor
