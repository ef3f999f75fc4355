// A chart parser over the internal grammar: decides acceptance in polynomial time,
// enumerates every parse tree in leftmost-derivation order with no dead ends, and
// counts the trees exactly without enumerating them.
//
// The trees come in exactly the order of a leftmost top-down search that tries the
// rules of each nonterminal in rule order: the order of their rule paths (the rules
// of a tree in pre-order), compared rule number by rule number.
//
// Preconditions: the rules come from a successful full grammar check (no empty right
// side, lexical rules hold only terminals and token classes, other rules only
// nonterminals) and no unit rules form a cycle (otherwise there are infinitely many
// trees and enumeration and counting do not end).
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/big_uint.h"
#include "base/cancel_token.h"
#include "grammar/grammar_types.h"
#include "text/token.h"

namespace gramarbor {

class TChartParser {
public:
    // The rules, tokens and flags are read during construction and Build; the parser
    // keeps no reference to them afterwards.
    TChartParser(const TRuleList& rules, int32_t startLine, const std::vector<TTokLst>& tokens,
                 bool caseSensitive);

    // Builds the chart of the sentence. Returns false only when cancelled.
    bool Build(const CancelToken* cancel = nullptr);
    // True when the start rule derives the whole sentence.
    bool Accepted() const { return IsAccepted; }

    // Calls visit with the rule path of each tree, in leftmost-derivation order, until
    // visit returns false or the trees run out. Returns false only when cancelled.
    // With startAt (the rule path of one of the trees, as UnrankTree gives it) the
    // enumeration begins with that tree instead of the first.
    using PathVisitor = std::function<bool(const std::vector<uint16_t>& path)>;
    bool Enumerate(const PathVisitor& visit, const CancelToken* cancel = nullptr,
                   const std::vector<uint16_t>* startAt = nullptr);

    // Finds the rule path of the tree with the given 0-based number in enumeration
    // order from the counts alone, without enumerating the trees before it.
    enum class TUnrankResult {
        Found,
        OutOfRange, // number not below the number of trees
        Cancelled,
        TooLarge // the sentence needs more counts than UnrankBudget allows
    };
    TUnrankResult UnrankTree(const BigUint& number, std::vector<uint16_t>& path,
                             const CancelToken* cancel = nullptr);
    // At most this many partial counts are kept while unranking one tree (each a few
    // dozen bytes), so that memory stays bounded on very long sentences.
    static constexpr std::size_t UnrankBudget = 4'000'000;

    // One way of deriving a span: the rule, the bounds of its children (the span's
    // start, then each child's end) and the number of subtrees it gives.
    struct TAnalysis {
        int32_t Rule;
        std::vector<int32_t> Bounds;
        BigUint Readings;
    };
    // A span of words that the trees of the sentence derive from one symbol in more
    // than one way. At most MaxListedAnalyses analyses are listed; AnalysisCount
    // tells how many there are (saturating at UINT64_MAX).
    struct TAmbiguity {
        int32_t Symbol;
        int32_t From;
        int32_t To;
        BigUint Readings;
        uint64_t AnalysisCount;
        std::vector<TAnalysis> Analyses;
    };
    enum class TAmbiguityResult {
        Done,
        Cancelled,
        TooLarge // more than MaxAmbiguityNodes symbol spans take part in the trees
    };
    // Lists the ambiguous spans of the parse trees of the sentence, ordered by their
    // first word and then longest first.
    TAmbiguityResult FindAmbiguities(std::vector<TAmbiguity>& found,
                                     const CancelToken* cancel = nullptr);
    static constexpr std::size_t MaxAmbiguityNodes = 1'000'000;
    static constexpr std::size_t MaxListedAnalyses = 64;

