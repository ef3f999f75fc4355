// Where the parse trees of a sentence differ: the symbol spans that the trees use and
// that can be derived in more than one way, found from the chart and its counts.
#include "chart/chart_parser.h"

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "base/large_stack.h"

namespace gramarbor {

namespace {

uint64_t SaturatingAdd(uint64_t a, uint64_t b) {
    return a > UINT64_MAX - b ? UINT64_MAX : a + b;
}

} // namespace

TChartParser::TAmbiguityResult TChartParser::FindAmbiguities(std::vector<TAmbiguity>& found,
                                                             const CancelToken* cancel) {
    found.clear();
    BigUint total;
    if (!CountTrees(total, cancel)) return TAmbiguityResult::Cancelled;
    if (!IsAccepted || RuleLexical[StartRule]) return TAmbiguityResult::Done;

    // The symbol spans some tree of the sentence uses, as (symbol, from, to).
    std::unordered_set<SpanKey, SpanKeyHash> seen;
    std::vector<SpanKey> work;
    bool overBudget = false;
    auto addNode = [&](int32_t symbol, int32_t from, int32_t to) {
        const SpanKey key{static_cast<uint64_t>(symbol),
                          (static_cast<uint64_t>(from) << 32) | static_cast<uint32_t>(to)};
        if (seen.size() >= MaxAmbiguityNodes) {
            overBudget = true;
            return;
        }
        if (seen.insert(key).second) work.push_back(key);
    };

    // Walks the ways rule can split [from, to) among its children: onSplit gets the
    // bounds of each complete split (while it returns true), every child span that
    // takes part is added, and the number of splits is returned.
    auto splits = [&](int32_t rule, int32_t from, int32_t to,
                      const std::function<bool(const std::vector<int32_t>&)>& onSplit) -> uint64_t {
        const auto& right = RuleRight[rule];
        const auto last = static_cast<int32_t>(right.size()) - 1;
        // Number of ways children child.. can cover [start, to), memoised by (child, start).
        std::unordered_map<uint64_t, uint64_t> ways;
        std::function<uint64_t(int32_t, int32_t)> count = [&](int32_t child, int32_t start) {
            if (CountInterrupted()) return uint64_t(0);
            if (child == last) {
                if (CountSymbol(right[child], start, to).IsZero()) return uint64_t(0);
                addNode(right[child], start, to);
                return uint64_t(1);
            }
            const uint64_t key =
                (static_cast<uint64_t>(child) << 32) | static_cast<uint32_t>(start);
            if (const auto memo = ways.find(key); memo != ways.end()) return memo->second;
            uint64_t sum = 0;
            if (const auto* ends = NtEnds(right[child], start))
                for (const int32_t middle : *ends) {
                    if (middle >= to) break;
                    if (CountSequence(rule, child + 1, middle, to).IsZero()) continue;
                    addNode(right[child], start, middle);
                    sum = SaturatingAdd(sum, count(child + 1, middle));
                }
            ways.emplace(key, sum);
            return sum;
        };
        const uint64_t result = count(0, from);
        if (!onSplit || result == 0) return result;
        // The splits themselves, in order, as long as onSplit wants more.
        std::vector<int32_t> bounds{from};
        std::function<bool(int32_t)> list = [&](int32_t child) {
            const int32_t start = bounds.back();
            if (child == last) {
                bounds.push_back(to);
                const bool more = onSplit(bounds);
                bounds.pop_back();
                return more;
            }
            if (const auto* ends = NtEnds(right[child], start))
                for (const int32_t middle : *ends) {
                    if (middle >= to) break;
                    const auto memo = ways.find((static_cast<uint64_t>(child + 1) << 32) |
                                                static_cast<uint32_t>(middle));
                    const bool usable = child + 1 == last
                                            ? !CountSymbol(right[last], middle, to).IsZero()
                                            : memo != ways.end() && memo->second != 0;
                    if (!usable) continue;
                    bounds.push_back(middle);
                    const bool more = list(child + 1);
                    bounds.pop_back();
                    if (!more) return false;
                }
            return true;
        };
        list(0);
        return result;
    };

    CountCancel = cancel;
    CountStopped = false;
    RunWithLargeStack([&] {
        splits(StartRule, 0, TokenCount, nullptr);
        while (!work.empty() && !overBudget && !CountStopped) {
            const SpanKey node = work.back();
            work.pop_back();
            const auto symbol = static_cast<int32_t>(node.A);
            const auto from = static_cast<int32_t>(node.B >> 32);
            const auto to = static_cast<int32_t>(node.B & 0xFFFFFFFFu);
            TAmbiguity ambiguity{symbol, from, to, CountSymbol(symbol, from, to), 0, {}};
            auto addAnalysis = [&](int32_t rule, const std::vector<int32_t>& bounds) {
                if (ambiguity.Analyses.size() >= MaxListedAnalyses) return false;
                BigUint readings(1);
                if (!RuleLexical[rule])
                    for (std::size_t c = 0; c < RuleRight[rule].size(); ++c)
                        readings =
                            readings * CountSymbol(RuleRight[rule][c], bounds[c], bounds[c + 1]);
                ambiguity.Analyses.push_back({rule, bounds, readings});
                return true;
            };
            // Candidates in rule order, as the trees are ordered.
            std::vector<int32_t> lexical;
            if (from < TokenCount)
                for (const LexMatch& match : LexMatches[from])
                    if (match.Symbol == symbol && match.End == to) lexical.push_back(match.Rule);
            std::vector<int32_t> rules;
            for (const int32_t rule : SymbolRules[symbol]) {
                const auto* ends = RuleEnds(rule, from);
                if (ends && std::binary_search(ends->begin(), ends->end(), to))
                    rules.push_back(rule);
            }
            std::vector<int32_t> all = lexical;
            all.insert(all.end(), rules.begin(), rules.end());
            std::sort(all.begin(), all.end());
            for (const int32_t rule : all) {
                if (RuleLexical[rule]) {
                    ambiguity.AnalysisCount = SaturatingAdd(ambiguity.AnalysisCount, 1);
                    addAnalysis(rule, {from, to});
                    continue;
                }
                const uint64_t ways =
                    splits(rule, from, to, [&](const std::vector<int32_t>& bounds) {
                        return addAnalysis(rule, bounds);
                    });
                ambiguity.AnalysisCount = SaturatingAdd(ambiguity.AnalysisCount, ways);
            }
            if (ambiguity.AnalysisCount > 1) found.push_back(std::move(ambiguity));
        }
    });
    CountCancel = nullptr;
    const bool stopped = CountStopped;
    CountStopped = false;
    if (stopped) {
        SymbolCounts.clear();
        SequenceCounts.clear();
        found.clear();
        return TAmbiguityResult::Cancelled;
    }
    if (overBudget) {
        found.clear();
        return TAmbiguityResult::TooLarge;
    }
    std::sort(found.begin(), found.end(), [](const TAmbiguity& a, const TAmbiguity& b) {
        if (a.From != b.From) return a.From < b.From;
        if (a.To != b.To) return a.To > b.To;
        return a.Symbol < b.Symbol;
    });
    return TAmbiguityResult::Done;
}

} // namespace gramarbor
