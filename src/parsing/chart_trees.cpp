// The parse trees and their number, found through the chart parser.
#include "parsing/chart_trees.h"

#include "chart/chart_parser.h"
#include "parsing/parse_messages.h"
#include "parsing/parse_options.h"
#include "parsing/parse_trees.h"
#include "parsing/search_context.h"
#include "parsing/unit_cycles.h"

namespace gramarbor {

namespace {

// Tokenises, builds the chart, counts the trees when asked and calls visit with the
// rule path of each tree until it returns false. Errors are reported to the run's
// sink; running out of memory is passed on to the caller.
bool EnumerateChart(TParser& store, uint8_t options, TParseRun& run, bool count,
                    const TChartParser::PathVisitor& visit) {
    run.TreesTruncated = false;
    run.TreesFound = 0;
    run.TreeCount = BigUint();
    if (!BeginSearch(store, run, UnitCycleScope::FromStart)) return false;
    TChartParser chart(store.Rules, store.StartLine, store.Tokens,
                       (options & poCaseSensitive) != 0);
    // The number comes from the chart alone, before any tree is listed.
    bool finished = chart.Build(run.Cancel);
    if (finished && count && chart.Accepted())
        finished = chart.CountTrees(run.TreeCount, run.Cancel);
    TRulePath first;
    if (finished && !run.FirstTree.IsZero() && chart.Accepted()) {
        switch (chart.UnrankTree(run.FirstTree, first, run.Cancel)) {
        case TChartParser::TUnrankResult::Found:
            break;
        case TChartParser::TUnrankResult::Cancelled:
            finished = false;
            break;
        case TChartParser::TUnrankResult::OutOfRange: {
            BigUint number = run.FirstTree;
            number += BigUint(1);
            run.Messages(store).Error(
                MsgNoSuchTree(number.ToString(), chart.CountTrees().ToString()));
            return false;
        }
        case TChartParser::TUnrankResult::TooLarge:
            run.Messages(store).Error(MsgTreeOutOfReach);
            return false;
        }
    }
    if (finished) finished = chart.Enumerate(visit, run.Cancel, first.empty() ? nullptr : &first);
    if (!finished) {
        run.Cancelled = true;
        store.ParseTrees.clear();
        run.TreesFound = 0;
        return false;
    }
    return true;
}

} // namespace

bool ChartEnumerateParses(TParser& store, uint8_t options, TParseRun& run,
                          std::vector<TRulePath>& paths) {
    const bool allTrees = (options & poParseTrees) != 0;
    const auto keepPath = [&](const TRulePath& rules) {
        if (allTrees && run.TreesFound >= run.MaxParseTrees) {
            run.TreesTruncated = true;
            return false;
        }
        paths.push_back(rules);
        ++run.TreesFound;
        store.ParseFound = !allTrees;
        return allTrees;
    };
    paths.clear();
    const bool enumerated =
        EnumerateChart(store, options, run, allTrees && run.CountTrees, keepPath);
    if (!enumerated) paths.clear();
    return enumerated;
}

bool ChartEnumerateTreeTexts(TParser& store, uint8_t options, TParseRun& run) {
    TBracketTextBuilder builder(store);
    const auto passText = [&](const TRulePath& rules) {
        if (run.TreesFound >= run.MaxParseTrees) {
            run.TreesTruncated = true;
            return false;
        }
        const std::string& text = builder.Text(rules);
        ++run.TreesFound;
        if (run.OnParseTree) return run.OnParseTree(text);
        store.ParseTrees.push_back(text);
        return true;
    };
    return EnumerateChart(store, options, run, run.CountTrees, passText);
}

std::optional<BigUint> CountParseTrees(TParser& store, const std::vector<std::string>& sentence,
                                       uint8_t options) {
    NullSink quiet;
    std::optional<BigUint> count;
    TParseRun run;
    run.Sink = &quiet;
    try {
        if (BeginParseRun(store, sentence, options, run) && RebuildTokens(store, run) &&
            store.StartLine >= 0 &&
            static_cast<std::size_t>(store.StartLine) < store.Rules.size() &&
            FindUnitCycle(store, UnitCycleScope::FromStart).empty()) {
            TChartParser chart(store.Rules, store.StartLine, store.Tokens,
                               (options & poCaseSensitive) != 0);
            count = chart.CountTrees();
        }
    } catch (const std::bad_alloc&) {
        count.reset();
    }
    run.Scanner.Done();
    return count;
}

} // namespace gramarbor
