// The literal leftmost enumeration of parse trees that the chart is compared with.
#include "reference_enumeration.h"

#include <new>

#include "parsing/deep_search.h"
#include "parsing/parse_messages.h"
#include "parsing/parse_options.h"
#include "parsing/pattern_match.h"
#include "parsing/search_context.h"

namespace gramarbor::testing {

namespace {

// A leftmost derivation in progress. The pattern is the matched prefix of the
// sentence (Matched symbols, kept in Popped) followed by Rest, which holds the
// unmatched symbols in reverse order so that the leftmost one is at the back:
// expanding it and restoring it afterwards touch only the back of the vector.
struct TEnumeration {
    TEnumeration(TParser& store, uint8_t options, TParseRun& run, std::vector<TRulePath>& paths)
        : Search(store, options, run), StopAtFirst((options & poParseTrees) == 0), Paths(paths) {}

    TSearch Search;
    bool StopAtFirst;
    TPattern Rest;
    TPattern Popped;
    std::size_t Matched = 0;
    TRulePath Path;
    std::vector<TRulePath>& Paths;
};

// Matches the leading terminals of Rest, records a complete derivation, or expands
// the leftmost nonterminal with each of its alternatives. Leaves the state as found.
// False after an error.
bool ExpandLeftmost(TEnumeration& e) {
    TStepGuard step(e.Search);
    if (!step.Ok()) return true;
    TParser& store = e.Search.Store;
    const std::size_t tokenCount = e.Search.TokenCount;
    const std::size_t matchedBefore = e.Matched;
    bool result = true;
    bool deadEnd = false;
    // Matched + Rest.size() never exceeds the token count, so every token read exists.
    while (!e.Rest.empty() && e.Rest.back()->SymKind != ekNonTerminal) {
        if (!TokenMatchesSymbol(*e.Rest.back(), store.Tokens[e.Matched], e.Search.CaseSensitive)) {
            deadEnd = true;
            break;
        }
        e.Popped.push_back(e.Rest.back());
        e.Rest.pop_back();
        ++e.Matched;
    }
    if (!deadEnd && e.Matched == tokenCount) {
        TParseRun& run = e.Search.Run;
        if (e.Paths.size() >= run.MaxParseTrees) {
            // One tree too many: keep the first ones and end the search.
            run.TreesTruncated = true;
            store.ParseFound = true;
        } else {
            e.Paths.push_back(e.Path);
            store.ParseFound = e.StopAtFirst;
        }
    } else if (!deadEnd && !e.Rest.empty()) {
        const TElemNode* nonterminal = e.Rest.back();
        e.Rest.pop_back();
        const std::size_t alternatives = AlternativeCount(*nonterminal);
        for (std::size_t a = 0; a < alternatives && !e.Search.Stopped(); ++a) {
            const std::size_t rule = AlternativeRule(*nonterminal, a);
            if (rule >= store.Rules.size()) continue;
            const auto& right = store.Rules[rule].Line.Right;
            if (e.Matched + e.Rest.size() + right.size() > tokenCount) continue;
            for (auto symbol = right.rbegin(); symbol != right.rend(); ++symbol)
                e.Rest.push_back(&*symbol);
            e.Path.push_back(static_cast<uint16_t>(rule));
            const bool ok = ExpandLeftmost(e);
            e.Rest.resize(e.Rest.size() - right.size());
            e.Path.pop_back();
            if (!ok) {
                result = false;
                break;
            }
        }
        e.Rest.push_back(nonterminal);
    }
    while (e.Matched > matchedBefore) {
        e.Rest.push_back(e.Popped.back());
        e.Popped.pop_back();
        --e.Matched;
    }
    return result;
}

} // namespace

bool EnumerateParses(TParser& store, uint8_t options, TParseRun& run,
                     std::vector<TRulePath>& paths) {
    if (!BeginSearch(store, run, UnitCycleScope::FromStart)) return false;
    try {
        TEnumeration e(store, options, run, paths);
        const auto& right = store.Rules[static_cast<std::size_t>(store.StartLine)].Line.Right;
        if (right.size() > e.Search.TokenCount) return true;
        for (auto symbol = right.rbegin(); symbol != right.rend(); ++symbol)
            e.Rest.push_back(&*symbol);
        e.Path = {static_cast<uint16_t>(store.StartLine)};
        bool ok = true;
        RunDeepSearch(store, run, [&] { ok = ExpandLeftmost(e); });
        return ok && !e.Search.Aborted;
    } catch (const std::bad_alloc&) {
        paths.clear();
        store.Sink->Error(MsgParserMemory);
        return false;
    }
}

} // namespace gramarbor::testing
