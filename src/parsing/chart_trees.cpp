#include "parsing/chart_trees.h"

#include <new>

#include "chart/chart_parser.h"
#include "parsing/parse_messages.h"
#include "parsing/parse_options.h"
#include "parsing/parse_trees.h"
#include "parsing/unit_cycles.h"
#include "text/text_utils.h"

namespace gramarbor {

namespace {

// Tokenises, builds the chart, counts the trees when asked and calls visit with the
// rule path of each tree until it returns false. Errors are reported to store.Sink.
bool EnumerateChart(TParser& store, uint8_t options, TParseRun& run, bool count,
                    const TChartParser::PathVisitor& visit) {
    store.ParseFound = false;
    run.TreesTruncated = false;
    run.TreesFound = 0;
    run.TreeCount = BigUint();
    if (!RebuildTokens(store, run)) {
        store.Sink->Error(TokenListMessage(run));
        return false;
    }
    if (store.StartLine < 0 || static_cast<std::size_t>(store.StartLine) >= store.Rules.size())
        return false;
    if (RefuseUnitCycle(store, UnitCycleScope::FromStart)) return false;
    try {
        TChartParser chart(store.Rules, store.StartLine, store.Tokens,
                           (options & poCaseSensitive) != 0);
        // The number comes from the chart alone, before any tree is listed.
        bool finished = chart.Build(run.Cancel);
        if (finished && count && chart.Accepted())
            finished = chart.CountTrees(run.TreeCount, run.Cancel);
        std::vector<uint16_t> first;
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
                store.Sink->Error(
                    MsgNoSuchTree(number.ToString(), chart.CountTrees().ToString()));
                return false;
            }
            case TChartParser::TUnrankResult::TooLarge:
                store.Sink->Error(MsgTreeOutOfReach);
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
    } catch (const std::bad_alloc&) {
        // Rule paths must not pass for tree texts: a failed enumeration leaves none.
        store.ParseTrees.clear();
        store.Sink->Error(MsgParserMemory);
        return false;
    }
}

} // namespace

bool ChartEnumerateParses(TParser& store, uint8_t options, TParseRun& run) {
    const bool allTrees = (options & poParseTrees) != 0;
    std::string path;
    const auto keepPath = [&](const std::vector<uint16_t>& rules) {
        if (allTrees && run.TreesFound >= run.MaxParseTrees) {
            run.TreesTruncated = true;
            return false;
        }
        path.clear();
        for (const uint16_t rule : rules)
            path += WordToStr2(rule);
        store.ParseTrees.push_back(path);
        ++run.TreesFound;
        store.ParseFound = !allTrees;
        return allTrees;
    };
    return EnumerateChart(store, options, run, allTrees && run.CountTrees, keepPath);
}

bool ChartEnumerateTreeTexts(TParser& store, uint8_t options, TParseRun& run) {
    TBracketTextBuilder builder(store);
    const auto passText = [&](const std::vector<uint16_t>& rules) {
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
    MessageSink* const sink = store.Sink;
    store.Sink = &quiet;
    std::optional<BigUint> count;
    TParseRun run;
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
    store.Sink = sink;
    return count;
}

} // namespace gramarbor
