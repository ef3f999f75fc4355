// Helpers shared by the parsing tests: a checked grammar with a recording sink and
// the sentence runs on it.
#pragma once

#include <string>
#include <vector>

#include "base/message_sink.h"
#include "grammar/grammar_check.h"
#include "grammar/grammar_store.h"
#include "parsing/parse_driver.h"
#include "parsing/parse_options.h"
#include "parsing/parse_run.h"
#include "parsing/parse_trees.h"

namespace gramarbor::testing {

inline const std::vector<std::string> QuickStartGrammar{
    "S = NP VP",   "NP = DET N",  "VP = V NP",     "DET = \"the\"",
    "N = \"cat\"", "N = \"dog\"", "V = \"chases\""};

// A grammar with a prepositional phrase that attaches to the verb or the noun:
// "the man sees the dog with the telescope" has two trees.
inline const std::vector<std::string> PrepositionalGrammar{
    "S = NP VP",   "NP = DET N",        "NP = NP PP",    "VP = V NP",
    "VP = VP PP",  "PP = P NP",         "DET = \"the\"", "N = \"man\"",
    "N = \"dog\"", "N = \"telescope\"", "V = \"sees\"",  "P = \"with\""};

struct ParseFixture {
    RecordingSink Sink;
    TParser Parser{Sink};
    std::vector<std::string> Sentence;
    TParseRun Run;

    explicit ParseFixture(const std::vector<std::string>& grammar) {
        Checked = CheckGrammar(Parser, "=", "", grammar, nullptr, true);
    }

    bool Parse(const std::string& sentence, uint8_t options) {
        Sentence = {sentence};
        return ParseSentence(Parser, Sentence, options, Run);
    }

    // Sets up the run on the sentence without parsing, for calling one strategy.
    void Begin(const std::string& sentence, uint8_t options) {
        Sentence = {sentence};
        BeginParseRun(Parser, Sentence, options, Run);
    }

    const std::vector<std::string>& Trace() const { return Parser.TraceLines; }
    const std::vector<std::string>& Trees() const { return Parser.ParseTrees; }
    // The rule paths of the enumerations that give paths.
    std::vector<TRulePath> Paths;

    bool Checked = false;
};

// The word count times, between blanks.
inline std::string Repeated(const std::string& word, std::size_t count) {
    std::string text = word;
    for (std::size_t i = 1; i < count; ++i)
        text += " " + word;
    return text;
}

// The trace with its tabs shown as "|".
inline std::vector<std::string> Shown(const std::vector<std::string>& trace) {
    std::vector<std::string> lines = trace;
    for (auto& line : lines)
        for (char& c : line)
            if (c == '\t') c = '|';
    return lines;
}

} // namespace gramarbor::testing
