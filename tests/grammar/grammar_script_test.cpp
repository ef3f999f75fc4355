// Scenario scripts of grammars under tests/data/grammar_scripts: lines of a grammar
// read or checked, then the rules, kinds, tokens, messages and lines of the text
// that came of it, one test per case.
#include <gtest/gtest.h>

#include "common/script_cases.h"
#include "grammar/grammar_check.h"
#include "grammar/prepare_grammar.h"
#include "grammar/rule_listing.h"

namespace gramarbor {
namespace {

using namespace testing;

class GrammarScript : public ::testing::TestWithParam<ScriptCase> {
protected:
    RecordingSink Sink;
    TParser Parser{Sink};
    std::vector<std::string> Text; // the lines given since the last read or check
    std::size_t From = 0;          // the first line of the latest "line" or "lines"
    TGrammarLines Selected;
    std::vector<int> Targets; // what the references given to a check point at
    bool Ok = false;
};

// The text with "{i}" replaced by the number.
std::string Numbered(std::string text, std::size_t number) {
    for (std::size_t at = text.find("{i}"); at != std::string::npos; at = text.find("{i}", at))
        text.replace(at, 3, std::to_string(number));
    return text;
}

// The listing with the tab after each rule number shown as a blank, joined by " | ".
std::string Listing(const TParser& parser, const TRuleList& rules) {
    std::vector<std::string> lines;
    ListRules(parser, rules, lines);
    std::string text;
    for (std::string& line : lines)
        text += (text.empty() ? "" : " | ") + line.replace(line.find(":\t"), 2, ": ");
    return text;
}

TEST_P(GrammarScript, Runs) {
    ScriptMessages messages{Sink};
    ScriptCommands commands = {
        {"line",
         [&](const std::string& arg) {
             From = Text.size();
             Text.push_back(Unescape(arg));
         }},
        // N TEXT: N lines numbered from 0 by "{i}" in TEXT.
        {"lines",
         [&](const std::string& arg) {
             const auto [count, text] = SplitWord(arg);
             From = Text.size();
             for (long long i = 0; i < ScriptNumber(count); ++i)
                 Text.push_back(Numbered(Unescape(text), std::size_t(i)));
         }},
        // N TEXT: TEXT N times at the end of each line of the latest "line" or "lines".
        {"append",
         [&](const std::string& arg) {
             const auto [count, text] = SplitWord(arg);
             for (std::size_t line = From; line < Text.size(); ++line)
                 for (long long i = ScriptNumber(count); i > 0; --i)
                     Text[line] += Numbered(text, line - From);
         }},
        // The whole check of the lines as a grammar text on the same grammar object;
        // "reader": the rule reader alone on the lines as given; "calls N": the whole
        // check handing on N references to the rules, one a line.
        {"check",
         [&](const std::string& arg) {
             const auto [how, count] = SplitWord(arg);
             if (how == "calls") {
                 Targets.assign(static_cast<std::size_t>(ScriptNumber(count)), 0);
                 std::vector<const void*> calls;
                 for (const int& target : Targets)
                     calls.push_back(&target);
                 Ok = CheckGrammar(Parser, "=", "", Text, &calls, true);
             } else if (how == "reader" || how.empty()) {
                 Ok = how.empty() ? PrepareGrammar(Parser, Text, true, &Selected)
                                  : CheckGrammar(Parser, "=", "", Text, nullptr, false);
             } else {
                 throw std::invalid_argument("reader|calls N");
             }
             Text.clear();
         }},
        {"message", [&](const std::string& arg) { messages.Expect(Unescape(arg)); }},
        // RULE KIND...: the kind of each element on the right side of the rule.
        {"kinds",
         [&](const std::string& arg) {
             static const char* const names[] = {"alternatives", "name",  "terminal", "ident",
                                                 "number",       "float", "integer"};
             const auto [rule, expected] = SplitWord(arg);
             std::string kinds;
             for (const TElemNode& element : Parser.Rules.at(ScriptNumber(rule)).Line.Right)
                 kinds += (kinds.empty() ? "" : " ") + std::string(names[element.SymKind]);
             EXPECT_EQ(kinds, expected);
         }},
        // RULE-LINE TEXT-LINE: where the text shows a rule line.
        {"source",
         [&](const std::string& arg) {
             const auto [rule, line] = SplitWord(arg);
             EXPECT_EQ(Selected.SourceLineOf(int32_t(ScriptNumber(rule))), ScriptNumber(line));
         }},
    };
    const ScriptChecks checks = {
        {"ok", [&] { return std::string(Ok ? "yes" : "no"); }},
        {"error-line", [&] { return std::to_string(Parser.ErrorLine); }},
        {"rules", [&] { return Listing(Parser, Parser.Rules); }},
        {"lexical",
         [&] {
             std::string lexical;
             for (const TParsLine& rule : Parser.Rules)
                 lexical += rule.Line.Lexical ? "y" : "n";
             return lexical;
         }},
        {"tokens", [&] { return Parser.TokenSyms; }},
        {"terminals", [&] { return std::to_string(Parser.Terminals.size()); }},
        // Which line's reference each rule holds ("-" for none).
        {"callers",
         [&] {
             std::string callers;
             for (const TParsLine& rule : Parser.Rules) {
                 const auto* target = static_cast<const int*>(rule.FuncCall);
                 callers += target ? std::to_string(target - Targets.data()) : "-";
             }
             return callers;
         }},
        // The copy of the rules as read that a caller gets.
        {"copy",
         [&] {
             const std::optional<TRuleList> copy = CopyRulesUnexpanded(Parser);
             return copy ? Listing(Parser, *copy) : "none";
         }},
        {"selected",
         [&] {
             std::string text;
             for (const std::string& line : Selected.GrammarLines)
                 text += (text.empty() ? "" : " | ") + line;
             for (const int line : Selected.SourceLines)
                 text += " @" + std::to_string(line);
             return text + " " + std::to_string(Selected.FuncCallList.size()) + " calls";
         }},
    };
    for (const auto& [word, text] : checks)
        commands[word] = [text](const std::string& arg) { EXPECT_EQ(text(), Unescape(arg)); };
    RunScript(GetParam(), commands);
}

INSTANTIATE_TEST_SUITE_P(Cases, GrammarScript,
                         ::testing::ValuesIn(ReadScriptFolder("grammar_scripts")),
                         [](const auto& info) { return info.param.Name; });

} // namespace
} // namespace gramarbor