    // The 0-based number of the first tree, in enumeration order, that derives the span
    // of analysis (from its first to its last bound) by the analysis's rule and child
    // bounds, found from the counts without enumerating the trees before it. NotInTrees
    // when no tree of the sentence has that analysis. Bounded like UnrankTree.
    enum class TReadingResult { Found, NotInTrees, Cancelled, TooLarge };
    TReadingResult FirstTreeWith(const TAnalysis& analysis, BigUint& number,
                                 const CancelToken* cancel = nullptr);

    // The exact number of parse trees (0 when the sentence is not accepted).
    BigUint CountTrees();
    // The same, stopping early when cancel is set: false then, count unchanged.
    bool CountTrees(BigUint& count, const CancelToken* cancel);

private:
    struct LexMatch {
        int32_t Symbol; // the rule's left nonterminal
        int32_t Rule;
        int32_t End;
    };
    struct SpanKey {
        uint64_t A;
        uint64_t B;
        bool operator==(const SpanKey&) const = default;
    };
    struct SpanKeyHash {
        std::size_t operator()(const SpanKey& key) const {
            return std::hash<uint64_t>()(key.A * 0x9E3779B97F4A7C15ull ^ key.B);
        }
    };

    void PrepareRules(const TRuleList& rules, const std::vector<TTokLst>& tokens,
                      bool caseSensitive);
    void AddItem(int32_t rule, int32_t dot, int32_t origin);
    void Complete(int32_t symbol, int32_t origin, int32_t end);
    void Predict(int32_t symbol, int32_t position);
    static void AppendEnd(std::vector<int32_t>& ends, int32_t end);

    // Offers tryRule(rule, end) each way symbol can be derived from position, in rule
    // order: a non-lexical rule with end -1, a lexical rule matching the tokens with
    // its end. Stops at the first candidate tryRule takes (returns true for).
    template <typename TryRule>
    void OfferCandidates(int32_t symbol, int32_t position, TryRule& tryRule) const {
        const auto& rules = SymbolRules[symbol];
        std::size_t nextRule = 0;
        const auto tryRulesBelow = [&](int32_t limit) {
            for (; nextRule < rules.size() && rules[nextRule] < limit; ++nextRule)
                if (tryRule(rules[nextRule], -1)) return true;
            return false;
        };
        if (position < TokenCount) {
            const auto& matches = LexMatches[position];
            auto it = std::lower_bound(matches.begin(), matches.end(), symbol,
                                       [](const LexMatch& m, int32_t s) { return m.Symbol < s; });
            for (; it != matches.end() && it->Symbol == symbol; ++it)
                if (tryRulesBelow(it->Rule) || tryRule(it->Rule, it->End)) return;
        }
        tryRulesBelow(INT32_MAX);
    }

    const std::vector<int32_t>* NtEnds(int32_t symbol, int32_t origin) const;
    const std::vector<int32_t>* RuleEnds(int32_t rule, int32_t origin) const;

    // Sets of end positions used while enumerating, interned as ids.
    int32_t InternSet(std::vector<uint64_t> bits);
    bool SetHas(int32_t setId, int32_t position) const;
    // The positions from which symbol derives a span ending in the set.
    int32_t PreSet(int32_t symbol, int32_t setId);
    bool AnyEndInSet(const std::vector<int32_t>* ends, int32_t setId) const;

    bool PrepareCounts(const CancelToken* cancel);
    BigUint CountSymbol(int32_t symbol, int32_t from, int32_t to);
    BigUint CountSequence(int32_t rule, int32_t child, int32_t from, int32_t to);

    int32_t TokenCount = 0;
    int32_t StartRule = 0;
    bool IsAccepted = false;
    bool Built = false;

    // Per rule: left symbol, lexical flag, right side (nonterminal ids) for others.
    std::vector<int32_t> RuleLeft;
    std::vector<uint8_t> RuleLexical;
    std::vector<std::vector<int32_t>> RuleRight;
    // Per nonterminal: its non-lexical rules in rule order.
    std::vector<std::vector<int32_t>> SymbolRules;
    // Per position: the lexical rules matching the tokens from there, by (symbol, rule).
    std::vector<std::vector<LexMatch>> LexMatches;

