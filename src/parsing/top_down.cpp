// The top-down strategies, depth-first and breadth-first, from the start symbol.
#include "parsing/top_down.h"

#include "parsing/deep_search.h"
#include "parsing/parse_messages.h"
#include "parsing/parse_options.h"
#include "parsing/pattern_match.h"
#include "parsing/search_context.h"
#include "parsing/trace_lines.h"

namespace gramarbor {

namespace {

// The pattern with the nonterminal at position replaced by the right side of rule.
void ReplaceAt(const TPattern& pattern, std::size_t position, const TGramLine& rule,
               TPattern& out) {
    out.clear();
    out.reserve(pattern.size() + rule.Right.size() - 1);
    out.insert(out.end(), pattern.begin(), pattern.begin() + static_cast<std::ptrdiff_t>(position));
    for (const TElemNode& symbol : rule.Right)
        out.push_back(&symbol);
    out.insert(out.end(), pattern.begin() + static_cast<std::ptrdiff_t>(position) + 1,
               pattern.end());
}

} // namespace

bool NextAlternativeCombination(std::vector<uint16_t>& current,
                                const std::vector<uint16_t>& highest, std::size_t length,
                                bool& firstCall) {
    if (firstCall) {
        firstCall = false;
        return true;
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (current[i] < highest[i]) {
            ++current[i];
            return true;
        }
        current[i] = 0;
    }
    return false;
}

void TopDownDepthFirst(TSearch& search, const TPattern& pattern) {
    TStepGuard step(search);
    if (!step.Ok()) return;
    TParser& store = search.Store;
    const TMatchResult match = MatchPattern(store, pattern, search.Options, false);
    if (match == pmComplete) {
        store.ParseFound = true;
        return;
    }
    if (match == pmFail) return;

    TPattern next;
    for (std::size_t i = 0; i < pattern.size() && !search.Stopped(); ++i) {
        const TElemNode& symbol = *pattern[i];
        if (symbol.SymKind != ekNonTerminal) continue;
        const std::size_t alternatives = AlternativeCount(symbol);
        for (std::size_t a = 0; a < alternatives && !search.Stopped(); ++a) {
            const std::size_t rule = AlternativeRule(symbol, a);
            if (rule >= store.Rules.size()) continue;
            ReplaceAt(pattern, i, store.Rules[rule].Line, next);
            if (next.size() > search.TokenCount) continue;
            const uint32_t step[2] = {static_cast<uint32_t>(i), static_cast<uint32_t>(rule)};
            {
                const TPatternLineScope scope(search, search.Record(next, static_cast<int>(rule),
                                                                    TStepKind::Expand, step, 2));
                TopDownDepthFirst(search, next);
            }
            if (search.Stopped()) break;
            if (search.Optimal) DeleteLastTraceLine(store, search.Run);
        }
    }
}

void TopDownBreadthFirst(TSearch& search, const TPattern& pattern) {
    TStepGuard step(search);
    if (!step.Ok()) return;
    TParser& store = search.Store;
    const std::size_t length = pattern.size();
    std::vector<uint16_t> highest(length, 0);
    std::vector<uint16_t> current(length, 0);
    TPattern next;
    // The rule chosen for each nonterminal, as the line's step records it.
    std::vector<uint32_t> chosen;
    bool anyNonTerminal = false;
    for (std::size_t i = 0; i < length; ++i) {
        if (pattern[i]->SymKind != ekNonTerminal) continue;
        anyNonTerminal = true;
        const std::size_t count = AlternativeCount(*pattern[i]);
        highest[i] = static_cast<uint16_t>(count > 0 ? count - 1 : 0);
    }
    if (!anyNonTerminal) {
        store.ParseFound = MatchPattern(store, pattern, search.Options, true) == pmComplete;
        return;
    }
    bool firstCall = true;
    while (NextAlternativeCombination(current, highest, length, firstCall)) {
        // Most combinations are too long and skipped without a step: poll here.
        if (search.Interrupted()) break;
        next.clear();
        chosen.clear();
        bool valid = true;
        for (std::size_t i = 0; i < length; ++i) {
            const TElemNode* symbol = pattern[i];
            if (symbol->SymKind != ekNonTerminal) {
                next.push_back(symbol);
                continue;
            }
            const std::size_t rule = current[i] < AlternativeCount(*symbol)
                                         ? AlternativeRule(*symbol, current[i])
                                         : store.Rules.size();
            if (rule >= store.Rules.size()) {
                valid = false;
                break;
            }
            chosen.push_back(static_cast<uint32_t>(rule));
            for (const TElemNode& part : store.Rules[rule].Line.Right)
                next.push_back(&part);
        }
        if (!valid || next.size() > search.TokenCount) continue;
        {
            const TPatternLineScope scope(
                search,
                search.Record(next, RefNoRule, TStepKind::ExpandAll, chosen.data(), chosen.size()));
            TopDownBreadthFirst(search, next);
        }
        if (search.Stopped()) break;
        if (search.Optimal) DeleteLastTraceLine(store, search.Run);
    }
}

bool TopDownParse(TParser& store, uint8_t options, TParseRun& run) {
    if (!BeginSearch(store, run, UnitCycleScope::FromStart)) return false;

    const TGramLine& start = store.Rules[static_cast<std::size_t>(store.StartLine)].Line;
    TPattern first;
    for (const TElemNode& symbol : start.Right)
        first.push_back(&symbol);
    TSearch search(store, options, run);
    if ((options & poTraceList) != 0) {
        // Line 0, the start symbol, and line 1, its rule's right side.
        const uint32_t startLine = NextTraceLine(store);
        if (AppendTraceLine(store, "0\t-\t " + start.Left.Text, run, {}))
            search.PatternLine = startLine;
        const uint32_t step[2] = {0, static_cast<uint32_t>(store.StartLine)};
        search.PatternLine =
            search.Record(first, (options & poBreadthFirst) != 0 ? RefNoRule : store.StartLine,
                          TStepKind::Expand, step, 2);
    }
    RunDeepSearch(store, run, [&] {
        if ((options & poDepthFirst) != 0)
            TopDownDepthFirst(search, first);
        else
            TopDownBreadthFirst(search, first);
    });
    if (search.Aborted) store.ParseFound = false;
    return store.ParseFound;
}

} // namespace gramarbor
