#include "parsing/parse_driver.h"

#include <new>

#include "parsing/bottom_up.h"
#include "parsing/chart_trees.h"
#include "parsing/deep_search.h"
#include "parsing/parse_options.h"
#include "parsing/parse_trees.h"
#include "parsing/top_down.h"
#include "parsing/unit_cycles.h"

namespace gramarbor {

bool BeginParseRun(TParser& store, const std::vector<std::string>& sentence, uint8_t options,
                   TParseRun& run) {
    run.Cancelled = false;
    run.Refused = false;
    run.TraceBytes = 0;
    run.TraceOverflowed = false;
    run.TreesTruncated = false;
    try {
        run.Scanner.Create(&sentence, store.CommentSyms, store.TokenSyms, "",
                           (options & poCaseSensitive) != 0, *store.Sink);
    } catch (const std::bad_alloc&) {
        store.Sink->Error(MsgParserMemory);
        return false;
    }
    return true;
}

bool RebuildTokens(TParser& store, TParseRun& run) {
    store.Tokens.clear();
    return run.Scanner.TokenizeAll(&store.Tokens);
}

namespace {

bool ParseOnThisThread(TParser& store, const std::vector<std::string>& sentence, uint8_t options,
                       TParseRun& run) {
    if (!BeginParseRun(store, sentence, options, run)) return false;
    options = RepairParseOptions(options);
    store.TraceLines.clear();
    store.ParseTrees.clear();

    const bool traceStep = (options & poTraceList) != 0;
    const bool treeStep = (options & poParseTrees) != 0;
    // Refuse a unit-rule cycle once, for every search that is about to run.
    const bool bottomUp = traceStep && (options & poTopDown) == 0;
    const bool topDown = !bottomUp || treeStep;
    const UnitCycleScope scope = bottomUp && topDown ? UnitCycleScope::Both
                                 : bottomUp          ? UnitCycleScope::FromWords
                                                     : UnitCycleScope::FromStart;
    if (RefuseUnitCycle(store, scope)) {
        run.Refused = true;
        run.Scanner.Done();
        return false;
    }

    bool result = false;
    bool enumerated = false;
    if (traceStep) {
        if ((options & poTopDown) != 0)
            result = TopDownParse(store, options, run);
        else if ((options & poBottomUp) != 0)
            result = BottomUpParse(store, options, run);
    }
    if (treeStep && !run.Cancelled) {
        enumerated = ChartEnumerateParses(store, options, run);
        if (enumerated) {
            result = !store.ParseTrees.empty();
            for (std::string& tree : store.ParseTrees)
                tree = PathToBracketText(store, tree);
        }
    }
    if (!traceStep && !treeStep) {
        enumerated = ChartEnumerateParses(store, static_cast<uint8_t>(options & ~poParseTrees), run);
        result = store.ParseTrees.size() == 1;
    }
    if (run.Cancelled) result = enumerated = false;
    if (!result && !enumerated) {
        store.TraceLines.clear();
        store.ParseTrees.clear();
    }
    run.Scanner.Done();
    return result;
}

} // namespace

bool ParseSentence(TParser& store, const std::vector<std::string>& sentence, uint8_t options,
                   TParseRun& run) {
    bool result = false;
    try {
        RunDeepSearch(store, [&] { result = ParseOnThisThread(store, sentence, options, run); });
    } catch (const std::bad_alloc&) {
        store.Sink->Error(MsgParserMemory);
        store.TraceLines.clear();
        store.ParseTrees.clear();
        run.Scanner.Done();
        return false;
    }
    return result;
}

bool ParseSentence(TParser& store, const std::vector<std::string>& sentence, uint8_t options) {
    TParseRun run;
    return ParseSentence(store, sentence, options, run);
}

} // namespace gramarbor
