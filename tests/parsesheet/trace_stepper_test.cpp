// The drawn partial analysis of a trace line: the marks as colours and styles, and
// a forest's trees standing on one line.
#include "parsesheet/trace_stepper.h"

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "parsesheet/parse_sheet.h"

namespace gramarbor {
namespace {

const std::vector<std::string> QuickStart{"S = NP VP",     "NP = DET N",  "VP = V NP",
                                          "DET = \"the\"", "N = \"cat\"", "N = \"dog\"",
                                          "V = \"chases\""};

struct Drawn {
    TColor Color;
    uint8_t Style;
    int32_t Y;
};

class TraceStepperTest : public ::testing::Test {
protected:
    // Parses the quick-start sentence with a detailed trace of method and direction
    // (radio items) and hands its steps to the stepper.
    void Parse(int method, int direction) {
        Sheet.Options.TraceListCBClick(true);
        Sheet.Options.ParseMethodRGClick(method);
        Sheet.Options.ParseDirRGClick(direction);
        Sheet.Options.TraceListRGClick(0);
        TParseRequest request;
        request.KeepTraceSteps = true;
        ASSERT_TRUE(Sheet.Parse(QuickStart, "the dog chases the cat", request).Accepted());
        ASSERT_EQ(Sheet.TraceHistory.Lines(), Sheet.Parser.TraceLines.size());
        Stepper.SetHistory(std::move(Sheet.TraceHistory));
    }
    // The texts drawn at line, each with how it was drawn (several of one text in
    // drawing order).
    std::multimap<std::string, Drawn> TextsAt(std::size_t line) {
        std::multimap<std::string, Drawn> texts;
        EXPECT_TRUE(Stepper.ShowLine(line)) << Stepper.Message();
        for (const PictureOp& op : Stepper.GetPicture().Calls())
            if (op.Kind == PictureOpKind::Text)
                texts.insert({op.Text, {op.State.Font.Color, op.State.Font.Style, op.A.Y}});
        return texts;
    }

    RecordingSink Sink;
    ApproxTextMeasurer Measurer;
    TParseSheet Sheet{Sink, Measurer};
    TTraceStepper Stepper{Measurer};
};

TEST_F(TraceStepperTest, MarksShowAsColoursAndStyles) {
    Parse(0, 0);
    // Line 7, " the dog chases NP": V = "chases" was applied; the second NP waits.
    const auto texts = TextsAt(7);
    const auto is = [&](const std::string& text, TColor color, uint8_t style) {
        const auto [from, to] = texts.equal_range(text);
        for (auto it = from; it != to; ++it)
            if (it->second.Color == color && it->second.Style == style) return true;
        return false;
    };
    EXPECT_TRUE(is("S", clBlack, 0));
    EXPECT_TRUE(is("NP", clBlack, 0));
    EXPECT_TRUE(is("NP", PendingNodeColor, fsItalic));
    EXPECT_TRUE(is("dog", clBlack, fsBold));
    EXPECT_TRUE(is("V", StepNodeColor, 0));
    EXPECT_TRUE(is("chases", StepNodeColor, fsBold));
    EXPECT_EQ(texts.count("NP"), 2u);
}

TEST_F(TraceStepperTest, AForestStandsOnOneLineOfWords) {
    Parse(1, 1);
    // Line 1, " NP V NP": the verb's tree is a level lower than the phrases'.
    const auto texts = TextsAt(1);
    std::vector<int32_t> words;
    for (const char* word : {"dog", "chases", "cat"})
        words.push_back(texts.find(word)->second.Y);
    EXPECT_EQ(words[0], words[1]);
    EXPECT_EQ(words[1], words[2]);
    EXPECT_LT(texts.find("NP")->second.Y, texts.find("V")->second.Y);
    EXPECT_EQ(Stepper.Analysis().Trees.size(), 3u);

    // Without steps nothing is drawn, and the reason is given.
    Stepper.Clear();
    EXPECT_FALSE(Stepper.ShowLine(0));
    EXPECT_EQ(Stepper.Message(), MsgNoPartialAnalysis);
    EXPECT_TRUE(Stepper.GetPicture().Empty());
}

} // namespace
} // namespace gramarbor
