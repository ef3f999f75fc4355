#include "parsing/chart_trees.h"

#include <new>

#include "chart/chart_parser.h"
#include "parsing/parse_messages.h"
#include "parsing/parse_options.h"
#include "parsing/unit_cycles.h"
#include "text/text_utils.h"

namespace gramarbor {

bool ChartEnumerateParses(TParser& store, uint8_t options, TParseRun& run) {
    store.ParseFound = false;
    run.TreesTruncated = false;
    run.TreeCount = BigUint();
    if (!RebuildTokens(store, run)) {
        store.Sink->Error(MsgTokenListIncomplete);
        return false;
    }
    if (store.StartLine < 0 || static_cast<std::size_t>(store.StartLine) >= store.Rules.size())
        return false;
    if (RefuseUnitCycle(store, UnitCycleScope::FromStart)) return false;
    const bool allTrees = (options & poParseTrees) != 0;
    try {
        TChartParser chart(store.Rules, store.StartLine, store.Tokens,
                           (options & poCaseSensitive) != 0);
        std::string path;
        const bool finished = chart.Enumerate(
            [&](const std::vector<uint16_t>& rules) {
                if (allTrees && store.ParseTrees.size() >= run.MaxParseTrees) {
                    run.TreesTruncated = true;
                    return false;
                }
                path.clear();
                for (const uint16_t rule : rules)
                    path += WordToStr2(rule);
                store.ParseTrees.push_back(path);
                store.ParseFound = !allTrees;
                return allTrees;
            },
            run.Cancel);
        if (!finished) {
            run.Cancelled = true;
            store.ParseTrees.clear();
            return false;
        }
        if (allTrees && chart.Accepted() && !chart.CountTrees(run.TreeCount, run.Cancel)) {
            run.Cancelled = true;
            store.ParseTrees.clear();
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

} // namespace gramarbor
