// Parses read from the scripts in tests/data/parse_scripts (the commands are
// described at the top of driver.txt): grammars, sentences parsed through the driver
// or by one strategy alone, the trace, the trees, the messages and the partial
// analysis at trace lines (at every line of a parse it ends in the line's pattern).
// Each "case NAME" is a test of its own; a failure names the file and line, and a line
// that is no command fails the case.
#include <gtest/gtest.h>

#include <sstream>

#include "common/script_lines.h"
#include "parsing/ambiguity_report.h"
#include "parsing/bottom_up.h"
#include "parsing/chart_trees.h"
#include "parsing/partial_analysis.h"
#include "parsing/top_down.h"
#include "parsing_test_support.h"
#include "reference_enumeration.h"

namespace gramarbor {
namespace {

using namespace testing;

std::string Numbers(const std::vector<std::size_t>& numbers) {
    std::string text;
    for (const std::size_t n : numbers)
        text += (text.empty() ? "" : " ") + std::to_string(n);
    return text;
}

struct ParseScript : ::testing::TestWithParam<ScriptCase> {
    // Does the command; its outcome (accepted, rejected, refused, a number) is
    // compared with the text after " => " (by default accepted), or must be empty.
    std::string Command(const std::string& line) {
        const TextList w = Split(line, " ");
        // The sentence after the option byte, without the quotes around it.
        std::string sentence = w.size() > 2 ? line.substr(w[0].size() + w[1].size() + 2) : "";
        if (sentence.size() > 1 && sentence.front() == '"' && sentence.back() == '"')
            sentence = sentence.substr(1, sentence.size() - 2);
        const auto options = [&] { return uint8_t(std::stoul(w.at(1), nullptr, 16)); };
        if (w[0] == "grammar") {
            Messages.reset();
            F = std::make_unique<ParseFixture>(Split(line.substr(8), " | "));
            Messages = std::make_unique<ExpectedMessages>(F->Sink);
            return F->Checked ? "" : "not checked";
        }
        if (!F) throw std::runtime_error("no grammar");
        if (w[0] == "parse") {
            F->Run.KeepTraceSteps = true;
            const bool accepted = F->Parse(sentence, options());
            TakeTraceHistory(F->Parser, F->Run, options(), History);
            EXPECT_EQ(History.Lines(), F->Trace().size()) << "a step beside each trace line";
            // The partial analysis at every line ends in the line's own pattern.
            for (std::size_t n = 0; n < History.Lines() && !F->Run.TraceOverflowed; ++n) {
                const TPartialAnalysis a = BuildPartialAnalysis(History, n);
                const std::string& traced = F->Trace()[n];
                EXPECT_EQ(a.Built ? a.Pattern : a.Message, traced.substr(traced.rfind('\t') + 1))
                    << "line " << n;
            }
            return F->Run.Refused ? "refused" : accepted ? "accepted" : "rejected";
        }
        if (w[0] == "topdown" || w[0] == "bottomup" || w[0] == "enumerate") {
            F->Begin(sentence, options());
            F->Parser.TraceLines.clear();
            return (w[0] == "topdown"    ? TopDownParse(F->Parser, options(), F->Run)
                    : w[0] == "bottomup" ? BottomUpParse(F->Parser, options(), F->Run)
                                         : EnumerateParses(F->Parser, options(), F->Run, F->Paths))
                       ? "accepted"
                       : "rejected";
        }
        if (w[0] == "count") {
            const std::optional<BigUint> count = CountParseTrees(F->Parser, {sentence}, options());
            return count ? count->ToString() : "none";
        }
        if (w[0] == "ambiguities") {
            std::vector<std::string> lines;
            const bool listed = ListAmbiguities(F->Parser, {line.substr(12)}, 0, lines);
            return listed ? std::to_string(lines.size()) : "refused";
        }
        if (w[0] != "expect") throw std::runtime_error("unknown command " + w[0]);
        const std::string& what = w.at(1);
        const std::string rest = line.substr(std::min(line.size(), 8 + what.size()));
        if (what == "message") {
            Messages->Next(rest);
        } else if (what == "trace") {
            std::string shown;
            for (const std::string& l : Shown(F->Trace()))
                shown += (shown.empty() ? "" : " || ") + l;
            EXPECT_EQ(shown, rest);
        } else if (what == "lines" || what == "trees") {
            EXPECT_EQ((what == "lines" ? F->Trace() : F->Trees()).size(), std::stoul(w.at(2)));
        } else if (what == "partial") {
            // TRACE LINE ; TREE ; PENDING ; MATCHED ; STEP, as partial_analysis.txt says.
            TextList f = Split(rest, ";");
            for (std::string& field : f) { // without blanks around it
                field.erase(field.find_last_not_of(' ') + 1);
                field.erase(0, field.find_first_not_of(' '));
            }
            const std::size_t number = std::stoul(f.at(0));
            if (f.size() != 5 || number >= F->Trace().size()) throw std::runtime_error("line?");
            EXPECT_EQ(Shown(F->Trace())[number], f[0]);
            const TPartialAnalysis a = BuildPartialAnalysis(History, number);
            EXPECT_TRUE(a.Built) << a.Message;
            EXPECT_EQ(a.Text() + " ; " + Numbers(a.Marked(nmPending)) + " ; " +
                          Numbers(a.Marked(nmMatched)) + " ; " + Numbers(a.Marked(nmStep)),
                      f[1] + " ; " + f[2] + " ; " + f[3] + " ; " + f[4]);
        } else {
            throw std::runtime_error("unknown expectation " + what);
        }
        return "";
    }

    std::unique_ptr<ParseFixture> F;
    std::unique_ptr<ExpectedMessages> Messages; // of F
    TTraceHistory History;
};

TEST_P(ParseScript, Runs) {
    RunScriptLines(
        GetParam(), [this](const std::string& line) { return Command(line); },
        [](const std::string&) { return "accepted"; });
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseScript, ::testing::ValuesIn(ReadScriptFolder("parse_scripts")),
                         [](const auto& info) { return info.param.Name; });

} // namespace
} // namespace gramarbor