    // Earley working state of the position being processed.
    struct Item {
        int32_t Rule;
        int32_t Dot;
        int32_t Origin;
    };
    std::vector<Item> Agenda;
    // The items already on the agenda of the current position (open addressing).
    class ItemSet {
    public:
        bool Insert(uint64_t key);
        void Clear();

    private:
        std::vector<uint64_t> Slots;
        std::size_t Used = 0;
    };
    ItemSet SeenItems;
    std::vector<int32_t> PredictedAt;
    // Waiting[position][symbol]: the items at position whose next symbol is symbol.
    std::vector<std::unordered_map<int32_t, std::vector<Item>>> Waiting;
    std::vector<std::vector<std::pair<int32_t, int32_t>>> PendingCompletions;
    int32_t CurrentPosition = 0;

    // Completed spans: ends by (symbol, origin) and by (rule, origin), ascending.
    std::unordered_map<uint64_t, std::vector<int32_t>> SymbolEnds;
    std::unordered_map<uint64_t, std::vector<int32_t>> RuleEndsByOrigin;
    // Origins by (symbol, end): the reverse of SymbolEnds, made when first counting.
    std::unordered_map<uint64_t, std::vector<int32_t>> SymbolStarts;

    std::vector<std::vector<uint64_t>> Sets;
    std::unordered_map<std::string, int32_t> SetIds;
    std::unordered_map<uint64_t, int32_t> PreSetMemo;

    // Polled while counting; once it is set every count is 0 and nothing is kept.
    const CancelToken* CountCancel = nullptr;
    bool CountStopped = false;
    long CountSteps = 0;
    bool CountInterrupted();
    std::unordered_map<SpanKey, BigUint, SpanKeyHash> SymbolCounts;
    std::unordered_map<SpanKey, BigUint, SpanKeyHash> SequenceCounts;

    // Unranking: the rules being derived form frames; a frame's completions are the
    // ways to derive its rule's children from a given one on, followed by its parent's.
    struct UnrankFrame {
        int32_t Rule;
        int32_t Parent;     // -1 for the start rule
        int32_t ParentNext; // the parent's child that follows this frame
    };
    std::vector<UnrankFrame> Frames;
    std::unordered_map<SpanKey, BigUint, SpanKeyHash> Completions;
    bool UnrankOverBudget = false;
    BigUint CompletionsFrom(int32_t frame, int32_t child, int32_t position);

    // Finding the first tree with one analysis (chart_readings.cpp): the analysis
    // sought, and the counts of the trees that contain it.
    struct TReadingTarget {
        int32_t Symbol = 0;
        int32_t Rule = 0;
        int32_t From = 0;
        int32_t To = 0;
        std::vector<int32_t> Bounds;
        BigUint Subtrees; // subtrees of the span by the analysis
    };
    TReadingTarget Target;
    bool SetReadingTarget(const TAnalysis& analysis);
    bool ReadingCountsOverBudget();
    std::unordered_map<SpanKey, BigUint, SpanKeyHash> SymbolCountsWith;
    std::unordered_map<SpanKey, BigUint, SpanKeyHash> SequenceCountsWith;
    std::unordered_map<SpanKey, BigUint, SpanKeyHash> CompletionsWith;
    // Subtrees of symbol over from..to that contain the target analysis.
    BigUint CountSymbolWith(int32_t symbol, int32_t from, int32_t to);
    BigUint CountSequenceWith(int32_t rule, int32_t child, int32_t from, int32_t to);
    // Completions (as CompletionsFrom) that contain the target: in a subtree still to
    // come (holder ReadingLater) or as the open frame holder.
    static constexpr int32_t ReadingLater = -1;
    BigUint CompletionsWithFrom(int32_t frame, int32_t child, int32_t position, int32_t holder);
};

} // namespace gramarbor
