// The partial analysis at one line of a trace list: for a top-down strategy the
// derivation from the start symbol to the line's pattern, for a bottom-up strategy
// the forest of subtrees built over the words so far. Rebuilt from the steps kept
// beside the trace lines, as bracket text with the nodes to mark.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "grammar/grammar_store.h"
#include "parsing/parse_run.h"
#include "parsing/trace_steps.h"
#include "text/token.h"

namespace gramarbor {

// A partial analysis with more nodes than this is not drawn.
inline constexpr std::size_t MaxPartialNodes = 2000;

inline const std::string MsgNoPartialAnalysis = "This line has no partial analysis.";
inline const std::string MsgPartialStepsDamaged =
    "The partial analysis cannot be rebuilt: the steps kept for this line do not fit together.";
// "The partial analysis at this line has more than 2000 nodes; it is not drawn."
inline std::string MsgPartialTooLarge(std::size_t limit) {
    return "The partial analysis at this line has more than " + std::to_string(limit) +
           " nodes; it is not drawn.";
}

// What a trace needs to rebuild its partial analyses after the parse: its steps
// and copies of the rules and words they refer to (the grammar may be checked
// anew meanwhile).
struct TTraceHistory {
    struct TRule {
        TElemNode Left;
        std::vector<TElemNode> Right;
    };
    uint32_t StartRule = 0;
    bool CaseSensitive = false;
    std::vector<TRule> Rules;
    std::vector<TTokLst> Tokens;
    TTraceSteps Steps;

    // Lines with a step (all but the closing line of a list cut short).
    std::size_t Lines() const { return Steps.Size(); }
    void Clear();
};

// Takes over run.TraceSteps with copies of store's rules and tokens and the case
// rule of options. Without steps the history stays empty. May throw std::bad_alloc.
void TakeTraceHistory(const TParser& store, TParseRun& run, uint8_t options,
                      TTraceHistory& history);

// Marks of a node, as bits.
inline constexpr uint8_t nmPending = 0x01; // a nonterminal still to expand
inline constexpr uint8_t nmMatched = 0x02; // a word matched with the sentence
inline constexpr uint8_t nmStep = 0x04;    // made by the line's own step

struct TPartialAnalysis {
    // False when there is none; Message says why.
    bool Built = false;
    std::string Message;
    // The bracket text (default format) of each tree, left to right: one for a
    // derivation, one per subtree of a forest.
    std::vector<std::string> Trees;
    // The marks of every node, in pre-order through the trees.
    std::vector<uint8_t> Marks;
    // The line's pattern as the analysis has it: the leaves of the derivation or the
    // roots of the forest, each after a blank (the trace line's pattern field).
    std::string Pattern;

    // The trees' texts joined by blanks.
    std::string Text() const;
    // The pre-order numbers (from 0) of the nodes carrying mark.
    std::vector<std::size_t> Marked(uint8_t mark) const;
};

// The partial analysis at trace line `line`. The chain of earlier lines is walked
// without recursion (it is at most line + 1 long); more than maxNodes nodes give
// no analysis and MsgPartialTooLarge.
TPartialAnalysis BuildPartialAnalysis(const TTraceHistory& history, std::size_t line,
                                      std::size_t maxNodes = MaxPartialNodes);

} // namespace gramarbor
