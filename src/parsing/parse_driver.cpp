// The parse driver: reads the sentence, refuses what cannot be parsed, runs the steps.
#include "parsing/parse_driver.h"

#include <new>

#include "parsing/bottom_up.h"
#include "parsing/chart_trees.h"
#include "parsing/deep_search.h"
#include "parsing/parse_messages.h"
#include "parsing/parse_options.h"
#include "parsing/top_down.h"
#include "parsing/unit_cycles.h"

namespace gramarbor {

bool BeginParseRun(TParser& store, const std::vector<std::string>& sentence, uint8_t options,
                   TParseRun& run) {
    run.Cancelled = false;
    run.Refused = false;
    run.TraceBytes = 0;
    run.TraceOverflowed = false;
    run.TraceSteps.Clear();
    run.TreesTruncated = false;
    run.TreesFound = 0;
    run.Scanner.Create(&sentence, store.CommentSyms, store.TokenSyms, "",
                       (options & poCaseSensitive) != 0, run.Messages(store));
    return true;
}

bool RebuildTokens(TParser& store, TParseRun& run) {
    store.Tokens.clear();
    return run.Scanner.TokenizeAll(&store.Tokens);
}

std::string TokenListMessage(const TParseRun& run) {
    // A failed TokenizeAll leaves the scanner at the start of the token it could not read.
    const TScanner& scanner = run.Scanner;
    if (scanner.Source == nullptr || scanner.Line < 0 ||
        static_cast<std::size_t>(scanner.Line) >= scanner.Source->size())
        return MsgTokenListIncomplete;
    const std::string& line = (*scanner.Source)[static_cast<std::size_t>(scanner.Line)];
    if (scanner.Column < 1 || static_cast<std::size_t>(scanner.Column) > line.size())
        return MsgTokenListIncomplete;
    return MsgTokenListIncomplete + " " +
           MsgTokenStop(line[static_cast<std::size_t>(scanner.Column - 1)],
                        static_cast<std::size_t>(scanner.Column),
                        static_cast<std::size_t>(scanner.Line) + 1);
}

namespace {

bool ParseOnThisThread(TParser& store, const std::vector<std::string>& sentence, uint8_t options,
                       TParseRun& run) {
    if (!BeginParseRun(store, sentence, options, run)) return false;
    options = RepairParseOptions(options);
    store.TraceLines.clear();
    run.TraceSteps.Clear();
    store.ParseTrees.clear();

    // A sentence that cannot be read is refused once, before any search, with a
    // message that says where reading stopped.
    if (!RebuildTokens(store, run)) {
        run.Messages(store).Error(TokenListMessage(run));
        run.Refused = true;
        run.Scanner.Done();
        return false;
    }

    const bool traceStep = (options & poTraceList) != 0;
    const bool treeStep = (options & poParseTrees) != 0;
    // Refuse a unit-rule cycle once, for every search that is about to run.
    const bool bottomUp = traceStep && (options & poTopDown) == 0;
    const bool topDown = !bottomUp || treeStep;
    const UnitCycleScope scope = bottomUp && topDown ? UnitCycleScope::Both
                                 : bottomUp          ? UnitCycleScope::FromWords
                                                     : UnitCycleScope::FromStart;
    if (RefuseUnitCycle(store, scope, run.Messages(store))) {
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
        // Each tree's text is made as the tree is found, and kept or handed on.
        enumerated = ChartEnumerateTreeTexts(store, options, run);
        if (enumerated) result = run.TreesFound > 0;
    }
    if (!traceStep && !treeStep) {
        // Only the verdict is asked for: the first tree's path decides it.
        std::vector<TRulePath> first;
        enumerated =
            ChartEnumerateParses(store, static_cast<uint8_t>(options & ~poParseTrees), run, first);
        result = first.size() == 1;
    }
    if (run.Cancelled) result = enumerated = false;
    if (!result && !enumerated) {
        store.TraceLines.clear();
        run.TraceSteps.Clear();
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
        RunDeepSearch(store, run,
                      [&] { result = ParseOnThisThread(store, sentence, options, run); });
    } catch (const std::bad_alloc&) {
        // Memory ran out somewhere in the searches: one message for the whole parse.
        run.Messages(store).Error(MsgParserMemory);
        store.TraceLines.clear();
        run.TraceSteps.Clear();
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
