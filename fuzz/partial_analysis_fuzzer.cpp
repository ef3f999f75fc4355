// The partial analyses of a trace: every line's analysis is rebuilt from the steps
// kept beside the trace lines, and rebuilt again from steps with one choice changed.
//
// Input (as the grammar fuzzer's): the option byte (a trace list is always asked
// for), then the grammar text up to a NUL byte, then the sentence (its first line,
// at most MaxSentence characters).
#include <string>
#include <vector>

#include "base/message_sink.h"
#include "fuzz_support.h"
#include "grammar/prepare_grammar.h"
#include "parsing/parse_driver.h"
#include "parsing/parse_options.h"
#include "parsing/partial_analysis.h"

using namespace gramarbor;

namespace {

constexpr int SearchMilliseconds = 100;
constexpr std::size_t MaxSentence = 200;
// Lines rebuilt per input; each rebuild walks back at most this many lines.
constexpr std::size_t MaxLinesChecked = 200;
// Small enough that the refusal of large analyses is met often.
constexpr std::size_t NodeLimit = 300;

// The analysis is one of: built, too large, or (for changed steps only) damaged.
void CheckLine(const TTraceHistory& history, std::size_t line, const std::string* text,
               bool mayBeDamaged) {
    const TPartialAnalysis a = BuildPartialAnalysis(history, line, NodeLimit);
    if (!a.Built) {
        FUZZ_CHECK(a.Message == MsgPartialTooLarge(NodeLimit) ||
                       (mayBeDamaged && a.Message == MsgPartialStepsDamaged),
                   "line " + std::to_string(line) + " refused: " + a.Message);
        return;
    }
    FUZZ_CHECK(a.Marks.size() <= NodeLimit, "more nodes than the limit");
    FUZZ_CHECK(!a.Trees.empty() || a.Pattern.empty(), "a pattern without trees");
    if (text) {
        const std::string field = text->substr(text->rfind('\t') + 1);
        FUZZ_CHECK(a.Pattern == field,
                   "line " + std::to_string(line) + " ends in" + a.Pattern + " not in" + field);
    }
}

// The history with one choice of one step changed by delta.
TTraceHistory Changed(const TTraceHistory& history, std::size_t line, uint32_t delta) {
    TTraceHistory changed;
    changed.StartRule = history.StartRule;
    changed.CaseSensitive = history.CaseSensitive;
    changed.Rules = history.Rules;
    changed.Tokens = history.Tokens;
    changed.Steps.WordRules = history.Steps.WordRules;
    for (std::size_t i = 0; i < history.Lines(); ++i) {
        std::size_t count = 0;
        const uint32_t* choices = history.Steps.ChoicesOf(i, count);
        std::vector<uint32_t> copy(choices, choices + count);
        uint32_t from = history.Steps.At(i).From;
        if (i == line) {
            if (copy.empty())
                from += delta;
            else
                copy[delta % copy.size()] += delta;
        }
        changed.Steps.Push(history.Steps.At(i).Kind, from, copy.data(), copy.size());
    }
    return changed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view input = fuzz::AsText(data, size);
    const uint8_t options = fuzz::TakeByte(input) | poTraceList;
    const std::vector<std::string> lines = fuzz::Lines(fuzz::TakeUntilNul(input));
    std::vector<std::string> sentence = fuzz::Lines(input);
    if (sentence.empty()) sentence.emplace_back();
    sentence.resize(1);
    if (sentence[0].size() > MaxSentence) sentence[0].resize(MaxSentence);

    RecordingSink sink;
    TParser parser(sink);
    TGrammarLines selected;
    if (!PrepareGrammar(parser, lines, true, &selected)) return 0;

    CancelToken cancel;
    TParseRun run;
    run.Cancel = &cancel;
    run.MaxTraceBytes = std::size_t(1) << 16;
    run.MaxParseTrees = 50;
    run.KeepTraceSteps = true;
    bool accepted = false;
    {
        fuzz::Watchdog watchdog(cancel, SearchMilliseconds);
        accepted = ParseSentence(parser, sentence, options, run);
    }
    if (run.Cancelled || run.Refused || !accepted) return 0;
    const std::size_t kept = parser.TraceLines.size() - (run.TraceOverflowed ? 1 : 0);
    FUZZ_CHECK(run.TraceSteps.Size() == kept, "a step for every line but the closing one");

    TTraceHistory history;
    TakeTraceHistory(parser, run, options, history);
    const std::size_t checked = std::min(history.Lines(), MaxLinesChecked);
    for (std::size_t line = 0; line < checked; ++line)
        CheckLine(history, line, &parser.TraceLines[line], false);
    FUZZ_CHECK(BuildPartialAnalysis(history, history.Lines()).Message == MsgNoPartialAnalysis,
               "an analysis past the last line");

    // Changed steps are refused or give some tree, never more than the limit.
    if (checked == 0) return 0;
    const std::size_t line = options % checked;
    const TTraceHistory changed = Changed(history, line, 1u + (options >> 4));
    for (std::size_t at = line; at < checked; ++at)
        CheckLine(changed, at, nullptr, true);
    return 0;
}
