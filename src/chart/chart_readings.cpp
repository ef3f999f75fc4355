// The first tree that has a given reading of an ambiguous span: walks down the trees in
// enumeration order as UnrankTree does, taking at each symbol the first rule with which
// some tree still contains the analysis sought, and counts the trees it passes by.
//
// A tree holds the analysis at most once: a second node with the same span, symbol and
// rule would lie inside the first, which only a cycle of unit rules allows.
#include "chart/chart_parser.h"

#include <algorithm>

#include "base/large_stack.h"

namespace gramarbor {

namespace {

constexpr uint64_t PackPair(int64_t high, int64_t low) {
    return (static_cast<uint64_t>(high) << 32) | static_cast<uint32_t>(low);
}

} // namespace

bool TChartParser::SetReadingTarget(const TAnalysis& analysis) {
    const auto& bounds = analysis.Bounds;
    if (analysis.Rule < 0 || analysis.Rule >= static_cast<int32_t>(RuleLeft.size()) ||
        bounds.size() < 2)
        return false;
    for (std::size_t b = 0; b < bounds.size(); ++b)
        if (bounds[b] < 0 || bounds[b] > TokenCount || (b > 0 && bounds[b] <= bounds[b - 1]))
            return false;
    Target = {RuleLeft[analysis.Rule], analysis.Rule, bounds.front(), bounds.back(), bounds, {}};
    if (RuleLexical[analysis.Rule]) {
        if (bounds.size() != 2 || Target.From >= TokenCount) return false;
        for (const LexMatch& match : LexMatches[Target.From])
            if (match.Rule == analysis.Rule && match.End == Target.To) Target.Subtrees = BigUint(1);
        return !Target.Subtrees.IsZero();
    }
    const auto& right = RuleRight[analysis.Rule];
    if (bounds.size() != right.size() + 1) return false;
    Target.Subtrees = BigUint(1);
    for (std::size_t c = 0; c < right.size(); ++c)
        Target.Subtrees = Target.Subtrees * CountSymbol(right[c], bounds[c], bounds[c + 1]);
    return !Target.Subtrees.IsZero();
}

bool TChartParser::ReadingCountsOverBudget() {
    if (Completions.size() + CompletionsWith.size() + SymbolCountsWith.size() +
            SequenceCountsWith.size() >=
        UnrankBudget)
        UnrankOverBudget = true;
    return UnrankOverBudget;
}

BigUint TChartParser::CountSymbolWith(int32_t symbol, int32_t from, int32_t to) {
    if (CountInterrupted() || from > Target.From || to < Target.To) return BigUint();
    if (symbol == Target.Symbol && from == Target.From && to == Target.To) return Target.Subtrees;
    const SpanKey key{static_cast<uint64_t>(symbol), PackPair(from, to)};
    if (const auto found = SymbolCountsWith.find(key); found != SymbolCountsWith.end())
        return found->second;
    if (ReadingCountsOverBudget()) return BigUint();
    // Lexical rules cover no smaller span, so only the others can hold the target.
    BigUint count;
    for (const int32_t rule : SymbolRules[symbol]) {
        const auto* ends = RuleEnds(rule, from);
        if (ends && std::binary_search(ends->begin(), ends->end(), to))
            count += CountSequenceWith(rule, 0, from, to);
    }
    SymbolCountsWith.emplace(key, count);
    return count;
}

BigUint TChartParser::CountSequenceWith(int32_t rule, int32_t child, int32_t from, int32_t to) {
    if (CountInterrupted() || from > Target.From || to < Target.To) return BigUint();
    const auto& right = RuleRight[rule];
    const auto last = static_cast<int32_t>(right.size()) - 1;
    if (child == last) return CountSymbolWith(right[child], from, to);
    const SpanKey key{PackPair(rule, child), PackPair(from, to)};
    if (const auto found = SequenceCountsWith.find(key); found != SequenceCountsWith.end())
        return found->second;
    if (ReadingCountsOverBudget()) return BigUint();
    BigUint count;
    const int32_t remaining = last - child;
    if (const auto* ends = NtEnds(right[child], from))
        for (const int32_t middle : *ends) {
            if (middle > to - remaining) break;
            // The target lies in the rest, or in this child.
            const BigUint restWith = CountSequenceWith(rule, child + 1, middle, to);
            if (!restWith.IsZero()) count += CountSymbol(right[child], from, middle) * restWith;
            const BigUint here = CountSymbolWith(right[child], from, middle);
            if (!here.IsZero()) count += here * CountSequence(rule, child + 1, middle, to);
        }
    SequenceCountsWith.emplace(key, count);
    return count;
}

BigUint TChartParser::CompletionsWithFrom(int32_t frame, int32_t child, int32_t position,
                                          int32_t holder) {
    for (;;) {
        if (CountInterrupted() || UnrankOverBudget) return BigUint();
        const UnrankFrame& f = Frames[frame];
        if (child < static_cast<int32_t>(RuleRight[f.Rule].size())) break;
        if (frame == holder) {
            // The holder is complete: it is the target when it ends where the target does.
            return position == Target.To ? CompletionsFrom(frame, child, position) : BigUint();
        }
        if (f.Parent < 0) return BigUint();
        child = f.ParentNext;
        frame = f.Parent;
    }
    // A subtree still to come starts here or later: too late for the target.
    if (holder == ReadingLater && position > Target.From) return BigUint();
    const SpanKey key{PackPair(frame, child), PackPair(holder + 1, position)};
    if (const auto found = CompletionsWith.find(key); found != CompletionsWith.end())
        return found->second;
    if (ReadingCountsOverBudget()) return BigUint();
    BigUint count;
    const int32_t symbol = RuleRight[Frames[frame].Rule][child];
    if (frame == holder) {
        // The holder's children must cover the target's bounds.
        if (position == Target.Bounds[child]) {
            const int32_t end = Target.Bounds[child + 1];
            const BigUint rest = CompletionsWithFrom(frame, child + 1, end, holder);
            if (!rest.IsZero()) count = CountSymbol(symbol, position, end) * rest;
        }
    } else if (const auto* ends = NtEnds(symbol, position)) {
        for (const int32_t end : *ends) {
            const BigUint rest = CompletionsWithFrom(frame, child + 1, end, holder);
            if (!rest.IsZero()) count += CountSymbol(symbol, position, end) * rest;
            if (holder != ReadingLater) continue;
            const BigUint here = CountSymbolWith(symbol, position, end);
            if (!here.IsZero()) count += here * CompletionsFrom(frame, child + 1, end);
        }
    }
    CompletionsWith.emplace(key, count);
    return count;
}

TChartParser::TReadingResult TChartParser::FirstTreeWith(const TAnalysis& analysis, BigUint& number,
                                                         const CancelToken* cancel) {
    BigUint total;
    if (!CountTrees(total, cancel)) return TReadingResult::Cancelled;
    if (!IsAccepted) return TReadingResult::NotInTrees;
    CountCancel = cancel;
    CountStopped = false;
    bool valid = false;
    RunWithLargeStack([&] { valid = SetReadingTarget(analysis); });
    CountCancel = nullptr;
    if (CountStopped) {
        CountStopped = false;
        SymbolCounts.clear();
        SequenceCounts.clear();
        return TReadingResult::Cancelled;
    }
    if (!valid) return TReadingResult::NotInTrees;
    if (RuleLexical[StartRule]) {
        if (Target.Rule != StartRule || Target.From != 0 || Target.To != TokenCount)
            return TReadingResult::NotInTrees;
        number = BigUint();
        return TReadingResult::Found;
    }

    Frames.assign(1, {StartRule, -1, 0});
    // Per frame: the frame is the target's rule from the target's start and its children
    // so far end at the target's bounds.
    std::vector<uint8_t> matching{StartRule == Target.Rule && Target.From == 0};
    Completions.clear();
    CompletionsWith.clear();
    SymbolCountsWith.clear();
    SequenceCountsWith.clear();
    UnrankOverBudget = false;
    CountCancel = cancel;
    CountStopped = false;
    BigUint before;
    bool contained = false;
    bool complete = false;
    RunWithLargeStack([&] {
        int32_t frame = 0;
        int32_t child = 0;
        int32_t position = 0;
        std::vector<int32_t> holders;
        for (;;) {
            if (CountStopped || UnrankOverBudget) return;
            const UnrankFrame f = Frames[frame];
            if (child == static_cast<int32_t>(RuleRight[f.Rule].size())) {
                if (matching[frame]) contained = true;
                if (f.Parent < 0) {
                    complete = true;
                    return;
                }
                child = f.ParentNext;
                frame = f.Parent;
                if (matching[frame]) matching[frame] = position == Target.Bounds[child];
                continue;
            }
            const int32_t symbol = RuleRight[f.Rule][child];
            // Where the target can still be: in a subtree to come or as an open frame.
            holders.clear();
            if (!contained) {
                holders.push_back(ReadingLater);
                for (int32_t open = frame; open >= 0; open = Frames[open].Parent)
                    if (matching[open]) holders.push_back(open);
            }
            bool chosen = false;
            auto tryRule = [&](int32_t rule, int32_t lexicalEnd) {
                BigUint trees;
                BigUint with;
                const bool isTarget = rule == Target.Rule && position == Target.From;
                auto addEnd = [&](int32_t end, const BigUint& subtrees, const BigUint& inside) {
                    const BigUint rest = CompletionsFrom(frame, child + 1, end);
                    if (!rest.IsZero()) trees += subtrees * rest;
                    if (contained) {
                        if (!rest.IsZero()) with += subtrees * rest;
                        return;
                    }
                    // This node is the target (no other node can be then), or not.
                    if (isTarget && end == Target.To) {
                        if (!rest.IsZero()) with += Target.Subtrees * rest;
                        return;
                    }
                    if (!inside.IsZero() && !rest.IsZero()) with += inside * rest;
                    for (const int32_t holder : holders) {
                        const BigUint restWith = CompletionsWithFrom(frame, child + 1, end, holder);
                        if (!restWith.IsZero()) with += subtrees * restWith;
                    }
                };
                if (lexicalEnd >= 0) {
                    addEnd(lexicalEnd, BigUint(1), BigUint());
                } else if (const auto* ends = RuleEnds(rule, position)) {
                    for (const int32_t end : *ends)
                        addEnd(end, CountSequence(rule, 0, position, end),
                               CountSequenceWith(rule, 0, position, end));
                }
                if (CountStopped || UnrankOverBudget) return true;
                if (with.IsZero()) {
                    before += trees;
                    return false;
                }
                if (lexicalEnd >= 0) {
                    if (isTarget && lexicalEnd == Target.To) contained = true;
                    position = lexicalEnd;
                    ++child;
                    if (matching[frame]) matching[frame] = position == Target.Bounds[child];
                } else {
                    Frames.push_back({rule, frame, child + 1});
                    matching.push_back(isTarget ? 1 : 0);
                    frame = static_cast<int32_t>(Frames.size()) - 1;
                    child = 0;
                }
                chosen = true;
                return true;
            };
            OfferCandidates(symbol, position, tryRule);
            if (!chosen) return;
        }
    });
    CountCancel = nullptr;
    const bool stopped = CountStopped;
    CountStopped = false;
    Completions.clear();
    CompletionsWith.clear();
    SymbolCountsWith.clear();
    SequenceCountsWith.clear();
    Frames.clear();
    if (stopped) {
        SymbolCounts.clear();
        SequenceCounts.clear();
        return TReadingResult::Cancelled;
    }
    if (UnrankOverBudget) return TReadingResult::TooLarge;
    if (!complete || !contained) return TReadingResult::NotInTrees;
    number = before;
    return TReadingResult::Found;
}

} // namespace gramarbor
