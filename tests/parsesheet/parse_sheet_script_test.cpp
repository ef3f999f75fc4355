// Scenarios of the parsing page's model, read from the scripts in
// tests/data/parse_sheet_scripts (the commands are described at the top of
// outcomes.txt): check, parse and its messages, stepping through the trees and the
// readings of the "Ambiguities" list, the in/out history. Each "case NAME" is a test
// of its own; a failure names the file and line, and a line that is no command fails
// the case.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>

#include "common/script_lines.h"
#include "parsesheet/parse_sheet.h"
#include "parsesheet/trace_stepper.h"

namespace gramarbor {
namespace {

using namespace testing;

const char* YesNo(bool value) {
    return value ? "yes" : "no";
}

class Runner {
public:
    explicit Runner(const ScriptCase& c) : Case(c) {}

    void Run() {
        RunScriptLines(
            Case, [this](const std::string& l) { return Command(l); },
            [](const std::string& command) { return command == "parse" ? "accepted" : "yes"; });
    }

private:
    // Does the command; its outcome ("yes", "no", a verdict) is compared with the text
    // after " => " (by default "yes", for parse "accepted"), or must be empty.
    std::string Command(const std::string& line) {
        const TextList w = Split(line, " ");
        const std::size_t blank = line.find(' ');
        const std::string rest = blank == std::string::npos ? "" : line.substr(blank + 1);
        const auto num = [&](std::size_t n) { return std::stoi(w.at(n)); };
        const std::string& cmd = w[0];
        // Commands that answer yes or no.
        const std::map<std::string, std::function<bool()>> questions = {
            {"check", [&] { return Sheet.Check(Grammar); }},
            {"step", [&] { return Sheet.StepTo(num(1)); }},
            {"step-by", [&] { return Sheet.StepBy(num(1)); }},
            {"step-typed", [&] { return Sheet.StepToTyped(rest); }},
            {"trace-line", [&] { return Stepper.ShowLine(std::size_t(num(1))); }},
            {"save", [&] { return Sheet.CanSaveParseTree(); }},
        };
        if (questions.count(cmd)) {
            return YesNo(questions.at(cmd)());
        } else if (cmd == "grammar" && w.size() > 2 && w[1] == "file") {
            std::ifstream in(std::string(GRAMARBOR_EXAMPLES) + "/" + w[2]);
            Grammar.clear();
            for (std::string l; std::getline(in, l);)
                Grammar.push_back(l);
        } else if (cmd == "grammar") {
            Grammar = rest.empty() ? TextList{} : Split(rest, " | ");
        } else if (cmd == "options") {
            Sheet.Options.SetOptions(uint8_t(std::stoul(w.at(1), nullptr, 16)));
        } else if (cmd == "request") {
            for (std::size_t i = 1; i < w.size(); ++i)
                w[i] == "ambiguities" ? void(Request.ListAmbiguities = true)
                : w[i] == "cancelled" ? (Cancel.Cancel(), void(Request.Cancel = &Cancel))
                : w[i] == "max-trees" ? void(Request.MaxParseTrees = std::size_t(num(++i)))
                : w[i] == "steps"     ? void(Request.KeepTraceSteps = true)
                : w[i] == "default"   ? void(Request = {})
                                      : throw std::runtime_error("no request " + w[i]);
        } else if (cmd == "parse") {
            const TParseStart start = Sheet.PrepareParse(Grammar, rest);
            const char* starts[] = {"", "no-grammar", "no-text", "grammar-error"};
            if (start != TParseStart::Ready) return starts[int(start)];
            Sheet.RecordInput(rest);
            Outcome = Sheet.RunParse(rest, Request);
            if (Request.KeepTraceSteps) {
                EXPECT_EQ(Sheet.TraceHistory.Lines(), Sheet.Parser.TraceLines.size());
                Stepper.SetHistory(std::move(Sheet.TraceHistory));
            }
            const char* verdicts[] = {"accepted", "rejected", "cancelled", "refused"};
            return verdicts[int(Outcome.Verdict)];
        } else if (cmd == "report") {
            Sheet.ReportOutcome(Outcome);
        } else if (cmd == "reading") {
            const auto& lines = Sheet.Ambiguities.Lines();
            const auto at = std::find_if(lines.begin(), lines.end(),
                                         [&](const TAmbiguityLine& l) { return l.Text == rest; });
            const std::size_t index = rest == "0" ? 0 : std::size_t(at - lines.begin());
            if (at == lines.end() && rest != "0") throw std::runtime_error("no such line");
            return YesNo(Sheet.StepToReading(index));
        } else if (cmd == "stepper-clear") {
            Stepper.Clear();
        } else if (cmd == "click") {
            TParseOptionState& o = Sheet.Options;
            const std::string& control = w.at(1);
            const bool on = w.at(2) == "on";
            if ((control == "trace" || control == "trees" || control == "case") && !on &&
                w[2] != "off")
                throw std::runtime_error("on or off?");
            control == "method"      ? o.ParseMethodRGClick(num(2))
            : control == "direction" ? o.ParseDirRGClick(num(2))
            : control == "kind"      ? o.TraceListRGClick(num(2))
            : control == "trace"     ? o.TraceListCBClick(on)
            : control == "trees"     ? o.ParseTreeCBClick(on)
            : control == "case"      ? o.CaseSensCBClick(on)
                                     : throw std::runtime_error("no control " + control);
        } else if (cmd == "record") {
            Sheet.RecordInput(rest);
        } else if (cmd == "max-length") {
            Sheet.MaxTextLength = num(1);
        } else if (cmd == "expect") {
            Expect(w.at(1), w, rest.substr(w[1].size() + (rest.size() > w[1].size())));
        } else {
            throw std::runtime_error("unknown command " + cmd);
        }
        return "";
    }

