// What each trace line's pattern was formed from: the earlier line and the rules
// applied there, kept beside the trace list so that the partial analysis at any
// line can be rebuilt. Held in a compact form and bounded with the trace list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <vector>

namespace gramarbor {

// No earlier line: the start symbol, or the words of the sentence.
inline constexpr uint32_t NoTraceLine = std::numeric_limits<uint32_t>::max();

// How a line's pattern came about. The choices each kind keeps:
enum class TStepKind : uint8_t {
    // Top-down line 0: the start symbol alone. No choices.
    Start,
    // One nonterminal of the earlier pattern expanded: position, rule.
    Expand,
    // Every nonterminal of the earlier pattern expanded at once: one rule for each
    // nonterminal, left to right.
    ExpandAll,
    // One run of the earlier pattern (or of the words, without an earlier line)
    // reduced: position, rule.
    Reduce,
    // The lexical categories of the words: one rule per word.
    Categories,
    // Several runs of the earlier pattern reduced side by side: position, rule for
    // each, left to right.
    ReduceAll,
};

struct TTraceStep {
    uint32_t From = NoTraceLine;
    // Where this step's choices start in TTraceSteps::Choices; they run to the next
    // step's start (or to the end).
    uint32_t ChoicesBegin = 0;
    TStepKind Kind = TStepKind::Start;
};

// The steps of one trace list, one per line (the closing line of a list cut short
// has none).
class TTraceSteps {
public:
    // Bytes one step with count choices takes, as counted against the trace's limit.
    static std::size_t Cost(std::size_t count) {
        return sizeof(TTraceStep) + count * sizeof(uint32_t);
    }

    std::size_t Size() const { return Steps.size(); }
    bool Empty() const { return Steps.empty(); }
    const TTraceStep& At(std::size_t line) const { return Steps[line]; }
    // The choices of the step of line (see TStepKind).
    const uint32_t* ChoicesOf(std::size_t line, std::size_t& count) const;

    // Whether a step with count more choices still fits the 32-bit line and choice
    // numbers.
    bool Fits(std::size_t count) const;
    // Appends a step (Fits must hold); may throw std::bad_alloc, leaving the steps
    // as they were.
    void Push(TStepKind kind, uint32_t from, const uint32_t* choices, std::size_t count);
    void Push(TStepKind kind, uint32_t from, std::initializer_list<uint32_t> choices) {
        Push(kind, from, choices.begin(), choices.size());
    }
    // Removes the last step; returns its cost (0 when there is none).
    std::size_t PopLast();
    void Clear();

    // The words of a bottom-up depth-first search, for reductions without an earlier
    // line: for each word the lexical rule whose single right symbol it is.
    std::vector<uint32_t> WordRules;

private:
    std::vector<TTraceStep> Steps;
    std::vector<uint32_t> Choices;
};

} // namespace gramarbor