    void Expect(const std::string& what, const TextList& w, const std::string& rest) {
        const auto num = [&](std::size_t n) { return std::stoi(w.at(n)); };
        // Texts of the model, each compared with the rest of the line.
        const std::map<std::string, std::function<std::string()>> texts = {
            {"truncated", [&] { return YesNo(Outcome.TreesTruncated); }},
            {"count", [&] { return Sheet.TreeCountText(); }},
            {"current", [&] { return Sheet.CurrentTreeText(); }},
            {"last-position", [&] { return std::to_string(Sheet.LastTreePosition()); }},
            {"at-last", [&] { return YesNo(Sheet.AtLastTree()); }},
            {"kept", [&] { return std::to_string(Sheet.ParseTrees().size()); }},
            {"error-line", [&] { return std::to_string(Sheet.ErrorSourceLine()); }},
            {"note", [&] { return Sheet.Ambiguities.Note(); }},
            {"trees-drawn", [&] { return std::to_string(Stepper.Analysis().Trees.size()); }},
        };
        if (texts.count(what)) {
            EXPECT_EQ(texts.at(what)(), rest);
        } else if (what == "message" || what == "message-start") {
            Messages.Next(rest, what == "message");
        } else if (what == "pages") {
            std::string pages = Sheet.ShowsTrace(Outcome) ? "trace" : "";
            if (Sheet.ShowsTrees(Outcome)) pages += pages.empty() ? "trees" : " trees";
            EXPECT_EQ(pages, rest);
            EXPECT_EQ(Sheet.Parser.GetTraceLines().empty(), !Sheet.ShowsTrace(Outcome));
        } else if (what == "tree") {
            std::string text;
            EXPECT_TRUE(Sheet.ParseTree.TreeToStr(text));
            EXPECT_EQ(text, rest);
            EXPECT_GT(Sheet.ParseTree.GetMetafile().Width, 0) << "drawn";
        } else if (what == "listing") {
            EXPECT_EQ(Sheet.InternalListing().at(std::size_t(num(2))),
                      rest.substr(w[2].size() + 1));
        } else if (what == "lines") {
            std::string texts;
            for (const TAmbiguityLine& l : Sheet.Ambiguities.Lines())
                texts += (texts.empty() ? "" : " || ") +
                         std::string(l.Kind == TAmbiguityLineKind::Span ? "" : "  ") + l.Text;
            EXPECT_EQ(texts, rest);
        } else if (what == "marked") {
            std::string names;
            std::vector<const TNode*> stack{Sheet.ParseTree.GetRoot()};
            while (!stack.empty()) {
                const TNode* node = stack.back();
                stack.pop_back();
                if (node->Attr.FontStyle & fsBold) names += (names.empty() ? "" : " ") + node->Name;
                for (auto child = node->Children.rbegin(); child != node->Children.rend(); ++child)
                    stack.push_back(child->get());
            }
            EXPECT_EQ(names, rest);
            EXPECT_EQ(Sheet.ChangedNodes(), names.empty() ? 0 : Split(names, " ").size());
        } else if (what == "options") {
            EXPECT_EQ(int(Sheet.Options.Options()), std::stoi(w.at(2), nullptr, 16));
            // The controls show what the byte read from the settings would show, but for
            // the trace kind, which keeps its item while the trace list is off.
            TParseControls expected = TParseOptionState(Sheet.Options.Options()).Controls();
            if (!expected.TraceList)
                expected.TraceKindItem = Sheet.Options.Controls().TraceKindItem;
            EXPECT_TRUE(Sheet.Options.Controls() == expected);
        } else if (what == "controls") {
            const TParseControls& c = Sheet.Options.Controls();
            EXPECT_EQ(std::to_string(c.MethodItem) + " " + std::to_string(c.DirectionItem) + " " +
                          std::to_string(c.TraceKindItem) + (c.TraceList ? " trace" : "") +
                          (c.ParseTrees ? " trees" : "") + (c.CaseSensitive ? " case" : "") +
                          (c.GroupsEnabled ? " groups" : ""),
                      rest);
        } else if (what == "drawn" || what == "drawn-times" || what == "on-one-line" ||
                   what == "above") {
            // The texts of the partial analysis drawn, each as "COLOUR STYLE Y".
            std::multimap<std::string, std::string> drawn;
            for (const PictureOp& op : Stepper.GetPicture().Calls()) {
                const TFont& f = op.State.Font;
                if (op.Kind == PictureOpKind::Text)
                    drawn.insert({op.Text, std::string(f.Color == clBlack            ? "black"
                                                       : f.Color == PendingNodeColor ? "grey"
                                                       : f.Color == StepNodeColor    ? "red"
                                                                                     : "other") +
                                               (f.Style == fsBold     ? " bold "
                                                : f.Style == fsItalic ? " italic "
                                                : f.Style == 0        ? " plain "
                                                                      : " other ") +
                                               std::to_string(op.A.Y)});
            }
            const auto y = [&](const std::string& text) {
                const auto at = drawn.find(text);
                if (at == drawn.end()) throw std::runtime_error(text + " is not drawn");
                return std::stoi(at->second.substr(at->second.rfind(' ')));
            };
            if (what == "drawn-times") {
                EXPECT_EQ(drawn.count(w.at(2)), std::size_t(num(3)));
            } else if (what == "drawn") {
                const auto [from, to] = drawn.equal_range(w.at(2));
                EXPECT_TRUE(std::any_of(from, to,
                                        [&](const auto& d) {
                                            return d.second.rfind(w.at(3) + " " + w.at(4) + " ",
                                                                  0) == 0;
                                        }))
                    << w[2] << " is not drawn so";
            }
            for (std::size_t i = 3; what == "above" && i < w.size(); ++i)
                EXPECT_LT(y(w[2]), y(w[i])) << w[2] << " above " << w[i];
            for (std::size_t i = 3; what == "on-one-line" && i < w.size(); ++i)
                EXPECT_EQ(y(w[2]), y(w[i])) << w[2] << " beside " << w[i];
        } else if (what == "nothing-drawn") {
            EXPECT_TRUE(Stepper.GetPicture().Empty());
            EXPECT_EQ(Stepper.Message(), rest);
        } else if (what == "history") {
            EXPECT_EQ(Sheet.History, Split(rest, " | "));
        } else {
            throw std::runtime_error("unknown expectation " + what);
        }
    }

    const ScriptCase& Case;
    RecordingSink Sink;
    ExpectedMessages Messages{Sink};
    ApproxTextMeasurer Measurer;
    TParseSheet Sheet{Sink, Measurer};
    TTraceStepper Stepper{Measurer};
    TextList Grammar;
    TParseRequest Request;
    CancelToken Cancel;
    TParseOutcome Outcome;
};

class ParseSheetScript : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(ParseSheetScript, Runs) {
    Runner(GetParam()).Run();
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseSheetScript,
                         ::testing::ValuesIn(ReadScriptFolder("parse_sheet_scripts")),
                         [](const auto& info) { return info.param.Name; });

} // namespace
} // namespace gramarbor
